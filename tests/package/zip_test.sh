#!/bin/sh
# The release zip, as a Windows user gets it: built by CPack, unpacked into a
# clean folder of the Wine prefix, then a request is run from there.
#   zip_test.sh BUILD_DIR PACKAGE_FOLDER WINE_STATE_DIR
set -eu
build=$1
packages=$2
state=$3
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
eval "$("$source_dir/scripts/wine-session.sh" env "$state")"

folder="$WINEPREFIX/drive_c/tandrel-zip-$$"
trap 'rm -rf "$folder"' EXIT
mkdir -p "$folder"

zip=$(ls "$packages"/Tandrel-*-win32.zip)
# The program's folder holds the program, its library, tandrel-ask.exe and
# the README; the kit and the NSIS header have folders of their own.
top=$(unzip -Z1 "$zip" | grep -v / | LC_ALL=C sort | tr '\n' ' ')
if [ "$top" != "README.txt Tandrel.exe Vorlick.dll tandrel-ask.exe " ]; then
  echo "zip's top folder holds: $top" >&2
  exit 1
fi
for file in nsis/Tandrel.nsh nsis/example.nsi include/tandrel/launcher.h \
  lib/libtandrel_client.a lib/cmake/Tandrel/TandrelConfig.cmake lib/pkgconfig/tandrel-client.pc; do
  unzip -Z1 "$zip" | grep -qx "$file" || { echo "no $file in the zip" >&2; exit 1; }
done
unzip -q "$zip" -d "$folder"

# A UTF-16LE request without byte-order mark, in a folder with blanks.
mkdir -p "$folder/my requests"
request="$folder/my requests/ask.txt"
printf '<TITLE>Zip test<\\TITLE><BODY>Closing by itself.<\\BODY><STYLE>4<\\STYLE><TIMEDOUT>1<\\TIMEDOUT>' |
  iconv -f UTF-8 -t UTF-16LE >"$request"

result=$(wine "$build/bin/tandrel_launch.exe" "$(winepath -w "$folder/Tandrel.exe")" \
  "$(winepath -w "$request")" 2>&1 | tr -d '\r')
echo "$result"
[ "$result" = "exit code: 32000 (0x00007D00)" ] || { echo "unexpected result" >&2; exit 1; }
[ ! -e "$request" ] || { echo "the request was not deleted" >&2; exit 1; }

# tandrel-ask.exe from the same folder (it needs no MinGW DLLs) runs the
# Tandrel.exe beside it, and exits with the whole result.
result=$(wine "$build/bin/tandrel_launch.exe" "$(winepath -w "$folder/tandrel-ask.exe")" \
  '-T 1 -b yesno -t "Zip test" "Closing by itself."' 2>&1 | tr -d '\r')
echo "tandrel-ask: $result"
[ "$result" = "exit code: 32000 (0x00007D00)" ] || { echo "unexpected result" >&2; exit 1; }
left=$(find "$WINEPREFIX/drive_c" -name 'tandrel-ask-*.txt')
[ -z "$left" ] || { echo "request left behind: $left" >&2; exit 1; }
echo "zip test: passed"
