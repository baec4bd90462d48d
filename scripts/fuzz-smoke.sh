#!/usr/bin/env bash
# Builds the fuzz targets in the sanitized tree and runs each for a fixed
# number of executions from its seed corpus: a smoke run that catches a target
# that no longer builds or crashes at once (fuzz/run.sh does the long runs).
# Skipped where clang++ is missing. SW_FUZZ_RUNS sets the executions per target.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${SW_FUZZ_RUNS:-5000}

if ! command -v clang++ >/dev/null; then
    echo "Fuzz smoke run skipped: clang++ is not installed"
    exit 0
fi
build=$("$root/fuzz/build.sh" "${SW_ASAN_BUILD:-$root/build-asan}")

targets=$root/fuzz/targets.sh
mkdir -p "$build/artifacts"
for target in $("$targets" list); do
    echo "Fuzz smoke run: $target, $runs executions"
    found=$(mktemp -d)
    # shellcheck disable=SC2046 # the options are words
    if ! "$build/$target" $("$targets" options "$target") -runs="$runs" -seed=1 -timeout=10 \
        -rss_limit_mb=2048 -artifact_prefix="$build/artifacts/" \
        "$found" "$("$targets" seeds "$target")" >"$build/$target.log" 2>&1; then
        tail -n 40 "$build/$target.log"
        echo "FAIL: $target (the input is kept in $build/artifacts)"
        rm -rf "$found"
        exit 1
    fi
    rm -rf "$found"
done
