#!/usr/bin/env bash
# Builds everything and runs every test (offscreen, no display needed).
# With --sanitize: the same tests in a Debug build with -Werror, AddressSanitizer and
# UndefinedBehaviorSanitizer, in build-sanitize/.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--sanitize" ]; then
    shift
    bash scripts/deps.sh
    if [ ! -f build-sanitize/build.ninja ]; then
        cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVERSALIA_SANITIZE=ON >/dev/null
    fi
    cmake --build build-sanitize -- -j"$(nproc)"
    # Qt keeps some memory to the end of the process on purpose: leaks are not looked for, every other fault is.
    cd build-sanitize && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --output-on-failure -j2 "$@"
    exit
fi
bash scripts/build.sh
cd build && ctest --output-on-failure -j2 "$@"
