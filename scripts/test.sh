#!/usr/bin/env bash
# Builds and runs every test: the native core suite, then the Windows build under Wine and Xvfb,
# builds the Windows program with Clang too, then the release package, which it checks, signs
# with a throwaway certificate, and builds the commit twice more, in two other folders, to
# compare. The project's warnings are errors here.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ROTAPLEX_BUILD:-$root/build}
jobs=$(nproc)
cd "$root"

"$root/scripts/install-deps.sh"

# configure PRESET [OPTIONS...]: the preset's build, in $build/PRESET, warnings as errors.
configure() {
  cmake --preset "$1" -B "$build/$1" -DROTAPLEX_WERROR=ON "${@:2}" >/dev/null
}

echo "== native core =="
configure native
cmake --build "$build/native" -j "$jobs"
ctest --test-dir "$build/native" -j "$jobs" --output-on-failure

echo "== native core under AddressSanitizer and UndefinedBehaviorSanitizer =="
configure native-asan
cmake --build "$build/native-asan" -j "$jobs"
UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir "$build/native-asan" -j "$jobs" --output-on-failure

echo "== fuzzing the core for 20 s per target =="
ROTAPLEX_BUILD="$build" "$root/scripts/fuzz.sh" 20

echo "== Windows program built with Clang =="
configure win-clang
cmake --build "$build/win-clang" -j "$jobs"

echo "== Windows build under Wine =="
# The native rotaplex-cli built above is compared with the Windows one.
configure win -DROTAPLEX_NATIVE_CLI="$build/native/cli/rotaplex-cli"
cmake --build "$build/win" -j "$jobs"
# A virtual display of our own, so window tests never touch the user's desktop.
xvfb-run -a -s "-screen 0 1024x768x24" \
  ctest --test-dir "$build/win" --output-on-failure

echo "== release package: its checks, manifests and signing, and a second build of the commit =="
"$root/scripts/package.sh"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/release/CMakeCache.txt")
python3 "$root/tests/release/manifests_test.py" "$root/build/dist" "$version"
"$root/tests/release/signing_test.sh" "$root/build/dist/stage/Rotaplex-$version-win64"/*.exe
"$root/scripts/check-reproducible.sh" "$build/reproducible"
