#!/bin/sh
# The include paths of a library let it reach the headers it may use and no
# others. For each "header:found" or "header:missing" argument, compiles a file
# that includes the header with the library's include directories (separated
# by colons) and checks that the header is found, or is not.
# Usage: layering_check.sh COMPILER LIBRARY DIRECTORIES HEADER:EXPECTED...
set -eu
compiler=$1 library=$2 directories=$3
shift 3
flags=""
old_ifs=$IFS
IFS=:
for directory in $directories; do flags="$flags -I$directory"; done
IFS=$old_ifs
failures=0
for check in "$@"; do
  header=${check%%:*} expected=${check#*:}
  # shellcheck disable=SC2086
  if printf '#include "%s"\n' "$header" |
      "$compiler" -std=c++20 -fsyntax-only $flags -x c++ - >/dev/null 2>&1; then
    found=found
  else
    found=missing
  fi
  echo "$library: $header $found"
  if [ "$found" != "$expected" ]; then
    echo "  FAIL: $header should be $expected"
    failures=$((failures + 1))
  fi
done
exit "$failures"
