#!/usr/bin/env bash
# Installs what is needed, then builds and runs every test: the optimised
# build, the same suite under AddressSanitizer and UndefinedBehaviorSanitizer
# with a leak check at exit, and a bounded libFuzzer run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test

jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-30}

step() { printf '\n== %s\n' "$*"; }

step "release build and tests"
cmake -S . -B build/release -G Ninja -DTOVARIN_WERROR=ON
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

step "sanitizer build and tests"
cmake -S . -B build/asan -G Ninja -DTOVARIN_WERROR=ON -DTOVARIN_SANITIZE=ON \
  -DCMAKE_BUILD_TYPE=Debug
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/asan --output-on-failure -j "$jobs"

step "fuzzing for ${fuzz_seconds} s"
CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DTOVARIN_WERROR=ON -DTOVARIN_BUILD_UI=OFF \
  -DBUILD_TESTING=OFF -DTOVARIN_BUILD_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
cmake --build build/fuzz -j "$jobs"
rm -rf build/fuzz/corpus && cp -r fuzz/corpus build/fuzz/corpus
if ! build/fuzz/fuzz/amount_rules_fuzz -max_total_time="$fuzz_seconds" -print_final_stats=1 \
    -artifact_prefix=build/fuzz/ build/fuzz/corpus >build/fuzz/fuzz.log 2>&1; then
  tail -n 60 build/fuzz/fuzz.log
  echo "fuzzing found a failure; the input is saved under build/fuzz/"
  exit 1
fi
grep -E '^(Done|stat::number_of_executed_units)' build/fuzz/fuzz.log
echo "fuzzing found nothing"
