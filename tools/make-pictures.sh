#!/bin/sh
# Draws the program's own pictures with ImageMagick: the icon (vesk.png and
# its 48 and 16 pixel copies), the "mail waiting" picture (mail.png) and the
# logo of the version window (logo.png). Run from anywhere; writes into
# resources/pictures/ and resources/icons/. The same ImageMagick and fonts give the same pictures.
set -eu

CONVERT=${CONVERT:-convert}
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/resources/pictures"
icons="$here/resources/icons"
mkdir -p "$out"

font=""
for f in /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf \
         /usr/share/fonts/X11/Type1/NimbusSans-Bold.pfb; do
  if [ -f "$f" ]; then font=$f; break; fi
done
[ -n "$font" ] || { echo "make-pictures: no bold sans font found" >&2; exit 1; }

blue='#1d4f9e'
paper='#f7f9fd'

# The envelope, on a 256 pixel canvas: thick lines so that it still reads at
# 16 pixels in a tray. $1 is the paper colour.
envelope() {
  printf '%s' "stroke '$blue' stroke-width 14 stroke-linejoin round stroke-linecap round
    fill '$1' roundrectangle 18,58 238,206 20,20
    fill none polyline 26,68 128,146 230,68"
}

# vesk.png: the envelope with a small clock at its lower right.
"$CONVERT" -size 256x256 xc:none \
  -draw "$(envelope "$paper")" \
  -draw "stroke '$blue' stroke-width 12 fill '#ffb52e' circle 186,180 186,118" \
  -draw "stroke '$blue' stroke-width 11 stroke-linecap round line 186,180 186,142 line 186,180 212,192" \
  -draw "fill '$blue' circle 186,180 186,171" \
  -depth 8 -strip -define png:color-type=6 "$out/vesk.png"

# mail.png: the same envelope, warmer, with a red badge: mail is waiting.
"$CONVERT" -size 256x256 xc:none \
  -draw "$(envelope '#fff3c4')" \
  -draw "stroke white stroke-width 10 fill '#e0262b' circle 196,64 196,10" \
  -draw "stroke white stroke-width 16 stroke-linecap round line 196,38 196,72" \
  -draw "fill white circle 196,94 196,85" \
  -depth 8 -strip -define png:color-type=6 "$out/mail.png"

# The icon at the sizes the icon theme wants besides 256.
for size in 48 16; do
  mkdir -p "$icons/${size}x${size}"
  "$CONVERT" "$out/vesk.png" -filter Lanczos -resize "${size}x${size}" \
    -depth 8 -strip -define png:color-type=6 "$icons/${size}x${size}/vesk.png"
done

# logo.png: the icon and the name on a light panel.
"$CONVERT" -size 320x120 gradient:'#ffffff'-'#dbe6f7' \
  \( "$out/vesk.png" -resize 96x96 \) -geometry +14+12 -composite \
  -font "$font" -fill "$blue" -pointsize 62 -annotate +118+78 'Vesk' \
  -font "$font" -fill '#5a6f91' -pointsize 15 -annotate +122+102 'mail checker & server' \
  -depth 8 -strip -define png:color-type=2 "$out/logo.png"
