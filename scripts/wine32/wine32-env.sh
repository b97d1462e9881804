# shellcheck shell=bash
# Sourced by the 32-bit Wine helpers: a quiet, offline 32-bit Wine in a win32 prefix of its own.
# Every Wine client runs through with-i386, so it also works where the kernel refuses i386 code.
# Set OVENBELL_WINE32_PREFIX to choose the prefix; the default sits in the mingw-i686 build dir.

ovenbell_wine32_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ovenbell_repo=$(cd "$ovenbell_wine32_dir/../.." && pwd)
export OVENBELL_WINE32=${OVENBELL_WINE32:-/usr/lib/wine/wine}
OVENBELL_WINE32_PREFIX=${OVENBELL_WINE32_PREFIX:-$ovenbell_repo/build/mingw-i686/wine32-prefix}

export WINEPREFIX=$OVENBELL_WINE32_PREFIX
export WINEARCH=win32
# The server is native code either way; the 64-bit one serves 32-bit clients at full speed.
if [[ -x /usr/lib/wine/wineserver64 ]]; then
    export WINESERVER=/usr/lib/wine/wineserver64
else
    export WINESERVER=/usr/lib/wine/wineserver32
fi
export WINEDEBUG=-all
# No Mono or Gecko: nothing here needs .NET or HTML, and there is no network to fetch them.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Makes a new prefix in place of any old one, and waits until its boot has settled. Under
# emulation the server now and then dies during a boot and leaves its clients waiting for ever,
# so a boot that fails or hangs is tried once more.
ovenbell_wine32_new_prefix() {
    local attempt started
    for attempt in 1 2; do
        rm -rf "$WINEPREFIX"
        mkdir -p "$(dirname "$WINEPREFIX")"
        started=$SECONDS
        # wineboot needs no display; keeping it away from one avoids any window during the boot.
        if DISPLAY='' timeout 150 "$ovenbell_wine32_dir/with-i386" "$OVENBELL_WINE32" \
            wineboot --init >"$WINEPREFIX.boot.log" 2>&1; then
            echo "wine32: wineboot took $((SECONDS - started)) s"
            started=$SECONDS
            # A wineserver can vanish on a busy machine and leave clients waiting, hence timeouts.
            timeout 60 "$WINESERVER" -w || true
            echo "wine32: the boot settled in $((SECONDS - started)) s"
            touch "$WINEPREFIX/.ovenbell-ready"
            return 0
        fi
        echo "wine32: wineboot --init failed after $((SECONDS - started)) s (attempt $attempt):" >&2
        sed 's/^/    /' "$WINEPREFIX.boot.log" >&2
        ovenbell_wine32_shutdown
    done
    return 1
}

# Makes the prefix once; concurrent callers wait for the first one to finish it.
ovenbell_wine32_ensure_prefix() {
    [[ -f $WINEPREFIX/.ovenbell-ready ]] && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock -w 300 9 || { echo "wine32: timed out waiting for the prefix lock" >&2; exit 1; }
        [[ -f $WINEPREFIX/.ovenbell-ready ]] || ovenbell_wine32_new_prefix
    ) 9>"$WINEPREFIX.lock"
}

# Waits for every Wine process of the prefix to end, and ends them if they do not. Clients of a
# server that died are out of the server's reach; they are found by their program (Wine's, or
# the emulator running it) and the prefix in their environment, and ended by their ids.
ovenbell_wine32_shutdown() {
    timeout 30 "$WINESERVER" -w 2>/dev/null || timeout 30 "$WINESERVER" -k 2>/dev/null || true
    local environ pid exe strays=()
    for environ in /proc/[0-9]*/environ; do
        pid=${environ#/proc/}
        pid=${pid%/environ}
        exe=$(readlink "/proc/$pid/exe" 2>/dev/null) || continue
        [[ $exe == /usr/lib/wine/* || $exe == */qemu-i386-static ]] || continue
        tr '\0' '\n' <"$environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
            strays+=("$pid")
    done
    if ((${#strays[@]} > 0)); then
        echo "wine32: ending stray Wine processes ${strays[*]}" >&2
        kill -KILL "${strays[@]}" 2>/dev/null || true
    fi
}
