#!/bin/sh
# Start-up of the Windows box under Wine: the time from process start to the
# box being mapped, for Tandrel.exe with Vorlick.dll against a plain program
# that calls the system's MessageBoxW with the same texts and style. Both run
# in the Windows build's Wine session, taking turns, RUNS times each
# (default 21); prints each one's median and their ratio (goal: at most
# 1.25), and the same for the lower quartiles, which a busy machine disturbs
# less than the medians.
#   tests/bench/wine-box-startup.sh [RUNS]
set -eu
cd "$(dirname "$0")/../.."
runs=${1:-21}
native=build/native
windows=build/windows
[ -f "$native/build.ninja" ] || cmake --preset native >/dev/null
[ -f "$windows/build.ninja" ] || cmake --preset windows >/dev/null
cmake --build "$native" --target map_time >/dev/null
cmake --build "$windows" --target Tandrel vorlick plain_box >/dev/null

# The build's session when it is up (a test run's), else one of its own.
state=$windows/wine-session
session=running
if ! [ -f "$state/display" ] ||
  ! xdpyinfo -display "$(cat "$state/display")" >/dev/null 2>&1; then
  session=started
  scripts/wine-session.sh setup "$state"
fi
request=$(mktemp --suffix=.txt)
stop() {
  rm -f "$request"
  if [ "$session" = started ]; then scripts/wine-session.sh cleanup "$state"; fi
}
trap stop EXIT
eval "$(scripts/wine-session.sh env "$state")"

caption=Question
text="Do you want to go on?"
style=36  # MB_YESNO | MB_ICONQUESTION
# map_time ends each run before the box is answered, so the request stays.
printf '<TITLE>%s<\\TITLE><BODY>%s<\\BODY><STYLE>%s<\\STYLE>' \
  "$caption" "$text" "$style" >"$request"
tandrel="wine $windows/bin/Tandrel.exe $(winepath -w "$request")"
plain="wine $windows/bin/plain_box.exe"

# Two rounds first, so that neither pays for a cold disk cache.
# shellcheck disable=SC2086 # the commands are split into their words
"$native/tests/bench/map_time" 2 $tandrel -- $plain "$caption" "$text" \
  "$style" >/dev/null
# shellcheck disable=SC2086
result=$("$native/tests/bench/map_time" "$runs" $tandrel -- $plain \
  "$caption" "$text" "$style")
medians=$(echo "$result" | sed -n 's/^median \(.*\) ms$/\1/p' | tr '\n' ' ')
quartiles=$(echo "$result" | sed -n 's/^quartile \(.*\) ms$/\1/p' | tr '\n' ' ')
echo "start to mapped under $(wine --version), $runs runs each (load $(cut -d' ' -f1-3 /proc/loadavg)):"
awk -v m="$medians" -v q="$quartiles" 'BEGIN {
  split(m, median, " "); split(q, quartile, " ")
  printf "  Tandrel.exe + Vorlick.dll  median %6.1f ms  lower quartile %6.1f ms\n", median[1], quartile[1]
  printf "  plain MessageBoxW program  median %6.1f ms  lower quartile %6.1f ms\n", median[2], quartile[2]
  printf "  ratio of the medians %.2f (goal: at most 1.25); of the lower quartiles %.2f\n",
         median[1] / median[2], quartile[1] / quartile[2] }'
