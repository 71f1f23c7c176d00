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
# The runtime's __tls_get_addr interceptor (GCC 12) can take an ordinary block of dynamic TLS
# for an old glibc's header and hand the leak check a bogus range, which crashes its tracer at
# exit in a program that has loaded many libraries; the check does without that interception.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/asan --output-on-failure -j "$jobs"

# FUZZ_SECONDS bounds the whole stage; every target gets an equal share of it.
fuzz_targets=(amount_rules_fuzz current_rules_fuzz)
fuzz_share=$(( fuzz_seconds / ${#fuzz_targets[@]} ))
(( fuzz_share >= 1 )) || fuzz_share=1
step "fuzzing for ${fuzz_seconds} s, ${fuzz_share} s a target"
CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DTOVARIN_WERROR=ON -DTOVARIN_BUILD_UI=OFF \
  -DBUILD_TESTING=OFF -DTOVARIN_BUILD_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
cmake --build build/fuzz -j "$jobs"
for target in "${fuzz_targets[@]}"; do
  corpus=build/fuzz/corpus/$target
  log=build/fuzz/$target.log
  rm -rf "$corpus" && mkdir -p build/fuzz/corpus && cp -r "fuzz/corpus/$target" "$corpus"
  if ! "build/fuzz/fuzz/$target" -max_total_time="$fuzz_share" -print_final_stats=1 \
      -artifact_prefix="build/fuzz/$target-" "$corpus" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzzing $target found a failure; the input is saved under build/fuzz/"
    exit 1
  fi
  echo "$target:"
  grep -E '^(Done|stat::number_of_executed_units)' "$log"
done
echo "fuzzing found nothing"
