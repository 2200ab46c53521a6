#!/usr/bin/env bash
# Runs the benchmarks and prints their figures (nothing is asserted):
#   start-up to visible window and working set at rest: the panel with 1 and 64 simulated
#   devices (each with its full page set) beside a bare modeless property sheet built by
#   the same toolchain and beside that sheet as the panel's window (the status page's
#   template, the window icons, title and frame, no other code), and the panel's own
#   start-up steps;
#   device arrival and removal to pages rebuilt and status page refilled, at 1, 8 and 64
#   devices: p50 / p95 and driver calls;
#   the clock source poll tick at 4 and 32 sources, unchanged, one and all changed: what
#   it sends to the list view, CPU and wall time;
#   every user action to the driver's read-back shown and an idle queue: p50 / p95 over
#   100 repetitions and driver calls;
#   notification storms of 10,000 notifications on each page: messages per 50 ms, the
#   longest time the window does not answer, the codes that reach the pages;
#   the volume dialog opened and closed 200 times (what it leaves behind) and a slider
#   dragged across its range (volume writes per position change);
#   the soak: 1000 removals and arrivals of the open device, 100 bursts of 1000
#   notifications, 200 volume dialogs, 1000 tab changes, with windows, GDI objects,
#   bitmaps, kernel handles and working set at the start and the end.
# Usage: scripts/bench.sh [RUNS]   (start-up runs per case, default 10)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
build=$BUILD_DIR
runs=${1:-10}
install_dir="$build/bench-install"
"$root/scripts/install.sh" "$install_dir" >/dev/null
source "$root/scripts/wine-env.sh"

scenario() { # devices file: a scenario with that many plugged devices, each with the
  # full page set: panel options for the sample rate and profile pages, two clock sources,
  # formats of two channel counts both ways, volume controls; and one ASIO instance.
  {
    echo '<Scenario apiVersion="5.16">'
    echo '<AsioInstance number="0" name="Bench ASIO" bufferSizes="64 128 256" preferredBufferSize="128"/>'
    for ((i = 1; i <= $1; i++)); do
      echo "<Device id=\"$i\" serial=\"SN$i\" product=\"Bench device $i\" panelOptions=\"0x3\" asioInstance=\"0\" asioAllowed=\"0\">"
      echo '<SampleRates current="48000">44100 48000</SampleRates>'
      echo '<ClockSources current="1"><ClockSource id="1" unitId="16" name="Internal"/>'
      echo '<ClockSource id="2" unitId="17" name="S/PDIF In" rate="48000"/></ClockSources>'
      for side in Input Output; do
        echo "<$side currentFormat=\"1\">"
        echo '<StreamFormat id="1" bits="24" channels="2" type="pcm"><Profile id="st" name="Stereo"/></StreamFormat>'
        echo '<StreamFormat id="2" bits="24" channels="8" type="pcm"><Profile id="m8" name="8 channels"/></StreamFormat>'
        echo '<Channel index="0" name="Master" controls="volume mute" min="-24576" max="0" step="256"/>'
        echo "</$side>"
      done
      echo '</Device>'
    done
    echo '</Scenario>'
  } >"$2"
}
scenario 1 "$install_dir/one.xml"
scenario 64 "$install_dir/sixty-four.xml"
win() { winepath -w "$1"; }

# The panel built with its start-up steps recorded, under its own name (so with its own
# configuration file and translations beside it), stripped as the shipped program is: its
# 14 MB of debug information delay reaching the entry function by 10 ms or more.
timed=KorvelineCplTimed
x86_64-w64-mingw32-objcopy --strip-unneeded "$build/cmake/bench/$timed.exe" "$install_dir/$timed.exe"
cp "$install_dir/KorvelineCpl.xml" "$install_dir/$timed.xml"
rm -rf "$install_dir/$timed.strings" && cp -r "$install_dir/KorvelineCpl.strings" "$install_dir/$timed.strings"
# The bare sheet as the panel's window, stripped as the panel is.
x86_64-w64-mingw32-objcopy --strip-unneeded "$build/cmake/bench/panel_window_sheet.exe" \
  "$install_dir/panel_window_sheet.exe"
timeline="$install_dir/timeline.txt"
bare_timeline="$install_dir/bare-timeline.txt"
rm -f "$timeline" "$bare_timeline"
export KORVELINECPL_TIMELINE="$(win "$timeline")"
export BARESHEET_TIMELINE="$(win "$bare_timeline")"

echo "== start-up ($runs runs per case, interleaved)"
wine "$build/cmake/bench/startupbench.exe" "$runs" \
  "bare property sheet" - "$(win "$build/cmake/bench/bare_sheet.exe")" \
  "bare sheet, panel's window" - "$(win "$install_dir/panel_window_sheet.exe")" \
  "panel, 1 device" "KORVELINESIM_SCENARIO=$(win "$install_dir/one.xml")" \
    "$(win "$install_dir/KorvelineCpl.exe") -multi" \
  "panel, 64 devices" "KORVELINESIM_SCENARIO=$(win "$install_dir/sixty-four.xml")" \
    "$(win "$install_dir/KorvelineCpl.exe") -multi" \
  "bare property sheet, timed" - "$(win "$build/cmake/bench/bare_sheet_timed.exe")" \
  "panel, 1 device, timed" "KORVELINESIM_SCENARIO=$(win "$install_dir/one.xml")" \
    "$(win "$install_dir/$timed.exe") -multi"

steps() { # timeline file: the median of each step since process creation, and its own
  tr -d '\r' <"$1" | awk -F'\t' '
    $1 == "run" { next }
    !($1 in seen) { seen[$1] = 1; order[++steps] = $1 }
    { values[$1] = values[$1] " " $2 }
    END {
      previous = 0
      for (i = 1; i <= steps; i++) {
        n = split(values[order[i]], v, " ")
        for (a = 1; a <= n; a++) for (b = a + 1; b <= n; b++) if (v[b] < v[a]) { t = v[a]; v[a] = v[b]; v[b] = t }
        median = n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
        printf "%-36s %9.1f %9.1f\n", order[i], median, median - previous
        previous = median
      }
    }'
}
echo
echo "== start-up steps of the timed bare sheet (median ms since process creation, and the step's own)"
steps "$bare_timeline"
echo
echo "== start-up steps of the timed panel (median ms since process creation, and the step's own)"
steps "$timeline"
echo
echo "== device arrival and removal"
wine "$build/cmake/bench/arrivalbench.exe"
echo
echo "== clock source poll tick (per tick)"
wine "$build/cmake/bench/pollbench.exe"
echo
echo "== user actions"
wine "$build/cmake/bench/actionbench.exe"
echo
wine "$build/cmake/bench/stormbench.exe"
echo
echo "== volume dialog"
wine "$build/cmake/bench/volumebench.exe"
echo
echo "== soak"
wine "$build/cmake/bench/soakbench.exe"
