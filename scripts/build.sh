#!/usr/bin/env bash
# Installs the toolchain if needed, then configures (once) and builds incrementally.
# Usage: scripts/build.sh [--arch x64|arm64|all] [NINJA ARGS...]   (default: x64)
# x64 builds into $BUILD_DIR/cmake, ARM64 into $BUILD_DIR/cmake-arm64.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
build=$BUILD_DIR
arch=x64
if [ "${1:-}" = "--arch" ]; then
  arch=${2:-}
  shift 2 || true
fi
case "$arch" in
  x64|arm64) arches=("$arch") ;;
  all) arches=(x64 arm64) ;;
  *) echo "build: --arch takes x64, arm64 or all" >&2; exit 2 ;;
esac
"$root/scripts/setup.sh" --arch "$arch"
# ccache, where installed, lets several checkouts share one compile of unchanged files.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
for ARCH in "${arches[@]}"; do
  source "$root/scripts/arch.sh"
  extra=()
  [ "$ARCH" = arm64 ] && extra=(-DARM64_TOOLCHAIN:PATH="$ARM64_TOOLCHAIN")
  # A folder configured with another toolchain (a newer ARM64 runtime) starts afresh.
  if [ -f "$cmake_dir/CMakeCache.txt" ] && [ "$ARCH" = arm64 ] &&
     ! grep -qxF "ARM64_TOOLCHAIN:PATH=$ARM64_TOOLCHAIN" "$cmake_dir/CMakeCache.txt"; then
    rm -rf "$cmake_dir"
  fi
  if [ ! -f "$cmake_dir/build.ninja" ]; then
    cmake -S "$root" -B "$cmake_dir" -G Ninja "${launcher[@]}" "${extra[@]}" \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" \
      -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE:-RelWithDebInfo} \
      -DTINYXML2_DIR="$build/deps/tinyxml2" >/dev/null
  fi
  cmake --build "$cmake_dir" -- -j"${JOBS:-2}" "$@"
done
