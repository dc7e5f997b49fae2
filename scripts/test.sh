#!/usr/bin/env bash
# Builds everything and runs every test: bash scripts/test.sh
# 1. The editor, the tool, their tests and benchmarks with GCC, warnings as
#    errors (CMakePresets.json's ci preset, in build/); tests two at a time.
# 2. The parts without Qt, their tests and benchmarks and the fuzz targets
#    with clang's address and undefined-behaviour checks (the asan preset, in
#    build-asan/); the tests again, the tool's too, and each fuzz target
#    briefly.
# 3. The Windows build, under Wine (scripts/test-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
for preset in ci asan; do
    started=$SECONDS
    cmake --preset $preset
    cmake --build --preset $preset
    ctest --preset $preset
    echo "The $preset build and its tests took $((SECONDS - started)) s."
done
bash scripts/test-windows.sh
