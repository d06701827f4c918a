#!/usr/bin/env bash
# Builds the editor alone (its own build, build/run/win, without the tests) and starts it under
# Wine on a copy of the demo game folder (build/run/game), in a private Wine prefix whose registry
# points the game's key at that copy.
# With a display the editor runs in the foreground. Without one it runs on a virtual display:
# the script saves a screenshot of the window to build/run/screenshot.png and closes the editor.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
run=$root/build/run
exe=$run/win/app/Rotaplex.exe
export WINEPREFIX=$run/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Under the virtual display: start, wait for the window, take the picture, close by its X.
if [ "${1:-}" = --screenshot ]; then
  wine "$exe" & editor=$!
  window=
  for _ in $(seq 150); do
    window=$(xdotool search --onlyvisible --name ' - Rotaplex$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "run: the editor's window did not appear" >&2; kill "$editor"; exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$window")"
  # The skin is painted once the window is up: wait until its frame shows, not white.
  for _ in $(seq 50); do
    import -window root "$run/root.png"
    [ "$(/usr/bin/convert "$run/root.png" -format "%[hex:p{$((X + 2)),$((Y + 100))}]" info:)" != FFFFFF ] && break
    sleep 0.2
  done
  m=12  # white margin around the window, so its outline shows
  /usr/bin/convert "$run/root.png" -crop "$((WIDTH + 2 * m))x$((HEIGHT + 2 * m))+$((X - m))+$((Y - m))" +repage \
    "$run/screenshot.png"
  rm -f "$run/root.png"
  echo "run: screenshot of the main window saved to $run/screenshot.png"
  # Press the close glyph X on the tab with the real pointer; nothing changed, so no question.
  xdotool mousemove $((X + 246)) $((Y + 22)) click 1
  for _ in $(seq 100); do kill -0 "$editor" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$editor" 2>/dev/null && { echo "run: the editor did not close" >&2; kill "$editor"; exit 1; }
  wait "$editor"
  # Let Wine finish before the virtual display goes.
  wineserver -w
  exit
fi

"$root/scripts/install-deps.sh"
# The editor and what it links, nothing else: a first run waits for no test to build.
cmake --preset win -B "$run/win" -DROTAPLEX_TESTS=OFF >/dev/null
cmake --build "$run/win" --target Rotaplex -j "$(nproc)"
mkdir -p "$run"
"$root/cmake/wine-prefix.sh" "$WINEPREFIX"
# The operator's saves go to this copy, never to the repository's demo files.
[ -d "$run/game" ] || cp -r "$root/demo/game" "$run/game"
folder="$(winepath -w "$run/game")\\"
wine reg add 'HKLM\Software\Microsoft\Microsoft Games\Mechwarrior Vengeance' /v 'EXE Path' /t REG_SZ \
  /d "$folder" /f /reg:32 >/dev/null
# On a desktop its window manager gives the editor a taskbar button to minimise to and restore
# from; the virtual display has none, and there Wine manages the windows itself.
managed=N
[ -n "${DISPLAY:-}" ] && managed=Y
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f >/dev/null
# Let the server started without a display end, so the editor's session gets one.
wineserver -w
echo "run: game folder $folder (delete $run/game to start again from the demo)"

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe"
fi
# A white root window, so that the shaped outline shows against it.
xvfb-run -a -s "-screen 0 1024x768x24 -wr" bash "$0" --screenshot
