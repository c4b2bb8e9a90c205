#!/bin/sh
# Fuzzes every target that the fuzz preset builds, each for a given number of
# executions from the committed seeds, with a fixed random seed, so that the
# same command finds the same inputs again. For each target NAME it keeps, in
# build/fuzz-runs/NAME/:
#   corpus/     the inputs the run added (the seeds stay as committed)
#   minimized/  seeds and new inputs merged down to those that add coverage
#   crashes/    every input that broke a check or a sanitizer
#   fuzz.log, merge.log
# and prints executions, time, minimized corpus size and findings per target
# (also in build/fuzz-runs/summary.txt).
# Usage: scripts/fuzz.sh [EXECUTIONS [NAME...]]   (default: 10000000, all)
#   TANDREL_FUZZ_SEED  libFuzzer's random seed (default 1)
set -eu
cd "$(dirname "$0")/.."
runs=${1:-10000000}
[ $# -gt 0 ] && shift
seed=${TANDREL_FUZZ_SEED:-1}
out=$PWD/build/fuzz-runs
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# The build writes one line per fuzzer into build/fuzz/fuzzers/: made anew,
# so that a target no longer built is not run.
rm -rf build/fuzz/fuzzers
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc 2>/dev/null || echo 2)" >/dev/null

wanted() {
  [ $# -le 1 ] && return 0
  name=$1
  shift
  for w in "$@"; do [ "$w" = "$name" ] && return 0; done
  return 1
}

mkdir -p "$out"
summary=$out/summary.txt
printf '%-16s %12s %9s %8s %10s %9s\n' target executions seconds inputs bytes findings >"$summary"
tab=$(printf '\t')
failed=0
for manifest in build/fuzz/fuzzers/*.txt; do
  name=$(basename "$manifest" .txt)
  wanted "$name" "$@" || continue
  IFS=$tab read -r program seeds options <"$manifest"
  dir=$out/$name
  rm -rf "$dir"
  mkdir -p "$dir/corpus" "$dir/minimized" "$dir/crashes"
  echo "==== $name: $runs executions"
  start=$(date +%s)
  # shellcheck disable=SC2086
  "$program" -runs="$runs" -seed="$seed" -print_final_stats=1 \
    -artifact_prefix="$dir/crashes/" $options "$dir/corpus" "$seeds" \
    >"$dir/fuzz.log" 2>&1 || true
  seconds=$(($(date +%s) - start))
  # shellcheck disable=SC2086
  "$program" -merge=1 $options "$dir/minimized" "$dir/corpus" "$seeds" \
    >"$dir/merge.log" 2>&1 || true
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/fuzz.log")
  inputs=$(find "$dir/minimized" -type f | wc -l)
  bytes=$(find "$dir/minimized" -type f -exec cat {} + | wc -c)
  findings=$(find "$dir/crashes" -type f | wc -l)
  printf '%-16s %12s %9s %8s %10s %9s\n' "$name" "${executions:-?}" "$seconds" \
    "$inputs" "$bytes" "$findings" >>"$summary"
  if [ "$findings" -gt 0 ] || [ -z "$executions" ]; then
    echo "$name: see $dir/fuzz.log" >&2
    failed=1
  fi
done
cat "$summary"
exit $failed
