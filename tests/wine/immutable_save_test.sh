#!/usr/bin/env bash
# A save that the file system refuses, through the real program: makes the rotation file of a
# copy of the demo game folder immutable (a Windows program cannot do that under Wine), runs the
# test that expects the refusal, and checks the file from this side too.
# Skipped (77) where chattr +i is not possible: it needs root and a file system that has it.
# immutable_save_test.sh PREFIX TEST_EXE WORK_DIR
set -euo pipefail
prefix=$1 exe=$2 work=$3
test_name=RotaplexExe.RefusedSaveIsToldAndKeepsTheWindowAndTheEdits
game=$(mktemp -d "$work/immutable-game.XXXXXX")
trap 'chattr -i "$game/servercycle.txt" 2>/dev/null || true; rm -rf "$game"' EXIT
mkdir "$game/game"
cp -r "$ROTAPLEX_SOURCE/demo/game/." "$game/game/"
cp "$game/game/servercycle.txt" "$game/before.txt"
if ! chattr +i "$game/game/servercycle.txt" 2>/dev/null; then
  echo "chattr +i is not possible here: skipped"
  exit 77
fi
trap 'chattr -i "$game/game/servercycle.txt" 2>/dev/null || true; rm -rf "$game"' EXIT

windows_folder="Z:${game//\//\\}\\game\\"
ROTAPLEX_IMMUTABLE_GAME=$windows_folder "$(dirname "$0")/../../cmake/wine-run.sh" "$prefix" "$exe" \
  --gtest_filter="$test_name" | tee "$game/output.txt"
# The filter must have found the test, and the test must not have skipped.
grep -q "^\[       OK \] $test_name" "$game/output.txt"
cmp "$game/game/servercycle.txt" "$game/before.txt"
