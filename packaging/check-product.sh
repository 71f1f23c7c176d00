#!/bin/sh
# Fails when the program carries code of its tests or benchmarks: the names of
# the tests' recorded effects, of the first-paint probe and of the environment
# variable it once read, searched in the program's strings and symbols.
# Usage: check-product.sh PROGRAM
set -eu
program=$1
names='TOVARIN_EXIT|first.paint|FirstPaint|BoxHook|ExitHook|RecordBoxes|RecordExits|recorded_effects'
names="$names|testsupport|uitest|gtest|testing::|box_clock|BoxClock|benchmark"
found=$({ strings -a "$program"; nm -C "$program"; } | grep -E "$names" | sort -u || true)
if [ -n "$found" ]; then
  echo "$program holds test or benchmark names:"
  echo "$found"
  exit 1
fi
echo "$program: $(strings -a "$program" | wc -l) strings and $(nm "$program" | wc -l) symbols," \
     "none of them a test or benchmark name"
