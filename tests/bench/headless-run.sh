#!/bin/sh
# A whole tandrel run where no box can be shown (no display, no terminal)
# against /bin/true: median of many interleaved runs of each (default 400).
# The run must not load GTK nor the shared C++ runtime; a benchmark to read,
# not a timed test.
#   tests/bench/headless-run.sh [ROUNDS]
set -eu
cd "$(dirname "$0")/../.."
build=build/native
cmake --build "$build" --target tandrel headless_time >/dev/null
"$build/tests/bench/headless_time" 20 "$build/bin/tandrel" >/dev/null # warm
"$build/tests/bench/headless_time" "${1:-400}" "$build/bin/tandrel"
