#!/usr/bin/env bash
# Runs a test program with the prefix's display scale set before it starts, as an operator's
# setting would be, and puts the usual scale back afterwards: at_dpi.sh PREFIX DPI PROGRAM [ARGS...]
# Wine cannot change the scale of a running program, so each scale is a fresh start.
set -euo pipefail
prefix=$1 dpi=$2
shift 2
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$(dirname "$0")/../../cmake/wine-prefix.sh" "$prefix"
key='HKCU\Control Panel\Desktop'
trap 'wine reg delete "$key" /v LogPixels /f >/dev/null 2>&1 || true' EXIT
wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
ROTAPLEX_DPI=$dpi wine "$@"
