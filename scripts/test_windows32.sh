#!/usr/bin/env bash
# The 32-bit Windows stage: cross-builds the shipped exe, boots a fresh win32 prefix of the 32-bit
# Wine (under user-mode emulation where the kernel runs no i386 code) and runs the end-to-end smoke
# scenario on the exe in a virtual display. Prints each step's time; exits non-zero on a failure.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

export OVENBELL_WINE32_PREFIX=$PWD/build/mingw-i686/wine32-prefix
exe=build/mingw-i686/ovenbell.exe
screenshots=$PWD/build/mingw-i686/e2e32-screenshots
stage_started=$SECONDS

failed_steps=()
step() {
    local name="$1"
    shift
    echo "--- windows32: $name"
    local started=$SECONDS
    if "$@"; then
        echo "--- windows32: $name passed in $((SECONDS - started)) s"
    else
        echo "--- windows32: $name FAILED after $((SECONDS - started)) s"
        failed_steps+=("$name")
        return 1
    fi
}

finish() {
    local total=$((SECONDS - stage_started))
    if ((${#failed_steps[@]} == 0)); then
        echo "windows32 stage: all steps passed in $total s"
    else
        echo "windows32 stage: FAILED after $total s: ${failed_steps[*]}"
        exit 1
    fi
}

# The i386 packages need the foreign architecture first, so setup.sh cannot install them.
i386_packages() {
    local sudo="" wanted missing=()
    [[ $(id -u) -eq 0 ]] || sudo="sudo"
    mapfile -t wanted < <(sed 's/#.*//' scripts/wine32/packages-i386.txt | tr -s ' \t' '\n' |
        sed '/^$/d')
    for p in "${wanted[@]}"; do
        [[ $(dpkg-query -W -f='${Status}' "$p" 2>/dev/null) == "install ok installed" ]] ||
            missing+=("$p")
    done
    ((${#missing[@]} == 0)) && return 0
    echo "installing: ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386 || return 1
    fi
    timeout 300 $sudo apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive timeout 600 $sudo apt-get install -y -qq \
            --no-install-recommends "${missing[@]}" >/dev/null
}

build() {
    timeout 300 cmake --preset mingw-i686 >/dev/null &&
        timeout 900 cmake --build --preset mingw-i686 &&
        [[ -f $exe ]]
}

# Says how i386 code runs here, and that the 32-bit Wine loader does run that way.
i386_code() {
    if timeout 60 /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo "i386 code runs natively"
    else
        echo "the kernel runs no i386 code: qemu-i386-static in a private binfmt_misc"
    fi
    timeout 120 scripts/wine32/with-i386 /usr/lib/wine/wine --version
}

smoke() {
    rm -rf "$screenshots"
    # Emulated Wine starts slowly (first paint in 6-30 s), hence the driver's waits times three.
    timeout 420 /usr/bin/python3 scripts/wine32/smoke.py \
        --launch "scripts/wine32/wine32-run $exe" --slow 3 --out "$screenshots"
}

wine_down() {
    # shellcheck source=SCRIPTDIR/wine32/wine32-env.sh
    source scripts/wine32/wine32-env.sh
    ovenbell_wine32_shutdown
}

step "i386 packages of the 32-bit Wine" i386_packages || finish
step "build mingw-i686" build || finish
step "i386 code" i386_code || finish
step "fresh win32 prefix" timeout 300 scripts/wine32/new-prefix || finish
step "e2e smoke on the 32-bit exe under 32-bit Wine" smoke
step "wine32 shutdown" wine_down
finish
