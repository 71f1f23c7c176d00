#!/usr/bin/env bash
# Builds the benchmarks and prints their tables: start-up and peak memory of
# the calculator against an empty window of the same size and a window that
# draws the same content, instructions to first paint under callgrind, then
# the timings of the first switch and of a press up to its box.
# Last, tovarin-tax over a company's payroll year (scripts/bench-payroll.sh).
# Usage: scripts/bench.sh [PAIRS]; TOVARIN_BENCH_OTHER=path/to/tovarin-calculator
# adds another build of the calculator (today's, say) to the start-up and
# instruction tables.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DTOVARIN_BUILD_BENCH=ON >/dev/null
cmake --build build/bench -j "$(nproc)"

bin=build/bench
other=${TOVARIN_BENCH_OTHER:-}
startup=(python3 bench/startup.py "$bin/bench/first_paint_calculator" "$bin/bench/baseline_window"
         "${1:-15}" --floor "$bin/bench/same_content_window")
counted=("calculator=$bin/bench/first_paint_calculator")
if [[ -n "$other" ]]; then
  startup+=(--today "$other")
  counted+=("other build=$other")
fi
counted+=("same-content window=$bin/bench/same_content_window" "empty window=$bin/bench/baseline_window")

# One virtual display and one session bus for every run: no program pays for
# starting a bus of its own (dbus-launch) or a display.
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" dbus-run-session -- bash -c "$(declare -p startup counted)
  \"\${startup[@]}\" && echo && python3 bench/instructions.py \"\${counted[@]}\""
echo
build/bench/bench/ui_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
echo
scripts/bench-payroll.sh
