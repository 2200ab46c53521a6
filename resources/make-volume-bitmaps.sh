#!/usr/bin/env bash
# Draws the bitmaps of the volume dialog's buttons (mute, 0 dB, link, each in every state
# the strips show) as 24-bit BMP files named after their resource ids.
# Usage: make-volume-bitmaps.sh OUTPUT_DIRECTORY
# Needs ImageMagick's convert (scripts/setup.sh installs it); $CONVERT may name it.
set -euo pipefail
out=${1:?usage: make-volume-bitmaps.sh OUTPUT_DIRECTORY}
convert=${CONVERT:-convert}
command -v "$convert" >/dev/null || { echo "make-volume-bitmaps: ImageMagick 'convert' not found" >&2; exit 1; }

face="#f0f0f0" # the button face the images sit on
ink="#202020"  # enabled drawing
grey="#a0a0a0" # disabled drawing

# Shapes on the 24 x 16 grid of every image.
speaker() { echo "fill $1 stroke none rectangle 3,6 6,10 polygon 6,6 11,2 11,14 6,10"; }
waves="fill none stroke #2f8f3f stroke-width 1.4 arc 9,4 17,12 -60,60 arc 9,1 21,15 -55,55"
cross="fill none stroke #d03020 stroke-width 2 line 14,4 21,12 line 21,4 14,12"
# "0 dB": a ring for the zero and a level line with its arrow.
zero_db() { echo "fill none stroke $1 stroke-width 1.6 ellipse 7,8 3.5,5 0,360
                  stroke-width 1.2 line 13,8 21,8 fill $1 stroke none polygon 13,4 17,8 13,12"; }
# Two chain links, joined or apart.
links_joined() { echo "fill none stroke $1 stroke-width 1.6 roundrectangle 2,5 13,11 3,3
                       roundrectangle 10,5 21,11 3,3"; }
links_apart() { echo "fill none stroke $1 stroke-width 1.6 roundrectangle 1,5 9,11 3,3
                      roundrectangle 14,5 22,11 3,3 stroke-width 1 line 11,3 12,13"; }

draw() { # id shapes...
  local id=$1
  shift
  "$convert" -size 24x16 "xc:$face" -draw "$*" -type TrueColor -alpha off \
    "BMP3:$work/$id.bmp"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
draw 204 "$(speaker "$ink") $cross"
draw 205 "$(speaker "$ink") $waves"
draw 214 "$(speaker "$grey")"
draw 215 "$(zero_db "$ink")"
draw 217 "$(zero_db "$grey")"
draw 225 "$(links_joined "#1d4e89")"
draw 209 "$(links_apart "$ink")"
draw 226 "$(links_joined "$grey")"
draw 220 "$(links_apart "$grey")"
mkdir -p "$out"
for bitmap in "$work"/*.bmp; do
  mv "$bitmap" "$out/volume-$(basename "$bitmap")"
done
