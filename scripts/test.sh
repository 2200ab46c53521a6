#!/usr/bin/env bash
# The test command: installs what is missing, builds for x64 and ARM64, runs every x64
# test under the host's Wine, then every ARM64 test executable as ARM64 code under the
# arm64 tree's Wine (scripts/arm64-wine.sh), and ends with "arm64: N passed, M failed"
# counted over the ARM64 test cases. Non-zero on any failure; ARM64 is never skipped.
# Arguments go to both ctest runs (-R unit_tests runs the unit tests of both builds).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
build=$BUILD_DIR
"$root/scripts/build.sh" --arch all

status=0
(
  ARCH=x64
  source "$root/scripts/arch.sh"
  source "$root/scripts/wine-env.sh"
  cd "$cmake_dir"
  ctest --output-on-failure "$@"
) || status=1

# Each ARM64 test executable writes its cases' results, which are counted below.
arm64_results="$build/cmake-arm64/test-results"
rm -rf "$arm64_results"
start=$SECONDS
(
  ARCH=arm64
  source "$root/scripts/arch.sh"
  source "$root/scripts/wine-env.sh"
  cd "$cmake_dir"
  mkdir -p "$arm64_results"
  # Relative: the executables see the build folder as their working folder.
  GTEST_OUTPUT="xml:test-results/" ctest --output-on-failure "$@"
) || status=1

# One executable that ended without its results (a crash, a time-out) counts as failed,
# and so does a run with no case passed.
summary=$(cd "$build/cmake-arm64" && ctest -N "$@" | sed -n 's/^ *Test *#[0-9]*: //p' |
  python3 -c '
import sys, os, xml.etree.ElementTree as ET
passed = failed = 0
lost = []
for name in sys.stdin.read().split():
    path = os.path.join(sys.argv[1], name + ".xml")
    if not os.path.exists(path):
        lost.append(name)
        continue
    for case in ET.parse(path).iter("testcase"):
        if case.find("failure") is not None:
            failed += 1
        elif case.get("result", "completed") == "completed" and case.get("status") == "run":
            passed += 1
line = f"arm64: {passed} passed, {failed + len(lost)} failed"
if lost:
    line += " (without results: " + ", ".join(lost) + ")"
print(line)
sys.exit(1 if failed or lost or not passed else 0)
' "$arm64_results") || status=1
echo "$summary ($((SECONDS - start)) s)"
exit $status
