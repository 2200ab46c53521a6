#!/usr/bin/env bash
# The test command: installs what is missing, builds, runs every test executable under
# Wine and compiles every source for ARM64 as a syntax check. Non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
build=$BUILD_DIR
"$root/scripts/build.sh"
"$root/scripts/check-arm64.sh"
source "$root/scripts/wine-env.sh"
cd "$build/cmake"
ctest --output-on-failure "$@"
