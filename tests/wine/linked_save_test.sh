#!/usr/bin/env bash
# Saves through symbolic links, which a Windows program cannot make under Wine: plants them with
# ln, runs the test that saves through them, and checks from this side that the link stayed a
# link, its target took the save, and nothing was written through the planted links.
# linked_save_test.sh PREFIX TEST_EXE WORK_DIR
set -euo pipefail
prefix=$1 exe=$2 work=$3
test_name=WindowsFileSystem.ReplacesWhatALinkPointsToAndNeverWritesThroughPlantedLinks
root=$(mktemp -d "$work/linked-save.XXXXXX")
trap 'rm -rf "$root"' EXIT
mkdir "$root/game" "$root/elsewhere" "$root/planted"
printf '[cycle]\r\nold' >"$root/elsewhere/servercycle.txt"
printf 'outside' >"$root/elsewhere/outside.txt"
ln -s ../elsewhere/servercycle.txt "$root/game/servercycle.txt"
printf 'private notes' >"$root/elsewhere/notes.txt"
chmod 600 "$root/elsewhere/notes.txt"
ln -s ../elsewhere/notes.txt "$root/planted/servercycle.txt"
ln -s outside.txt "$root/elsewhere/planted.tmp"
ln -s nothing.txt "$root/elsewhere/dangling.tmp"

ROTAPLEX_LINKED_GAME="Z:${root//\//\\}\\game\\" "$(dirname "$0")/../../cmake/wine-run.sh" "$prefix" "$exe" \
  --gtest_filter="$test_name" | tee "$root/output.txt"
grep -q "^\[       OK \] $test_name" "$root/output.txt"
[ -L "$root/game/servercycle.txt" ] || { echo "servercycle.txt is no longer a link"; exit 1; }
[ "$(cat "$root/elsewhere/servercycle.txt")" = "$(printf '[cycle]\r\nnew')" ]
[ "$(cat "$root/elsewhere/outside.txt")" = outside ]
[ -L "$root/elsewhere/planted.tmp" ] && [ -L "$root/elsewhere/dangling.tmp" ]
[ ! -e "$root/elsewhere/nothing.txt" ]
[ "$(cat "$root/elsewhere/notes.txt")" = "private notes" ] && [ "$(stat -c %a "$root/elsewhere/notes.txt")" = 600 ]
[ ! -e "$root/planted/servercycle.txt.bak" ] && [ ! -e "$root/elsewhere/notes.txt.bak" ]
