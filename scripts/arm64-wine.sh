#!/usr/bin/env bash
# Runs a command of the arm64 Wine tree (wine, wineserver, wineboot, winepath) inside it,
# as ARM64 code through qemu: in a mount namespace of its own, so nothing stays mounted,
# with /proc, /dev, the X server's sockets, the checkout and the build folder bound at
# their own paths, so that a path means the same inside and out. The environment passes
# through (WINEPREFIX, DISPLAY, WINEDEBUG, ...); the working folder is kept.
# Usage: scripts/arm64-wine.sh COMMAND [ARGS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/arm64-env.sh"
if [ ! -x "$ARM64_TREE/usr/bin/wine" ]; then
  echo "arm64-wine: no arm64 Wine tree in $ARM64_TREE; run scripts/setup.sh" >&2
  exit 1
fi

binds=(/proc /dev "$root")
[ -d /tmp/.X11-unix ] && binds+=(/tmp/.X11-unix)
[ -n "${BUILD_DIR:-}" ] && [ -d "$BUILD_DIR" ] && binds+=("$(cd "$BUILD_DIR" && pwd)")
[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && binds+=("$(cd "$WINEPREFIX" && pwd)")

export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
exec unshare --mount --propagation private /bin/bash -c '
  set -e
  tree=$1; workdir=$2; count=$3; shift 3
  for ((i = 0; i < count; i++)); do
    mkdir -p "$tree$1"
    mount --rbind "$1" "$tree$1"
    shift
  done
  exec chroot "$tree" /bin/sh -c "cd \"\$0\" 2>/dev/null || cd /; exec \"\$@\"" "$workdir" "$@"
' arm64-wine "$ARM64_TREE" "$PWD" "${#binds[@]}" "${binds[@]}" "$@"
