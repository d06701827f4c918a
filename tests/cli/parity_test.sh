#!/usr/bin/env bash
# `check` finds the same problems in one folder as the native program and as the Windows console
# program under Wine: parity_test.sh NATIVE_EXE WINE_RUN PREFIX WINDOWS_EXE DEMO_GAME WORK_DIR
set -euo pipefail
native=$1 wine_run=$2 prefix=$3 exe=$4 demo=$5 work=$6
game=$work/parity-game
rm -rf "$game" && cp -r "$demo" "$game"
missions=$game/resource/missions
printf 'no scenarios section here\r\n' >"$missions/damaged.nfo"
printf '[Scenarios]\r\n' >"$missions/con.nfo"
mkdir "$missions/hall.nfo"
printf 'map=hall.nfo::Hall\r\n' >>"$game/servercycle.txt"
windows_game="Z:${game//\//\\}"

native_status=0
native_out=$("$native" check "$game/" 2>&1) || native_status=$?
windows_status=0
windows_out=$("$wine_run" "$prefix" "$exe" check "$windows_game\\" 2>&1 | tr -d '\r'; exit "${PIPESTATUS[0]}") ||
  windows_status=$?
# The same text once the folder's spelling and the separator are set aside.
native_out=${native_out//"$game/"/GAME/}
windows_out=${windows_out//"$windows_game\\"/GAME/}
windows_out=${windows_out//\\//}

if [ "$native_status" != 1 ] || [ "$windows_status" != 1 ] || [ "$native_out" != "$windows_out" ]; then
  echo "FAIL: native (status $native_status) and Windows (status $windows_status) differ:"
  diff <(echo "$native_out") <(echo "$windows_out") || true
  exit 1
fi
for problem in "damaged.nfo" "con.nfo" "map=oldquarry.nfo::OldQuarry" "map=hall.nfo::Hall"; do
  grep -qF -- "$problem" <<<"$native_out" || { echo "FAIL: $problem not reported in:"; echo "$native_out"; exit 1; }
done
echo "$native_out"
echo "the same problems on both"
