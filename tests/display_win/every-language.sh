#!/bin/sh
# Runs the language probe once for English and once for each language that
# display/common/po ships, each in a Wine process started in that language
# (a Wine process takes its language from LC_ALL when it starts; the locale
# need not be installed). Every language is run, then the failures listed.
#   every-language.sh WINE_SESSION STATE_DIR PROBE PO_DIR
set -eu
session=$1 state=$2 probe=$3 po_dir=$4
eval "$("$session" env "$state")"

# The region Wine is started in for a language whose tag names none.
region_of() {
  case $1 in
    ca | es) echo ES ;; cs) echo CZ ;; da) echo DK ;; de) echo DE ;;
    en) echo US ;; fi) echo FI ;; fr) echo FR ;; hu) echo HU ;; it) echo IT ;;
    ja) echo JP ;; ko) echo KR ;; nb) echo NO ;; nl) echo NL ;; pl) echo PL ;;
    ro) echo RO ;; ru) echo RU ;; sv) echo SE ;; tr) echo TR ;; uk) echo UA ;;
    *) return 1 ;;
  esac
}

failed=""
count=0
for tag in en $(cd "$po_dir" && ls *.po | sed 's/\.po$//'); do
  case $tag in
    *_*) locale=$tag ;;
    *) region=$(region_of "$tag") || { failed="$failed $tag(no-region)"; continue; }
       locale=${tag}_$region ;;
  esac
  name=$(echo "$locale" | tr _ -)
  count=$((count + 1))
  echo "== $tag: LC_ALL=$locale.UTF-8"
  if ! LC_ALL=$locale.UTF-8 TANDREL_PROBE_LANGUAGE="$tag $name" \
      wine "$probe" --gtest_brief=1 --gtest_color=no </dev/null 2>&1; then
    failed="$failed $tag"
  fi
done
if [ -n "$failed" ]; then
  echo "every-language: failed for:$failed" >&2
  exit 1
fi
echo "every-language: $count languages agree with the system's box"
