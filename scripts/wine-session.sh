#!/bin/sh
# One Wine session for a build tree: a private prefix, one Xvfb display and a
# persistent wineserver, shared by every Wine test and by the main job. With
# --display-only, the display alone: the native tests' display (the CTest
# fixture "display") and each display a test ends under a box.
#   wine-session.sh setup   STATE_DIR   prefix, Xvfb and wineserver up
#   wine-session.sh setup   STATE_DIR --display-only   only the Xvfb display
#   wine-session.sh run     STATE_DIR PROGRAM [ARGS...]   wine PROGRAM in it
#   wine-session.sh env     STATE_DIR   prints the variables to export
#   wine-session.sh cleanup STATE_DIR   stops wineserver and Xvfb
set -eu

usage() {
  echo "usage: wine-session.sh setup STATE_DIR [--display-only]" >&2
  echo "       wine-session.sh run STATE_DIR PROGRAM [ARGS...]" >&2
  echo "       wine-session.sh env|cleanup STATE_DIR" >&2
  exit 2
}

[ $# -ge 2 ] && [ -n "$2" ] || usage
command=$1
case $command in
  setup) [ $# -eq 2 ] || { [ $# -eq 3 ] && [ "$3" = --display-only ]; } || usage ;;
  run) [ $# -ge 3 ] || usage ;;
  env | cleanup) [ $# -eq 2 ] || usage ;;
  *) usage ;;
esac
state=$(mkdir -p "$2" && cd "$2" && pwd)
shift 2

# en_US.UTF-8 makes Wine take 1252 as the ANSI code page, whatever locales
# the machine has installed; a test checks that it does.
wine_env() {
  export WINEPREFIX="$state/prefix"
  export WINEDEBUG=-all
  export LC_ALL=en_US.UTF-8
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ -f "$state/display" ]; then DISPLAY=$(cat "$state/display"); export DISPLAY; fi
}

# Xvfb takes the first free display number itself (-displayfd) and writes it
# once it accepts connections: sessions started at the same time, here or in
# other build trees, never pick the same one. -noreset: the server stays as it
# is when its last client leaves, as a display-only session's often does
# between two boxes.
start_xvfb() {
  rm -f "$state/display.number"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    3>"$state/display.number" </dev/null >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 100); do
    if [ -s "$state/display.number" ]; then
      echo ":$(cat "$state/display.number")" >"$state/display"
      return 0
    fi
    kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null || break
    sleep 0.1
  done
  echo "wine-session: could not start Xvfb (see $state/xvfb.log)" >&2
  return 1
}

make_prefix() {
  [ -f "$WINEPREFIX/.tandrel-ready" ] && return 0
  rm -rf "$WINEPREFIX"
  wineboot -i >"$state/wineboot.log" 2>&1
  wineserver -w
  # No window manager: without Managed=N Wine waits 2 s after each closed
  # window. An empty debugger makes a crash end the process instead of
  # hanging in winedbg.
  for view in /reg:32 /reg:64; do
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f $view >/dev/null 2>&1
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
      /v Debugger /d '' /f $view >/dev/null 2>&1
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
      /v Auto /d 1 /f $view >/dev/null 2>&1
  done
  wineserver -w
  touch "$WINEPREFIX/.tandrel-ready"
}

case $command in
  setup)
    wine_env
    if [ ! -f "$state/display" ] || ! xdpyinfo -display "$(cat "$state/display")" >/dev/null 2>&1; then
      rm -f "$state/display"
      start_xvfb
    fi
    wine_env
    [ "${1:-}" = --display-only ] && exit 0
    make_prefix
    # A persistent server and the prefix's own processes (explorer, services)
    # started now, with nothing of the caller's output inherited: a process
    # that outlives a test must not hold the test runner's pipes open.
    wineserver -p 600 </dev/null >/dev/null 2>&1 || true  # may run already
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
    ;;
  run)
    wine_env
    log=$(mktemp "$state/run.XXXXXX")
    status=0
    wine "$@" </dev/null >"$log" 2>&1 || status=$?
    cat "$log"
    rm -f "$log"
    exit $status
    ;;
  env)
    wine_env
    echo "export WINEPREFIX='$WINEPREFIX' WINEDEBUG=-all LC_ALL=en_US.UTF-8 WINEDLLOVERRIDES='$WINEDLLOVERRIDES' DISPLAY='${DISPLAY:-}'"
    ;;
  cleanup)
    wine_env
    # A display-only session has no prefix, and so no wineserver to stop.
    if [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
    if [ -f "$state/xvfb.pid" ]; then kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true; fi
    rm -f "$state/display" "$state/display.number" "$state/xvfb.pid"
    ;;
esac
