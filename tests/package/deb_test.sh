#!/bin/sh
# The .deb, built by cpack from the build tree: it holds the program, the
# library and the GTK helper where the library looks for it; it depends on
# the C and C++ runtimes and libsystemd (tandrel-ask's logind client) only
# and recommends GTK; unpacked, the program runs
# where no display and no terminal is (no GTK loaded, none needed).
#   deb_test.sh BUILD_DIR
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/log" 2>&1; then
  cat "$work/log"
  exit 1
fi
deb=$(ls "$work"/*.deb)
fail() { echo "deb_test: $*" >&2; exit 1; }

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for package in $(echo "$depends" | tr ',|' '\n\n' | sed 's/^ *//; s/ .*//'); do
  case $package in
    libc6 | libstdc++6 | libgcc-s1 | libsystemd0) ;;
    *) fail "depends on $package" ;;
  esac
done
recommends=$(dpkg-deb -f "$deb" Recommends)
[ "$recommends" = libgtk-3-0 ] || fail "recommends '$recommends'"

dpkg-deb -x "$deb" "$work/root"
for file in usr/bin/tandrel usr/lib/libvorlick.so usr/lib/tandrel/vorlick-gtk; do
  [ -f "$work/root/$file" ] || fail "no $file in the package"
done

printf '<TITLE>T<\\TITLE><BODY>B<\\BODY><STYLE>4<\\STYLE>' >"$work/request.txt"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u GDK_BACKEND setsid \
  "$work/root/usr/bin/tandrel" "$work/request.txt" </dev/null >/dev/null 2>&1 ||
  status=$?
[ "$status" -eq 0 ] || fail "the unpacked program ended with $status"
[ ! -e "$work/request.txt" ] || fail "the request was not consumed"
echo "deb_test: $(basename "$deb") is fine"
