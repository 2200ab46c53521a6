#!/usr/bin/env bash
# Compiles every product and simulator source for aarch64-w64-mingw32 with clang
# (-fsyntax-only): architecture mistakes show up here although we cannot link for ARM64.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
gccinc=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")/include/c++
flags=(--target=aarch64-w64-mingw32 -fsyntax-only -std=c++20 -Wall -Wextra -Werror
       -Wno-unknown-pragmas -Wno-unused-command-line-argument
       -DUNICODE -D_UNICODE -DNOMINMAX -D_WIN32_WINNT=0x0A00 -DWINVER=0x0A00
       -DNTDDI_VERSION=0x0A000006
       -nostdinc++ -isystem "$gccinc" -isystem "$gccinc/x86_64-w64-mingw32"
       -isystem /usr/share/mingw-w64/include -isystem "$build/deps/tinyxml2" -I "$root")
cd "$root"
files=$(git ls-files -co --exclude-standard -- '*.cpp' | grep -v -E '^(tests|bench)/' || true)
[ -n "$files" ] || exit 0
# shellcheck disable=SC2086
printf '%s\n' $files | xargs -P2 -n4 clang "${flags[@]}"
echo "arm64 syntax check: $(printf '%s\n' $files | wc -l) sources clean"
