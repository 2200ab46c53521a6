#!/usr/bin/env bash
# The test command: installs what is missing, builds for x64 and ARM64, runs every x64
# test under the host's Wine and, side by side with it, every ARM64 test executable as
# ARM64 code under the arm64 tree's Wine (scripts/arm64-wine.sh), and ends with
# "arm64: N passed, M failed" counted over the ARM64 test cases. Non-zero on any failure;
# ARM64 is never skipped.
# Arguments go to both ctest runs (-R unit_tests runs the unit tests of both builds).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
build=$BUILD_DIR
"$root/scripts/build.sh" --arch all

# One architecture's ctest in its own Wine environment (prefix, wineserver, Xvfb), its lines
# marked with the architecture; writes 0 or 1 into the status file.
run_suite() { # ARCH STATUS_FILE CTEST_ARGS...
  local arch=$1 status_file=$2
  shift 2
  {
    (
      ARCH=$arch
      source "$root/scripts/arch.sh"
      source "$root/scripts/wine-env.sh"
      cd "$cmake_dir"
      ctest --output-on-failure "$@"
    ) </dev/null && echo 0 >"$status_file" || echo 1 >"$status_file"
    echo "tests took $((SECONDS - start)) s"
  } 2>&1 | sed -u "s/^/[$arch] /"
}

# The two suites run side by side: the emulated ARM64 run is CPU-bound, while the x64 run
# mostly waits on windows and timers.
start=$SECONDS
statuses=$(mktemp -d)
# Each ARM64 test executable writes its cases' results, which are counted below.
arm64_results="$build/cmake-arm64/test-results"
rm -rf "$arm64_results"
mkdir -p "$arm64_results"
run_suite x64 "$statuses/x64" "$@" &
# Relative: the executables see the build folder as their working folder.
GTEST_OUTPUT="xml:test-results/" run_suite arm64 "$statuses/arm64" "$@"
wait
status=0
for arch in x64 arm64; do
  [ "$(cat "$statuses/$arch" 2>/dev/null)" = 0 ] || status=1
done
rm -rf "$statuses"

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
