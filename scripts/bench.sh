#!/usr/bin/env bash
# Benchmarks, never part of the tests: installs what is missing, generates the small and large game
# folders, builds and runs the native and the Wine benchmarks and prints their figures.
#   bench.sh [--benchmark_... flags for the native benchmark]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ROTAPLEX_BUILD:-$root/build}/bench
jobs=$(nproc)

"$root/scripts/install-deps.sh"

for size in small large; do
  rm -rf "${build:?}/$size"
  python3 "$root/scripts/make-game-folder.py" "$build/$size" --preset "$size"
done

cmake -S "$root" -B "$build/native" -G Ninja -DROTAPLEX_BENCH=ON >/dev/null
cmake --build "$build/native" -j "$jobs" --target data_path_bench
cmake -S "$root" -B "$build/win" -G Ninja -DROTAPLEX_BENCH=ON \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build/win" -j "$jobs" --target wine_data_path_bench window_bench

echo "== machine =="
echo "$(nproc) cores,$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2), $(free -h | awk '/^Mem:/ {print $2}') memory"

echo "== native data core =="
"$build/native/bench/data_path_bench" "$build/small" "$build/large" "$@"

echo "== Windows data path under Wine =="
prefix=$build/win/wineprefix
for size in small large; do
  folder="Z:$build/$size/"
  "$root/cmake/wine-run.sh" "$prefix" "$build/win/bench/wine_data_path_bench.exe" "${folder//\//\\}" 20
done
"$root/cmake/wine-server.sh" "$prefix" stop

echo "== Windows under Wine =="
# The windows need a display: a virtual one of our own, which outlives the Wine server.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  for size in small large; do
    folder="Z:$2/$size/"
    "$1/cmake/wine-run.sh" "$3" "$2/win/bench/window_bench.exe" "${folder//\//\\}" 20
  done
  "$1/cmake/wine-server.sh" "$3" stop' _ "$root" "$build" "$prefix"
