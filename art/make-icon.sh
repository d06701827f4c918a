#!/usr/bin/env bash
# Draws Rotaplex's application icon, rotaplex.ico, at 16, 24, 32, 48 and 256 pixels: an olive
# plate in the skins' colours with two ink arrows chasing each other round a ring, the rotation.
# From 32 pixels up a short list sits inside the ring; smaller sizes keep the ring alone, thicker.
# Each size is drawn four times larger and scaled down, so edges are smooth against any taskbar;
# the 256-pixel image is stored as PNG inside the icon, as Windows expects.
#
# Needs: imagemagick.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
IM=/usr/bin/convert
[ -x "$IM" ] || { echo "make-icon: $IM not found (install imagemagick)" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The skins' palette (make-skins.sh).
OUTLINE='#26270e'
OLIVE='#6b6b2a'
FRAME_HI='#a3a35c'
BAND_BOT='#3c3d16'
INK='#f2eecb'
INK_SHADOW='#1c1d09'

SIZES=(16 24 32 48 256)
OVERSAMPLE=4

# mvg SIZE: the drawing for one icon size, as ImageMagick vector graphics on a canvas of
# SIZE * OVERSAMPLE pixels. The design is laid out on a 256-unit square; awk scales it.
mvg() {
  awk -v size="$1" -v k="$OVERSAMPLE" \
      -v outline="$OUTLINE" -v olive="$OLIVE" -v lit="$FRAME_HI" -v band="$BAND_BOT" \
      -v ink="$INK" -v shadow="$INK_SHADOW" '
    function u(v) { return v * size * k / 256 }
    function pt(x, y) { return sprintf("%.2f,%.2f", u(x), u(y)) }
    # One arrow: a band of the ring from angle a0 to a1 (degrees, clockwise from east) and a
    # head at a1 pointing on round the ring. Both are filled polygons: ImageMagick closes a
    # stroked arc with its chord.
    function arrow(a0, a1, colour, dx, dy,   r, w, h, p, i, a, band) {
      r = 76; w = stroke / 2; h = stroke * 1.05
      p = 3.14159265 / 180
      band = ""
      for (i = 0; i <= 24; i++) {
        a = (a0 + (a1 - a0) * i / 24) * p
        band = band " " pt(128 + dx + (r + w) * cos(a), 128 + dy + (r + w) * sin(a))
      }
      for (i = 24; i >= 0; i--) {
        a = (a0 + (a1 - a0) * i / 24) * p
        band = band " " pt(128 + dx + (r - w) * cos(a), 128 + dy + (r - w) * sin(a))
      }
      printf "fill %s stroke none polygon%s\n", colour, band
      # The head: its base across the ring at a1, its tip further round.
      a = a1 * p
      printf "polygon %s %s %s\n", pt(128 + dx + (r + h) * cos(a), 128 + dy + (r + h) * sin(a)),
             pt(128 + dx + (r - h) * cos(a), 128 + dy + (r - h) * sin(a)),
             pt(128 + dx + r * cos(a + 34 * p), 128 + dy + r * sin(a + 34 * p))
    }
    BEGIN {
      small = size < 32
      stroke = small ? 34 : 24
      # The plate: outline, lit rim, olive face.
      printf "fill %s stroke none roundrectangle %s %s %.2f,%.2f\n", outline, pt(6, 6), pt(250, 250), u(44), u(44)
      printf "fill %s roundrectangle %s %s %.2f,%.2f\n", lit, pt(16, 16), pt(240, 240), u(36), u(36)
      printf "fill %s roundrectangle %s %s %.2f,%.2f\n", band, pt(24, 24), pt(240, 240), u(32), u(32)
      printf "fill %s roundrectangle %s %s %.2f,%.2f\n", olive, pt(24, 24), pt(232, 232), u(30), u(30)
      # The ring: shadow first, down and right, then the ink.
      split(shadow " " ink, colours, " ")
      for (i = 1; i <= 2; i++) {
        d = i == 1 ? 5 : 0
        arrow(200, 318, colours[i], d, d)
        arrow(20, 138, colours[i], d, d)
        if (!small)
          for (row = 0; row < 3; row++)
            printf "fill %s stroke none rectangle %s %s\n", colours[i],
                   pt(98 + d, 102 + 22 * row + d), pt(158 + d, 114 + 22 * row + d)
      }
    }'
}

frames=()
for size in "${SIZES[@]}"; do
  big=$((size * OVERSAMPLE))
  drawing=$(mvg "$size")
  "$IM" -size "${big}x${big}" xc:none -draw "$drawing" \
    -filter Box -resize "${size}x${size}" -define png:exclude-chunks=date,time "PNG32:$tmp/$size.png"
  frames+=("$tmp/$size.png")
done
# BMP frames below 256 pixels for the oldest readers; PNG for the 256-pixel one.
"$IM" "${frames[@]}" "$here/rotaplex.ico"

# ---- preview (not committed) ---------------------------------------------------
"$IM" -background '#d5d5cd' "${frames[@]}" -bordercolor '#d5d5cd' -border 6 -gravity center +append \
  -define png:exclude-chunks=date,time "$here/icon-preview.png"

# ---- checks -------------------------------------------------------------------
got=$(/usr/bin/identify -format '%w ' "$here/rotaplex.ico")
[ "$got" = "16 24 32 48 256 " ] || { echo "make-icon: rotaplex.ico holds sizes '$got'" >&2; exit 1; }
echo "make-icon: wrote rotaplex.ico (${SIZES[*]} pixels), icon-preview.png"
