#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 20).
# Every target runs, even after one fails; the last line counts what ran and
# what failed, and any failure fails the script.
# Usage: fuzz/run.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${1:-20}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(parse_real parse_int format_real split_token settings batch_csv case_file screw_table swr_circles compare_file touchstone load_set)
# the configure output is shown when it fails: it names a missing package
if ! log=$(CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo 2>&1); then
  echo "$log"
  exit 1
fi
cmake --build build-fuzz
ran=0
failed=()
for t in "${targets[@]}"; do
  corpus=fuzz/corpus-$t
  mkdir -p "$corpus"
  seeds=fuzz/seeds/$t
  echo "== fuzz_$t for ${secs}s"
  log=build-fuzz/fuzz_$t.log
  ran=$((ran + 1))
  if ./build-fuzz/fuzz_$t -max_total_time="$secs" -print_final_stats=1 -max_len=4096 \
       -artifact_prefix=build-fuzz/crash-$t- "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) >"$log" 2>&1; then
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$log" | sed "s/^/  /"
  else
    tail -40 "$log"
    echo "fuzz_$t FAILED (log: $log)"
    failed+=("$t")
  fi
done
echo "fuzz: ${ran} ran, ${#failed[@]} failed${failed:+ (${failed[*]})}"
[ ${#failed[@]} -eq 0 ]
