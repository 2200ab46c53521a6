#!/usr/bin/env bash
# The run command: builds if needed, lays out the install folder (panel, configuration,
# translations, simulated driver with its built-in scenario) and starts the panel under
# Wine.
#   With a display: the panel opens for you; the command ends when you close it.
#   Without one (or with --screenshots): Xvfb and a Wine virtual desktop with a taskbar
#   and tray; a short tour drives the panel and the simulated driver and saves a PNG of
#   every state into shots/ (or $SHOTS_DIR), printing each path.
#   --screenshots --lang TAG takes the tour in that language (LC_ALL=de_DE.UTF-8 for
#   "de", de_AT.UTF-8 for "de-AT" reaches the panel as its UI language) and names the
#   pictures with "-TAG", beside the English ones.
#   --screenshots --dpi N takes it at N DPI (the prefix's LogPixels; the desktop grows by
#   N/96) and names the pictures with "-Ndpi"; 96 is the default.
#   --arch arm64 builds and runs the ARM64 panel, simulated driver and tour driver as ARM64
#   code under the arm64 tree's Wine (scripts/arm64-wine.sh); its pictures end in "-arm64".
# The options come first, in any order; the arguments after them go to the panel.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
build=$BUILD_DIR

headless=0
lang=
dpi=96
export ARCH=x64
while true; do
  case "${1:-}" in
    --screenshots) headless=1; unset DISPLAY; shift ;;
    --arch) ARCH=${2:?--arch needs x64 or arm64}; shift 2 ;;
    --lang) lang=${2:?--lang needs a language tag such as de or de-AT}; shift 2 ;;
    --dpi) dpi=${2:?--dpi needs a number such as 144}; shift 2 ;;
    *) break ;;
  esac
done
source "$root/scripts/arch.sh"
install_dir="$build/install$arch_suffix"
[[ "$dpi" =~ ^[0-9]+$ ]] && [ "$dpi" -ge 96 ] || { echo "--dpi: a number of 96 or more" >&2; exit 2; }
# The panel's UI language: Wine takes it from LC_ALL.
panel_locale=${LC_ALL:-}
if [ -n "$lang" ]; then
  language=${lang%%[-_]*}
  region=${lang#"$language"}
  region=${region#[-_]}
  panel_locale="${language}_${region:-${language^^}}.UTF-8"
fi
[ -n "${DISPLAY:-}" ] || headless=1

"$root/scripts/install.sh" --arch "$ARCH" "$install_dir"
# The desktop grows with the DPI so that the panel has as much room as at 96 DPI.
scaled() { echo $(($1 * dpi / 96)); }
desktop=$(scaled 1024)x$(scaled 768)
if [ $headless -eq 1 ]; then
  export XVFB_SCREEN=$(scaled 1280)x$(scaled 1024)
  # A prefix of its own whose every window lives in one virtual desktop with a taskbar
  # (and so a tray), so that the tour's helpers see the panel's windows.
  export WINEPREFIX="$build/demo-prefix$arch_suffix"
fi
source "$root/scripts/wine-env.sh"
desktop_marker="$WINEPREFIX/.korveline-desktop-3-$desktop-$dpi"
if [ $headless -eq 1 ] && [ ! -f "$desktop_marker" ]; then
  rm -f "$WINEPREFIX"/.korveline-desktop-*
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Korveline /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Korveline /d "$desktop" /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops\Korveline' /v EnableShell /t REG_DWORD \
    /d 1 /f >/dev/null 2>&1
  # Restart the prefix's processes so that the desktop and DPI settings are read.
  wineserver -k
  wineserver -p >/dev/null 2>&1 || true
  wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1 || true
  touch "$desktop_marker"
fi
cd "$install_dir"
if [ $headless -eq 1 ]; then
  # The tour shows the options page too, which the shipped configuration hides.
  sed -i '/<PageOptions>/,/<\/PageOptions>/s|<Visibility>hidden</Visibility>|<Visibility>visible</Visibility>|' \
    KorvelineCpl.xml
fi

if [ $headless -eq 0 ]; then
  wine KorvelineCpl.exe "$@" || true
  exit 0
fi

shots=${SHOTS_DIR:-$root/shots}
mkdir -p "$shots"
# The tour finds windows and buttons by their texts, which are translated too: a text of
# the chosen translation file, or its English default.
text() { # ID DEFAULT
  local file translated=""
  for file in "KorvelineCpl.strings/$lang.txt" "KorvelineCpl.strings/${language:-}.txt"; do
    if [ -n "$lang" ] && [ -f "$file" ]; then
      translated=$(sed -n "1s/^\xEF\xBB\xBF//; s/\r\$//; s/^$1 *= *//p" "$file" | tail -1)
      break
    fi
  done
  echo "${translated:-$2}"
}
title=$(text APP_TITLE "Korveline Control Panel")
driver() { wine "$cmake_dir/scripts/demo/paneldriver.exe" --title "$title" "$@"; }
snap() { # name: the virtual desktop as it is now
  sleep "${SNAP_DELAY:-1.5}"
  local name="$1${lang:+-$lang}"
  [ "$dpi" -eq 96 ] || name="$name-${dpi}dpi"
  name="$name$arch_suffix"
  import -display "$DISPLAY" -window root -crop "$desktop+0+0" +repage "$shots/$name.png"
  echo "screenshot: $shots/$name.png"
}

LC_ALL=$panel_locale wine KorvelineCpl.exe "$@" &
panel=$!
driver wait-visible 60000
pid=$(driver pid | tr -d '\r')
sim() { wine korvelinesim.exe --pid "$pid" "$@" >/dev/null; }
# Switches the running panel to a page as a user would: a second start with "-page NAME".
page() { wine KorvelineCpl.exe -page "$1" >/dev/null; }

driver show-list 1
snap 1-devices-listed
driver show-list 0 choose device 1
snap 2-device-chosen
pages=$(driver page-count | tr -d '\r')
for ((i = 1; i < pages; i++)); do
  driver select-page "$i"
  snap "2-device-chosen-page-$i"
done
# The clock source page while S/PDIF, switched to at the device, settles (the page polls
# once a second) and after.
page ClockSource
sim set-clock 1 2
snap 5-clock-source-settling
sleep 6
snap 5-clock-source-settled
sim set-clock 1 1
driver select-page 0
# The multichannel interface's output volumes.
driver select-device-named "Korveline MX-1012 Interface" sleep 1500
page VolumeControl
snap 2-interface-volume-page
output_button=$(text PAGE_VOLUME_SECTION_CHANNELS_BUTTON_OUTPUT "Output ...")
output_dialog=$(text PAGE_VOLUME_DIALOG_OUTPUT_VOLUME_TITLE "Output Volume")
# Out 1 / Out 2 muted at the device: the pair's mute button shows it pressed.
sim set-mute 2 out 1 on
sim set-mute 2 out 2 on
driver click-button "$output_button" wait-dialog "$output_dialog"
snap 2-interface-output-volume-dialog
driver close-dialog "$output_dialog" sleep 500 select-page 0
sim set-mute 2 out 1 off
sim set-mute 2 out 2 off
sim unplug 2
snap 3-device-unplugged
sim plug 2
driver show-list 1
snap 4-device-plugged-again
driver show-list 0

# The multichannel interface: its options, formats (both sides), profiles (real and
# virtual) and rates; then a rate chosen on the sample rate page and read back from the
# page and from the status page.
driver choose device 2
for page in Options StreamFormats SoundDeviceProfiles SampleRate; do
  page "$page"
  snap "5-interface-page-$page"
done
driver choose sample-rate 3
echo "sample rate page shows: $(driver selected-entry sample-rate | tr -d '\r')"
snap 6-sample-rate-chosen
driver select-page 0
snap 7-status-after-rate-change

# ASIO: a second start with -asio switches the running panel to the buffer settings page;
# then the other instance, in use by a client of the interface, and the ASIO device page,
# in a window tall enough for their lists.
driver choose device 1 select-page 0
wine KorvelineCpl.exe -asio >/dev/null || true
snap 5-asio-requested
sim set-clients 2 1 0 1
driver resize "$(scaled 560)x$(scaled 470)" choose asio-instance 1
snap 5-asio-instance-in-use
page AsioDevice
snap 5-asio-devices

wine KorvelineCpl.exe -exitall >/dev/null || true
wait "$panel" 2>/dev/null || true

# A start with -asio and a single device lands on the buffer settings page.
asio_scenario="$build/demo-asio-start.xml"
cat >"$asio_scenario" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<Scenario apiVersion="5.16">
  <AsioInstance number="0" name="Korveline ASIO" bufferSizes="64 128 256 512"
                preferredBufferSize="128" dsd="true" preferredDevice="1"/>
  <Device id="1" vid="0x2FC0" pid="0x0101" revision="0x0104" serial="KVD2-00417"
          manufacturer="Korveline Audio" product="Korveline D2 Stereo DAC"
          asioInstance="0" asioAllowed="0">
    <SampleRates current="176400">44100 48000 88200 96000 176400</SampleRates>
    <Clients streaming="1" wdm="0" asio="1"/>
  </Device>
</Scenario>
XML
KORVELINESIM_SCENARIO=$(winepath -w "$asio_scenario" 2>/dev/null) LC_ALL=$panel_locale \
  wine KorvelineCpl.exe -asio &
panel=$!
driver wait-visible 60000
snap 6-started-with-asio
wine KorvelineCpl.exe -exitall >/dev/null || true
wait "$panel" 2>/dev/null || true
