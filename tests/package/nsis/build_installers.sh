#!/bin/sh
# The installers of the NSIS tests, built by makensis (warnings are errors)
# from the release zip's nsis folder as shipped: the example as it is, and
# with other values given before it (a second's time-out; non-ASCII texts
# and numbers of their own; a title the request cannot carry); and
# names.nsi. The zip stays unpacked in OUT/zip for its Tandrel.exe.
#   build_installers.sh PACKAGE_FOLDER OUT
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=$2
rm -rf "$out"
mkdir -p "$out/zip"
unzip -q "$(ls "$1"/Tandrel-*-win32.zip)" -d "$out/zip"
cp -r "$out/zip/nsis" "$out/build"
cp "$here/names.nsi" "$out/build/"
cd "$out/build"

# NAME OUTFILE SCRIPT [DEFINE...]: SCRIPT, after the defines, as NAME.exe.
build() {
  name=$1 made=$2 script=$3
  shift 3
  {
    printf '\357\273\277'  # UTF-8, as makensis is told
    for define in "$@"; do printf '!define %s\n' "$define"; done
    printf '!include "%s"\n' "$script"
  } >"build-$name.nsi"
  makensis -WX -V2 -INPUTCHARSET UTF8 "build-$name.nsi" >"$name.log" 2>&1 ||
    { cat "$name.log"; exit 1; }
  mv "$made" "$out/$name.exe"
}
build shipped TandrelExample.exe example.nsi
build real TandrelExample.exe example.nsi 'TIMEOUT 1'
build values TandrelExample.exe example.nsi \
  'TITLE "Grüße aus Köln ✓ 😀"' \
  'QUESTION "Zeile 1$\r$\nZeile 2: äöü ß € 日本語 <TITLE>"' \
  'TIMEOUT 7' 'NOTICE "Ça marche — ok"' 'NOTICE_STYLE 262208' 'NOTICE_DEFID -3'
build refused TandrelExample.exe example.nsi 'TITLE "Setup <\TITLE> done"'
build names names.exe names.nsi
echo "build_installers: $(cd "$out" && ls -- *.exe | tr '\n' ' ')"
