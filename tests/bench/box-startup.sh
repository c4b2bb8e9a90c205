#!/bin/sh
# Time from process start to the box being mapped, on one private Xvfb
# display: the native tandrel (its GTK box, shown by the helper program)
# against a minimal GTK 3 window program, zenity --question and xmessage,
# interleaved round by round. Prints each program's median of ROUNDS rounds
# (default 21), the machine's load, and the ratios.
#   tests/bench/box-startup.sh [ROUNDS]
set -eu
cd "$(dirname "$0")/../.."
rounds=${1:-21}
build=build/native
cmake --build "$build" --target tandrel vorlick_gtk map_time minimal_gtk_window >/dev/null
command -v zenity >/dev/null || scripts/install-deps.sh

state=$(mktemp -d)
request=$(mktemp)
trap 'scripts/wine-session.sh cleanup "$state"; rm -rf "$state" "$request"' EXIT
scripts/wine-session.sh setup "$state" --display-only
DISPLAY=$(cat "$state/display")
export DISPLAY
# map_time ends each run before the box is answered, so the request stays.
printf '<TITLE>Question<\\TITLE><BODY>Do you want to go on?<\\BODY><STYLE>36<\\STYLE>' >"$request"

text="Do you want to go on?"
set -- "$build/bin/tandrel" "$request" \
  -- "$build/tests/bench/minimal_gtk_window" \
  -- zenity --question --text "$text" \
  -- xmessage -buttons Yes,No "$text"
# One round first, so that no program pays for a cold disk cache.
"$build/tests/bench/map_time" 1 "$@" >/dev/null 2>&1
load=$(cut -d' ' -f1-3 /proc/loadavg)
result=$("$build/tests/bench/map_time" "$rounds" "$@" 2>/dev/null)
medians=$(echo "$result" | sed -n 's/^median \(.*\) ms$/\1/p' | tr '\n' ' ')
# shellcheck disable=SC2086
set -- $medians
echo "start to mapped, median of $rounds interleaved rounds (load $load):"
echo "  tandrel (GTK)       $1 ms"
echo "  minimal GTK window  $2 ms"
echo "  zenity --question   $3 ms"
echo "  xmessage            $4 ms"
awk -v t="$1" -v m="$2" -v z="$3" -v x="$4" 'BEGIN {
  printf "  tandrel / minimal GTK window %.2f (at most 1.3)\n", t / m
  printf "  tandrel / zenity             %.2f (at most 0.6)\n", t / z
  printf "  tandrel / xmessage           %.2f\n", t / x }'
