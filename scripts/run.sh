#!/usr/bin/env bash
# The run command: builds if needed, lays out the install folder (panel, configuration,
# translations, simulated driver with its built-in scenario) and starts the panel under
# Wine.
#   With a display: the panel opens for you; the command ends when you close it.
#   Without one (or with --screenshots): Xvfb and a Wine virtual desktop with a taskbar
#   and tray; a short tour drives the panel and the simulated driver and saves a PNG of
#   every state into shots/ (or $SHOTS_DIR), printing each path.
# Arguments after --screenshots, or all arguments with a display, go to the panel.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
build=$BUILD_DIR
install_dir="$build/install"

headless=0
if [ "${1:-}" = "--screenshots" ]; then
  headless=1
  shift
  unset DISPLAY
fi
[ -n "${DISPLAY:-}" ] || headless=1

"$root/scripts/install.sh" "$install_dir"
desktop=1024x768
if [ $headless -eq 1 ]; then
  # A prefix of its own whose every window lives in one virtual desktop with a taskbar
  # (and so a tray), so that the tour's helpers see the panel's windows.
  export WINEPREFIX="$build/demo-prefix"
fi
source "$root/scripts/wine-env.sh"
if [ $headless -eq 1 ] && [ ! -f "$WINEPREFIX/.korveline-desktop-2" ]; then
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Korveline /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Korveline /d "$desktop" /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops\Korveline' /v EnableShell /t REG_DWORD \
    /d 1 /f >/dev/null 2>&1
  # Restart the prefix's processes so that the desktop setting is read.
  wineserver -k
  wineserver -p >/dev/null 2>&1 || true
  wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1 || true
  touch "$WINEPREFIX/.korveline-desktop-2"
fi
cd "$install_dir"

if [ $headless -eq 0 ]; then
  wine KorvelineCpl.exe "$@" || true
  exit 0
fi

shots=${SHOTS_DIR:-$root/shots}
mkdir -p "$shots"
driver() { wine "$build/cmake/scripts/demo/paneldriver.exe" "$@"; }
snap() { # name: the virtual desktop as it is now
  sleep "${SNAP_DELAY:-1.5}"
  import -display "$DISPLAY" -window root -crop "$desktop+0+0" +repage "$shots/$1.png"
  echo "screenshot: $shots/$1.png"
}

wine KorvelineCpl.exe "$@" &
panel=$!
driver wait-visible 60000
pid=$(driver pid | tr -d '\r')
sim() { wine korvelinesim.exe --pid "$pid" "$@" >/dev/null; }

driver show-list 1
snap 1-devices-listed
driver show-list 0 select-device 1
snap 2-device-chosen
pages=$(driver page-count | tr -d '\r')
for ((i = 1; i < pages; i++)); do
  driver select-page "$i"
  snap "2-device-chosen-page-$i"
done
driver select-page 0
# The multichannel interface's output volumes.
driver select-device-named "Korveline MX-1012 Interface" sleep 1500 select-page-id 107
snap 2-interface-volume-page
driver click-button "Output ..." wait-dialog "Output Volume"
snap 2-interface-output-volume-dialog
driver close-dialog "Output Volume" sleep 500 select-page 0
sim unplug 2
snap 3-device-unplugged
sim plug 2
driver show-list 1
snap 4-device-plugged-again
driver show-list 0

wine KorvelineCpl.exe -exitall >/dev/null || true
wait "$panel" 2>/dev/null || true
