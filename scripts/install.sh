#!/usr/bin/env bash
# Builds (incrementally) and lays out an install folder as a user's machine has it:
#   KorvelineCpl.exe, KorvelineCpl.xml, KorvelineCpl.strings/*.txt,
#   korvelineapi.dll (the simulated driver), korvelinesim.exe (its remote control) and
#   KorvelineCplCheck.exe (the check tool for the configuration and translation files).
# Usage: scripts/install.sh [FOLDER]   (default: $BUILD_DIR/install)
# The programs are installed stripped; their debug information goes to FOLDER.symbols/
# (one NAME.debug each, named by a debug link inside the program), as Windows programs keep
# their PDBs apart, so that crash dumps stay readable without shipping it.
# A piece that is not there yet is left out with a message naming it; the folder then
# holds the rest, and the script says that the install is incomplete.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
build=$BUILD_DIR
target=$(realpath -m "${1:-$build/install}")

"$root/scripts/build.sh" >/dev/null

missing=()
mkdir -p "$target"
# Only our own files go, so a folder given by mistake loses nothing else.
rm -rf "$target"/KorvelineCpl.exe "$target"/KorvelineCpl.xml "$target"/KorvelineCpl.strings \
       "$target"/korvelineapi.dll "$target"/korvelinesim.exe "$target"/KorvelineCplCheck.exe

symbols="$target.symbols"
mkdir -p "$symbols"
objcopy=x86_64-w64-mingw32-objcopy

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

place_program "$build/cmake/KorvelineCpl.exe" KorvelineCpl.exe "the control panel"
place_program "$build/cmake/tools/check/KorvelineCplCheck.exe" KorvelineCplCheck.exe "the check tool"
place "$root/resources/KorvelineCpl.xml" KorvelineCpl.xml "the configuration file"
place_program "$build/cmake/sim/korvelineapi.dll" korvelineapi.dll "the simulated driver"
place_program "$build/cmake/sim/korvelinesim.exe" korvelinesim.exe "the simulator's remote control"

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
