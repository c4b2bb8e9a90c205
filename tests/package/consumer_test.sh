#!/bin/sh
# A program built outside the tree on an installed kit, with find_package
# (tests/package/consumer) and with pkg-config, then run on a tandrel of the
# same install: natively on a `cmake --install` of the build tree and the
# test display; for Windows with MinGW on the release zip's kit, under Wine.
# Both must refuse the title, time out after a second and leave no request.
#   consumer_test.sh native  BUILD_DIR CONSUMER_SOURCE DISPLAY_STATE
#   consumer_test.sh windows PACKAGE_FOLDER CONSUMER_SOURCE WINE_STATE TOOLCHAIN
set -eu
mode=$1
consumer=$3
state=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "consumer_test: $*" >&2; exit 1; }
quietly() { "$@" >"$work/log" 2>&1 || { cat "$work/log"; fail "$* failed"; }; }

if [ "$mode" = native ]; then
  prefix=$work/usr
  quietly cmake --install "$2" --prefix "$prefix"
  quietly cmake -S "$consumer" -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix"
  pc_dir=$(dirname "$(find "$prefix" -name tandrel-client.pc)")
  export PKG_CONFIG_PATH="$pc_dir"
  compiler=c++
  program=$prefix/bin/tandrel
  timed_out=124
  # The shared display as its other tests see it: GTK without the
  # accessibility bridge, which would leave the display pointing at an
  # accessibility bus of its own (the AT-SPI test's boxes would not be on
  # that test's bus), and without the user's settings.
  DISPLAY=$(cat "$state/display")
  export DISPLAY NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory
  unset WAYLAND_DISPLAY GDK_BACKEND
  run() { TMPDIR=$work/tmp setsid timeout 60 "$@" </dev/null; }
  leftovers() { ls -A "$work/tmp"; }
  exe=
else
  source_dir=$(cd "$(dirname "$0")/../.." && pwd)
  eval "$("$source_dir/scripts/wine-session.sh" env "$state")"
  kit=$WINEPREFIX/drive_c/tandrel-kit-$$
  trap 'rm -rf "$work" "$kit"' EXIT
  unzip -q "$(ls "$2"/Tandrel-*-win32.zip)" -d "$kit"
  quietly cmake -S "$consumer" -B "$work/cmake" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$5" \
    -DTandrel_DIR="$kit/lib/cmake/Tandrel"
  export PKG_CONFIG_LIBDIR="$kit/lib/pkgconfig"
  compiler="i686-w64-mingw32-g++-posix -static"
  program=$(winepath -w "$kit/Tandrel.exe")
  timed_out=32000
  run() { timeout 120 wine "$@" </dev/null | tr -d '\r'; }
  leftovers() { find "$WINEPREFIX/drive_c" -name 'tandrel-ask-*.txt'; }
  exe=.exe
fi
mkdir -p "$work/tmp"
quietly cmake --build "$work/cmake"
# shellcheck disable=SC2046,SC2086
quietly $compiler -Wall -Wextra -Werror "$consumer/consumer.cpp" \
  $(pkg-config --cflags tandrel-client) -o "$work/consumer-pc$exe" $(pkg-config --libs tandrel-client)

expected=$(printf '%s\n' 'refused: title: holds "<\TITLE>", which would end it there' \
  'asked refused: refused' "asked: timed out, exit code $timed_out")
for built in "$work/cmake/consumer$exe" "$work/consumer-pc$exe"; do
  output=$(run "$built" "$program")
  echo "$output"
  [ "$output" = "$expected" ] || fail "$(basename "$built") printed the above"
done
left=$(leftovers)
[ -z "$left" ] || fail "requests left behind: $left"
echo "consumer_test: built with find_package and with pkg-config, both ran"
