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
echo "start to mapped under $(wine --version), $runs runs each:"
echo "$result" | sed -n \
  -e 's/^median first \(.*\)/  Tandrel.exe + Vorlick.dll, median          \1/p' \
  -e 's/^median second \(.*\)/  plain MessageBoxW program, median          \1/p' \
  -e 's/^median ratio \(.*\)/  ratio of the medians                       \1 (goal: at most 1.25)/p' \
  -e 's/^quartile first \(.*\)/  Tandrel.exe + Vorlick.dll, lower quartile  \1/p' \
  -e 's/^quartile second \(.*\)/  plain MessageBoxW program, lower quartile  \1/p' \
  -e 's/^quartile ratio \(.*\)/  ratio of the lower quartiles               \1 (for a busy machine)/p'
