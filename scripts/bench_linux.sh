#!/usr/bin/env bash
# Compares the Linux build of the timer with `xclock -update 1` (a classic one-second X clock) in
# a private Xvfb with jwm: launch to first frame, resident memory (anonymous and file-backed), CPU
# time and wake-ups (voluntary context switches of all threads) while running, and the timer's
# wake-ups while stopped, where it should have none. Prints figures; judges nothing.
# Usage: scripts/bench_linux.sh [seconds running, default 60] [seconds stopped, default 10]
set -euo pipefail
cd "$(dirname "$0")/.."
period="${1:-60}"
idle_period="${2:-10}"

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

# Wake-ups per second over `seconds`, and the CPU milliseconds spent meanwhile.
observe() {
    local pid="$1" seconds="$2" cpu0 wake0 cpu1 wake1
    cpu0=$(cpu_ns "$pid")
    wake0=$(wakeups "$pid")
    sleep "$seconds"
    cpu1=$(cpu_ns "$pid")
    wake1=$(wakeups "$pid")
    echo "$(per_second $((wake1 - wake0)) "$seconds") $(per_second $((cpu1 - cpu0)) 1000000)"
}

# Whether the window's pixels change over 1.5 s: a running countdown or clock must repaint.
changes() {
    local before after
    before=$("$scratch/probe" digest "$1")
    sleep 1.5
    after=$("$scratch/probe" digest "$1")
    [ "$before" != "$after" ] && echo yes || echo no
}

row() { printf '%-10s %8s %8s %8s %8s %8s %7s %8s %8s %8s %8s\n' "$@"; }

# measure NAME TITLE STARTS_STOPPED COMMAND...
measure() {
    local name="$1" title="$2" starts_stopped="$3"
    shift 3
    local started pid first idle="-" idle_cpu="-" frozen="-"
    started=$(now_ms)
    "$@" >/dev/null 2>&1 &
    pid=$!
    pids+=("$pid")
    first=$("$scratch/probe" first-frame "$title" "$started" || true)
    sleep 1
    if [ "$starts_stopped" = yes ]; then
        read -r idle idle_cpu < <(observe "$pid" "$idle_period")
        [ "$(changes "$title")" = no ] && frozen=yes || frozen=no
        xdotool search --onlyvisible --name "^$title\$" windowactivate --sync key space
        sleep 1
    fi
    local moving wake cpu rss anon file hwm count
    moving=$(changes "$title")
    read -r wake cpu < <(observe "$pid" "$period")
    rss=$(status_field "$pid" VmRSS)
    hwm=$(status_field "$pid" VmHWM)
    anon=$(rollup_field "$pid" Anonymous)
    file=$((rss - anon))
    count=$(threads "$pid")
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    row "$name" "$first" "$rss" "$anon" "$file" "$hwm" "$count" "$cpu" "$wake" "$idle" \
        "$moving/$frozen"
}

echo "on $DISPLAY: running ${period} s, stopped ${idle_period} s; memory in kB, CPU in ms over" \
    "the running period, wake-ups per second"
row program "1stframe" RSS anon file peak threads CPU "wake/s" "idle/s" "moves/still"
measure ovenbell Ovenbell yes "$build/ovenbell" 3600
# jwm's tray runs an xclock of its own: ours gets a title of its own.
measure xclock xclock-bench no xclock -update 1 -title xclock-bench
