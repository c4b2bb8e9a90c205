#!/bin/sh
# Runs every test: the native suites (plain, sanitized, with library
# assertions), the fuzzers for a bounded time and the Windows build's suites
# under Wine, then the linters (scripts/lint.sh).
# Usage: scripts/test-all.sh [STEP...]   (default: the five presets, then lint)
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
steps=${*:-native native-asan native-assertions fuzz windows lint}
jobs=$(nproc 2>/dev/null || echo 2)
for step in $steps; do
  echo "==== $step"
  if [ "$step" = lint ]; then
    scripts/lint.sh
    continue
  fi
  cmake --preset "$step" >/dev/null
  cmake --build --preset "$step" -j "$jobs"
  ctest --preset "$step" -j "$jobs"
done
echo "==== all tests passed: $steps"
