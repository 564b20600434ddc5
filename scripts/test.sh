#!/usr/bin/env bash
# Builds everything and runs every test (offscreen, no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build && ctest --output-on-failure -j2 "$@"
