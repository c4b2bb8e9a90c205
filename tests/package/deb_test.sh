#!/bin/sh
# The .debs cpack built from the build tree: tandrel holds the program, its
# private display library with the GTK helper beside it, tandrel-ask and the
# manual pages; it depends on the C and C++ runtimes and libsystemd
# (tandrel-ask's logind client) only and recommends GTK.
# tandrel-dev holds the kit and depends on tandrel of its version (and on
# the -dev packages of the libraries the kit links). Each has
# its copyright and a changelog whose last entry is the package's version.
# Unpacked, the program runs where no display and no terminal is (no GTK
# loaded, none needed).
#   deb_test.sh PACKAGE_FOLDER
set -eu
folder=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "deb_test: $*" >&2; exit 1; }
program=$(ls "$folder"/tandrel_*.deb)
kit=$(ls "$folder"/tandrel-dev_*.deb)
version=$(dpkg-deb -f "$program" Version)

depends=$(dpkg-deb -f "$program" Depends)
echo "tandrel Depends: $depends"
for package in $(echo "$depends" | tr ',|' '\n\n' | sed 's/^ *//; s/ .*//'); do
  case $package in
    libc6 | libstdc++6 | libgcc-s1 | libsystemd0) ;;
    *) fail "depends on $package" ;;
  esac
done
recommends=$(dpkg-deb -f "$program" Recommends)
[ "$recommends" = libgtk-3-0 ] || fail "recommends '$recommends'"
kit_depends=$(dpkg-deb -f "$kit" Depends)
# tandrel of its version first, then the -dev packages of what the kit links.
case "$kit_depends, " in
  "tandrel (= $version), "*) ;;
  *) fail "tandrel-dev depends on '$kit_depends'" ;;
esac

dpkg-deb -x "$program" "$work/root"
dpkg-deb -x "$kit" "$work/root"
for file in usr/bin/tandrel usr/bin/tandrel-ask usr/lib/tandrel/libvorlick.so \
  usr/lib/tandrel/vorlick-gtk usr/share/man/man1/tandrel.1.gz \
  usr/share/man/man1/tandrel-ask.1.gz usr/include/tandrel/launcher.h; do
  [ -f "$work/root/$file" ] || fail "no $file in the packages"
done
for package in tandrel tandrel-dev; do
  doc=$work/root/usr/share/doc/$package
  head -n 1 "$doc/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' ||
    fail "$package: copyright is not machine-readable"
  logged=$(zcat "$doc/changelog.gz" | dpkg-parsechangelog -l - -S Version)
  [ "$logged" = "$version" ] || fail "$package: the changelog's last entry is $logged, not $version"
done
# Nothing in the public library folder but the kit: the display library is
# the program's own.
public=$(find "$work/root/usr/lib" -name '*.so*' ! -path "$work/root/usr/lib/tandrel/*")
[ -z "$public" ] || fail "public libraries: $public"

printf '<TITLE>T<\\TITLE><BODY>B<\\BODY><STYLE>4<\\STYLE>' >"$work/request.txt"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u GDK_BACKEND setsid \
  "$work/root/usr/bin/tandrel" "$work/request.txt" </dev/null >/dev/null 2>&1 ||
  status=$?
[ "$status" -eq 0 ] || fail "the unpacked program ended with $status"
[ ! -e "$work/request.txt" ] || fail "the request was not consumed"
echo "deb_test: $(basename "$program") and $(basename "$kit") are fine"
