#!/usr/bin/env bash
# Draws the about page's picture (a speaker sending sound waves to a row of level bars on
# a dark banner) as a 24-bit bitmap for the resource compiler. Usage:
# make-about-bitmap.sh OUTPUT.bmp. Needs ImageMagick's convert; $CONVERT may name it.
set -euo pipefail
out=${1:?usage: make-about-bitmap.sh OUTPUT.bmp}
convert=${CONVERT:-convert}
command -v "$convert" >/dev/null || { echo "make-about-bitmap: ImageMagick 'convert' not found" >&2; exit 1; }

# Drawn on a 320 x 72 grid and scaled to 196 x 44 pixels, which fit the picture frame at
# 96 DPI; the corners keep the dialog colour so that the banner's rounded edge blends into
# the page around it.
banner="fill #1d4e89 stroke #0f2d52 stroke-width 2 roundrectangle 1,1 318,70 14,14"
speaker="stroke none fill #ffffff rectangle 22,26 36,46 polygon 36,26 54,12 54,60 36,46"
waves="fill none stroke #ffffff stroke-width 3 ellipse 56,36 10,12 -50,50
       ellipse 56,36 22,22 -50,50 ellipse 56,36 34,30 -50,50"
bars=""
heights=(18 30 24 40 34 48 28 44 52 36 22 46 38 26 42 32 20 50)
x=118
for h in "${heights[@]}"; do
  top=$((62 - h))
  colour="#5fd068"
  [ "$h" -ge 40 ] && colour="#ffc83d"
  [ "$h" -ge 50 ] && colour="#ff5a4e"
  bars+=" fill $colour rectangle $x,$top $((x + 6)),62"
  x=$((x + 10))
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$convert" -size 196x44 xc:'#f0f0f0' -draw "scale 0.6125,0.6125 $banner $speaker $waves $bars" \
  -strip -type TrueColor "BMP3:$work/about.bmp"
mkdir -p "$(dirname "$out")"
mv "$work/about.bmp" "$out"
