# shellcheck shell=bash
# Sourced by the Wine helpers: a quiet, offline 64-bit Wine and the prefix it runs in.
# Debian's `wine` starts the 32-bit loader, which this kernel refuses, so the 64-bit loader is run
# directly. Set OVENBELL_WINEPREFIX to choose the prefix; the default sits in the mingw-x64 build dir.

ovenbell_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
OVENBELL_WINE64=${OVENBELL_WINE64:-/usr/lib/wine/wine64}
OVENBELL_WINESERVER=${OVENBELL_WINESERVER:-/usr/lib/wine/wineserver64}
OVENBELL_WINEPREFIX=${OVENBELL_WINEPREFIX:-$ovenbell_repo/build/mingw-x64/wine-prefix}

export WINEPREFIX=$OVENBELL_WINEPREFIX
export WINESERVER=$OVENBELL_WINESERVER
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko: nothing here needs .NET or HTML, and there is no network to fetch them.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Makes a new prefix in place of any old one, and waits until its boot has settled.
ovenbell_wine_new_prefix() {
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    # wineboot needs no display; keeping it away from one avoids any window during the boot.
    DISPLAY='' timeout 180 "$OVENBELL_WINE64" wineboot --init >/dev/null 2>&1 || {
        echo "wine: wineboot --init failed for $WINEPREFIX" >&2
        return 1
    }
    # A wineserver can vanish on a busy machine and leave clients waiting, hence the timeouts.
    timeout 60 "$WINESERVER" -w || true
    touch "$WINEPREFIX/.ovenbell-ready"
}

# Makes the prefix once; concurrent callers (ctest -j) wait for the first one to finish it.
ovenbell_wine_ensure_prefix() {
    [[ -f $WINEPREFIX/.ovenbell-ready ]] && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock -w 240 9 || { echo "wine: timed out waiting for the prefix lock" >&2; exit 1; }
        [[ -f $WINEPREFIX/.ovenbell-ready ]] || ovenbell_wine_new_prefix
    ) 9>"$WINEPREFIX.lock"
}

# Waits for every Wine process of the prefix to end, and ends them if they do not.
ovenbell_wine_shutdown() {
    timeout 30 "$WINESERVER" -w 2>/dev/null || timeout 30 "$WINESERVER" -k 2>/dev/null || true
}
