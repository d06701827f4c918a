#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix: wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is made on first use, never the user's ~/.wine.
set -euo pipefail
prefix=$1; shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$(dirname "$0")/wine-prefix.sh" "$prefix"
exec wine "$@"
