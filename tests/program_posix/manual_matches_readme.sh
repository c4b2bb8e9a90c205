#!/bin/sh
# tandrel(1) and the README say the same of the request file, the exit
# statuses and the files: the same tags, limits, button IDs, status mapping
# and terminfo folders, in the same order where order matters.
#   manual_matches_readme.sh MANUAL_PAGE README
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Each text on one line, without markup: the manual page rendered without
# hyphenation, the README's sections on requests, exit codes and the Linux
# program.
groff -man -Tascii -rHY=0 -P-cbou "$1" 2>/dev/null | tr '\n' ' ' | tr -s ' ' >"$work/manual"
sed -n '/^## Request files/,/^## Asking from/p; /^## The Linux program/,/^## Hardening/p' "$2" |
  tr -d '`' | tr '\n' ' ' | tr -s ' ' >"$work/readme"
[ -s "$work/readme" ] || { echo "README sections not found" >&2; exit 1; }

# NAME PATTERN [ORDERED]: the matches of PATTERN, sorted unless ORDERED.
facts() {
  for text in manual readme; do
    grep -oE "$2" "$work/$text" | if [ -n "${3:-}" ]; then uniq; else sort -u; fi \
      >"$work/$text.$1"
  done
  if ! diff -u "$work/manual.$1" "$work/readme.$1"; then
    echo "manual (-) and README (+) differ on $1" >&2
    exit 1
  fi
  [ -s "$work/manual.$1" ] || { echo "no $1 found" >&2; exit 1; }
  echo "$1: $(tr '\n' ' ' <"$work/manual.$1")"
}
facts tags '<\\?(TITLE|BODY|STYLE|TIMEDOUT|DEFID)>'
facts limits '[0-9]+ (bytes|UTF-16 units)'
facts buttons '(OK|Cancel|Abort|Retry|Ignore|Yes|No|Try Again|Continue) [0-9]+'
facts statuses 'maps the time-out [0-9]+ to [0-9]+|[0-9]+ included, to [0-9]+'
facts terminfo '\$TERMINFO(_DIRS)?|~/\.terminfo|(/[a-z]+)*/terminfo' ordered
