#!/usr/bin/env bash
# Makes what the ARM64 build and its tests need, from Debian's packages only (run as root;
# scripts/setup.sh calls it):
#  - a toolchain for aarch64-w64-mingw32: Debian's clang, lld and llvm with a runtime built
#    from Debian's source packages (mingw-w64: headers, the UCRT C runtime and the import
#    libraries; llvm-toolchain: compiler-rt's builtins, libunwind, libc++abi, libc++);
#  - an ARM64 Windows to run on: an arm64 Debian 13 tree with its Wine 10, whose DLLs are
#    ARM64 PE files, run through qemu-user-static by binfmt_misc.
# Both are cached (scripts/arm64-env.sh). Each is made in a folder of its own with
# ".partial" appended and renamed into place at its very end, so a run that is interrupted
# leaves nothing that looks complete, and the next run starts that piece again. The host's
# dpkg never gets the arm64 architecture: its x64 Wine stays as it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

fail() { # what failed, what to do
  echo "setup-arm64: $1" >&2
  echo "setup-arm64: $2" >&2
  exit 1
}

packages=(clang-19 lld-19 llvm-19 qemu-user-static binfmt-support mmdebstrap make python3
          xz-utils bzip2 cmake ninja-build mingw-w64-x86-64-dev arch-test)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq || fail "apt-get update failed" "check the network and /etc/apt/sources.list*"
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
    fail "could not install ${missing[*]}" "install them with apt-get and run the setup again"
fi

source "$root/scripts/arm64-env.sh"
mkdir -p "$arm64_cache"

# binfmt_misc lets the kernel hand arm64 programs to qemu, inside the tree as well.
if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
  mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null ||
    fail "binfmt_misc is not mounted and cannot be mounted" \
         "mount it (mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc) as root on a machine that allows it"
fi
if ! grep -q '^enabled' /proc/sys/fs/binfmt_misc/qemu-aarch64 2>/dev/null; then
  update-binfmts --enable qemu-aarch64 >/dev/null 2>&1 || true
  grep -q '^enabled' /proc/sys/fs/binfmt_misc/qemu-aarch64 2>/dev/null ||
    fail "qemu-aarch64 is not registered with binfmt_misc" \
         "reinstall qemu-user-static and binfmt-support (apt-get install --reinstall qemu-user-static)"
fi
# The tree is entered with chroot, so the interpreter must be opened when registered.
grep -q '^flags:.*F' /proc/sys/fs/binfmt_misc/qemu-aarch64 ||
  fail "qemu-aarch64 is registered without the fix-binary flag (F), so it cannot run inside a chroot" \
       "register it again: update-binfmts --disable qemu-aarch64 && update-binfmts --enable qemu-aarch64"

make_tree() {
  local partial="$ARM64_TREE.partial"
  rm -rf "$partial"
  mmdebstrap --quiet --arch=arm64 \
    --include=wine,wine64,libwine,fonts-wine,x11-utils,procps \
    trixie "$partial" http://deb.debian.org/debian ||
    fail "mmdebstrap could not make the arm64 tree in $partial" \
         "see its messages above; check the network, then run the setup again"
  # The first start of Wine in the tree proves it runs before the tree counts as made.
  [ -x "$partial/usr/bin/wine" ] || fail "the arm64 tree has no wine" "run the setup again"
  mv "$partial" "$ARM64_TREE"
}

# Runs one build step quietly; on failure shows the end of its log.
step() { # name, log, command...
  local name=$1 log=$2 start=$SECONDS
  shift 2
  if ! "$@" >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    fail "the toolchain step '$name' failed (log: $log)" \
         "run the setup again; it starts the toolchain afresh"
  fi
  echo "setup-arm64: $name ($((SECONDS - start)) s)"
}

# The names that the runtime's build and CMake call the tools by, for the toolchain in
# folder P. They are written on every run, so a change here needs no new runtime. Each is a
# new file: a name that is a link into /usr/bin would be written through.
write_wrappers() { # P
  local P=$1 triple=aarch64-w64-mingw32 V=$ARM64_LLVM
  # The library and link flags are unused while compiling C, which -Werror would refuse.
  local clang_flags="--target=$triple --sysroot=$P -resource-dir=$P/resource --start-no-unused-arguments -stdlib=libc++ -rtlib=compiler-rt -unwindlib=libunwind -fuse-ld=lld --ld-path=/usr/bin/ld.lld-$V --end-no-unused-arguments"
  wrapper() { # name, command line
    local text
    text=$(printf '#!/bin/sh\nexec %s "$@"' "$2")
    # An unchanged wrapper keeps its time, so that builds and ccache see the same compiler.
    [ -f "$P/bin/$1" ] && [ "$(cat "$P/bin/$1")" = "$text" ] && return 0
    rm -f "$P/bin/$1"
    printf '%s\n' "$text" >"$P/bin/$1"
    chmod +x "$P/bin/$1"
  }
  mkdir -p "$P/bin"
  wrapper "$triple-clang" "/usr/bin/clang-$V $clang_flags"
  wrapper "$triple-clang++" "/usr/bin/clang++-$V $clang_flags"
  wrapper "$triple-dlltool" "/usr/bin/llvm-dlltool-$V -m arm64"
  # windres preprocesses with the target's compiler, so that it finds the target's headers.
  wrapper "$triple-windres" "/usr/bin/llvm-windres-$V --target=$triple --preprocessor=$P/bin/$triple-clang --preprocessor-arg=-E --preprocessor-arg=-xc --preprocessor-arg=-DRC_INVOKED"
}

make_toolchain() {
  local P="$ARM64_TOOLCHAIN.partial" triple=aarch64-w64-mingw32 V=$ARM64_LLVM
  local work="$arm64_cache/work" jobs=${JOBS:-2}
  [ -n "$arm64_llvm_version" ] && [ -n "$arm64_mingw_version" ] ||
    fail "clang-$V or mingw-w64-x86-64-dev is not installed" "run scripts/setup.sh"
  rm -rf "$P" "$work"
  mkdir -p "$P/bin" "$P/$triple" "$work"

  # The source packages of exactly the installed versions.
  fetch_sources() {
    (cd "$work" &&
     apt-get source --download-only -qq "mingw-w64=$arm64_mingw_version" \
       "llvm-toolchain-$V=$arm64_llvm_version" >/dev/null 2>&1)
  }
  # deb-src lines added since the last update are known after one.
  fetch_sources || { apt-get update -qq && fetch_sources; } ||
    fail "apt-get source could not fetch mingw-w64 $arm64_mingw_version and llvm-toolchain-$V $arm64_llvm_version" \
         "check that deb-src lines are enabled (scripts/setup.sh adds them) and run apt-get update"

  write_wrappers "$P"
  mkdir -p "$P/resource/lib/windows"
  ln -s "$(/usr/bin/clang-$V -print-resource-dir)/include" "$P/resource/include"
  export PATH="$P/bin:$PATH"

  local mingw llvm
  mingw="$work/mingw"; llvm="$work/llvm"
  mkdir -p "$mingw" "$llvm"
  step "unpacking mingw-w64" "$work/unpack-mingw.log" \
    tar -xf "$(ls "$work"/mingw-w64_*.orig.tar.*[!c])" -C "$mingw" --strip-components=1
  # Only the runtimes and what their CMake needs of the LLVM tree.
  local upstream=${arm64_llvm_version#*:}
  local top="llvm-toolchain-${V}_${upstream%-*}"
  step "unpacking llvm-toolchain-$V (runtimes only)" "$work/unpack-llvm.log" \
    tar -xf "$(ls "$work"/llvm-toolchain-"$V"_*.orig.tar.xz)" -C "$llvm" --strip-components=1 \
      "$top/compiler-rt" "$top/libunwind" "$top/libcxx" "$top/libcxxabi" "$top/runtimes" \
      "$top/cmake" "$top/llvm/cmake" "$top/llvm/utils" "$top/third-party"

  step "headers" "$work/headers.log" sh -c "
    mkdir -p '$work/b-headers' && cd '$work/b-headers' &&
    '$mingw/mingw-w64-headers/configure' --host=$triple --prefix='$P/$triple' --enable-idl \
      --with-default-win32-winnt=0x601 --with-default-msvcrt=ucrt &&
    make -j$jobs install"
  step "C runtime and import libraries" "$work/crt.log" sh -c "
    mkdir -p '$work/b-crt' && cd '$work/b-crt' &&
    '$mingw/mingw-w64-crt/configure' --host=$triple --prefix='$P/$triple' --with-sysroot='$P' \
      --with-default-msvcrt=ucrt --disable-lib32 --disable-lib64 --enable-libarm64 \
      CC=$triple-clang AR=llvm-ar-$V RANLIB=llvm-ranlib-$V DLLTOOL=$triple-dlltool &&
    make -j$jobs && make install"

  local cmake_common=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_SYSTEM_NAME=Windows
    -DCMAKE_SYSTEM_PROCESSOR=aarch64 -DCMAKE_C_COMPILER="$triple-clang"
    -DCMAKE_CXX_COMPILER="$triple-clang++" -DCMAKE_AR="/usr/bin/llvm-ar-$V"
    -DCMAKE_RANLIB="/usr/bin/llvm-ranlib-$V" -DCMAKE_C_COMPILER_WORKS=ON
    -DCMAKE_CXX_COMPILER_WORKS=ON -DCMAKE_C_COMPILER_TARGET=$triple
    -DCMAKE_CXX_COMPILER_TARGET=$triple)
  step "compiler-rt builtins" "$work/builtins.log" sh -c "
    cmake -S '$llvm/compiler-rt/lib/builtins' -B '$work/b-builtins' ${cmake_common[*]} \
      -DCMAKE_INSTALL_PREFIX='$P/resource' -DCOMPILER_RT_INSTALL_PATH='$P/resource' \
      -DCOMPILER_RT_DEFAULT_TARGET_ONLY=TRUE -DCOMPILER_RT_OS_DIR=windows \
      -DLLVM_ENABLE_PER_TARGET_RUNTIME_DIR=OFF &&
    cmake --build '$work/b-builtins' -j$jobs --target install"
  step "libunwind, libc++abi and libc++" "$work/libcxx.log" sh -c "
    cmake -S '$llvm/runtimes' -B '$work/b-runtimes' ${cmake_common[*]} \
      -DCMAKE_INSTALL_PREFIX='$P/$triple' -DLLVM_ENABLE_RUNTIMES='libunwind;libcxxabi;libcxx' \
      -DLIBUNWIND_ENABLE_SHARED=OFF -DLIBUNWIND_ENABLE_STATIC=ON \
      -DLIBCXXABI_ENABLE_SHARED=OFF -DLIBCXXABI_ENABLE_STATIC=ON \
      -DLIBCXX_ENABLE_SHARED=OFF -DLIBCXX_ENABLE_STATIC=ON \
      -DLIBCXX_ENABLE_STATIC_ABI_LIBRARY=TRUE -DLIBCXX_CXX_ABI=libcxxabi \
      -DLIBUNWIND_USE_COMPILER_RT=ON -DLIBCXXABI_USE_COMPILER_RT=ON -DLIBCXX_USE_COMPILER_RT=ON \
      -DLIBCXXABI_USE_LLVM_UNWINDER=ON -DLIBCXX_HAS_WIN32_THREAD_API=ON \
      -DLIBCXXABI_HAS_WIN32_THREAD_API=ON -DLIBCXX_INCLUDE_TESTS=OFF \
      -DLIBCXX_INCLUDE_BENCHMARKS=OFF -DLIBCXXABI_INCLUDE_TESTS=OFF \
      -DLIBUNWIND_INCLUDE_TESTS=OFF -DLIBCXX_ENABLE_EXPERIMENTAL_LIBRARY=OFF &&
    cmake --build '$work/b-runtimes' -j$jobs --target install"

  rm -rf "$work"
  mv "$P" "$ARM64_TOOLCHAIN"
}

tree_pid=
if [ ! -d "$ARM64_TREE" ]; then
  echo "setup-arm64: making the arm64 Wine tree in $ARM64_TREE (a few minutes)"
  make_tree >"$arm64_cache/tree.log" 2>&1 &
  tree_pid=$!
fi
if [ ! -d "$ARM64_TOOLCHAIN" ]; then
  echo "setup-arm64: building the ARM64 toolchain in $ARM64_TOOLCHAIN (a few minutes)"
  make_toolchain
fi
write_wrappers "$ARM64_TOOLCHAIN"
if [ -n "$tree_pid" ]; then
  if ! wait "$tree_pid"; then
    tail -n 30 "$arm64_cache/tree.log" >&2
    fail "the arm64 Wine tree could not be made (log: $arm64_cache/tree.log)" \
         "run the setup again; it starts the tree afresh"
  fi
fi
echo "setup-arm64: toolchain $ARM64_TOOLCHAIN, Wine tree $ARM64_TREE"
