#!/bin/sh
# Runs a command where it can change nothing but one folder of its own: a
# build tree. A planted fault in the file layer once made a test delete
# /dev/null on the machine running the suite; a mutation round runs such
# faults by the hundred, so each runs here.
#
# The sandbox is a private mount namespace, entered as root (unshare -m,
# with its own PID, IPC and network namespaces), not a user without rights:
# the suites run as root in CI and some of their cases depend on it (a
# folder made immutable so that even root cannot delete from it), and a
# user without rights could still delete whatever it owns or can write
# (/tmp, the build tree of another run, a world-writable file). Here every
# mount of the machine is read-only and even root gets EROFS:
#   - every mount the namespace inherits is remounted read-only; only
#     WRITABLE_DIR is bound writable;
#   - /dev is a private tmpfs with the few nodes the suites use (null, zero,
#     full, random, urandom, tty, a private devpts with ptmx, shm): deleting
#     /dev/null in here deletes the sandbox's own node;
#   - /tmp and /var/tmp are private tmpfs, gone with the sandbox; HOME and
#     TMPDIR point there;
#   - /etc, /var/lib and /var/log are overlays on the machine's, their
#     upper layers on a tmpfs of the sandbox's own: a user added in here
#     (the session tests add one) is gone with the sandbox;
#   - the command runs without the capabilities that could undo this
#     (sys_admin: mount; mknod: a node for the disk; sys_rawio, sys_module,
#     bpf, ...), and all its processes die with it (the PID namespace).
# Before the command starts, every mount is checked: one that is writable
# outside the scratch places ends the sandbox with status 125.
#
# Usage: scripts/sandbox.sh WRITABLE_DIR COMMAND [ARG...]
#        scripts/sandbox.sh --check WRITABLE_DIR
# --check proves it: a file outside the scratch places cannot be deleted, the
# host's /dev/null survives its deletion inside, the source tree cannot be
# written, the mounts cannot be made writable again, WRITABLE_DIR can.
set -eu

usage() {
  echo "usage: scripts/sandbox.sh WRITABLE_DIR COMMAND [ARG...]" >&2
  echo "       scripts/sandbox.sh --check WRITABLE_DIR" >&2
  exit 2
}

# Capabilities that could reach past the read-only mounts or the machine.
# sys_ptrace stays: it reaches only the processes of the sandbox's own PID
# namespace, and the session tests need it to read the box's /proc entries
# (another user's).
dropped="-sys_admin,-mknod,-sys_rawio,-sys_module,-sys_boot,-sys_time"
dropped="$dropped,-bpf,-perfmon,-net_admin,-syslog,-mac_admin"
dropped="$dropped,-mac_override,-audit_control,-sys_pacct,-checkpoint_restore"

# The folders that are copy on write in here (see private_layers).
layered="/etc /var/lib /var/log"
# The sandbox's own mounts, besides WRITABLE_DIR and the private /dev.
own_places="/tmp /var/tmp $layered"

# The scratch places, which alone may be writable: WRITABLE_DIR, the
# sandbox's own mounts and everything under the private /dev.
is_scratch() {
  case $1 in
    "$writable" | /dev | /dev/*) return 0 ;;
  esac
  for place in $own_places; do
    [ "$1" = "$place" ] && return 0
  done
  return 1
}

# The mount points of /proc/self/mountinfo, blanks and backslashes decoded.
mount_points() {
  awk '{
    gsub(/\\040/, " ", $5); gsub(/\\011/, "\t", $5); gsub(/\\134/, "\\", $5)
    print $5
  }' /proc/self/mountinfo
}

# The mounts a path can reach (not covered by another mount, nor inside a
# covered one) that break the rule, one a line: outside the scratch places
# writable, or at a scratch place other than WRITABLE_DIR not the
# sandbox's own.
wrong_mounts() {
  awk -v writable="$writable" -v places="$own_places" '
    function unescape(s) {
      gsub(/\\040/, " ", s); gsub(/\\011/, "\t", s); gsub(/\\134/, "\\", s)
      return s
    }
    # A mount stacked on another stands where that one stands; any other
    # is reached through its parent, which must be visible itself.
    function reached(m, up) {
      up = parent[m]
      if (!(up in point) || up == m) return 1
      return point[up] == point[m] ? reached(up) : visible(up)
    }
    function visible(m) { return !covered[m] && reached(m) }
    BEGIN { n = split(places, list, " "); for (i = 1; i <= n; ++i) own[list[i]] = 1 }
    {
      for (f = 7; $f != "-"; ++f) {}
      parent[$1] = $2; point[$1] = unescape($5); options[$1] = $6
      source[$1] = $(f + 2)
      order[++count] = $1
    }
    END {
      for (i = 1; i <= count; ++i) {
        m = order[i]
        for (j = 1; j <= count; ++j) {
          n = order[j]
          if (parent[n] == m && point[n] == point[m]) covered[m] = 1
        }
      }
      for (i = 1; i <= count; ++i) {
        m = order[i]
        if (!visible(m)) continue
        p = point[m]
        if (p == writable) continue
        if (p in own || p == "/dev" || p ~ /^\/dev\//) {
          if (source[m] !~ /^sandbox-/) print p " (not the sandbox'"'"'s own)"
          continue
        }
        if (("," options[m] ",") !~ /,ro,/) print p " (writable)"
      }
    }' /proc/self/mountinfo
}

private_dev() {
  mount -t tmpfs -o mode=0755,nosuid,size=64m sandbox-dev /dev
  for node in "null 1 3" "zero 1 5" "full 1 7" "random 1 8" "urandom 1 9" \
    "tty 5 0"; do
    # shellcheck disable=SC2086
    set -- $node
    mknod -m 0666 "/dev/$1" c "$2" "$3"
  done
  mkdir /dev/pts /dev/shm
  mount -t devpts -o newinstance,ptmxmode=0666,mode=0620 sandbox-pts /dev/pts
  ln -s pts/ptmx /dev/ptmx
  mount -t tmpfs -o mode=1777,nosuid,nodev sandbox-shm /dev/shm
  ln -s /proc/self/fd /dev/fd
  ln -s /proc/self/fd/0 /dev/stdin
  ln -s /proc/self/fd/1 /dev/stdout
  ln -s /proc/self/fd/2 /dev/stderr
}

# /etc, /var/lib and /var/log copy on write: the session tests add a user
# (useradd writes the user database, lastlog and faillog; the fixture an
# AccountsService file), and what they write lands in an upper layer on a
# tmpfs of the sandbox's own, gone with it. The layers' tmpfs is detached
# once the overlays stand, so no path reaches it.
private_layers() {
  mount -t tmpfs -o mode=0700 sandbox-layers /mnt
  for folder in $layered; do
    name=$(echo "${folder#/}" | tr / -)
    mkdir -p "/mnt/$name/upper" "/mnt/$name/work"
    mount -t overlay -o "lowerdir=$folder,upperdir=/mnt/$name/upper,workdir=/mnt/$name/work" \
      "sandbox-$name" "$folder"
  done
  umount -l /mnt
}

# Every mount outside the scratch places, read-only. Mounts hidden under
# another one cannot be reached by a path, nor uncovered without sys_admin.
read_only_mounts() {
  mount_points | sort -u | while IFS= read -r point; do
    is_scratch "$point" && continue
    mount -o remount,bind,ro "$point" 2>/dev/null || true
  done
}

# Inside the namespaces (PID 1 of its own): builds the sandbox, checks it
# and becomes the command.
inside() {
  writable=$1
  shift
  mount --bind "$writable" "$writable"
  mount -t tmpfs -o mode=1777,nosuid,nodev sandbox-tmp /tmp
  mount -t tmpfs -o mode=1777,nosuid,nodev sandbox-vartmp /var/tmp
  private_dev
  read_only_mounts
  private_layers
  # The PID namespace's own /proc, over the machine's (now read-only) one.
  mount -t proc -o nosuid,nodev,noexec sandbox-proc /proc
  mount -o remount,bind,ro /proc
  left=$(wrong_mounts)
  if [ -n "$left" ]; then
    echo "sandbox: refusing to run, wrong mounts: $left" >&2
    exit 125
  fi
  ip link set lo up 2>/dev/null || true
  # A runtime folder of the caller's would be read-only here: without one,
  # the accessibility bus and D-Bus use /tmp, as in CI.
  mkdir -m 0700 /tmp/home
  export HOME=/tmp/home TMPDIR=/tmp
  unset XDG_RUNTIME_DIR
  exec setpriv --bounding-set "$dropped" -- "$@"
}

# The proof, run inside: each line an expectation, any unmet one fails it.
prove() {
  probe=$1
  source_tree=$2
  status=0
  if rm -f "$probe" 2>/dev/null || [ ! -e "$probe" ]; then
    echo "sandbox check: deleted $probe outside the scratch places" >&2
    status=1
  fi
  if touch "$source_tree/.sandbox-write-probe" 2>/dev/null; then
    rm -f "$source_tree/.sandbox-write-probe"
    echo "sandbox check: the source tree is writable" >&2
    status=1
  fi
  if mount -o remount,bind,rw / 2>/dev/null; then
    echo "sandbox check: the root could be made writable again" >&2
    status=1
  fi
  rm /dev/null || status=1 # the sandbox's own node
  rm /etc/passwd || status=1 # the copy-on-write layer's own
  if ! touch "$writable/.sandbox-write-probe"; then
    echo "sandbox check: $writable is not writable" >&2
    status=1
  fi
  rm -f "$writable/.sandbox-write-probe"
  exit $status
}

if [ "${1:-}" = --inside ]; then
  shift
  [ $# -ge 2 ] || usage
  inside "$@"
fi
if [ "${1:-}" = --prove ]; then
  shift
  writable=$1
  prove "$2" "$3"
fi

check=false
if [ "${1:-}" = --check ]; then
  check=true
  shift
  [ $# -eq 1 ] || usage
else
  [ $# -ge 2 ] || usage
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "sandbox: needs root, for a private mount namespace" >&2
  exit 2
fi
[ -d "$1" ] || {
  echo "sandbox: no folder $1" >&2
  exit 2
}
writable=$(cd "$1" && pwd -P)
shift
self=$(cd "$(dirname "$0")" && pwd -P)/$(basename "$0")
root=$(cd "$(dirname "$0")/.." && pwd -P)

enter() {
  unshare --mount --pid --ipc --net --fork --kill-child=KILL \
    --propagation private "$self" --inside "$writable" "$@"
}

if ! $check; then
  enter "$@"
  exit $?
fi

# The probe stands beside WRITABLE_DIR, outside every scratch place.
probe=$(mktemp "$(dirname "$writable")/.sandbox-probe.XXXXXX")
trap 'rm -f "$probe"' EXIT
result=0
users=$(cksum </etc/passwd)
enter "$self" --prove "$writable" "$probe" "$root" || result=1
if [ ! -f "$probe" ]; then
  echo "sandbox check: the probe is gone on the host" >&2
  result=1
fi
if [ ! -c /dev/null ]; then
  echo "sandbox check: the host's /dev/null is gone" >&2
  result=1
fi
if [ "$(cksum </etc/passwd 2>/dev/null)" != "$users" ]; then
  echo "sandbox check: the host's /etc/passwd changed" >&2
  result=1
fi
[ $result -eq 0 ] && echo "sandbox check: passed (writable only: $writable, /tmp, /var/tmp, /dev;" \
  "copy on write: $(echo "$layered" | sed 's/ /, /g'))"
exit $result
