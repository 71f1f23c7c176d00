#!/usr/bin/env bash
# Renders the reference images anew after an intended change of what the
# windows or boxes draw, into tests/golden/references. Look at every changed
# image (git diff --stat, then open them) before committing them.
# Usage: tests/golden/update-references.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/release}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target golden_tests -j "$(nproc)"
GOLDEN_UPDATE=1 ctest --test-dir "$build" -R '^ui\.golden_' --output-on-failure
git status --short tests/golden/references
