#!/bin/sh
# A folder from which nothing can be deleted, for the Wine failure tests. It
# holds an empty request.txt (the test writes its content) and a probe file;
# it is made read-only and, for root whom permissions do not stop, immutable.
# The probe is then deleted if it can be: the test skips when it is gone.
#   readonly-folder.sh setup|cleanup FOLDER
set -eu
command=$1
folder=$2
case $command in
  setup)
    "$0" cleanup "$folder"
    mkdir -p "$folder"
    : >"$folder/request.txt"
    : >"$folder/probe"
    chmod a-w "$folder"
    chattr +i "$folder" 2>/dev/null || true
    rm -f "$folder/probe" 2>/dev/null || true
    ;;
  cleanup)
    [ -d "$folder" ] || exit 0
    chattr -i "$folder" 2>/dev/null || true
    chmod u+w "$folder"
    rm -rf "$folder"
    ;;
  *)
    echo "usage: readonly-folder.sh setup|cleanup FOLDER" >&2
    exit 2
    ;;
esac
