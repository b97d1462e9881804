#!/usr/bin/env bash
# Linux build stage: builds the native program on the Win32 stand-in, runs the headless tests of
# the stand-in, shell and painter, then the shared end-to-end scenarios in a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/linux-compat
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j"$jobs"

status=0
ctest --test-dir "$build" -L linux_headless --output-on-failure --timeout 300 || status=1

# Without a display the program says so and fails, whether none is named or the named one is
# not there.
no_display() {
    local output code=0
    output=$("$@" "$build/ovenbell" 2>&1 >/dev/null) || code=$?
    if [ "$code" -ne 1 ] || [[ "$output" != *"no display to show the timer on"* ]]; then
        echo "FAIL without a display ($*): exit $code, said: $output"
        return 1
    fi
    echo "PASS without a display ($*)"
}
no_display env -u DISPLAY -u WAYLAND_DISPLAY || status=1
no_display env DISPLAY=:4095 || status=1

# The end-to-end driver needs the system Python with PIL, whatever python3 the PATH prefers.
timeout 900 /usr/bin/python3 tests/e2e/e2e.py --launch "$build/ovenbell" \
    --out build/e2e-linux || status=1
exit $status
