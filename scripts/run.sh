#!/usr/bin/env bash
# Builds the editor and starts it on a scratch copy of the sample class files,
# so the samples in the repository are never overwritten: bash scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target tolvane-class-creator tolvane-classfile
scratch="$PWD/scratch"
mkdir -p "$scratch"
cp examples/tvclass_seals.cfg examples/tvclass_tangos.cfg "$scratch"/
echo "Working folder: $scratch"
cd "$scratch"
exec "$OLDPWD/build/app/tolvane-class-creator" "$@"
