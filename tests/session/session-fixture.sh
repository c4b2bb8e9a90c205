#!/bin/sh
# What the tests of tandrel-ask --session run against, all real and all
# private: a system bus of its own (dbus-daemon) with logind's interface
# served by python3-dbusmock's logind template, a user made for the tests
# (with a group of its own and one more), its home and runtime folder, an
# Xvfb display that asks for the user's X cookie and a headless weston, both
# run as that user, a stand-in session leader, and the user's language as
# AccountsService keeps it. The sessions themselves the tests describe to
# the mock. tandrel and tandrel-ask are installed into a folder the user
# can reach (the build tree may not be).
#   session-fixture.sh setup   STATE BUILD_DIR   (as root; else it says why
#                                                 and the tests skip)
#   session-fixture.sh cleanup STATE
# STATE/env then holds NAME=value lines for the tests. Every wait is
# bounded; a setup that fails cleans up what it made.
set -eu

command=$1
state=$(mkdir -p "$2" && cd "$2" && pwd)

fail() {
  echo "session-fixture: $*" >&2
  for log in "${root:-/nonexistent}"/*.log; do
    [ -f "$log" ] && sed "s|^|$(basename "$log"): |" "$log" | tail -n 20 >&2
  done
  cleanup
  exit 1
}

# Waits up to $1 tenths of a second for the command that follows to succeed.
wait_for() {
  tries=$1
  shift
  while ! "$@" 2>/dev/null; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

# Whether a process runs: an ended one whose parent has not reaped it (here
# often init, for what the setup left running) counts as ended.
alive() {
  run_state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f1)
  [ -n "$run_state" ] && [ "$run_state" != Z ]
}

# Ends a process this fixture started, by its ID: TERM, then KILL after 3 s.
end_process() {
  [ -n "$1" ] || return 0
  kill "$1" 2>/dev/null || return 0
  for _ in $(seq 30); do
    alive "$1" || return 0
    sleep 0.1
  done
  kill -9 "$1" 2>/dev/null || true
}


cleanup() {
  [ -f "$state/root" ] || return 0
  root=$(cat "$state/root")
  for name in leader weston xvfb mock bus; do
    [ -f "$root/$name.pid" ] && end_process "$(cat "$root/$name.pid")"
  done
  if [ -f "$state/user" ]; then
    user=$(cat "$state/user")
    # Whatever a test left running as the test's own user.
    for pid in $(ps -o pid= -u "$user" 2>/dev/null); do end_process "$pid"; done
    # -f: a zombie of the user's that init has not reaped yet is no reason
    # to keep the user.
    userdel -f "$user" >/dev/null 2>&1 || true
    groupdel "$user" >/dev/null 2>&1 || true
    groupdel "$user-x" >/dev/null 2>&1 || true
    rm -f "/var/lib/AccountsService/users/$user"
  fi
  if [ -f "$state/accounts-made" ]; then
    rmdir /var/lib/AccountsService/users /var/lib/AccountsService 2>/dev/null || true
  fi
  rm -rf "$root"
  rm -f "$state/root" "$state/user" "$state/accounts-made" "$state/env" "$state/skip"
}

# useradd and groupadd lock the user database; another build's tests may
# hold it for a moment.
retry() {
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.3
  done
  "$@"
}

make_user() {
  user="tandrel-st$$"
  echo "$user" >"$state/user"
  # A command, not a function: started in the background, $! is its own ID.
  as_user="setpriv --reuid=$user --regid=$user --init-groups"
  retry groupadd "$user-x" || fail "cannot make the group $user-x"
  retry useradd -M -d "$root/home" -s /usr/sbin/nologin -U -G "$user-x" "$user" ||
    fail "cannot make the user $user"
  # dconf's folder is there in every running session.
  install -d -m 0700 -o "$user" -g "$user" "$root/home" "$root/run" \
    "$root/run/dconf"
  if [ ! -d /var/lib/AccountsService/users ]; then
    touch "$state/accounts-made"
    mkdir -p /var/lib/AccountsService/users
  fi
  printf '[User]\nLanguage=fr_FR.UTF-8\n' >"/var/lib/AccountsService/users/$user"
}

start_bus() {
  cat >"$root/system.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$root/system_bus_socket</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_type="method_call"/>
    <allow send_type="signal"/>
    <allow send_type="method_return"/>
    <allow send_type="error"/>
    <allow receive_type="method_call"/>
    <allow receive_type="signal"/>
    <allow receive_type="method_return"/>
    <allow receive_type="error"/>
  </policy>
</busconfig>
EOF
  dbus-daemon --config-file="$root/system.conf" --nofork \
    </dev/null >"$root/bus.log" 2>&1 &
  echo $! >"$root/bus.pid"
  bus="unix:path=$root/system_bus_socket"
  wait_for 50 test -S "$root/system_bus_socket" || fail "dbus-daemon did not start"
  # Debian's python3 has dbusmock; a python3 earlier on PATH may not.
  env -u DISPLAY DBUS_SYSTEM_BUS_ADDRESS="$bus" \
    /usr/bin/python3 -m dbusmock --system --template logind \
    </dev/null >"$root/mock.log" 2>&1 &
  echo $! >"$root/mock.pid"
  wait_for 150 dbus-send --bus="$bus" --dest=org.freedesktop.login1 \
    --print-reply /org/freedesktop/login1 org.freedesktop.DBus.Peer.Ping \
    >/dev/null || fail "the logind mock did not start"
}

# The server takes its cookie from a file of its own (the display number
# in it does not matter to the server); clients find it by display number.
start_displays() {
  cookie=$(mcookie)
  xauth -q -f "$root/server.xauth" add :0 MIT-MAGIC-COOKIE-1 "$cookie" 2>/dev/null
  chown "$user:$user" "$root/server.xauth"
  mkdir -p -m 1777 /tmp/.X11-unix
  $as_user env -i HOME="$root/home" Xvfb -displayfd 3 -auth "$root/server.xauth" \
    -screen 0 1024x768x24 -nolisten tcp -noreset \
    3>"$root/display.number" </dev/null >"$root/xvfb.log" 2>&1 &
  echo $! >"$root/xvfb.pid"
  wait_for 100 test -s "$root/display.number" || fail "Xvfb did not start"
  display=":$(cat "$root/display.number")"
  for file in "$root/home/.Xauthority" "$root/home/leader.xauth"; do
    xauth -q -f "$file" add "$display" MIT-MAGIC-COOKIE-1 "$cookie" 2>/dev/null
    chown "$user:$user" "$file"
  done
  $as_user env -i HOME="$root/home" XDG_RUNTIME_DIR="$root/run" weston \
    --backend=headless-backend.so --shell=kiosk-shell.so --no-config \
    --socket=wayland-0 </dev/null >"$root/weston.log" 2>&1 &
  echo $! >"$root/weston.pid"
  wait_for 100 test -S "$root/run/wayland-0" || fail "weston did not start"
  # A session leader as a display manager's would be: the session's X
  # cookie and language in its environment.
  $as_user env -i XAUTHORITY="$root/home/leader.xauth" LANG=de_DE.UTF-8 \
    LC_MESSAGES=de_DE.UTF-8 sleep 3600 </dev/null >/dev/null 2>&1 &
  echo $! >"$root/leader.pid"
}

case $command in
  setup)
    cleanup
    if [ "$(id -u)" -ne 0 ]; then
      echo "session-fixture: not root: the tests of --session that need root skip"
      touch "$state/skip"
      exit 0
    fi
    root=$(mktemp -d /tmp/tandrel-session.XXXXXX)
    chmod 0755 "$root"
    echo "$root" >"$state/root"
    cmake --install "$3" --prefix "$root/usr" >"$root/install.log" 2>&1 ||
      fail "cannot install the build into $root/usr"
    make_user
    start_bus
    start_displays
    cat >"$state/env" <<EOF
ROOT=$root
USER_NAME=$user
USER_ID=$(id -u "$user")
GROUP_ID=$(id -g "$user")
EXTRA_GROUP_ID=$(getent group "$user-x" | cut -d: -f3)
BUS=$bus
DISPLAY=$display
LEADER=$(cat "$root/leader.pid")
WESTON=$(cat "$root/weston.pid")
EOF
    echo "session-fixture: user $user, display $display, bus $bus"
    ;;
  cleanup)
    cleanup
    ;;
  *)
    echo "usage: session-fixture.sh setup|cleanup STATE [BUILD_DIR]" >&2
    exit 2
    ;;
esac
