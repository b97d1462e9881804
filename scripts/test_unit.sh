#!/usr/bin/env bash
# Configures, builds and runs the native tests for one preset (linux-debug or linux-asan).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="$1"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
ctest --preset "$preset" --timeout 300
