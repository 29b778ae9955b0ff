#!/usr/bin/env bash
# Configures and builds both trees: build/native (clang, sanitizers) and
# build/win (mingw-w64). Usage: scripts/build.sh [native|win|all]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
what="${1:-all}"
build="${ORTIVO_BUILD_DIR:-$root/build}"
jobs="$(nproc)"
if [ "$what" = native ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$build/native" -j "$jobs"
fi
if [ "$what" = win ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$build/win" -j "$jobs"
fi
