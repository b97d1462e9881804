#!/usr/bin/env bash
# The Windows stage: cross-builds the shipped 32-bit exe and the 64-bit build, checks both exes'
# imports and resources, runs the 64-bit unit tests under wine64 in a fresh prefix, and runs the
# end-to-end scenarios on the 64-bit exe in a virtual display. Exits non-zero if any step fails.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

export OVENBELL_WINEPREFIX=$PWD/build/mingw-x64/wine-prefix
screenshots=$PWD/build/mingw-x64/e2e-screenshots

failed_steps=()
step() {
    local name="$1"
    shift
    echo "--- windows: $name"
    local started=$SECONDS
    if "$@"; then
        echo "--- windows: $name passed in $((SECONDS - started)) s"
    else
        echo "--- windows: $name FAILED after $((SECONDS - started)) s"
        failed_steps+=("$name")
        return 1
    fi
}

build() {
    timeout 300 cmake --preset "$1" >/dev/null && timeout 900 cmake --build --preset "$1"
}

# The shipped exe has no tests of its own in its build tree (its unit tests would need 32-bit
# Wine), so its file checks run here directly.
check_exe() {
    local exe="$1" objdump="$2" format="$3"
    timeout 60 cmake -DOVENBELL_CHECK=imports -DEXE="$exe" -DOBJDUMP="$objdump" \
        -DEXPECTED_FORMAT="$format" -P tests/program_tests.cmake &&
        timeout 60 cmake -DOVENBELL_CHECK=resources -DEXE="$exe" \
            -DMANIFEST=resources/ovenbell.manifest -DWORK_DIR=build/mingw-i686 \
            -P tests/program_tests.cmake
}

e2e() {
    rm -rf "$screenshots"
    timeout 300 /usr/bin/python3 tests/e2e/e2e.py \
        --launch "scripts/wine/wine64-run build/mingw-x64/ovenbell.exe" --out "$screenshots" \
        --no-focus-from-others
}

wine_down() {
    # shellcheck source=wine/wine-env.sh
    source scripts/wine/wine-env.sh
    ovenbell_wine_shutdown
}

if step "build mingw-i686" build mingw-i686; then
    step "check the 32-bit exe" check_exe build/mingw-i686/ovenbell.exe i686-w64-mingw32-objdump \
        pei-i386
fi
if step "build mingw-x64" build mingw-x64; then
    if step "fresh wine prefix" timeout 300 scripts/wine/new-prefix; then
        # Unit tests under wine64 and the 64-bit exe's import and resource checks.
        step "ctest mingw-x64 under wine64" timeout 600 ctest --preset mingw-x64
        wine_down
        step "e2e on the 64-bit exe under wine64" e2e
        wine_down
    fi
fi

echo "exe sizes:"
for exe in build/mingw-i686/ovenbell.exe build/mingw-x64/ovenbell.exe; do
    [[ -f $exe ]] && printf '  %-32s %8d bytes\n' "$exe" "$(stat -c %s "$exe")"
done

if ((${#failed_steps[@]} == 0)); then
    echo "windows stage: all steps passed"
else
    echo "windows stage: FAILED: ${failed_steps[*]}"
    exit 1
fi
