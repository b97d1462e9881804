#!/usr/bin/env bash
# Builds the Linux program (build/linux-compat-release) when something changed and starts it on
# this desktop, or on a virtual display with --virtual FOLDER.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/linux-compat-release
program="$build/ovenbell"

usage() {
    echo "usage: ./run [seconds]                    open the timer on this desktop"
    echo "       ./run --virtual FOLDER [seconds]   run it on a virtual display, screenshots to FOLDER"
}

build_program() {
    if [ ! -f "$build/build.ninja" ]; then
        echo "configuring $build ..."
        cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOVENBELL_TESTS=OFF >/dev/null
    fi
    cmake --build "$build" --target ovenbell -j2 | grep -v '^ninja: no work to do' || true
    [ -x "$program" ] || { echo "the build did not produce $program" >&2; exit 1; }
}

case "${1:-}" in
    -h | --help)
        usage
        exit 0
        ;;
    --virtual)
        [ $# -ge 2 ] || { usage >&2; exit 2; }
        folder="$2"
        shift 2
        build_program
        exec scripts/run_virtual.sh "$program" "$folder" "$@"
        ;;
esac

# The timer draws through X11; a Wayland desktop offers it XWayland, which sets DISPLAY.
if [ -z "${DISPLAY:-}" ]; then
    if [ -n "${WAYLAND_DISPLAY:-}" ]; then
        echo "There is no X display here: DISPLAY is not set. The timer needs X11, or XWayland"
        echo "on a Wayland desktop."
    else
        echo "There is no display here (DISPLAY is not set)."
    fi
    echo "The timer can run on a virtual display instead, with a screenshot every second:"
    echo "    ./run --virtual screenshots ${1:-}"
    if [ -t 0 ]; then
        read -r -p "Start it that way now, writing to screenshots/? [y/N] " answer
        if [[ "$answer" == [yY]* ]]; then
            build_program
            exec scripts/run_virtual.sh "$program" screenshots "$@"
        fi
    fi
    exit 1
fi

build_program
exec "$program" "$@"
