#!/usr/bin/env bash
# Draws the skins of Rotaplex's two shaped windows, each at the display scales
# 100, 125, 150 and 200 %:
#   skin_main_P.bmp   256 x 332 at 100 %, the mission list window
#   skin_props_P.bmp  388 x 345 at 100 %, the mission properties window
# and preview.png (both at 100 % side by side at 2x, for looking at; not
# committed).
#
# The design is in pixels at 100 %. At a larger scale every coordinate is
# multiplied and rounded as the program rounds its outline (halves to the even
# neighbour), so that a line one pixel wide becomes one or two, and the
# lettering is set at the larger size rather than enlarged.
#
# Everything is drawn from ImageMagick primitives with antialiasing off, so
# each run gives the same bytes. The pixels outside a window's shape are the
# transparent key colour the program cuts away. The command plates sit exactly
# on the hot spots the program tests for clicks; the checks at the end fail
# the script if the geometry drifts.
#
# Needs: imagemagick, fonts-dejavu-core.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
IM=/usr/bin/convert
FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
[ -x "$IM" ] || { echo "make-skins: $IM not found (install imagemagick)" >&2; exit 1; }
[ -r "$FONT" ] || { echo "make-skins: $FONT not found (install fonts-dejavu-core)" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# ---- palette -----------------------------------------------------------
OUTLINE='#26270e'   # outermost line of the shape, and plate shadows
OLIVE='#6b6b2a'     # frame
FRAME_HI='#a3a35c'  # lit bevel on the frame
FRAME_LO='#48491b'  # shaded bevel on the frame
BAND_TOP='#5b5c25'  # title band, top of its gradient
BAND_BOT='#3c3d16'  # title band, bottom of its gradient
PANEL='#d5d5cd'     # calm grey behind the controls
PANEL_HI='#f3f3ed'  # lit side of a recess in the panel
PANEL_LO='#a2a298'  # shaded side of a recess in the panel
PANEL_DK='#6c6c63'  # inner shaded line of the list box well
PLATE='#55561f'     # command plates and tab glyph plates
PLATE_HI='#9c9c56'  # lit bevel of a plate
INK='#f2eecb'       # text and glyphs
INK_SHADOW='#1c1d09'

# ---- drawing helpers -----------------------------------------------------
# Each helper appends ImageMagick arguments to ops; one convert call renders
# them in order over an olive canvas.
ops=()
PCT=100  # the scale being drawn, in percent
LW=1     # the offset of a shadow, in pixels

# sc V: design coordinate V at the scale, halves to the even neighbour.
sc() {
  local q=$(($1 * PCT / 100)) r=$(($1 * PCT % 100))
  if ((2 * r > 100 || (2 * r == 100 && q % 2 == 1))); then q=$((q + 1)); fi
  echo "$q"
}

# rect_px X0 Y0 X1 Y1 COLOUR: fills the inclusive range of scaled pixels.
rect_px() {
  ops+=(-fill "$5" -draw "rectangle $1,$2 $3,$4")
}

# rect X0 Y0 X1 Y1 COLOUR: fills the inclusive range of design pixels, scaled.
rect() {
  rect_px "$(sc "$1")" "$(sc "$2")" $(($(sc $(($3 + 1))) - 1)) $(($(sc $(($4 + 1))) - 1)) "$5"
}

# gradient_rect X0 Y0 X1 Y1 TOP BOTTOM: vertical gradient over the range.
gradient_rect() {
  local x=$(sc "$1") y=$(sc "$2")
  local w=$(($(sc $(($3 + 1))) - x)) h=$(($(sc $(($4 + 1))) - y))
  ops+=('(' -size "${w}x${h}" "gradient:$5-$6" ')' -geometry "+$x+$y" -composite)
}

# bevel X0 Y0 X1 Y1 LIT SHADED: one-pixel raised edge (lit top and left,
# shaded bottom and right) around the inclusive range.
bevel() {
  rect "$1" "$2" "$3" "$2" "$5"
  rect "$1" "$2" "$1" "$4" "$5"
  rect "$1" "$4" "$3" "$4" "$6"
  rect "$3" "$2" "$3" "$4" "$6"
}

# label_image FILE TEXT SIZE COLOUR: renders one line of TEXT on a clear
# background, uncropped, so that every label of a size shares its baseline.
label_image() {
  "$IM" -background none -font "$FONT" -pointsize "$(($3 * PCT))e-2" -kerning $((PCT / 100)) +antialias \
    -fill "$4" "label:$2" "$1"
}

# ink_box TEXT SIZE: prints "W H X Y", the box of the ink within the label.
ink_box() {
  label_image "$tmp/measure.png" "$1" "$2" "$INK"
  "$IM" "$tmp/measure.png" -format '%@\n' info: | tr 'x+' '  '
}

# text_in X0 Y0 X1 Y1 TEXT SIZE ALIGN: writes TEXT with a one-pixel shadow
# below right. The capital height is centred between rows Y0 and Y1; ALIGN
# "centre" centres the ink between columns X0 and X1 (halves rounded up and
# to the left), "left" starts the ink at X0.
n_text=0
text_in() {
  local x0 y0 x1 y1 w x cap_h cap_y face shadow
  x0=$(sc "$1") y0=$(sc "$2") x1=$(($(sc $(($3 + 1))) - 1)) y1=$(($(sc $(($4 + 1))) - 1))
  read -r w _ x _ < <(ink_box "$5" "$6")
  read -r _ cap_h _ cap_y < <(ink_box H "$6")
  if [ "$7" = left ]; then
    x=$((x0 - x))
  else
    x=$((x0 + (x1 - x0 + 1 - w) / 2 - x))
  fi
  local y=$((y0 + (y1 - y0 + 1 - cap_h) / 2 - cap_y))
  n_text=$((n_text + 1))
  face="$tmp/text$n_text.png"
  shadow="$tmp/text${n_text}s.png"
  label_image "$face" "$5" "$6" "$INK"
  label_image "$shadow" "$5" "$6" "$INK_SHADOW"
  ops+=("$shadow" -geometry "+$((x + LW))+$((y + LW))" -composite)
  ops+=("$face" -geometry "+$x+$y" -composite)
}

# plate X0 Y0 X1 Y1: a raised command plate filling the range exactly.
plate() {
  rect "$1" "$2" "$3" "$4" "$PLATE"
  bevel "$1" "$2" "$3" "$4" "$PLATE_HI" "$OUTLINE"
}

# labelled_plate X0 Y0 X1 Y1 LABEL SIZE
labelled_plate() {
  plate "$1" "$2" "$3" "$4"
  text_in $(($1 + 1)) $(($2 + 1)) $(($3 - 1)) $(($4 - 1)) "$5" "$6" centre
}

# close_glyph X0 Y0 X1 Y1: plate with an X whose strokes are two pixels wide.
close_glyph() {
  plate "$1" "$2" "$3" "$4"
  local cx=$((($1 + $3 + 1) / 2)) cy=$((($2 + $4 + 1) / 2)) k colour dx
  # An 8 x 8 cross centred on the plate; cx,cy is the pixel right of and
  # below the centre. The shadow is drawn first, one pixel down and right.
  for colour in "$INK_SHADOW" "$INK"; do
    dx=0
    if [ "$colour" = "$INK_SHADOW" ]; then dx=1; fi
    for k in 0 1 2 3 4 5 6 7; do
      rect $((cx - 4 + k + dx)) $((cy - 4 + k + dx)) $((cx - 4 + k + dx)) $((cy - 4 + k + dx)) "$colour"
      rect $((cx + 3 - k + dx)) $((cy - 4 + k + dx)) $((cx + 3 - k + dx)) $((cy - 4 + k + dx)) "$colour"
    done
    for k in 0 1 2 3 4 5 6; do
      rect $((cx - 3 + k + dx)) $((cy - 4 + k + dx)) $((cx - 3 + k + dx)) $((cy - 4 + k + dx)) "$colour"
      rect $((cx + 2 - k + dx)) $((cy - 4 + k + dx)) $((cx + 2 - k + dx)) $((cy - 4 + k + dx)) "$colour"
    done
  done
}

# minimise_glyph X0 Y0 X1 Y1: plate with a bar low in it.
minimise_glyph() {
  plate "$1" "$2" "$3" "$4"
  local cx=$((($1 + $3 + 1) / 2)) y=$(($4 - 5))
  rect $((cx - 3)) $((y + 1)) $((cx + 4)) $((y + 2)) "$INK_SHADOW"
  rect $((cx - 4)) "$y" $((cx + 3)) $((y + 1)) "$INK"
}

# tab_top X: first row inside the tab in column X, both in scaled pixels. The
# tab's top edge runs from (TAB_X,0) down to (TAB_X+17,15) in design pixels;
# pixels above it are outside.
tab_top() {
  local x0 dx dy
  x0=$(sc "$TAB_X") dx=$(($(sc $((TAB_X + 17))) - $(sc "$TAB_X"))) dy=$(sc 15)
  echo $(((dy * ($1 - x0) + dx - 1) / dx))
}

# skin_begin OUT W H BODY_R BODY_B TAB_X FRAME TITLE_B PANEL_R PANEL_B KEY TITLE
#            TITLE_SIZE TITLE_ALIGN
# Lays down the frame, the title band, the panel and the tab. The body is
# x 0..BODY_R, y 0..BODY_B; the tab runs from TAB_X to the bitmap's right
# edge, rows 0..45. FRAME is the frame's width; the title band ends on row
# TITLE_B and the panel spans FRAME..PANEL_R, TITLE_B+1..PANEL_B.
skin_begin() {
  OUT=$1 W=$2 H=$3 BODY_R=$4 BODY_B=$5 TAB_X=$6 FRAME=$7 TITLE_B=$8
  PANEL_R=$9 PANEL_B=${10} KEY=${11}
  local title=${12} title_size=${13} title_align=${14}
  local tab_l=$((BODY_R + 1)) tab_r=$((W - 1)) tab_b=45 x t
  ops=()

  # Outer line and frame bevel of the body.
  rect 0 0 "$BODY_R" 0 "$OUTLINE"
  rect 0 0 0 "$BODY_B" "$OUTLINE"
  rect 0 "$BODY_B" "$BODY_R" "$BODY_B" "$OUTLINE"
  rect "$BODY_R" $((tab_b + 1)) "$BODY_R" "$BODY_B" "$OUTLINE"
  rect 1 1 $((BODY_R - 1)) 1 "$FRAME_HI"
  rect 1 1 1 $((BODY_B - 1)) "$FRAME_HI"
  rect 1 $((BODY_B - 1)) $((BODY_R - 1)) $((BODY_B - 1)) "$FRAME_LO"
  rect $((BODY_R - 1)) $((tab_b + 1)) $((BODY_R - 1)) $((BODY_B - 1)) "$FRAME_LO"
  rect "$BODY_R" $((tab_b - 1)) "$BODY_R" "$tab_b" "$FRAME_LO"

  # Tab: slanted top edge, right edge and bottom edge; the slant in scaled
  # pixels, one line per column.
  local body_x=$(sc "$BODY_R") left_x=$(sc "$tab_l") right_x=$(($(sc $((tab_r + 1))) - 1))
  local line=$(($(sc 1) > 1 ? $(sc 1) : 1))
  t=$(tab_top "$left_x")
  if [ "$t" -gt 0 ]; then
    rect_px "$body_x" 0 $((left_x - 1)) $((t - 1)) "$OUTLINE"
    if [ "$t" -ge 2 ]; then rect_px "$body_x" "$t" $((left_x - 1)) $((t + line - 1)) "$FRAME_HI"; fi
  fi
  for ((x = left_x; x <= right_x; x++)); do
    t=$(tab_top "$x")
    rect_px "$x" "$t" "$x" $((t + line - 1)) "$OUTLINE"
    if [ "$x" -le $((right_x - line)) ]; then
      rect_px "$x" $((t + line)) "$x" $((t + 2 * line - 1)) "$FRAME_HI"
    fi
  done
  rect_px $((right_x - line + 1)) "$(tab_top $((right_x - line + 1)))" "$right_x" $(($(sc $((tab_b + 1))) - 1)) "$OUTLINE"
  rect_px $((right_x - 2 * line + 1)) $(($(tab_top $((right_x - 2 * line + 1))) + 2 * line)) $((right_x - line)) \
    $(($(sc "$tab_b") - 1)) "$FRAME_LO"
  rect "$tab_l" "$tab_b" "$tab_r" "$tab_b" "$OUTLINE"
  rect "$tab_l" $((tab_b - 1)) $((tab_r - 1)) $((tab_b - 1)) "$FRAME_LO"

  # Title band, sunk into the frame.
  gradient_rect "$FRAME" "$FRAME" "$PANEL_R" $((TITLE_B - 2)) "$BAND_TOP" "$BAND_BOT"
  rect $((FRAME - 1)) $((FRAME - 1)) "$PANEL_R" $((FRAME - 1)) "$FRAME_LO"
  rect $((FRAME - 1)) $((FRAME - 1)) $((FRAME - 1)) $((TITLE_B - 1)) "$FRAME_LO"
  rect $((PANEL_R + 1)) $((FRAME - 1)) $((PANEL_R + 1)) $((TITLE_B - 1)) "$FRAME_HI"
  rect "$FRAME" $((TITLE_B - 1)) $((PANEL_R + 1)) $((TITLE_B - 1)) "$FRAME_HI"
  local title_x=$FRAME
  if [ "$title_align" = left ]; then title_x=$((FRAME + 5)); fi
  text_in "$title_x" "$FRAME" "$PANEL_R" $((TITLE_B - 2)) "$title" "$title_size" "$title_align"

  # Panel, sunk into the frame: shaded top and left, lit bottom and right.
  rect "$FRAME" $((TITLE_B + 1)) "$PANEL_R" "$PANEL_B" "$PANEL"
  rect $((FRAME - 1)) "$TITLE_B" $((PANEL_R + 1)) "$TITLE_B" "$FRAME_LO"
  rect $((FRAME - 1)) "$TITLE_B" $((FRAME - 1)) $((PANEL_B + 1)) "$FRAME_LO"
  rect $((PANEL_R + 1)) "$TITLE_B" $((PANEL_R + 1)) $((PANEL_B + 1)) "$FRAME_HI"
  rect "$FRAME" $((PANEL_B + 1)) $((PANEL_R + 1)) $((PANEL_B + 1)) "$FRAME_HI"
}

# skin_end: fills what lies outside the shape with the key colour and writes
# the BMP: 8 bits a pixel, run-length encoded. The few dozen flat colours fit a
# palette exactly, and all four scales of both skins take about 150 KB of the
# program instead of 6 MB.
skin_end() {
  local x t
  for ((x = $(sc $((BODY_R + 1))); x < $(sc "$W"); x++)); do
    t=$(tab_top "$x")
    if [ "$t" -gt 0 ]; then rect_px "$x" 0 "$x" $((t - 1)) "$KEY"; fi
  done
  rect $((BODY_R + 1)) 46 $((W - 1)) $((H - 1)) "$KEY"
  "$IM" -size "$(sc "$W")x$(sc "$H")" "xc:$OLIVE" +antialias -stroke none \
    "${ops[@]}" -alpha off +dither -colors 256 -compress RLE "BMP3:$OUT"
}

# ---- both skins at each scale ------------------------------------------------
for PCT in 100 125 150 200; do
LW=$(sc 1)

# ---- main window ----------------------------------------------------------
skin_begin "$here/skin_main_$PCT.bmp" 256 332 241 331 240 4 20 237 312 '#ff00ff' \
  Rotaplex 12 left
# Well of the list box (the program places it at x 20..220, y 36..260).
bevel 18 34 222 262 "$PANEL_LO" "$PANEL_HI"
bevel 19 35 221 261 "$PANEL_DK" "$PANEL"
rect 20 36 220 260 "$PANEL_HI"
# Commands.
labelled_plate 64 316 101 331 ADD 9
labelled_plate 108 316 141 331 EDIT 9
labelled_plate 152 316 185 331 DEL 9
labelled_plate 200 316 241 331 QUIT 9
# Close and minimise on the tab.
close_glyph 240 16 253 29
minimise_glyph 240 32 253 45
skin_end

# ---- properties window -------------------------------------------------------
skin_begin "$here/skin_props_$PCT.bmp" 388 345 370 344 371 5 22 365 318 '#f07fef' \
  'MISSION PROPERTIES' 11 centre
labelled_plate 236 320 296 344 OK 12
labelled_plate 300 320 368 344 CANCEL 12
close_glyph 372 16 385 29
minimise_glyph 372 32 385 45
skin_end
done

# ---- preview (not committed) ---------------------------------------------------
"$IM" -background '#202020' "$here/skin_main_100.bmp" "$here/skin_props_100.bmp" \
  -scale 200% -bordercolor '#202020' -border 8 -gravity north +append \
  -define png:exclude-chunks=date,time "$here/preview.png"

# ---- checks -------------------------------------------------------------------
fail=0
pixel() { "$IM" "$1" -format "%[pixel:p{$2,$3}]" info:; }
expect() { # FILE X Y WANT(is|not) COLOUR
  local got
  got=$(pixel "$1" "$2" "$3")
  if { [ "$4" = is ] && [ "$got" != "$5" ]; } || { [ "$4" = not ] && [ "$got" = "$5" ]; }; then
    echo "make-skins: $(basename "$1") ($2,$3) is $got, want $4 $5" >&2
    fail=1
  fi
}
header() { # FILE: prints width height bits compression of a BMP's info header
  local size bits compression
  size=$(od -An -tu4 -j18 -N8 "$1")
  bits=$(od -An -tu2 -j28 -N2 "$1")
  compression=$(od -An -tu4 -j30 -N4 "$1")
  echo $size $bits $compression
}
count_key() { # FILE COLOUR: number of pixels of exactly that colour
  "$IM" "$1" -fill black +opaque "$2" -fill white -opaque "$2" \
    -format '%[fx:round(mean*w*h)]' info:
}
check_bmp() { # FILE W H KEY OUTSIDE_COUNT
  local got want="$2 $3 8 1"
  got=$(header "$1")
  [ "$got" = "$want" ] || {
    echo "make-skins: $(basename "$1") header is '$got', want '$want' (w h bits compression)" >&2
    fail=1
  }
  [ "$(head -c2 "$1")" = BM ] || { echo "make-skins: $(basename "$1") is not a BMP" >&2; fail=1; }
  got=$(count_key "$1" "$4")
  [ "$got" = "$5" ] || {
    echo "make-skins: $(basename "$1") has $got key pixels, want $5" >&2
    fail=1
  }
}

main=$here/skin_main_100.bmp props=$here/skin_props_100.bmp
main_key='srgb(255,0,255)' props_key='srgb(240,127,239)'
# Outside: 14 x 286 below the tab, 112 above its slanted edge.
check_bmp "$main" 256 332 '#ff00ff' 4116
# Outside: 17 x 299 below the tab, 128 above its slanted edge.
check_bmp "$props" 388 345 '#f07fef' 5211
for p in '242 100' '250 3' '250 50' '255 46' '242 1'; do
  expect "$main" ${p% *} ${p#* } is "$main_key"
done
for p in '241 331' '250 30' '100 100' '241 0' '240 0' '255 45' '0 0'; do
  expect "$main" ${p% *} ${p#* } not "$main_key"
done
for p in '371 100' '380 2' '380 50' '387 46' '372 0'; do
  expect "$props" ${p% *} ${p#* } is "$props_key"
done
for p in '370 344' '380 30' '371 0' '370 0' '387 45' '0 0'; do
  expect "$props" ${p% *} ${p#* } not "$props_key"
done
# Each command plate fills its hot spot exactly: lit corner at the top left,
# shadow at the bottom right, and neither edge reaching past the spot.
lit='srgb(156,156,86)' shadow='srgb(38,39,14)'
plate_check() { # FILE X0 Y0 X1 Y1
  expect "$1" "$2" "$3" is "$lit"
  expect "$1" $(($4 - 1)) "$3" is "$lit"
  expect "$1" "$2" $(($5 - 1)) is "$lit"
  expect "$1" "$4" "$5" is "$shadow"
  expect "$1" $(($2 - 1)) "$3" not "$lit"
  expect "$1" "$2" $(($3 - 1)) not "$lit"
  expect "$1" $(($4 + 1)) "$3" not "$lit"
}
plate_check "$main" 64 316 101 331
plate_check "$main" 108 316 141 331
plate_check "$main" 152 316 185 331
plate_check "$main" 200 316 241 331
plate_check "$props" 236 320 296 344
plate_check "$props" 300 320 368 344
[ "$fail" -eq 0 ] || exit 1
echo "make-skins: wrote skin_main_*.bmp, skin_props_*.bmp, preview.png"
