#!/bin/sh
# Takes docs/windows-box.png: samples/question.txt shown by the real
# Tandrel.exe and Vorlick.dll in the build's Wine session, cut to the box.
# With a locale, Wine speaks its language and the picture is
# docs/windows-box-LL.png of samples/question-LL.txt (LL: the language).
#   screenshot-box.sh [BUILD_DIR [LOCALE]]   (default build/windows, from the
#                                             top; e.g. de_DE.UTF-8)
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$top/build/windows}" && pwd)
locale=${2:-}
language=${locale%%_*}
request=$top/samples/question.txt
picture=$top/docs/windows-box.png
if [ -n "$locale" ]; then
  request=$top/samples/question-$language.txt
  picture=$top/docs/windows-box-$language.png
fi
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
cp "$request" "$work/question.txt"
# Only Wine speaks the locale's language; it need not be installed.
set --
if [ -n "$locale" ]; then set -- env LC_ALL="$locale"; fi
"$@" wine "$stage/Tandrel.exe" "$(winepath -w "$work/question.txt")" \
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
  "$picture"
wait "$runner" || true  # the box closes by itself after its time-out
echo "wrote $picture ($size)"
