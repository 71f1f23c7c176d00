#!/usr/bin/env bash
# Builds the benchmarks and prints their tables: start-up and peak memory of
# the calculator against an empty window of the same size, then the timings
# of the first switch and of a press up to its box. Usage: scripts/bench.sh [PAIRS]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DTOVARIN_BUILD_BENCH=ON >/dev/null
cmake --build build/bench -j "$(nproc)"

xvfb-run -a -s "-screen 0 1024x768x24 -noreset" python3 bench/startup.py \
  build/bench/bench/first_paint_calculator build/bench/bench/baseline_window "${1:-15}"
echo
build/bench/bench/ui_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
