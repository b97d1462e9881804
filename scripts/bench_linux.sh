#!/usr/bin/env bash
# Compares the Linux build of the timer with `xclock -update 1` (a classic one-second X clock) in
# a private Xvfb with jwm: resident memory, launch to first frame, CPU time and wake-ups over a
# period of running (the timer counting down, so both repaint once a second). Prints figures;
# judges nothing. Usage: scripts/bench_linux.sh [seconds to measure, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
period="${1:-60}"

build=build/linux-compat-release
if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOVENBELL_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target ovenbell -j2 >/dev/null
for tool in Xvfb jwm xclock xdotool xwininfo; do
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

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 300); do
    grep -q . "$scratch/display" 2>/dev/null && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$scratch/display")"
jwm >/dev/null 2>&1 &
pids+=($!)
sleep 1

now_ms() { date +%s%3N; }
ticks_per_second=$(getconf CLK_TCK)

# utime + stime of a process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
status_field() { awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status"; }

# Milliseconds from launch until a visible window with the title shows a non-black pixel in its
# middle row (the first frame is on screen).
wait_first_frame() {
    local title="$1" started="$2" window=""
    for _ in $(seq 1000); do
        window=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n1 || true)
        if [ -n "$window" ]; then
            local geometry width height
            geometry=$(xwininfo -id "$window")
            width=$(awk '/Width:/ { print $2 }' <<<"$geometry")
            height=$(awk '/Height:/ { print $2 }' <<<"$geometry")
            if import -window "$window" -crop "${width}x1+0+$((height / 2))" txt:- 2>/dev/null |
                grep -qv -e '#000000' -e '^#'; then
                echo $(($(now_ms) - started))
                return 0
            fi
        fi
        sleep 0.01
    done
    echo "never"
}

measure() {
    local name="$1" title="$2" start_action="$3"
    shift 3
    local started pid first
    started=$(now_ms)
    "$@" >/dev/null 2>&1 &
    pid=$!
    pids+=("$pid")
    first=$(wait_first_frame "$title" "$started")
    eval "$start_action"
    sleep 2
    local cpu0 vol0 invol0 cpu1 vol1 invol1 rss hwm
    cpu0=$(cpu_ticks "$pid")
    vol0=$(status_field "$pid" voluntary_ctxt_switches)
    invol0=$(status_field "$pid" nonvoluntary_ctxt_switches)
    sleep "$period"
    cpu1=$(cpu_ticks "$pid")
    vol1=$(status_field "$pid" voluntary_ctxt_switches)
    invol1=$(status_field "$pid" nonvoluntary_ctxt_switches)
    rss=$(status_field "$pid" VmRSS)
    hwm=$(status_field "$pid" VmHWM)
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    local cpu_ms=$(((cpu1 - cpu0) * 1000 / ticks_per_second))
    local wakeups=$((vol1 - vol0 + invol1 - invol0))
    printf '%-22s %12s %10s %10s %14s %16s\n' "$name" "$first" "$rss" "$hwm" "$cpu_ms" \
        "$(awk -v w="$wakeups" -v p="$period" 'BEGIN { printf "%.2f", w / p }')"
}

echo "period measured: ${period} s on $DISPLAY"
printf '%-22s %12s %10s %10s %14s %16s\n' "program" "1st frame ms" "RSS kB" "peak kB" \
    "CPU ms/period" "wake-ups per s"
measure "ovenbell (running)" '^Ovenbell$' \
    'xdotool search --onlyvisible --name "^Ovenbell$" windowactivate --sync key space' \
    "$build/ovenbell" 3600
measure "xclock -update 1" '^xclock$' ':' xclock -update 1
