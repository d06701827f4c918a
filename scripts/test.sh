#!/usr/bin/env bash
# Builds and runs every test: the native core suite, then the Windows build under Wine and Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ROTAPLEX_BUILD:-$root/build}
jobs=$(nproc)

"$root/scripts/install-deps.sh"

echo "== native core =="
cmake -S "$root" -B "$build/native" -G Ninja >/dev/null
cmake --build "$build/native" -j "$jobs"
ctest --test-dir "$build/native" -j "$jobs" --output-on-failure

echo "== native core under AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S "$root" -B "$build/native-asan" -G Ninja -DROTAPLEX_SANITIZE=ON >/dev/null
cmake --build "$build/native-asan" -j "$jobs"
UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir "$build/native-asan" -j "$jobs" --output-on-failure

echo "== fuzzing the core for 20 s per target =="
ROTAPLEX_BUILD="$build" "$root/scripts/fuzz.sh" 20

echo "== Windows build under Wine =="
"$root/scripts/build.sh" "$build/win"
# A virtual display of our own, so window tests never touch the user's desktop.
xvfb-run -a -s "-screen 0 1024x768x24" \
  ctest --test-dir "$build/win" --output-on-failure
