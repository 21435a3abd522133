#!/bin/sh
# Draws the slideshow's own picture set with ImageMagick: resources/JPGDATA1/,
# eight 160x120 JPEG frames of the program's envelope bobbing on a sky while
# a badge blinks and three sparks circle it, and the speed file (the
# interval in milliseconds). No fonts are used, so the same ImageMagick gives
# the same pictures. Run from anywhere.
set -eu

CONVERT=${CONVERT:-convert}
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/resources/JPGDATA1"
mkdir -p "$out"
rm -f "$out"/*.jpg

blue='#1d4f9e'
paper='#fff3c4'

frame=0
# Per frame: how far the envelope is lifted, and the badge's radius.
for step in "0 8" "3 9" "5 10" "6 9" "5 8" "3 7" "0 7" "-1 7"; do
  set -- $step
  lift=$1
  badge=$2
  top=$((44 - lift))
  bottom=$((100 - lift))
  flap=$((76 - lift))
  # The sparks: three points on a circle, a sixth of a turn apart, turning
  # one eighth of a turn per frame.
  sparks=$(awk -v f="$frame" -v t="$top" 'BEGIN {
    for (i = 0; i < 3; i++) {
      a = (f / 8 + i / 3) * 2 * 3.14159265;
      x = int(80 + 62 * cos(a) + 0.5); y = int(t + 28 + 40 * sin(a) + 0.5);
      printf "circle %d,%d %d,%d ", x, y, x + 3, y;
    }
  }')
  name=$(printf 'mail%02d.jpg' "$frame")
  "$CONVERT" -size 160x120 gradient:'#cfe6ff'-'#f4f9ff' \
    -draw "fill '#ffffff' stroke none ellipse 30,104 26,8 0,360 ellipse 132,108 30,9 0,360" \
    -draw "fill '#ffd23f' stroke '#f2a900' stroke-width 1 $sparks" \
    -draw "stroke '$blue' stroke-width 5 stroke-linejoin round stroke-linecap round
           fill '$paper' roundrectangle 38,$top 122,$bottom 8,8
           fill none polyline 42,$((top + 4)) 80,$flap 118,$((top + 4))" \
    -draw "stroke white stroke-width 3 fill '#e0262b' circle 118,$((top + 2)) $((118 + badge)),$((top + 2))" \
    -draw "stroke white stroke-width 3 stroke-linecap round line 118,$((top - 3)) 118,$((top + 3))" \
    -draw "fill white stroke none circle 118,$((top + 7)) 119,$((top + 7))" \
    -strip -interlace none -sampling-factor 2x2 -quality 90 "$out/$name"
  frame=$((frame + 1))
done

# The interval of this set: a little slower than the 200 ms default.
printf '250\r\n' > "$out/speed.SSP"
