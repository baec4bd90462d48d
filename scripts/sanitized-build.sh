#!/usr/bin/env bash
# Builds targets in the sanitized tree: scripts/sanitized-build.sh TARGET...
# One tree serves the sanitizer suites (scripts/sanitizer-tests.sh) and the fuzz
# targets (scripts/fuzz-smoke.sh, fuzz/run.sh), so the core is compiled once for
# both: clang with AddressSanitizer, UndefinedBehaviorSanitizer and libFuzzer's
# coverage counters, at -O1 with line tables for the reports, and with assert
# and Q_ASSERT checked (the Debug configuration drops NDEBUG and QT_NO_DEBUG).
# The tree is $SW_ASAN_BUILD, else build-asan.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SW_ASAN_BUILD:-$root/build-asan}

if ! command -v clang++ >/dev/null; then
    echo "The sanitized build needs clang++ (Debian packages clang and libclang-rt-dev)" >&2
    exit 1
fi
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
        -DSW_BUILD_FUZZ=ON -DSW_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target "$@"
