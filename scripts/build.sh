#!/usr/bin/env bash
# Installs the toolchain if needed, then configures (once) and builds incrementally.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
build=$BUILD_DIR
"$root/scripts/setup.sh"
if [ ! -f "$build/cmake/build.ninja" ]; then
  cmake -S "$root" -B "$build/cmake" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE:-RelWithDebInfo} \
    -DTINYXML2_DIR="$build/deps/tinyxml2" >/dev/null
fi
cmake --build "$build/cmake" -- -j"${JOBS:-2}" "$@"
