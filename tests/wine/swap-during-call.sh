#!/bin/sh
# Changes a request's folder from the Unix side, as Windows code under Wine
# cannot place a link; the recording library runs it while Tandrel.exe waits
# for its box. FOLDER holds in/request.txt (the request) and
# decoys/request.txt (a file of the same name elsewhere). Makes FOLDER/done
# when finished.
#   swap-during-call.sh ACTION FOLDER
set -eu
action=$1
cd "$2"
case $action in
  link-file)  # the request replaced by a link to the decoy
    mv in/request.txt in/read.txt
    ln -s ../decoys/request.txt in/request.txt ;;
  link-folder)  # the request's folder replaced by a link to the decoys
    mv in in.old
    ln -s decoys in ;;
  move) mv in/request.txt moved.txt ;;
  remove) rm in/request.txt ;;
  replace)
    rm in/request.txt
    printf other >in/request.txt ;;
  link-request)  # a link as the request itself, made before the run
    ln -s request.txt in/link.txt ;;
  *) echo "swap-during-call.sh: unknown action $action" >&2; exit 2 ;;
esac
: >done
