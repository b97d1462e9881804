# shellcheck shell=bash
# Sourced by scripts that start helpers (Xvfb, jwm, ...) in the background: a scratch folder, and
# an exit trap that ends every helper recorded in `pids`, newest first.

# Fails with a hint when any of the named commands is missing.
require_tools() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/setup.sh" >&2; exit 1; }
    done
}

pids=()
scratch=$(mktemp -d)
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT

# Starts a private Xvfb of the given size (WxH) with jwm on it, and exports its DISPLAY.
start_virtual_display() {
    # Xvfb picks a free display number and writes it, with a newline, to the descriptor it is given.
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 300); do
        grep -q . "$scratch/display" 2>/dev/null && break
        sleep 0.1
    done
    local number
    number=$(head -n1 "$scratch/display")
    [ -n "$number" ] || { echo "Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$number"
    jwm >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
}
