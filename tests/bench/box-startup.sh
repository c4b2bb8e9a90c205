#!/bin/sh
# Time from process start to the box being mapped, on one private Xvfb
# display: the native tandrel (GTK) against zenity --question and xmessage.
# Prints each program's median of RUNS runs (default 15) and the ratios.
#   tests/bench/box-startup.sh [RUNS]
set -eu
cd "$(dirname "$0")/../.."
runs=${1:-15}
build=build/native
cmake --build "$build" --target tandrel map_time >/dev/null
command -v zenity >/dev/null || apt-get install -y -q zenity >/dev/null

state=$(mktemp -d)
request=$(mktemp)
trap 'scripts/wine-session.sh cleanup "$state"; rm -rf "$state" "$request"' EXIT
scripts/wine-session.sh setup "$state" --display-only
DISPLAY=$(cat "$state/display")
export DISPLAY
# map_time ends each run before the box is answered, so the request stays.
printf '<TITLE>Question<\\TITLE><BODY>Do you want to go on?<\\BODY><STYLE>36<\\STYLE>' >"$request"

median() { "$build/tests/bench/map_time" "$runs" "$@" | sed -n 's/^median \(.*\) ms$/\1/p'; }
# One run each first, so that no program pays for a cold disk cache.
"$build/tests/bench/map_time" 1 "$build/bin/tandrel" "$request" >/dev/null
"$build/tests/bench/map_time" 1 zenity --question --text "Do you want to go on?" >/dev/null 2>&1
"$build/tests/bench/map_time" 1 xmessage -buttons Yes,No "Do you want to go on?" >/dev/null

tandrel=$(median "$build/bin/tandrel" "$request")
zenity=$(median zenity --question --text "Do you want to go on?" 2>/dev/null)
xmessage=$(median xmessage -buttons Yes,No "Do you want to go on?")
echo "start to mapped, median of $runs runs:"
echo "  tandrel (GTK)     $tandrel ms"
echo "  zenity --question $zenity ms"
echo "  xmessage          $xmessage ms"
awk -v t="$tandrel" -v z="$zenity" -v x="$xmessage" 'BEGIN {
  printf "  zenity / tandrel   %.2f\n  xmessage / tandrel %.2f\n", z / t, x / t }'
