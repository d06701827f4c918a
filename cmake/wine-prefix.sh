#!/usr/bin/env bash
# Makes the private Wine prefix once: wine-prefix.sh PREFIX
set -euo pipefail
prefix=$1
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$prefix/.rotaplex-ready" ] && exit 0
mkdir -p "$prefix"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.rotaplex-ready" ] && exit 0
wineboot -i >/dev/null 2>&1
# Without a window manager, every hide of an activated window waits ~2 s unless Wine manages none.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
# Windows draws the default GUI font, "MS Shell Dlg", in (Microsoft) Sans Serif 8 pt, the font the
# window layouts are measured for; Wine would fall back to a much wider one without Wine's own.
cp /usr/share/wine/fonts/sserife.fon "$prefix/drive_c/windows/Fonts/"
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v 'MS Shell Dlg' /t REG_SZ \
  /d 'MS Sans Serif' /f >/dev/null 2>&1
# A program that crashes must end, not wait for ever in Wine's debugger.
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d '' /f \
  >/dev/null 2>&1
wineserver -w
touch "$prefix/.rotaplex-ready"
