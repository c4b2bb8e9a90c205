#!/bin/sh
# The options that tandrel-ask --help lists, with their values, are those of
# its manual page.
#   help_matches_manual.sh TANDREL_ASK MANUAL_PAGE
set -eu
help=$(mktemp)
manual=$(mktemp)
trap 'rm -f "$help" "$manual"' EXIT
# "-t, --title TITLE", "--help-button", "--session[=ID]": an option line's
# first words.
options='s/^ *\(\(-[A-Za-z], \)\{0,1\}--[a-z-]*\(\[=[A-Z]*\]\)\{0,1\}\( [A-Z][A-Z]*\)\{0,1\}\)\( .*\)\{0,1\}$/\1/p'
"$1" --help | sed -n "$options" | sort >"$help"
groff -man -Tascii -P-cbou "$2" 2>/dev/null | sed -n '/^OPTIONS/,/^[A-Z]/p' |
  sed -n "$options" | sort >"$manual"
diff -u "$help" "$manual"
[ "$(wc -l <"$help")" -ge 16 ] || { echo "too few options found" >&2; exit 1; }
echo "help and manual page agree on $(wc -l <"$help") options"
