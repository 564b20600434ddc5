#!/usr/bin/env bash
# Configures once, then builds incrementally with Ninja into ./build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
if [ ! -f build/build.ninja ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build build -- -j"$(nproc)" "$@"
