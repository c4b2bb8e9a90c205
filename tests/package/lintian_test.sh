#!/bin/sh
# lintian, Debian's package checker, on every .deb the build makes: any error
# or warning fails. Overrides, each with its reason, would be in
# packaging/debian/PACKAGE.lintian-overrides, installed with the package.
#   lintian_test.sh PACKAGE_FOLDER
set -eu
status=0
found=$(lintian --fail-on error,warning --display-info --show-overrides "$1"/*.deb 2>&1) ||
  status=$?
# Root is what CI runs as; lintian says it would rather not be.
echo "$found" | grep -v '^running with root privileges is not recommended!$' || true
[ "$status" -eq 0 ] || { echo "lintian_test: lintian found errors or warnings" >&2; exit 1; }
echo "lintian_test: $(cd "$1" && ls -- *.deb | tr '\n' ' ')clean"
