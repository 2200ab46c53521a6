#!/usr/bin/env bash
# Installs the toolchain if needed, then configures (once) and builds incrementally.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
build=$BUILD_DIR
"$root/scripts/setup.sh"
# ccache, where installed, lets several checkouts share one compile of unchanged files.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
if [ ! -f "$build/cmake/build.ninja" ]; then
  cmake -S "$root" -B "$build/cmake" -G Ninja "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE:-RelWithDebInfo} \
    -DTINYXML2_DIR="$build/deps/tinyxml2" >/dev/null
fi
cmake --build "$build/cmake" -- -j"${JOBS:-2}" "$@"
