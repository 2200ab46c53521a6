#!/usr/bin/env bash
# Builds (incrementally) and lays out an install folder as a user's machine has it:
#   KorvelineCpl.exe, KorvelineCpl.xml, KorvelineCpl.strings/*.txt,
#   korvelineapi.dll (the simulated driver), korvelinesim.exe (its remote control) and
#   KorvelineCplCheck.exe (the check tool for the configuration and translation files).
# Usage: scripts/install.sh [--arch x64|arm64] [FOLDER]
#   (default: x64 into $BUILD_DIR/install, ARM64 into $BUILD_DIR/install-arm64)
# The programs are installed stripped; their debug information goes to FOLDER.symbols/
# (one NAME.debug each, named by a debug link inside the program), as Windows programs keep
# their PDBs apart, so that crash dumps stay readable without shipping it.
# A piece that is not there yet is left out with a message naming it; the folder then
# holds the rest, and the script says that the install is incomplete.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
build=$BUILD_DIR
ARCH=x64
if [ "${1:-}" = "--arch" ]; then
  ARCH=${2:-}
  shift 2 || true
fi
source "$root/scripts/arch.sh"
target=$(realpath -m "${1:-$build/install$arch_suffix}")

"$root/scripts/build.sh" --arch "$ARCH" >/dev/null

missing=()
mkdir -p "$target"
# Only our own files go, so a folder given by mistake loses nothing else.
rm -rf "$target"/KorvelineCpl.exe "$target"/KorvelineCpl.xml "$target"/KorvelineCpl.strings \
       "$target"/korvelineapi.dll "$target"/korvelinesim.exe "$target"/KorvelineCplCheck.exe

symbols="$target.symbols"
mkdir -p "$symbols"

place() { # source, name in the folder, what it is
  if [ -f "$1" ]; then
    cp "$1" "$target/$2"
  else
    echo "install: $3 not found (left out): $1" >&2
    missing+=("$2")
  fi
}

place_program() { # as place, but stripped, with its debug information apart
  if [ -f "$1" ]; then
    rm -f "$symbols/$2.debug"
    "$objcopy" --only-keep-debug "$1" "$symbols/$2.debug"
    (cd "$symbols" && "$objcopy" --strip-unneeded --add-gnu-debuglink="$2.debug" "$1" "$target/$2")
  else
    place "$@"
  fi
}

place_program "$cmake_dir/KorvelineCpl.exe" KorvelineCpl.exe "the control panel"
place_program "$cmake_dir/tools/check/KorvelineCplCheck.exe" KorvelineCplCheck.exe "the check tool"
place "$root/resources/KorvelineCpl.xml" KorvelineCpl.xml "the configuration file"
place_program "$cmake_dir/sim/korvelineapi.dll" korvelineapi.dll "the simulated driver"
place_program "$cmake_dir/sim/korvelinesim.exe" korvelinesim.exe "the simulator's remote control"

shopt -s nullglob
translations=("$root"/resources/strings/*.txt)
if [ ${#translations[@]} -gt 0 ]; then
  mkdir -p "$target/KorvelineCpl.strings"
  cp "${translations[@]}" "$target/KorvelineCpl.strings/"
else
  echo "install: translation files not found (left out): $root/resources/strings/*.txt" >&2
  missing+=("KorvelineCpl.strings/")
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "install: $target is incomplete, without: ${missing[*]}" >&2
else
  echo "install: $target"
fi
