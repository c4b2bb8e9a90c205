#!/bin/sh
# A round of planted faults: each mutant of the first-party code under the
# folders (or files) given is built into the native preset and the suite
# (load and soak left out) must catch it. Reports killed, survived, not
# compiled and equivalent per folder.
#
# Usage: scripts/mutate.sh [--list] [--sample N] [PATH...]
#   PATH       a folder or a source file (default: request app platform
#              display/common client); the sources and headers under it that
#              the native build compiles are mutated, tables (*.inc) are not.
#              A file may be given as FILE:FIRST-LAST (lines; either end may
#              be left out) to take only the mutants starting on those lines
#   --list     only lists the mutants and their number per folder
#   --sample N takes one mutant in N of each file (the 1st, the N+1st, ...):
#              a round of the whole tree in an Nth of the time, whose scores
#              are estimates
#
# The operators are scripts/mutants.awk's (comparison boundaries, == and !=
# swapped, && and || swapped, literals plus and minus one, conditions forced
# true or false, call statements removed), one mutant at a time. Each one:
#   1. written into the source file (restored after the mutant, also on
#      SIGINT, SIGTERM or SIGHUP; a run killed outright is repaired by the
#      next one, from build/mutate-state);
#   2. its objects compiled: a mutant that does not compile counts as not
#      compiled; one whose objects hold the same code and data as before
#      (debug information aside) cannot be told apart: "same code";
#   3. the rest built, then the tests of the programs built from the mutated
#      file first, the others after them, both stopping at the first failure
#      (killed); a phase that runs longer than twice the unmutated suite
#      plus a minute counts as killed with the note "timeout".
# Mutants known to be equivalent are listed, each with its reason, in
# scripts/mutate-equivalent.tsv, and not run.
#
# Every build and test runs in scripts/sandbox.sh: a private mount namespace
# entered as root with everything read-only but build/mutate, a private /dev
# and a private /tmp (its header says why that and not a user without
# rights). The round refuses to start unless `sandbox.sh --check` passes.
# It needs root, 2 cores' worth of time (ninja and ctest with -j2) and
# builds in build/mutate, apart from build/native.
#
# Results in build/mutate-report/: summary.txt, mutants.tsv (one line per
# mutant), survivors.tsv (in the equivalent list's format, to be given a
# test or a reason), logs/ (each survivor's and timeout's output; every
# mutant's with MUTATE_KEEP_LOGS=1).
set -eu

usage() {
  echo "usage: scripts/mutate.sh [--list] [--sample N] [PATH...]" >&2
  echo "  PATH: folders or source files, a file also as FILE:FIRST-LAST (lines)" >&2
  echo "        (default: request app platform display/common client)" >&2
  exit 2
}

# --step, inside the sandbox: one mutant's build and tests. Writes
# "OUTCOME<TAB>NOTE" to BUILD/mutation.result.
#   mutate.sh --step BUILD STATE LIMIT QUICK SLOW OBJECT...
# QUICK, SLOW: the numbers of the tests to run first, comma-separated (or
# "-"): those of the programs built from the mutated file that took less
# than a second unmutated, then the others; then the rest of the suite.
step() {
  build=$1 state=$2 limit=$3 quick=$4 slow=$5
  shift 5
  log=$build/mutation.log
  echo "mutate: step started $(date +%T.%N)" >"$log"
  finish() {
    echo "mutate: step ended $(date +%T.%N): $1" >>"$log"
    printf '%s\t%s\n' "$1" "$2" >"$build/mutation.result"
    exit 0
  }
  if ! ninja -C "$build" "$@" >>"$log" 2>&1; then finish "not compiled" ""; fi
  same=true
  for object in "$@"; do
    objcopy --strip-debug "$build/$object" "$build/mutation.o"
    if ! cmp -s "$build/mutation.o" "$state/pristine/$(echo "$object" | tr / _)"; then
      same=false
      break
    fi
  done
  rm -f "$build/mutation.o"
  $same && finish "same code" ""
  echo "mutate: compiled $(date +%T.%N)" >>"$log"
  if ! ninja -C "$build" -j2 >>"$log" 2>&1; then
    if grep -q -E 'collect2|ld returned|undefined reference' "$log"; then
      finish "not compiled" "link"
    fi
    finish killed "at build time: $(sed -n 's/^FAILED: //p' "$log" | head -n 1)"
  fi
  echo "$quick,$slow" | tr ',' '\n' | sort >"$build/mutation.near"
  [ "$quick" = - ] || phase "$quick"
  [ "$slow" = - ] || phase "$slow"
  phase "$(cut -f1 "$state/tests.tsv" | sort | comm -23 - "$build/mutation.near" |
    sort -n | paste -sd, -)"
  finish survived ""
}

# One phase of the suite: the tests numbered in $1 (comma-separated).
phase() {
  [ -n "$1" ] || return 0
  status=0
  echo "mutate: tests $1, $(date +%T.%N)" >>"$log"
  # The numbers are ctest's own (from a list without load and soak); -I
  # with -LE would count them in the filtered list instead.
  timeout -k 10 "$limit" ctest --test-dir "$build" \
    -I "0,0,0,$1" -j2 --stop-on-failure --timeout 60 --output-on-failure \
    >>"$log" 2>&1 || status=$?
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    finish killed "timeout (${limit} s)"
  fi
  if [ "$status" -ne 0 ]; then
    failed=$(sed -n 's/.*Test *#[0-9]*: \([^ ]*\) .*\*\*\*\([A-Za-z]*\).*/\1 (\2)/p' "$log" | head -n 1)
    finish killed "${failed:-ctest status $status}"
  fi
}

if [ "${1:-}" = --step ]; then
  shift
  [ $# -ge 6 ] || usage
  step "$@"
fi

list_only=false sample=1
while [ $# -gt 0 ]; do
  case $1 in
    --list) list_only=true ;;
    --sample)
      [ $# -ge 2 ] || usage
      case $2 in '' | *[!0-9]* | 0*) usage ;; esac
      sample=$2
      shift
      ;;
    -*) usage ;;
    *) break ;;
  esac
  shift
done

cd "$(dirname "$0")/.."
root=$(pwd -P)
build=$root/build/mutate
state=$root/build/mutate-state
report=$root/build/mutate-report
equivalent=$root/scripts/mutate-equivalent.tsv
mutants_awk=$root/scripts/mutants.awk
export LC_ALL=C

[ $# -gt 0 ] || set -- request app platform display/common client
paths="" ranges=""
for path in "$@"; do
  path=${path%/}
  case $path in
    *:*)
      range=${path##*:} path=${path%:*}
      case $range in *-*) ;; *) range=$range-$range ;; esac
      first=${range%%-*} last=${range#*-}
      case $first$last in *[!0-9]*) echo "mutate: $range: give lines as FIRST-LAST" >&2; exit 2 ;; esac
      [ -f "$path" ] || { echo "mutate: $path: lines can be given for a file only" >&2; exit 2; }
      ranges="$ranges$path	${first:-1}	${last:-999999}
"
      ;;
  esac
  case $path in
    /* | *..*) echo "mutate: $path: give a path inside the tree, relative to it" >&2; exit 2 ;;
  esac
  [ -e "$path" ] || { echo "mutate: no $path" >&2; exit 2; }
  case $path in
    app | app/* | client | client/* | display | display/* | platform | platform/* | \
      request | request/* | shared | shared/* | tools | tools/*) ;;
    *) echo "mutate: $path is not first-party product code" >&2; exit 2 ;;
  esac
  paths="$paths $path"
done

if [ "$(id -u)" -ne 0 ]; then
  echo "mutate: needs root (the sandbox is a private mount namespace)" >&2
  exit 2
fi
for tool in unshare setpriv cmake ninja ctest objcopy timeout; do
  command -v "$tool" >/dev/null || { echo "mutate: needs $tool" >&2; exit 2; }
done

mkdir -p "$state" "$build"

# A run that was killed outright left its mutant in place: put it back.
restore() {
  if [ -f "$state/pending" ]; then
    file=$(cat "$state/pending")
    cat "$state/backup" >"$file"
    cmp -s "$state/backup" "$file" || { echo "mutate: could not restore $file" >&2; exit 1; }
    rm -f "$state/pending" "$state/backup"
  fi
}
restore
trap 'restore' EXIT
trap 'restore; trap - EXIT; echo "mutate: interrupted, sources restored" >&2; exit 130' INT TERM HUP

tree_before=$(git status --porcelain)
dev_null=$(stat -c '%F %t:%T' /dev/null)

sandbox() { "$root/scripts/sandbox.sh" "$build" "$@"; }

"$root/scripts/sandbox.sh" --check "$build" >/dev/null || {
  echo "mutate: the sandbox check failed; no mutant is run" >&2
  exit 1
}

# The unmutated build and suite: they must pass, and give the time limit.
echo "mutate: building build/mutate and running its suite unmutated" >&2
sandbox sh -c "cd '$root' && cmake --preset native -B '$build' >/dev/null &&
  ninja -C '$build' -j2 >'$build/mutation.log' 2>&1" || {
  echo "mutate: the unmutated build fails (build/mutate/mutation.log)" >&2
  exit 1
}
# The session tests run too: the user they add lands in the sandbox's
# copy-on-write /etc.
leave_out_label='load|soak'
started=$(date +%s)
if ! $list_only; then
  sandbox ctest --test-dir "$build" -LE "$leave_out_label" -j2 >"$build/mutation.log" 2>&1 || {
    echo "mutate: the suite fails without any mutant (build/mutate/mutation.log)" >&2
    exit 1
  }
fi
baseline=$(($(date +%s) - started))
limit=$((2 * baseline + 60))

# Tests are named by their numbers in the whole list, which is what -I
# takes: ctest numbers a filtered list anew. -FA: the tests labelled,
# without the fixtures they would pull in.
ctest --test-dir "$build" -N | sed -n 's/^ *Test *#\([0-9]*\): \(.*\)$/\1\t\2/p' \
  >"$state/all-tests.tsv"
ctest --test-dir "$build" -N -L "$leave_out_label" -FA . | sed -n 's/^ *Test *#[0-9]*: //p' \
  >"$state/left-out"
awk -F'\t' 'NR == FNR { out[$0] = 1; next }
  !($2 in out) { print $1 }' "$state/left-out" "$state/all-tests.tsv" \
  >"$state/suite-numbers"
# The tests that took a second or more unmutated.
sed -n 's/.*Test *#[0-9]*: \([^ ]*\) .* Passed *\([0-9.]*\) sec.*/\1 \2/p' "$build/mutation.log" |
  awk -F'\t' 'NR == FNR { number[$2] = $1; next }
    { split($0, f, " ") } f[2] >= 1 && (f[1] in number) { print number[f[1]] }' \
    "$state/all-tests.tsv" - | sort >"$state/slow-tests"

# The suite: test number and command, and the programs each one runs.
ctest --test-dir "$build" -N -V | sed -n 's/^\([0-9]*\): Test command: /\1\t/p' |
  awk -F'\t' 'NR == FNR { keep[$1] = 1; next } $1 in keep' "$state/suite-numbers" - \
  >"$state/tests.tsv"
# The memcheck runs take seconds where the tests they run take a fraction of
# one: they run with the rest.
awk -F'\t' -v build="$build/" '$2 !~ /^[^ ]*\/valgrind / {
  n = split($2, words, /[" ]+/)
  for (i = 1; i <= n; ++i)
    if (index(words[i], build) == 1) print $1 "\t" substr(words[i], length(build) + 1)
}' "$state/tests.tsv" | sort -u >"$state/test-programs.tsv"
cut -f2 "$state/test-programs.tsv" | sort -u | while read -r program; do
  ninja -C "$build" -t inputs "$program" 2>/dev/null |
    grep "^$root/" | grep -v "^$build/" | sed "s|^$root/|$program	|"
done >"$state/program-sources.tsv"

# Every object and what it was compiled from (header dependencies included).
ninja -C "$build" -t deps | awk -v root="$root/" '
  /^[^ ].*: #deps/ { object = $1; sub(/:$/, "", object); next }
  /^    / { sub(/^ +/, ""); if (index($0, root) == 1) print object "\t" substr($0, length(root) + 1) }
' >"$state/object-deps.tsv"

# The files to mutate, each with the PATH it was found under.
for path in $paths; do
  cut -f2 "$state/object-deps.tsv" | sort -u | grep -E '\.(cpp|h)$' |
    while read -r file; do
      case $file in "$path" | "$path"/*) printf '%s\t%s\n' "$path" "$file" ;; esac
    done
done | awk -F'\t' '!seen[$2]++' >"$state/files.found"
# Each file with the lines to take from it: FOLDER FILE FIRST LAST.
printf '%s' "$ranges" >"$state/ranges.tsv"
awk -F'\t' -v OFS='\t' 'FILENAME == ARGV[1] { first[$1] = $2; last[$1] = $3; next }
  { print $1, $2, ($2 in first ? first[$2] : 1), ($2 in last ? last[$2] : 999999) }' \
  "$state/ranges.tsv" "$state/files.found" >"$state/files.tsv"
[ -s "$state/files.tsv" ] || { echo "mutate: nothing the native build compiles under$paths" >&2; exit 2; }

# The known equivalent mutants: FILE OPERATOR OCCURRENCE TEXT (and REASON).
grep -v '^#' "$equivalent" 2>/dev/null | cut -f1-4 >"$state/equivalent.keys" || true

rm -rf "$report"
mkdir -p "$report/logs"
results=$report/mutants.tsv
printf 'FOLDER\tFILE\tOPERATOR\tOCCURRENCE\tTEXT\tOUTCOME\tNOTE\tSECONDS\tMUTATED\n' >"$results"

# The folder summary from mutants.tsv.
summary() {
  awk -F'\t' 'NR > 1 {
    folders[$1] = 1; count[$1, $6]++; total[$6]++; all++
    if ($6 == "killed" && $7 ~ /^timeout/) { timeouts[$1]++; total["timeout"]++ }
  }
  function line(name, k, s, e, a) {
    k = count[name, "killed"] + 0; s = count[name, "survived"] + 0
    printf "%-24s %6d %7d %9d %10d %10d %8d %8s\n", name, k, s, count[name, "not compiled"] + 0,
      count[name, "equivalent"] + 0, count[name, "same code"] + 0, timeouts[name] + 0,
      (k + s > 0 ? sprintf("%.1f %%", 100 * k / (k + s)) : "-")
  }
  END {
    printf "%-24s %6s %7s %9s %10s %10s %8s %8s\n", "folder", "killed", "survived",
      "not built", "equivalent", "same code", "timeouts", "score"
    for (f in folders) line(f)
    for (o in total) count["all", o] = total[o]
    timeouts["all"] = total["timeout"]
    line("all")
    print ""
    print "score: killed / (killed + survived); equivalent (listed) and same code"
    print "(the objects did not change) are left out, as are those not built."
  }' "$results"
}

# The mutants of FILE to run: those starting on lines FIRST to LAST, one in
# $sample of them.
chosen() {
  awk -f "$mutants_awk" "$1" | awk -F'\t' -v first="$2" -v last="$3" -v sample="$sample" \
    '$2 >= first && $2 <= last && ++n % sample == 1 % sample'
}

total=0
while IFS='	' read -r folder file first last; do
  count=$(chosen "$file" "$first" "$last" | wc -l)
  total=$((total + count))
  $list_only && chosen "$file" "$first" "$last" | sed "s|^|$file	|"
done <"$state/files.tsv" >"$state/all-mutants.tsv"
if $list_only; then
  cat "$state/all-mutants.tsv"
  awk -F'\t' 'NR == FNR { folder[$2] = $1; next } { n[folder[$1]]++ }
    END { for (f in n) printf "%s: %d mutants\n", f, n[f] }' \
    "$state/files.tsv" "$state/all-mutants.tsv" | sort >&2
  echo "mutate: $total mutants" >&2
  exit 0
fi
[ "$sample" -eq 1 ] || echo "mutate: one mutant in $sample of each file" >&2
echo "mutate: $total mutants in $(wc -l <"$state/files.tsv") files; the suite took ${baseline} s, a phase may take ${limit} s" >&2

round_start=$(date +%s)
done_count=0
while IFS='	' read -r folder file first last; do
  # Its objects and their code as it is now.
  objects=$(awk -F'\t' -v file="$file" '$2 == file { print $1 }' "$state/object-deps.tsv" | sort -u)
  rm -rf "$state/pristine"
  mkdir -p "$state/pristine"
  for object in $objects; do
    objcopy --strip-debug "$build/$object" "$state/pristine/$(echo "$object" | tr / _)"
  done
  # The tests to run first: those of the programs built from it (from the
  # sources that include it, for a header).
  case $file in
    *.h)
      sources=$(awk -F'\t' -v file="$file" 'NR == FNR { if ($2 == file) o[$1] = 1; next }
        ($1 in o) && $2 ~ /\.cpp$/ { print $2 }' "$state/object-deps.tsv" "$state/object-deps.tsv" | sort -u)
      near=$(for source in $sources; do
        awk -F'\t' -v file="$source" 'NR == FNR { if ($2 == file) p[$1] = 1; next } ($2 in p) { print $1 }' \
          "$state/program-sources.tsv" "$state/test-programs.tsv"
      done | sort -un | paste -sd, -)
      ;;
    *)
      near=$(awk -F'\t' -v file="$file" 'NR == FNR { if ($2 == file) p[$1] = 1; next } ($2 in p) { print $1 }' \
        "$state/program-sources.tsv" "$state/test-programs.tsv" | sort -un | paste -sd, -)
      ;;
  esac
  quick=$(echo "$near" | tr ',' '\n' | sort | comm -23 - "$state/slow-tests" | sort -n | paste -sd, -)
  slow=$(echo "$near" | tr ',' '\n' | sort | comm -12 - "$state/slow-tests" | sort -n | paste -sd, -)

  cp "$file" "$state/backup"
  echo "$root/$file" >"$state/pending"
  chosen "$file" "$first" "$last" >"$state/mutants.tsv"
  while IFS='	' read -r index line op occurrence text mutated; do
    outcome="" note=""
    key=$(printf '%s\t%s\t%s\t%s' "$file" "$op" "$occurrence" "$text")
    started=$(date +%s)
    if grep -qxF "$key" "$state/equivalent.keys"; then
      outcome=equivalent
    else
      awk -v apply="$index" -f "$mutants_awk" "$state/backup" >"$state/mutant"
      cat "$state/mutant" >"$file"
      rm -f "$build/mutation.result"
      status=0
      # shellcheck disable=SC2086
      sandbox "$root/scripts/mutate.sh" --step "$build" "$state" "$limit" "${quick:--}" "${slow:--}" $objects ||
        status=$?
      cat "$state/backup" >"$file"
      if [ "$status" -eq 125 ]; then
        echo "mutate: the sandbox refused to run; the round stops" >&2
        exit 1
      fi
      # The sandbox should make this impossible; if the machine's /dev/null
      # is not what it was, nothing after this mutant can be trusted.
      if [ "$(stat -c '%F %t:%T' /dev/null)" != "$dev_null" ]; then
        echo "mutate: /dev/null changed during $file mutant $index; the round stops" >&2
        exit 1
      fi
      if [ -f "$build/mutation.result" ]; then
        outcome=$(cut -f1 "$build/mutation.result")
        note=$(cut -f2 "$build/mutation.result")
      else
        outcome=killed note="the sandbox ended without a result"
      fi
      case ${MUTATE_KEEP_LOGS:-}:$outcome:$note in
        1:* | *:survived:* | *:killed:timeout* | *:killed:at\ build* | *:killed:the\ sandbox*)
          cp "$build/mutation.log" "$report/logs/$(echo "$file" | tr / _).$index.log" 2>/dev/null || true
          ;;
      esac
    fi
    seconds=$(($(date +%s) - started))
    printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$folder" "$file" "$op" "$occurrence" \
      "$text" "$outcome" "$note" "$seconds" "$mutated" >>"$results"
    done_count=$((done_count + 1))
    printf 'mutate: %d/%d %s:%s %s: %s%s\n' "$done_count" "$total" "$file" "$line" "$op" \
      "$outcome" "${note:+ ($note)}" >&2
  done <"$state/mutants.tsv"
  restore
  # The objects of this file built again from the restored source, so the
  # next file starts from unmutated objects.
  sandbox ninja -C "$build" -j2 >"$build/mutation.log" 2>&1 || {
    echo "mutate: the restored tree does not build (build/mutate/mutation.log)" >&2
    exit 1
  }
done <"$state/files.tsv"

elapsed=$(($(date +%s) - round_start))
{
  summary
  echo ""
  echo "$done_count mutants in $elapsed s ($(awk -v n="$done_count" -v s="$elapsed" \
    'BEGIN { printf "%.1f", (s > 0 ? 60 * n / s : 0) }') a minute); the unmutated suite took $baseline s"
  [ "$sample" -eq 1 ] || echo "sampled: one mutant in $sample of each file, so the scores are estimates"
} | tee "$report/summary.txt"
awk -F'\t' 'NR > 1 && $6 == "survived" {
  printf "# %s\n%s\t%s\t%s\t%s\t?\n", $9, $2, $3, $4, $5 }' "$results" >"$report/survivors.tsv"
echo "survivors: build/mutate-report/survivors.tsv; every mutant: build/mutate-report/mutants.tsv"

if [ "$(git status --porcelain)" != "$tree_before" ]; then
  echo "mutate: the working tree changed during the round:" >&2
  git status --short >&2
  exit 1
fi
