#!/usr/bin/env bash
# Draws the skins of Rotaplex's two shaped windows:
#   skin_main.bmp   256 x 332, the mission list window
#   skin_props.bmp  388 x 345, the mission properties window
# and preview.png (both side by side at 2x, for looking at; not committed).
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

# rect X0 Y0 X1 Y1 COLOUR: fills the inclusive pixel range.
rect() {
  ops+=(-fill "$5" -draw "rectangle $1,$2 $3,$4")
}

# gradient_rect X0 Y0 X1 Y1 TOP BOTTOM: vertical gradient over the range.
gradient_rect() {
  local w=$(($3 - $1 + 1)) h=$(($4 - $2 + 1))
  ops+=('(' -size "${w}x${h}" "gradient:$5-$6" ')' -geometry "+$1+$2" -composite)
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
  "$IM" -background none -font "$FONT" -pointsize "$3" -kerning 1 +antialias \
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
  local w x cap_h cap_y face shadow
  read -r w _ x _ < <(ink_box "$5" "$6")
  read -r _ cap_h _ cap_y < <(ink_box H "$6")
  if [ "$7" = left ]; then
    x=$(($1 - x))
  else
    x=$(($1 + ($3 - $1 + 1 - w) / 2 - x))
  fi
  local y=$(($2 + ($4 - $2 + 1 - cap_h) / 2 - cap_y))
  n_text=$((n_text + 1))
  face="$tmp/text$n_text.png"
  shadow="$tmp/text${n_text}s.png"
  label_image "$face" "$5" "$6" "$INK"
  label_image "$shadow" "$5" "$6" "$INK_SHADOW"
  ops+=("$shadow" -geometry "+$((x + 1))+$((y + 1))" -composite)
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
      ops+=(-fill "$colour"
        -draw "point $((cx - 4 + k + dx)),$((cy - 4 + k + dx))"
        -draw "point $((cx + 3 - k + dx)),$((cy - 4 + k + dx))")
    done
    for k in 0 1 2 3 4 5 6; do
      ops+=(-fill "$colour"
        -draw "point $((cx - 3 + k + dx)),$((cy - 4 + k + dx))"
        -draw "point $((cx + 2 - k + dx)),$((cy - 4 + k + dx))")
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

# tab_top X: first row inside the tab in column X. The tab's top edge runs
# from (TAB_X,0) down to (TAB_X+17,15); pixels above it are outside.
tab_top() {
  echo $(((15 * ($1 - TAB_X) + 16) / 17))
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

  # Tab: slanted top edge, right edge and bottom edge.
  t=$(tab_top "$tab_l")
  if [ "$t" -gt 0 ]; then
    rect "$BODY_R" 0 "$BODY_R" $((t - 1)) "$OUTLINE"
    if [ "$t" -ge 2 ]; then rect "$BODY_R" "$t" "$BODY_R" "$t" "$FRAME_HI"; fi
  fi
  for ((x = tab_l; x <= tab_r; x++)); do
    t=$(tab_top "$x")
    rect "$x" "$t" "$x" "$t" "$OUTLINE"
    if [ "$x" -lt "$tab_r" ]; then rect "$x" $((t + 1)) "$x" $((t + 1)) "$FRAME_HI"; fi
  done
  rect "$tab_r" "$(tab_top "$tab_r")" "$tab_r" "$tab_b" "$OUTLINE"
  rect $((tab_r - 1)) $(($(tab_top $((tab_r - 1))) + 2)) $((tab_r - 1)) $((tab_b - 1)) "$FRAME_LO"
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
# the 24-bit BMP.
skin_end() {
  local x t
  for ((x = BODY_R + 1; x < W; x++)); do
    t=$(tab_top "$x")
    if [ "$t" -gt 0 ]; then rect "$x" 0 "$x" $((t - 1)) "$KEY"; fi
  done
  rect $((BODY_R + 1)) 46 $((W - 1)) $((H - 1)) "$KEY"
  "$IM" -size "${W}x${H}" "xc:$OLIVE" +antialias -stroke none \
    "${ops[@]}" -type TrueColor -alpha off "BMP3:$OUT"
}

# ---- main window ----------------------------------------------------------
skin_begin "$here/skin_main.bmp" 256 332 241 331 240 4 20 237 312 '#ff00ff' \
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
skin_begin "$here/skin_props.bmp" 388 345 370 344 371 5 22 365 318 '#f07fef' \
  'MISSION PROPERTIES' 11 centre
labelled_plate 236 320 296 344 OK 12
labelled_plate 300 320 368 344 CANCEL 12
close_glyph 372 16 385 29
minimise_glyph 372 32 385 45
skin_end

# ---- preview (not committed) ---------------------------------------------------
"$IM" -background '#202020' "$here/skin_main.bmp" "$here/skin_props.bmp" \
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
  local got want="$2 $3 24 0"
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

main=$here/skin_main.bmp props=$here/skin_props.bmp
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
echo "make-skins: wrote skin_main.bmp, skin_props.bmp, preview.png"
