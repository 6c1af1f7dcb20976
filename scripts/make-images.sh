#!/usr/bin/env bash
# Draws the program's pictures: the dialog logo (ui/resources/logo.bmp, 128x128, 16 colours),
# the same logo for screens of 120, 144 and 192 DPI (logo-160.bmp, logo-192.bmp, logo-256.bmp),
# and the icon (ui/resources/ikona.ico: 128, 48, 32, 24 and 16 pixels, 32 bits). The results
# are committed, so building needs no ImageMagick; run this only to change the pictures.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh --native-only imagemagick fonts-liberation
magick=(/usr/bin/convert)

out=ui/resources
font=/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The motif on a 256-pixel canvas: a page with a folded corner and a few lines of list,
# a funnel over it letting a narrow stream through, and "GPAIS" beneath.
motif() {  # $1 background, $2 output, $3 with text (yes/no), $4 the text's baseline (246)
  local text=()
  if [ "$3" = yes ]; then
    text=(-font "$font" -pointsize 50 -fill '#1F4E79' -stroke none
          -annotate "+52+${4:-246}" 'GPAIS')
  fi
  "${magick[@]}" -size 256x256 "xc:$1" \
    -fill white -stroke '#1F4E79' -strokewidth 8 \
    -draw 'polygon 60,20 160,20 200,60 200,196 60,196' \
    -fill '#BDD7EE' -draw 'polygon 160,20 160,60 200,60' \
    -stroke '#7F9DB9' -strokewidth 7 \
    -draw 'line 84,72 176,72' -draw 'line 84,96 176,96' -draw 'line 84,120 150,120' \
    -stroke '#1E7B34' -strokewidth 8 -fill '#3CB44B' \
    -draw 'polygon 100,100 236,100 184,150 184,186 152,202 152,150' \
    -stroke none -fill '#FFD966' -draw 'rectangle 160,156 176,184' \
    "${text[@]}" "$2"
}

# Logo: on the dialog's face colour, reduced to 16 colours, written as a 4-bit BMP. Each larger
# size is drawn down from the same 256-pixel motif, so a screen of more DPI gets the logo drawn
# for its size rather than the 128-pixel one stretched; in the 128-pixel one's 16 colours, so
# that every size has the same background and the same blues and greens. Their word sits a little
# higher: the dialog's rows grow with its font, which at 192 DPI is a pixel short of twice its
# 96-DPI height, so the label under the logo begins 13 rows into the 256-pixel box (2 at 96 DPI).
motif '#F0F0F0' "$work/logo.png" yes
"${magick[@]}" "$work/logo.png" -resize 128x128 +dither -colors 16 -type Palette BMP3:"$out/logo.bmp"
motif '#F0F0F0' "$work/logo-large.png" yes 238
for size in 160 192 256; do
  "${magick[@]}" "$work/logo-large.png" -resize "${size}x${size}" +dither -remap "$out/logo.bmp" \
    -type Palette BMP3:"$out/logo-$size.bmp"
done

# Icon: transparent background, the name left out (it would not read at 16 pixels).
motif none "$work/icon.png" no
"${magick[@]}" "$work/icon.png" -define icon:auto-resize=128,48,32,24,16 "$out/ikona.ico"

echo "make-images: wrote $out/logo.bmp, $out/logo-{160,192,256}.bmp and $out/ikona.ico"
