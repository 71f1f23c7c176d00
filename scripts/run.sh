#!/usr/bin/env bash
# Installs what is needed, builds the calculator and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build/app -G Ninja -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/app -j "$(nproc)"
exec "$PWD/build/app/src/app/tovarin-calculator" "$@"
