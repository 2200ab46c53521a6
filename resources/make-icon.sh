#!/usr/bin/env bash
# Draws the application icon (a speaker beside a level meter) at every size the shell
# asks for and packs the images into one multi-size .ico. Usage: make-icon.sh OUTPUT.ico
# Needs ImageMagick's convert (scripts/setup.sh installs it); $CONVERT may name it.
set -euo pipefail
out=${1:?usage: make-icon.sh OUTPUT.ico}
convert=${CONVERT:-convert}
command -v "$convert" >/dev/null || { echo "make-icon: ImageMagick 'convert' not found" >&2; exit 1; }

# Shapes on a 256 x 256 grid, scaled to each size. Small sizes get two wide meter bars,
# the others three narrower ones, so the bars stay apart at 16 pixels.
background="fill #1d4e89 stroke #0f2d52 stroke-width 8 roundrectangle 8,8 248,248 44,44"
speaker="stroke none fill #ffffff rectangle 36,100 80,156 polygon 80,100 130,58 130,198 80,156"
bars_large="fill #5fd068 rectangle 150,150 174,200 rectangle 182,112 206,200
            fill #ffc83d rectangle 214,64 238,200 fill #ff5a4e rectangle 214,64 238,88"
bars_small="fill #5fd068 rectangle 150,128 186,208 fill #ffc83d rectangle 196,56 232,208
            fill #ff5a4e rectangle 196,56 232,96"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
images=()
for size in 16 20 24 32 48 256; do
  bars=$bars_large
  [ "$size" -le 24 ] && bars=$bars_small
  scale=$(awk -v s="$size" 'BEGIN { printf "%.6f", s / 256 }')
  png="$work/icon-$size.png"
  "$convert" -size "${size}x${size}" xc:none \
    -draw "scale $scale,$scale $background $speaker $bars" \
    -strip -define png:exclude-chunks=date,time "PNG32:$png"
  images+=("$png")
done
mkdir -p "$(dirname "$out")"
"$convert" "${images[@]}" "$work/icon.ico"
mv "$work/icon.ico" "$out"
