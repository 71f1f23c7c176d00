#!/usr/bin/env bash
# Builds tovarin-tax optimised and times it over a company of 100,000 employees x 12 months
# against the floor of reading the same file (bench/payroll_bench.py), with its peak memory.
# Usage: scripts/bench-payroll.sh [RUNS]; EMPLOYEES and MONTHS change the company.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake -S . -B build/bench-payroll -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DTOVARIN_BUILD_UI=OFF -DTOVARIN_BUILD_CLI=ON >/dev/null
cmake --build build/bench-payroll -j "$(nproc)" --target tovarin-tax
python3 bench/payroll_bench.py build/bench-payroll/src/cli/tovarin-tax \
  --employees "${EMPLOYEES:-100000}" --months "${MONTHS:-12}" --runs "${1:-5}"
