#!/bin/sh
# Installs what building and testing Tandrel needs on Debian 12 (as root), and
# makes 32-bit Windows programs run under Wine. Does nothing that is done.
# Usage: scripts/install-deps.sh [--check]
#   --check  only tells: exit 0 when nothing is missing (no root needed),
#            else the missing packages on standard error and exit 1
set -eu
check=no
case ${1:-} in
  "") ;;
  --check) check=yes ;;
  *) echo "usage: scripts/install-deps.sh [--check]" >&2; exit 2 ;;
esac

packages="build-essential cmake ninja-build pkg-config git
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev valgrind clang-format clang-tidy
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  wine wine32:i386 wine64
  python3 gettext unicode-data ncurses-base
  xvfb xauth x11-utils x11-apps xdotool imagemagick
  libgtk-3-dev zip unzip dpkg-dev file groff-base
  weston dbus-daemon at-spi2-core python3-pyatspi zenity
  libsystemd-dev python3-dbusmock nsis gcovr lintian"

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

apt_install() {
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@"
}

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

missing=""
for package in $packages; do
  installed "$package" || missing="$missing $package"
done

# 32-bit code. Some machines run 64-bit user code only; there the i386 Wine
# loader runs through qemu-i386 via binfmt_misc. Wine needs a qemu that
# honours MAP_FIXED_NOREPLACE (8.1 or later): Debian 12 has it in backports.
runs_32bit() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

if [ $check = yes ]; then
  [ -z "$missing" ] && runs_32bit && exit 0
  [ -n "$missing" ] && echo "install-deps: missing$missing" >&2
  runs_32bit || echo "install-deps: 32-bit programs do not run yet" >&2
  exit 1
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
fi
if [ -n "$missing" ]; then
  echo "install-deps: installing$missing"
  as_root apt-get update -q
  # shellcheck disable=SC2086
  apt_install $missing
fi

if ! runs_32bit; then
  echo "install-deps: this machine does not run 32-bit code; using qemu-i386"
  qemu=/usr/bin/qemu-i386-static
  if ! $qemu --version 2>/dev/null | grep -Eq 'version ([89]\.[1-9]|9|[1-9][0-9])'; then
    if ! grep -rqs bookworm-backports /etc/apt/sources.list /etc/apt/sources.list.d; then
      printf '%s\n' 'Types: deb' 'URIs: http://deb.debian.org/debian' \
        'Suites: bookworm-backports' 'Components: main' \
        'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
        as_root tee /etc/apt/sources.list.d/tandrel-backports.sources >/dev/null
    fi
    as_root apt-get update -q
    apt_install -t bookworm-backports qemu-user-static
  fi
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e $binfmt/register ] || as_root mount -t binfmt_misc binfmt_misc $binfmt
  [ -e $binfmt/qemu-i386 ] && echo -1 | as_root tee $binfmt/qemu-i386 >/dev/null
  # ELF 32-bit LSB, executable or shared object, machine 3 (i386).
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf ':qemu-i386:M::%s:%s:%s:FP\n' "$magic" "$mask" "$qemu" |
    as_root tee $binfmt/register >/dev/null
  if ! runs_32bit; then
    echo "install-deps: 32-bit programs still do not run" >&2
    exit 1
  fi
fi
echo "install-deps: ready"
