#!/bin/sh
# The real program's --help and refused options, with no display at all: they are answered
# before Qt looks for one. Usage: command_line_check.sh CALCULATOR
calculator=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run STATUS ARGUMENTS...: runs the program without a display, expecting STATUS.
run() {
  expected=$1
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$calculator" "$@" \
    >"$scratch/out" 2>"$scratch/err"
  status=$?
  [ "$status" -eq "$expected" ] || fail "$* ends with $status, not $expected"
}

for option in --help -h; do
  run 0 "$option"
  head -n 1 "$scratch/out" | grep -qxF "Usage: $calculator [--current] [Qt options]" ||
    fail "$option: the usage on stdout"
  grep -q -- '^  --current ' "$scratch/out" || fail "$option: the usage lists --current"
  [ -s "$scratch/err" ] && fail "$option: nothing on stderr"
done

# run_refused ERROR ARGUMENTS...: status 2, the error line, then the usage, all on stderr.
run_refused() {
  error=$1
  shift
  run 2 "$@"
  [ -s "$scratch/out" ] && fail "$*: nothing on stdout"
  head -n 1 "$scratch/err" | grep -qxF "$calculator: $error" || fail "$*: the error line"
  sed -n 2p "$scratch/err" | grep -q '^Usage: ' || fail "$*: the usage after the error"
}

run_refused "unknown option '--bogus'" --bogus
run_refused "unknown option '--bogus'" --current --bogus
run_refused "unexpected argument 'report.csv'" report.csv
run_refused "option '-platform' needs a value" --current -platform

echo "$failures failures"
[ "$failures" -eq 0 ]
