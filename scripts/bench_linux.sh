#!/usr/bin/env bash
# Compares the Linux build of the timer with `xclock -update 1` (a classic one-second X clock) in
# a private Xvfb with jwm: launch to first frame, resident memory (anonymous and file-backed), CPU
# time and wake-ups (voluntary context switches of all threads) while both run side by side, and
# the timer's wake-ups while stopped, where it should have none. Prints figures and the timer's
# ratios to xclock, in several rounds since a second's work is small beside the machine's noise;
# judges nothing.
# Usage: scripts/bench_linux.sh [seconds running, default 60] [seconds stopped, default 10]
#                              [rounds, default 3]
set -euo pipefail
cd "$(dirname "$0")/.."
period="${1:-60}"
idle_period="${2:-10}"
rounds="${3:-3}"

build=build/linux-compat-release
if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOVENBELL_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target ovenbell -j2 >/dev/null

# shellcheck source=background_jobs.sh
source "$(dirname "${BASH_SOURCE[0]}")/background_jobs.sh"
require_tools Xvfb jwm xclock xdotool cc

# Polling with xdotool and ImageMagick costs tens of milliseconds a look; this probe costs well
# under one, so the first frame is timed to the millisecond.
cat >"$scratch/probe.c" <<'EOF'
/* Looks at a top-level X window by its exact title, cheaply enough to poll every millisecond:
 *   probe first-frame TITLE START_MS  ms from START_MS (epoch ms) until the window is viewable
 *                                     and its middle row shows a non-black pixel
 *   probe digest TITLE                a checksum of the window's pixels */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static long long now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return (long long)t.tv_sec * 1000 + t.tv_nsec / 1000000;
}

static Window find(Display *d, Window w, const char *title) {
    char *name = NULL;
    if (XFetchName(d, w, &name) && name) {
        int same = strcmp(name, title) == 0;
        XFree(name);
        XWindowAttributes a;
        if (same && XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable) return w;
    }
    Window root, parent, *children = NULL, found = 0;
    unsigned n = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &n)) return 0;
    for (unsigned i = 0; i < n && !found; i++) found = find(d, children[i], title);
    if (children) XFree(children);
    return found;
}

static int ignore(Display *d, XErrorEvent *e) { (void)d; (void)e; return 0; }

int main(int argc, char **argv) {
    if (argc < 3) return 2;
    Display *d = XOpenDisplay(NULL);
    if (!d) return 2;
    XSetErrorHandler(ignore);
    int first = strcmp(argv[1], "first-frame") == 0;
    long long start = argc > 3 ? atoll(argv[3]) : 0;
    for (int tries = 0; tries < 20000; tries++) {
        Window w = find(d, DefaultRootWindow(d), argv[2]);
        XWindowAttributes a;
        if (w && XGetWindowAttributes(d, w, &a)) {
            int y = first ? a.height / 2 : 0, h = first ? 1 : a.height;
            XImage *img = XGetImage(d, w, 0, y, a.width, h, AllPlanes, ZPixmap);
            if (img) {
                unsigned long sum = 0, lit = 0;
                for (int j = 0; j < h; j++)
                    for (int i = 0; i < a.width; i++) {
                        unsigned long p = XGetPixel(img, i, j);
                        sum = sum * 31 + p;
                        lit |= p;
                    }
                XDestroyImage(img);
                if (!first) { printf("%lx\n", sum); return 0; }
                if (lit & 0xffffff) { printf("%lld\n", now_ms() - start); return 0; }
            }
        }
        struct timespec pause = {0, 1000000};
        nanosleep(&pause, NULL);
    }
    printf("never\n");
    return 1;
}
EOF
cc -O2 -o "$scratch/probe" "$scratch/probe.c" -lX11

start_virtual_display 1024x768

now_ms() { date +%s%3N; }

# CPU time of all threads in nanoseconds (the scheduler's own count: clock ticks are too coarse
# for a process that runs a few milliseconds a minute).
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ n += $1 } END { printf "%d\n", n }'; }
# A thread that blocks and is woken again counts one voluntary switch; summed over the threads.
wakeups() { cat /proc/"$1"/task/*/status | awk '$1 == "voluntary_ctxt_switches:" { n += $2 } END { print n }'; }
threads() { ls "/proc/$1/task" | wc -l; }
status_field() { awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status"; }
rollup_field() { awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/smaps_rollup"; }
per_second() { awk -v n="$1" -v p="$2" 'BEGIN { printf "%.2f", n / p }'; }

# Whether the window's pixels change over 1.5 s: a running countdown or clock must repaint.
changes() {
    local before after
    before=$("$scratch/probe" digest "$1")
    sleep 1.5
    after=$("$scratch/probe" digest "$1")
    [ "$before" != "$after" ] && echo yes || echo no
}

row() { printf '%-10s %8s %8s %8s %8s %8s %7s %8s %8s %8s %8s\n' "$@"; }

# launch TITLE COMMAND...: starts the command; sets `launched` to its pid and `first` to the
# milliseconds from launch to its first painted frame.
launch() {
    local title="$1" started
    shift
    started=$(now_ms)
    "$@" >/dev/null 2>&1 &
    launched=$!
    pids+=("$launched")
    first=$("$scratch/probe" first-frame "$title" "$started" || true)
}

# report NAME PID FIRST CPU_NS WAKEUPS IDLE_PER_SECOND MOVES/STILL
report() {
    local rss anon hwm
    rss=$(status_field "$2" VmRSS)
    hwm=$(status_field "$2" VmHWM)
    anon=$(rollup_field "$2" Anonymous)
    row "$1" "$3" "$rss" "$anon" "$((rss - anon))" "$hwm" "$(threads "$2")" \
        "$(per_second "$4" 1000000)" "$(per_second "$5" "$period")" "$6" "$7"
}

# One round: the timer starts (first frame), stays stopped for a while, then runs; xclock starts
# (first frame); then both run side by side over the same period, so that whatever else the
# machine does weighs on both alike.
measure_round() {
    local timer clock timer_first clock_first idle=- frozen moving_timer moving_clock
    local timer_cpu timer_wake clock_cpu clock_wake wake0
    launch Ovenbell "$build/ovenbell" 3600
    timer=$launched timer_first=$first
    sleep 1
    wake0=$(wakeups "$timer")
    sleep "$idle_period"
    idle=$(per_second $(($(wakeups "$timer") - wake0)) "$idle_period")
    [ "$(changes Ovenbell)" = no ] && frozen=yes || frozen=no
    xdotool search --onlyvisible --name '^Ovenbell$' windowactivate --sync key space
    # jwm's tray runs an xclock of its own: ours gets a title of its own.
    launch xclock-bench xclock -update 1 -title xclock-bench
    clock=$launched clock_first=$first
    sleep 1
    moving_timer=$(changes Ovenbell)
    moving_clock=$(changes xclock-bench)
    timer_cpu=$(cpu_ns "$timer") timer_wake=$(wakeups "$timer")
    clock_cpu=$(cpu_ns "$clock") clock_wake=$(wakeups "$clock")
    sleep "$period"
    timer_cpu=$(($(cpu_ns "$timer") - timer_cpu)) timer_wake=$(($(wakeups "$timer") - timer_wake))
    clock_cpu=$(($(cpu_ns "$clock") - clock_cpu)) clock_wake=$(($(wakeups "$clock") - clock_wake))
    report ovenbell "$timer" "$timer_first" "$timer_cpu" "$timer_wake" "$idle" \
        "$moving_timer/$frozen"
    report xclock "$clock" "$clock_first" "$clock_cpu" "$clock_wake" - "$moving_clock/-"
    echo "  CPU ratio $(awk -v a="$timer_cpu" -v b="$clock_cpu" 'BEGIN { printf "%.2f", a / b }')," \
        "RSS ratio $(awk -v a="$(status_field "$timer" VmRSS)" -v b="$(status_field "$clock" VmRSS)" \
        'BEGIN { printf "%.2f", a / b }')"
    kill "$timer" "$clock" 2>/dev/null || true
    wait "$timer" "$clock" 2>/dev/null || true
}

echo "on $DISPLAY: $rounds rounds, running ${period} s side by side, the timer stopped" \
    "${idle_period} s first; memory in kB, CPU in ms over the running period, wake-ups per second"
row program "1stframe" RSS anon file peak threads CPU "wake/s" "idle/s" "moves/still"
for ((round = 1; round <= rounds; round++)); do
    measure_round
done
