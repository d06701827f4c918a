#!/usr/bin/env bash
# The Windows console build under Wine on a copy of the demo game folder:
# wine_smoke_test.sh WINE_RUN PREFIX EXE DEMO_GAME WORK_DIR
set -euo pipefail
wine_run=$1 prefix=$2 exe=$3 demo=$4 work=$5
game=$work/smoke-game
rm -rf "$game" && cp -r "$demo" "$game"
windows_game="Z:${game//\//\\}"

failures=0
# run EXPECTED_STATUS ARGS...: runs the program, keeps its output (line ends as LF) in $out.
run() {
  local expected=$1; shift
  local status=0
  out=$("$wine_run" "$prefix" "$exe" "$@" 2>&1 | tr -d '\r'; exit "${PIPESTATUS[0]}") || status=$?
  if [ "$status" != "$expected" ]; then
    echo "FAIL: $* gave status $status, not $expected:"; echo "$out"; failures=$((failures + 1))
  fi
}
expect() {
  if ! grep -qF -- "$1" <<<"$out"; then
    echo "FAIL: no \"$1\" in:"; echo "$out"; failures=$((failures + 1))
  fi
}

run 0 --help
expect "Usage: rotaplex-cli <command>"
run 1 check "$windows_game"
expect "$windows_game\\servercycle.txt:9: map=oldquarry.nfo::OldQuarry: matches no scenario"
run 0 list "$windows_game"
expect "7		oldquarry.nfo::OldQuarry	missing"
run 0 list "$windows_game" --json
expect '"position":10,"line":12,"display":"AshRidgeDuel FreeForAll"'
run 0 scenarios "$windows_game" blizzard
expect "frozenpass.nfo	FrozenPassBlizzard	name=FrozenPassBlizzard"
run 2 list "$windows_game\\missing"
expect "rotaplex-cli: $windows_game\\missing:"

# Edits: a dry run writes nothing; a real one removes exactly the entry's line.
run 0 remove "$windows_game" 7 --dry-run
expect "-map=oldquarry.nfo::OldQuarry"
cmp -s "$demo/servercycle.txt" "$game/servercycle.txt" || { echo "FAIL: the dry run wrote"; failures=$((failures + 1)); }
run 3 remove "$windows_game" 11
expect "no position 11"
run 0 remove "$windows_game" 7
expect "Saved $windows_game\\servercycle.txt"
grep -v OldQuarry "$demo/servercycle.txt" | cmp -s - "$game/servercycle.txt" ||
  { echo "FAIL: remove saved other bytes"; failures=$((failures + 1)); }
cmp -s "$demo/servercycle.txt" "$game/servercycle.txt.bak" ||
  { echo "FAIL: no backup of the previous version"; failures=$((failures + 1)); }

# An edit script on standard input (line ends as a Windows console gives them) is one save.
printf 'add RedCanyon --before 1\r\nshuffle --seed 5\r\n' >"$work/script.txt"
run 0 edit "$windows_game" <"$work/script.txt"
expect "Saved $windows_game\\servercycle.txt"
grep -v OldQuarry "$demo/servercycle.txt" | cmp -s - "$game/servercycle.txt.bak" ||
  { echo "FAIL: the script's backup is not the version before it"; failures=$((failures + 1)); }
run 0 save-set "$windows_game" weekday
expect "Saved $windows_game\\rotations\\weekday.txt"
run 0 --version
expect "rotaplex-cli "

[ "$failures" = 0 ] && echo "all passed"
exit "$failures"
