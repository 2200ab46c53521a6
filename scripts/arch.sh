# Sourced by the build, install, run and test scripts: what differs between the x64 and
# the ARM64 build. Expects $root, $build and ARCH (x64 or arm64). Sets cmake_dir (the CMake
# build folder), toolchain_file, objcopy and arch_suffix ("" for x64, "-arm64").
case "$ARCH" in
  x64)
    cmake_dir="$build/cmake"
    toolchain_file="$root/cmake/mingw-w64-x86_64.cmake"
    objcopy=x86_64-w64-mingw32-objcopy
    arch_suffix=
    ;;
  arm64)
    source "$root/scripts/arm64-env.sh"
    cmake_dir="$build/cmake-arm64"
    toolchain_file="$root/cmake/clang-aarch64-w64-mingw32.cmake"
    # MinGW's own objcopy cannot read ARM64 files.
    objcopy=llvm-objcopy-$ARM64_LLVM
    arch_suffix=-arm64
    ;;
  *)
    echo "unknown architecture '$ARCH': x64 or arm64" >&2
    return 2 2>/dev/null || exit 2
    ;;
esac
