#!/usr/bin/env bash
# Benchmarks, never part of the tests: installs what is missing, generates the game folders,
# builds and runs the native and the Wine benchmarks and prints their figures.
#   bench.sh [SHAPE...] [--base REV] [--benchmark_... flags for the native benchmark]
# SHAPE: small, large, many, few (default all of them). Every shape gets the native data path
# and the Windows data path under Wine and start-up against a minimal program; small and large
# also the windows. Lookups are compared when both small and large run.
# --base REV builds the same benchmarks against the program as it was at REV (a commit) and runs
# them after the current ones, on the same folders: the figures before and after a change.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ROTAPLEX_BUILD:-$root/build}/bench
jobs=$(nproc)

shapes=()
flags=()
base=
while [ $# -gt 0 ]; do
  case $1 in
    small | large | many | few) shapes+=("$1") ;;
    --base) base=${2:?--base needs a commit}; shift ;;
    --benchmark_*) flags+=("$1") ;;
    *) echo "usage: bench.sh [small|large|many|few ...] [--base REV] [--benchmark_... flags]" >&2; exit 2 ;;
  esac
  shift
done
[ ${#shapes[@]} -gt 0 ] || shapes=(small large many few)
has() { [[ " ${shapes[*]} " == *" $1 "* ]]; }
# Wine reads 20000 files slowly: fewer rounds for that shape.
rounds() { if [ "$1" = many ]; then echo 5; else echo 20; fi; }
winpath() { local path="Z:$1"; echo "${path//\//\\}"; }
# One Wine prefix for every build: making one takes long and fills 700 MB.
prefix=$build/win/wineprefix

# build_benchmarks SOURCE BUILD: the native and the Windows benchmarks of one source tree.
build_benchmarks() {
  cmake -S "$1" -B "$2/native" -G Ninja -DROTAPLEX_BENCH=ON >/dev/null
  cmake --build "$2/native" -j "$jobs" --target data_path_bench
  cmake -S "$1" -B "$2/win" -G Ninja -DROTAPLEX_BENCH=ON \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$2/win" -j "$jobs" --target wine_data_path_bench window_bench startup_bench minimal_window Rotaplex
  # Started as it ships, stripped: under Wine the debug information alone slowed its start by
  # some 35 ms.
  x86_64-w64-mingw32-strip -o "$2/win/app/Rotaplex-stripped.exe" "$2/win/app/Rotaplex.exe"
}

# run_benchmarks BUILD TITLE
run_benchmarks() {
  local out=$1 shape
  echo "== $2: native data core =="
  local folders=()
  for shape in "${shapes[@]}"; do folders+=("$shape=$build/$shape"); done
  # With the right to, at real-time priority: on a busy machine the other work then waits for
  # the benchmark instead of interrupting it.
  local priority=()
  if chrt -f 50 true 2>/dev/null; then priority=(chrt -f 50); fi
  ${priority[@]+"${priority[@]}"} "$out/native/bench/data_path_bench" "${folders[@]}" ${flags[@]+"${flags[@]}"}

  echo "== $2: Windows data path under Wine =="
  for shape in "${shapes[@]}"; do
    "$root/cmake/wine-run.sh" "$prefix" "$out/win/bench/wine_data_path_bench.exe" "$(winpath "$build/$shape/")" \
      "$(rounds "$shape")"
  done
  "$root/cmake/wine-server.sh" "$prefix" stop

  local window_folders=()
  for shape in small large; do has "$shape" && window_folders+=("$(winpath "$build/$shape/")"); done
  if [ ${#window_folders[@]} -gt 0 ]; then
    echo "== $2: windows under Wine =="
    # The windows need a display: a virtual one of our own, which outlives the Wine server.
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
      for folder in "${@:4}"; do "$1/cmake/wine-run.sh" "$2" "$3/bench/window_bench.exe" "$folder" 20; done
      "$1/cmake/wine-server.sh" "$2" stop' _ "$root" "$prefix" "$out/win" "${window_folders[@]}"
  fi

  echo "== $2: start-up under Wine =="
  for shape in "${shapes[@]}"; do
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
      "$1/cmake/wine-run.sh" "$2" "$3/bench/startup_bench.exe" "$4" "$5" "$6" "$7"
      "$1/cmake/wine-server.sh" "$2" stop' _ "$root" "$prefix" "$out/win" "$(winpath "$build/$shape/")" \
      "$(rounds "$shape")" "$(winpath "$out/win/app/Rotaplex-stripped.exe")" "$(winpath "$out/win/bench/minimal_window.exe")"
  done
}

"$root/scripts/install-deps.sh"

for shape in "${shapes[@]}"; do
  rm -rf "${build:?}/$shape"
  python3 "$root/scripts/make-game-folder.py" "$build/$shape" --preset "$shape"
done

build_benchmarks "$root" "$build"
if [ -n "$base" ]; then
  # The program at REV with today's benchmarks, so that both measure the same steps.
  # A build of another commit's files must not take objects built from the last one's.
  rm -rf "${build:?}/base"
  mkdir -p "$build/base/src"
  git -C "$root" archive "$base" | tar -x -m -C "$build/base/src"
  rm -rf "$build/base/src/bench"
  cp -r "$root/bench" "$build/base/src/bench"
  build_benchmarks "$build/base/src" "$build/base"
fi

echo "== machine =="
echo "$(nproc) cores,$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2), $(free -h | awk '/^Mem:/ {print $2}') memory"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

run_benchmarks "$build" "now"
if [ -n "$base" ]; then run_benchmarks "$build/base" "at $base"; fi
