#!/usr/bin/env bash
# Runs a program on a private virtual display (Xvfb with the jwm window manager) and saves a
# screenshot of the screen every second until the program ends or Ctrl+C.
# Usage: scripts/run_virtual.sh PROGRAM FOLDER [arguments...]
set -euo pipefail
program="$1"
folder="$2"
shift 2
mkdir -p "$folder"


# shellcheck source=background_jobs.sh
source "$(dirname "${BASH_SOURCE[0]}")/background_jobs.sh"
require_tools Xvfb jwm import
trap 'exit 130' INT TERM

start_virtual_display 800x600

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
