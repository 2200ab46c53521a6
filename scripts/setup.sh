#!/usr/bin/env bash
# Installs the build and test toolchain on Debian 12 (run as root). Idempotent:
# every step checks first, so a second run costs only a few seconds.
# Usage: scripts/setup.sh [--arch x64|arm64|all]   (default: all)
# ARM64 adds the toolchain and the arm64 Wine tree of scripts/setup-arm64.sh.
set -euo pipefail
arch=all
if [ "${1:-}" = "--arch" ]; then
  arch=${2:-}
  shift 2 || true
fi
case "$arch" in
  x64|arm64|all) ;;
  *) echo "setup: --arch takes x64, arm64 or all" >&2; exit 2 ;;
esac

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
mkdir -p "$build"

packages=(cmake ninja-build g++-mingw-w64-x86-64 wine wine64 xvfb googletest
          imagemagick x11-utils fonts-wine)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# Source packages come from the same mirror and suites as the binary ones.
add_deb_src() {
  local f=/etc/apt/sources.list.d/debian.sources
  if [ -f "$f" ]; then
    grep -q '^Types:.*deb-src' "$f" || sed -i 's/^Types: deb$/Types: deb deb-src/' "$f"
  fi
  if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list; then
    grep -q '^deb-src ' /etc/apt/sources.list ||
      sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >>/etc/apt/sources.list
  fi
}

tinyxml_dir="$build/deps/tinyxml2"
need_tinyxml=0
[ -f "$tinyxml_dir/tinyxml2.cpp" ] || need_tinyxml=1

# The ARM64 runtime is built from source packages too.
add_deb_src
if [ ${#missing[@]} -gt 0 ] || [ $need_tinyxml -eq 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  [ ${#missing[@]} -gt 0 ] && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [ $need_tinyxml -eq 1 ]; then
  work="$build/deps/src"
  rm -rf "$work" && mkdir -p "$work"
  (cd "$work" && apt-get source --download-only -qq tinyxml2=9.0.0+dfsg-3.1 2>/dev/null ||
                 apt-get source --download-only -qq tinyxml2)
  tarball=$(ls "$work"/tinyxml2_*.orig.tar.* | head -n 1)
  mkdir -p "$work/x"
  tar -xf "$tarball" -C "$work/x"
  src=$(dirname "$(find "$work/x" -name tinyxml2.cpp | head -n 1)")
  rm -rf "$tinyxml_dir" && mkdir -p "$tinyxml_dir"
  cp "$src/tinyxml2.cpp" "$src/tinyxml2.h" "$tinyxml_dir/"
  [ -f "$src/LICENSE.txt" ] && cp "$src/LICENSE.txt" "$tinyxml_dir/"
  rm -rf "$work"
fi
echo "setup: toolchain ready (tinyxml2 in $tinyxml_dir)"
[ "$arch" = x64 ] || "$root/scripts/setup-arm64.sh"
