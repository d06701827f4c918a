#!/usr/bin/env bash
# Takes the README's pictures of both windows at 100 % and 150 % display scale
# (docs/main-window-P.png, docs/properties-window-P.png): the program on a copy of the demo game
# folder under a virtual display with a white root, one fresh start per scale, since Wine takes
# the scale only when a program starts. Needs the Windows build (scripts/build.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shots=$root/build/shots
exe=$root/build/win/app/Rotaplex.exe
export WINEPREFIX=$shots/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# The id of the program's one shown window other than $1 ("" for the first), waited for.
shown_window() {
  local id
  for _ in $(seq 150); do
    for id in $(xdotool search --onlyvisible --class rotaplex 2>/dev/null); do
      [ "$id" != "$1" ] && { echo "$id"; return; }
    done
    sleep 0.2
  done
  echo "screenshots: no window appeared" >&2
  exit 1
}

# Crops the window $1 with a white margin from a picture of the screen, once its face is painted.
picture() {
  local X Y WIDTH HEIGHT SCREEN m=12
  eval "$(xdotool getwindowgeometry --shell "$1")"
  for _ in $(seq 50); do
    import -window root "$shots/root.png"
    [ "$(/usr/bin/convert "$shots/root.png" -format "%[hex:p{$((X + 2)),$((Y + HEIGHT / 2))}]" info:)" != FFFFFF ] && break
    sleep 0.2
  done
  /usr/bin/convert "$shots/root.png" -crop "$((WIDTH + 2 * m))x$((HEIGHT + 2 * m))+$((X - m))+$((Y - m))" +repage \
    -define png:exclude-chunks=date,time "$2"
  rm -f "$shots/root.png"
}

# A real click at a point of the window $1 given in twips, at $dpi.
click() {
  local X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2 * dpi / 1440)) $((Y + $3 * dpi / 1440)) click 1
}

if [ "${1:-}" = --inside ]; then
  for pct in 100 150; do
    dpi=$((pct * 96 / 100))
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wine "$exe" & editor=$!
    main=$(shown_window "")
    picture "$main" "$root/docs/main-window-$pct.png"
    click "$main" 1500 700       # the second entry of the list
    click "$main" 1867 4867      # EDIT
    properties=$(shown_window "$main")
    picture "$properties" "$root/docs/properties-window-$pct.png"
    click "$properties" 5016 4986  # CANCEL
    sleep 0.5
    click "$main" 3697 337         # the X on the tab: nothing changed, so no question
    wait "$editor"
    echo "screenshots: docs/main-window-$pct.png, docs/properties-window-$pct.png"
  done
  wineserver -w
  exit
fi

mkdir -p "$shots"
"$root/cmake/wine-prefix.sh" "$WINEPREFIX"
rm -rf "$shots/game"
cp -r "$root/demo/game" "$shots/game"
wine reg add 'HKLM\Software\Microsoft\Microsoft Games\Mechwarrior Vengeance' /v 'EXE Path' /t REG_SZ \
  /d "$(winepath -w "$shots/game")\\" /f /reg:32 >/dev/null
wineserver -w
xvfb-run -a -s "-screen 0 1024x768x24 -wr" bash "$0" --inside
