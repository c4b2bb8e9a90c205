#!/bin/sh
# Runs one fuzzer for a bounded time from its checked-in seeds. New inputs go
# to a working corpus in the build tree, so the seeds stay as committed.
# Usage: run-fuzzer.sh FUZZER WORK_DIR SEED_DIR SECONDS [LIBFUZZER OPTIONS...]
set -eu
fuzzer=$1 work=$2 seeds=$3 seconds=$4
shift 4
mkdir -p "$work"
exec "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$work/../" "$@" "$work" "$seeds"
