#!/bin/sh
# Runs every test: the native suites (plain, sanitized, with library
# assertions), the fuzzers for a bounded time and the Windows build's suites
# under Wine.
# Usage: scripts/test-all.sh [PRESET...]   (default: all five)
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
presets=${*:-native native-asan native-assertions fuzz windows}
jobs=$(nproc 2>/dev/null || echo 2)
for preset in $presets; do
  echo "==== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done
echo "==== all tests passed: $presets"
