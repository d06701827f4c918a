#!/usr/bin/env bash
# Builds the fuzz targets of the data core (clang, libFuzzer, ASan + UBSan) and runs each one:
#   fuzz.sh [SECONDS | -runs=N] [TARGET...]
# SECONDS (default 600) or N executions per target; targets run side by side, one per core.
# Targets: setting_lines, mission_file, mission_reader_diff, rotation_roundtrip (default all). The committed seeds in
# fuzz/corpus/TARGET are only read; what a run learns goes to BUILD/fuzz/found/TARGET, its log to
# BUILD/fuzz/TARGET.log and a crashing input to BUILD/fuzz/crashes/. Fails if any target fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${ROTAPLEX_BUILD:-$root/build}/fuzz

limit=${1:-600}
case $limit in
  -runs=[0-9]*) bound=$limit ;;
  *[!0-9]* | '') echo "usage: fuzz.sh [SECONDS | -runs=N] [TARGET...]" >&2; exit 2 ;;
  *) bound=-max_total_time=$limit ;;
esac
shift $(($# > 0 ? 1 : 0))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(setting_lines mission_file mission_reader_diff rotation_roundtrip)

cmake -S "$root" -B "$out" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DROTAPLEX_FUZZ=ON >/dev/null
cmake --build "$out" --target "${targets[@]/%/_fuzzer}"

run() {
  local target=$1
  mkdir -p "$out/found/$target" "$out/crashes"
  # Inputs up to 1 KB hold every limit the formats have (255-character values, 99-character
  # entries) and run five times faster than 4 KB ones; huge inputs are the unit tests' job.
  # A hang would otherwise wait out libFuzzer's 20-minute default before it counts as a failure.
  "$out/fuzz/${target}_fuzzer" "$bound" -max_len=1024 -timeout=60 -print_final_stats=1 \
    -dict="$root/fuzz/tokens.dict" -artifact_prefix="$out/crashes/$target-" \
    "$out/found/$target" "$root/fuzz/corpus/$target" >"$out/$target.log" 2>&1
}

# One line per target from its log: executions, seconds, coverage and corpus size.
summary() {
  awk -v target="$1" '
    / cov: / { for (i = 1; i < NF; i++) { if ($i == "cov:") cov = $(i + 1); if ($i == "ft:") ft = $(i + 1);
                                         if ($i == "corp:") corp = $(i + 1) } }
    /^Done [0-9]+ runs in/ { secs = $5 }
    /^stat::number_of_executed_units:/ { runs = $2 }
    END { split(corp, c, "/")
          printf "%s: %d runs in %d s, coverage %d edges, %d features, corpus %d inputs, no crash\n",
                 target, runs, secs, cov, ft, c[1] }' "$out/$1.log"
}

cores=$(nproc)
for target in "${targets[@]}"; do
  rm -f "$out/$target.status"
  while [ "$(jobs -rp | wc -l)" -ge "$cores" ]; do wait -n || true; done
  (if run "$target"; then echo 0; else echo $?; fi >"$out/$target.status") &
done
wait

failed=0
for target in "${targets[@]}"; do
  if [ "$(cat "$out/$target.status")" = 0 ]; then
    summary "$target"
  else
    echo "$target: FAILED, log $out/$target.log:"
    cat "$out/$target.log"
    failed=1
  fi
done
exit $failed
