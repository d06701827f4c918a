#!/usr/bin/env bash
# Keeps one wineserver alive for the whole test run: wine-server.sh PREFIX start|stop
# A server started by the first test would inherit CTest's output pipe and slow every test.
set -euo pipefail
prefix=$1
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$(dirname "$0")/wine-prefix.sh" "$prefix"
case $2 in
  start)
    # A server left from a run without a display would have no display driver: let it end first.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    wineserver -p >/dev/null 2>&1 </dev/null
    # Start the prefix's own services now, away from the test's output pipes they would hold open.
    wineboot >/dev/null 2>&1 </dev/null
    ;;
  stop)
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    ;;
esac
