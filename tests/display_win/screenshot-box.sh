#!/bin/sh
# Takes docs/windows-box.png: samples/question.txt shown by the real
# Tandrel.exe and Vorlick.dll in the build's Wine session, cut to the box.
#   screenshot-box.sh [BUILD_DIR]   (default build/windows, from the top)
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$top/build/windows}" && pwd)
state=$build/wine-session
stage=$build/tests/display_win/stage/real
work=$(mktemp -d)
# A session already up (a test run's) is used as it is and left running;
# one started here is stopped again.
session=running
if ! [ -f "$state/display" ] ||
  ! xdpyinfo -display "$(cat "$state/display")" >/dev/null 2>&1; then
  session=started
  "$top/scripts/wine-session.sh" setup "$state"
fi
stop() {
  rm -rf "$work"
  if [ "$session" = started ]; then
    "$top/scripts/wine-session.sh" cleanup "$state"
  fi
}
trap stop EXIT

eval "$("$top/scripts/wine-session.sh" env "$state")"
cp "$top/samples/question.txt" "$work/question.txt"
wine "$stage/Tandrel.exe" "$(winepath -w "$work/question.txt")" \
  </dev/null >/dev/null 2>&1 &
runner=$!

# The box's X window carries its caption as its name.
geometry=
for _ in $(seq 100); do
  geometry=$(xwininfo -root -tree -display "$DISPLAY" 2>/dev/null |
    sed -n 's/.*"Tandrel": ("[^"]*" "[^"]*")  *\([0-9x+-]*\).*/\1/p' | head -n 1)
  [ -n "$geometry" ] && break
  sleep 0.1
done
[ -n "$geometry" ] || { echo "screenshot-box: no box appeared" >&2; exit 1; }
sleep 0.5  # let the box paint
size=${geometry%%+*}
position=${geometry#"$size"}
import -window root -display "$DISPLAY" -crop "$size$position" +repage \
  "$top/docs/windows-box.png"
wait "$runner" || true  # the box closes by itself after its time-out
echo "wrote $top/docs/windows-box.png ($size)"
