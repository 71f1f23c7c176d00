#!/usr/bin/env bash
# Screenshots of both windows at the scale factors 1, 1.5 and 2 on a virtual
# X display, each checked to be the client area at that scale and not blank.
# Usage: scale_screenshots.sh CALCULATOR OUTDIR   (run inside xvfb-run)
set -euo pipefail
calculator=$1 outdir=$2
mkdir -p "$outdir"
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

window_of() {  # the visible window of process $1 whose caption is $2
  # By process and _NET_WM_NAME (UTF-8, which getwindowname prints as it is):
  # neither depends on the locale, as the legacy name may.
  for _ in $(seq 50); do
    for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null || true); do
      [[ "$(xdotool getwindowname "$id" 2>/dev/null)" == "$2" ]] && { echo "$id"; return; }
    done
    sleep 0.1
  done
}

shoot() {  # window id, factor, file
  sleep 0.7  # the first paint
  import -window "$1" "$3"
  local size expected colours
  size=$(identify -format '%wx%h' "$3")
  expected=$(python3 -c "print('%dx%d' % (round(474 * $2), round(542 * $2)))")
  colours=$(identify -format '%k' "$3")
  [[ "$size" == "$expected" ]] || fail "$3 is $size, not $expected"
  (( colours > 100 )) || fail "$3 looks blank ($colours colours)"
  echo "saved $3 ($size, $colours colours)"
}

for factor in 1 1.5 2; do
  QT_SCALE_FACTOR=$factor "$calculator" >/dev/null 2>&1 &
  pid=$!
  form1=$(window_of "$pid" "旧版Tovarin--Brellow出品")
  if [[ -z "$form1" ]]; then fail "no old-rules window at $factor"; kill "$pid"; continue; fi
  shoot "$form1" "$factor" "$outdir/form1-x$factor.png"
  # Command8 sits at (120, 7320) twips, 2055 x 615: press its middle.
  read -r x y < <(xdotool getwindowgeometry "$form1" | awk '/Position/ {split($2, p, ","); print p[1], p[2]}')
  xdotool mousemove "$(python3 -c "print(int($x + 76 * $factor))")" \
                    "$(python3 -c "print(int($y + 508 * $factor))")" click 1
  form2=$(window_of "$pid" "新版Tovarin--Brellow出品")
  if [[ -z "$form2" ]]; then fail "no new-rules window at $factor"; else
    shoot "$form2" "$factor" "$outdir/form2-x$factor.png"
  fi
  kill "$pid"; wait "$pid" 2>/dev/null || true
done
echo "$failures failures"
exit $(( failures > 0 ))
