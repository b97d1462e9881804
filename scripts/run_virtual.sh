#!/usr/bin/env bash
# Runs a program on a private virtual display (Xvfb with the jwm window manager) and saves a
# screenshot of the screen every second until the program ends or Ctrl+C.
# Usage: scripts/run_virtual.sh PROGRAM FOLDER [arguments...]
set -euo pipefail
program="$1"
folder="$2"
shift 2
mkdir -p "$folder"

for tool in Xvfb jwm import; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/setup.sh" >&2; exit 1; }
done

pids=()
scratch=$(mktemp -d)
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Xvfb picks a free display number and writes it, with a newline, to the descriptor it is given.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 300); do
    grep -q . "$scratch/display" 2>/dev/null && break
    sleep 0.1
done
number=$(head -n1 "$scratch/display")
[ -n "$number" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$number"

jwm >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

"$program" "$@" &
app=$!
pids+=("$app")
echo "Running on virtual display $DISPLAY; screenshots go to $folder/ every second."
echo "Drive it from another shell, e.g.:  DISPLAY=$DISPLAY xdotool key space"
echo "Press Ctrl+C to stop."

frame=0
while kill -0 "$app" 2>/dev/null; do
    sleep 1
    frame=$((frame + 1))
    import -window root "$(printf '%s/frame-%04d.png' "$folder" "$frame")" 2>/dev/null || true
done
wait "$app" && code=0 || code=$?
echo "the program ended with exit code $code; $frame screenshots in $folder/"
exit "$code"
