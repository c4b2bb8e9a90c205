#!/bin/sh
# The main job: Tandrel.exe shows the bundled sample request (a Yes/No
# question, Yes as default, 10-second time-out) under Wine. Headless by
# default: the box appears on a private Xvfb display, a PNG screenshot of it is
# saved, and as nobody answers it times out and the exit code (32000) is
# printed. With --interactive the box appears on your own $DISPLAY instead.
# With --linux, the native program shows the same request (see README).
# Usage: scripts/main-job.sh [--interactive] [--linux] [REQUEST-FILE]
set -eu
cd "$(dirname "$0")/.."
interactive=no
linux=no
request=samples/question.txt
for argument in "$@"; do
  case $argument in
    --interactive) interactive=yes ;;
    --linux) linux=yes ;;
    -*) echo "usage: scripts/main-job.sh [--interactive] [--linux] [REQUEST]" >&2; exit 2 ;;
    *) request=$argument ;;
  esac
done

# Only a machine that lacks something needs the package step (and root).
scripts/install-deps.sh --check >/dev/null 2>&1 || scripts/install-deps.sh >/dev/null
out=$(pwd)/build/main-job
mkdir -p "$out"
# The run deletes its request file: hand it a copy.
cp "$request" "$out/request.txt"

# The regular expression that matches the name $1 exactly: xdotool takes
# --name as one, and a request's title may hold any character.
exactly() {
  printf '^%s$' "$(printf '%s' "$1" | sed 's/[][\.*^$+?(){}|]/\\&/g')"
}

# Saves a PNG of the window named $1 on $DISPLAY, once it is mapped.
screenshot() {
  window=""
  pattern=$(exactly "$1")
  for _ in $(seq 150); do
    window=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.2
  done
  if [ -z "$window" ]; then
    echo "main-job: no window named '$1' appeared" >&2
    return 0
  fi
  sleep 1.5  # let it paint and count down once
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$2"
  echo "screenshot: $2"
}

caption=$(tr -d '\000' <"$request" | sed -n 's/.*<TITLE>\(.*\)<\\TITLE>.*/\1/p' | head -1)

if [ $linux = yes ]; then
  cmake --preset native >/dev/null
  cmake --build --preset native --target tandrel >/dev/null
  if [ $interactive = no ]; then
    # A private display of its own for the native box.
    scripts/wine-session.sh setup build/native/x-session --display-only
    DISPLAY=$(cat build/native/x-session/display)
    export DISPLAY
    trap 'scripts/wine-session.sh cleanup build/native/x-session' EXIT
  fi
  build/native/bin/tandrel "$out/request.txt" &
  program=$!
  [ $interactive = no ] && screenshot "$caption" "$out/linux-box.png"
  status=0
  wait $program || status=$?
  echo "exit status: $status"
  exit 0
fi

cmake --preset windows >/dev/null
cmake --build --preset windows --target Tandrel vorlick tandrel_launch >/dev/null
if [ $interactive = yes ]; then
  saved_display=$DISPLAY
  scripts/wine-session.sh setup build/windows/wine-session
  eval "$(scripts/wine-session.sh env build/windows/wine-session)"
  DISPLAY=$saved_display
else
  scripts/wine-session.sh setup build/windows/wine-session
  eval "$(scripts/wine-session.sh env build/windows/wine-session)"
fi
bin=build/windows/bin
wine "$bin/tandrel_launch.exe" "$(winepath -w "$bin/Tandrel.exe")" \
  "$(winepath -w "$out/request.txt")" >"$out/result.txt" 2>&1 &
launcher=$!
[ $interactive = no ] && screenshot "$caption" "$out/windows-box.png"
wait $launcher || true
tr -d '\r' <"$out/result.txt"
if [ -e "$out/request.txt" ]; then echo "request file: kept"; else echo "request file: deleted"; fi
