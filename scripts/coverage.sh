#!/bin/sh
# Line and branch coverage of the first-party code from the native suites
# (load and soak left out), with gcovr (Debian's package): the native preset
# built again in build/coverage, Debug (no optimizer to fold lines away) and
# --coverage, its suite run, then the report.
#
# Usage: scripts/coverage.sh [FOLDER...]
#   FOLDER   default: request app platform display/common client (the
#            mutation round's folders); tests/ never counts
# Results in build/coverage-report/: summary.txt (lines and branches per
# folder, then per file), index.html (each file line by line).
# Branches are counted without the ones the compiler adds for exceptions
# and those it proves unreachable. A failing test does not stop the report;
# the script then ends with status 1 after it.
set -eu

usage() {
  echo "usage: scripts/coverage.sh [FOLDER...]" >&2
  echo "  FOLDER: default request app platform display/common client" >&2
  exit 2
}
case ${1:-} in -*) usage ;; esac

cd "$(dirname "$0")/.."
root=$(pwd -P)
build=$root/build/coverage
report=$root/build/coverage-report
[ $# -gt 0 ] || set -- request app platform display/common client
for folder in "$@"; do
  folder=${folder%/}
  case $folder in /* | *..* | tests | tests/*) usage ;; esac
  [ -d "$folder" ] || { echo "coverage: no folder $folder" >&2; exit 2; }
done
command -v gcovr >/dev/null || { echo "coverage: needs gcovr (apt-get install gcovr)" >&2; exit 2; }

cmake --preset native -B "$build" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_FLAGS=--coverage -DCMAKE_CXX_FLAGS=--coverage \
  -DCMAKE_EXE_LINKER_FLAGS=--coverage -DCMAKE_SHARED_LINKER_FLAGS=--coverage >/dev/null
cmake --build "$build" -j2
# Counts from an earlier run would add up with this one's.
find "$build" -name '*.gcda' -exec rm -f {} +
# The session tests run tandrel as a user of their own, which must be able
# to write its counts into this scratch tree, also into the files that a
# test run as root created first.
find "$build" -type d -exec chmod a+rwx {} +
umask 000
tests=0
# The package tests check the packages, not the code: here the umask would
# give their folders the wrong modes, and the consumer would link the
# instrumented kit into a program built without --coverage.
ctest --test-dir "$build" -LE 'load|soak' -E '^package[.]' -j2 \
  --output-on-failure || tests=1

rm -rf "$report"
mkdir -p "$report"
filters=""
for folder in "$@"; do filters="$filters --filter $root/${folder%/}/"; done
# shellcheck disable=SC2086
gcovr --root "$root" --object-directory "$build" $filters \
  --exclude-directories "$build/CMakeFiles/[0-9]" \
  --exclude-throw-branches --exclude-unreachable-branches \
  --json "$report/coverage.json" \
  --html-details "$report/index.html" --html-title "Tandrel: native suites" >/dev/null

# One line per folder, then gcovr's own tables of every file.
{
  printf '%-18s %24s %24s\n' folder lines branches
  for folder in "$@"; do
    folder=${folder%/}
    # gcovr replaces its output file rather than write into it: given
    # /dev/null, it turned the machine's /dev/null into a regular file.
    gcovr --add-tracefile "$report/coverage.json" --root "$root" \
      --filter "$root/$folder/" --print-summary -o "$report/folder.txt" |
      awk -v folder="$folder" '
        /^lines:/ { lines = $2 " " $3 " " $4 " " $5 " " $6 " " $7 }
        /^branches:/ { branches = $2 " " $3 " " $4 " " $5 " " $6 " " $7 }
        END { printf "%-18s %24s %24s\n", folder, lines, branches }'
  done
  echo
  gcovr --add-tracefile "$report/coverage.json" --root "$root" --sort-uncovered
  echo
  gcovr --add-tracefile "$report/coverage.json" --root "$root" --branches --sort-uncovered
} >"$report/summary.txt"
rm -f "$report/folder.txt"
sed -n '1,/^$/p' "$report/summary.txt"
echo "coverage: build/coverage-report/summary.txt, build/coverage-report/index.html"
[ "$tests" -eq 0 ] || echo "coverage: some tests failed (above); the figures count what ran" >&2
exit "$tests"
