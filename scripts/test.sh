#!/usr/bin/env bash
# Builds everything and runs every test: bash scripts/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVANE_BUILD_TESTS=ON
cmake --build build
ctest --test-dir build --output-on-failure --timeout 300
bash scripts/test-windows.sh
