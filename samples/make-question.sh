#!/bin/sh
# Writes question.txt, a sample request for Tandrel.exe: a Yes/No question
# (style 36 = MB_YESNO | MB_ICONQUESTION) that closes by itself after ten
# seconds, Yes (6) being the default; question-de.txt asks the same in
# German. Request files are UTF-16LE without a byte-order mark; iconv's
# UTF-16LE writes none.
set -eu
cd "$(dirname "$0")"
write() {
  printf '%s\r\n' \
    '<TITLE>Tandrel<\TITLE>' \
    "<BODY>$2<\\BODY>" \
    '<STYLE>36<\STYLE>' \
    '<TIMEDOUT>10<\TIMEDOUT>' \
    '<DEFID>6<\DEFID>' |
    iconv -f UTF-8 -t UTF-16LE >"$1"
}
write question.txt 'The report is ready. Do you want to open it now?'
write question-de.txt 'Der Bericht ist fertig. Möchten Sie ihn jetzt öffnen?'
