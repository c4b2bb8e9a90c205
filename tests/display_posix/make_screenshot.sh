#!/bin/sh
# Makes docs/linux-box.png: a Yes/No question with a 10-second time-out and
# Yes as its default, on a display of its own (scripts/wine-session.sh) with
# openbox for the title bar (apt-get install openbox). Run from the source
# tree after a build:
#   tests/display_posix/make_screenshot.sh build/native
set -eu
build=${1:-build/native}
state=$(mktemp -d)
trap 'scripts/wine-session.sh cleanup "$state"; rm -rf "$state"' EXIT
scripts/wine-session.sh setup "$state" --display-only
DISPLAY=$(cat "$state/display")
export DISPLAY NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory
openbox >/dev/null 2>&1 &
manager=$!
trap 'kill $manager 2>/dev/null || true; scripts/wine-session.sh cleanup "$state"; rm -rf "$state"' EXIT
sleep 1
"$build/tests/display_posix/vorlick_demo" 0x24 10 6 'Save changes' \
  'Do you want to save the changes to report.txt\nbefore closing?' &
box=$!
sleep 3
# The root is black: trimming it leaves the framed box.
import -window root png:- | convert png:- -trim +repage docs/linux-box.png
window=$(xdotool search --onlyvisible --name '^Save changes$' | head -1)
xdotool windowfocus --sync "$window" key Return
wait $box
