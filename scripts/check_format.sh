#!/usr/bin/env bash
# Fails when any C++ source differs from the root .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "format: all sources match .clang-format"
