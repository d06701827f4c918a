#!/usr/bin/env bash
# Benchmarks, never part of the tests: installs what is missing, generates the game folders,
# builds and runs the native and the Wine benchmarks and prints their figures.
#   bench.sh [SHAPE...] [--benchmark_... flags for the native benchmark]
# SHAPE: small, large, many, few (default all of them). Every shape gets the native data path
# and the Windows data path under Wine; small and large also the windows; large also start-up
# against a minimal program. Lookups are compared when both small and large run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ROTAPLEX_BUILD:-$root/build}/bench
jobs=$(nproc)

shapes=()
flags=()
for argument in "$@"; do
  case $argument in
    small | large | many | few) shapes+=("$argument") ;;
    --*) flags+=("$argument") ;;
    *) echo "usage: bench.sh [small|large|many|few ...] [--benchmark_... flags]" >&2; exit 2 ;;
  esac
done
[ ${#shapes[@]} -gt 0 ] || shapes=(small large many few)
has() { [[ " ${shapes[*]} " == *" $1 "* ]]; }
# Wine reads 20000 files slowly: fewer rounds for that shape.
rounds() { if [ "$1" = many ]; then echo 5; else echo 20; fi; }
winpath() { local path="Z:$1"; echo "${path//\//\\}"; }

"$root/scripts/install-deps.sh"

for shape in "${shapes[@]}"; do
  rm -rf "${build:?}/$shape"
  python3 "$root/scripts/make-game-folder.py" "$build/$shape" --preset "$shape"
done

cmake -S "$root" -B "$build/native" -G Ninja -DROTAPLEX_BENCH=ON >/dev/null
cmake --build "$build/native" -j "$jobs" --target data_path_bench
cmake -S "$root" -B "$build/win" -G Ninja -DROTAPLEX_BENCH=ON \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build/win" -j "$jobs" --target wine_data_path_bench window_bench startup_bench minimal_window Rotaplex

echo "== machine =="
echo "$(nproc) cores,$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2), $(free -h | awk '/^Mem:/ {print $2}') memory"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

echo "== native data core =="
folders=()
for shape in "${shapes[@]}"; do folders+=("$shape=$build/$shape"); done
"$build/native/bench/data_path_bench" "${folders[@]}" ${flags[@]+"${flags[@]}"}

echo "== Windows data path under Wine =="
prefix=$build/win/wineprefix
for shape in "${shapes[@]}"; do
  "$root/cmake/wine-run.sh" "$prefix" "$build/win/bench/wine_data_path_bench.exe" "$(winpath "$build/$shape/")" \
    "$(rounds "$shape")"
done
"$root/cmake/wine-server.sh" "$prefix" stop

window_shapes=()
for shape in small large; do has "$shape" && window_shapes+=("$shape"); done
if [ ${#window_shapes[@]} -gt 0 ]; then
  echo "== Windows under Wine =="
  # The windows need a display: a virtual one of our own, which outlives the Wine server.
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    for folder in "${@:3}"; do
      "$1/cmake/wine-run.sh" "$2" "$(dirname "$2")/bench/window_bench.exe" "$folder" 20
    done
    "$1/cmake/wine-server.sh" "$2" stop' _ "$root" "$prefix" \
    $(for shape in "${window_shapes[@]}"; do winpath "$build/$shape/"; done)
fi

if has large; then
  echo "== Start-up under Wine =="
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1/cmake/wine-run.sh" "$2" "$3/bench/startup_bench.exe" "$4" 20 "$5" "$6"
    "$1/cmake/wine-server.sh" "$2" stop' _ "$root" "$prefix" "$build/win" "$(winpath "$build/large/")" \
    "$(winpath "$build/win/app/Rotaplex.exe")" "$(winpath "$build/win/bench/minimal_window.exe")"
fi
