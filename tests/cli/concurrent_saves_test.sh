#!/usr/bin/env bash
# Many rotaplex-cli edits at once on one folder, while a reader keeps looking at the file: every
# edit either lands or is refused with status 2, the entries added are as many as the "Saved"
# lines, and the reader never finds servercycle.txt missing.
# concurrent_saves_test.sh DEMO_GAME WORK_DIR WRITERS PROGRAM...: PROGRAM is the command that
# starts rotaplex-cli (or wine-run.sh PREFIX EXE); it gets the copy's folder as WORK_DIR's
# concurrent-game, in Windows' spelling when it is run through Wine.
set -euo pipefail
demo=$1 work=$2 writers=$3; shift 3
run=("$@")
game=$work/concurrent-game
folder_arg=$game
[[ ${run[0]} == *wine-run.sh ]] && folder_arg="Z:${game//\//\\}"
mkdir -p "$work"
rm -rf "$game" "$work/concurrent-out" && cp -r "$demo" "$game" && mkdir "$work/concurrent-out"
before=$(grep -c '^map=' "$game/servercycle.txt")

# The reader: counts the looks that found no file, until told to stop.
misses=$work/concurrent-out/misses
(
  count=0
  while [ ! -e "$work/concurrent-out/stop" ]; do
    [ -f "$game/servercycle.txt" ] || count=$((count + 1))
  done
  echo "$count" >"$misses"
) &
reader=$!

pids=()
for i in $(seq 1 "$writers"); do
  ( status=0
    "${run[@]}" add "$folder_arg" hillfight.nfo::HillFight >"$work/concurrent-out/$i.out" 2>&1 || status=$?
    echo "$status" >"$work/concurrent-out/$i.status" ) &
  pids+=($!)
done
wait "${pids[@]}"
touch "$work/concurrent-out/stop"
wait "$reader"

failures=0
saved=$(cat "$work"/concurrent-out/*.out | tr -d '\r' | grep -c '^Saved ' || true)
for i in $(seq 1 "$writers"); do
  status=$(cat "$work/concurrent-out/$i.status")
  if [ "$status" != 0 ] && [ "$status" != 2 ]; then
    echo "FAIL: writer $i ended with status $status:"; cat "$work/concurrent-out/$i.out"; failures=$((failures + 1))
  fi
done
after=$(grep -c '^map=' "$game/servercycle.txt")
if [ $((after - before)) != "$saved" ]; then
  echo "FAIL: $saved writers said Saved, $((after - before)) entries were added"; failures=$((failures + 1))
fi
if [ "$(cat "$misses")" != 0 ]; then
  echo "FAIL: the reader found no servercycle.txt $(cat "$misses") times"; failures=$((failures + 1))
fi
echo "$writers writers, $saved saved, $((writers - saved)) refused; the reader never missed the file"
exit "$failures"
