# Sourced by the scripts that build or run ARM64 code: where the ARM64 toolchain and the
# arm64 Wine tree live. Both are cached outside the checkout, so that every checkout, CI
# and a re-run on the same machine share them; their folder names carry what they were
# built from, so a new compiler or source package builds a new one beside the old.
# Sets ARM64_LLVM (major version), ARM64_TOOLCHAIN, ARM64_TREE and QEMU_CPU.

arm64_cache=${KORVELINE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/korveline}
ARM64_LLVM=19
# The runtime is built for the installed compiler and the installed x64 MinGW headers.
arm64_installed_source_version() { # binary package
  dpkg-query -W -f='${source:Version}' "$1" 2>/dev/null || true
}
# A version as part of a folder name: no epoch (its colon would split PATH), no tilde.
arm64_folder_version() { # version
  local v=${1#*:}
  echo "${v//\~/+}"
}
arm64_llvm_version=$(arm64_installed_source_version "clang-$ARM64_LLVM")
arm64_mingw_version=$(arm64_installed_source_version mingw-w64-x86-64-dev)
# The recipe's own revision: raised when the way the toolchain or tree is made changes.
ARM64_TOOLCHAIN="$arm64_cache/arm64-toolchain-llvm-$(arm64_folder_version "${arm64_llvm_version:-none}")-mingw-$(arm64_folder_version "${arm64_mingw_version:-none}")-r1"
ARM64_TREE="$arm64_cache/arm64-wine-trixie-r1"
# Trixie's ntdll.so is mapped with branch-target protection, which qemu's default CPU
# enforces; Wine's syscall entry has no landing pad, so an ARMv8.0 CPU is needed.
export QEMU_CPU=${QEMU_CPU:-cortex-a72}
export ARM64_LLVM ARM64_TOOLCHAIN ARM64_TREE
