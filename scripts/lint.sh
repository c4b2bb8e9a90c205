#!/bin/sh
# The linters over every first-party folder: clang-format checks the layout
# against .clang-format, clang-tidy runs .clang-tidy's checks (any finding
# fails) on every source file of the native and the Windows build, with
# their own compile commands; headers are checked where those include them.
# The tables that tools write (*.inc) are left as they come out.
# Usage: scripts/lint.sh   (builds both presets first, which makes the
#                           generated headers the sources include)
set -eu
cd "$(dirname "$0")/.."
folders="app client display platform request shared tests tools"
jobs=$(nproc 2>/dev/null || echo 2)

echo "==== clang-format"
# shellcheck disable=SC2086
find $folders -name '*.cpp' -o -name '*.h' -o -name '*.c' | sort |
  xargs clang-format --dry-run -Werror

for preset in native windows; do
  echo "==== clang-tidy: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs" >/dev/null
  # clang does not find MinGW's C++ headers beside a "-posix" compiler by
  # itself: it gets the target and that compiler's own C++ folders.
  extra=""
  if [ "$preset" = windows ]; then
    cxx=$(sed -n 's/^ *"command": "\([^ ]*g++[^ ]*\) .*/\1/p' \
      build/windows/compile_commands.json | head -n 1)
    extra="-extra-arg=--target=i686-w64-mingw32"
    for dir in $(echo | "$cxx" -xc++ -E -v - 2>&1 | sed -n 's|^ \(/.*/include/c++.*\)$|\1|p'); do
      extra="$extra -extra-arg=-isystem$dir"
    done
  fi
  # Only the project's own files: not GoogleTest's, nor what the build made.
  # shellcheck disable=SC2086
  run-clang-tidy -p "build/$preset" -j "$jobs" -quiet $extra \
    "^$PWD/($(echo $folders | tr ' ' '|'))/" >"build/$preset/clang-tidy.log" 2>&1 ||
    {
      grep -E 'warning:|error:' "build/$preset/clang-tidy.log" >&2
      echo "lint: clang-tidy found the above (build/$preset/clang-tidy.log)" >&2
      exit 1
    }
done
echo "==== lint: clean"
