# Sourced by the run and test scripts: a Wine prefix inside the build folder, a display
# (Xvfb when none is set) and one persistent wineserver for the whole session.
# Expects $build; XVFB_SCREEN (WIDTHxHEIGHT) sizes a private Xvfb. Sets WINEPREFIX, WINEDEBUG, DISPLAY and registers clean-up on exit.
# With ARCH=arm64, wine, wineboot, wineserver and winepath are the arm64 tree's Wine (run
# as ARM64 code through scripts/arm64-wine.sh), with a prefix of their own.

if [ "${ARCH:-x64}" = arm64 ]; then
  arm64_wine="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/arm64-wine.sh"
  wine() { "$arm64_wine" wine "$@"; }
  wineboot() { "$arm64_wine" wineboot "$@"; }
  wineserver() { "$arm64_wine" wineserver "$@"; }
  winepath() { "$arm64_wine" winepath "$@"; }
  export WINEPREFIX="${WINEPREFIX:-$build/wineprefix-arm64}"
fi
export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

started_xvfb=""
# A display that is set but does not answer (a closed session, a stale variable) would
# fail every window test one by one: say so and use a private Xvfb instead.
if [ -n "${DISPLAY:-}" ] && ! timeout 5 xdpyinfo >/dev/null 2>&1; then
  echo "wine-env: DISPLAY=$DISPLAY does not answer; using a private Xvfb instead" >&2
  unset DISPLAY
fi
if [ -z "${DISPLAY:-}" ]; then
  # Xvfb claims a free display itself and writes its number once it accepts connections,
  # so two environments set up at the same time never share one.
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024}x24" -nolisten tcp \
    3>"$display_file" >/dev/null 2>&1 &
  started_xvfb=$!
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  [ -s "$display_file" ] && export DISPLAY=":$(tr -dc 0-9 <"$display_file")"
  rm -f "$display_file"
  if [ -z "${DISPLAY:-}" ] || ! timeout 5 xdpyinfo >/dev/null 2>&1; then
    echo "wine-env: could not start Xvfb" >&2
    return 1 2>/dev/null || exit 1
  fi
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
# Prefix settings for tests, applied once per prefix (the marker names their version).
if [ ! -f "$WINEPREFIX/.korveline-settings-2" ]; then
  # Without a window manager Wine waits on every hidden managed window; unmanaged avoids it.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # A crashing test child must end, not wait in a debugger: no post-mortem debugger.
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Debugger /d 'no-postmortem-debugger.exe' /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.korveline-settings-2"
fi

wineserver -p >/dev/null 2>&1 || true
# Start Wine's own services now, detached from our output: a service started by the first
# test would inherit ctest's pipes and keep ctest waiting for ever.
wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1 || true

wine_env_cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$started_xvfb" ] && kill "$started_xvfb" >/dev/null 2>&1 || true
}
trap wine_env_cleanup EXIT
