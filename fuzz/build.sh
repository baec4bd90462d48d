#!/bin/sh
# Builds the fuzz targets in the sanitized tree: fuzz/build.sh [build folder]
# (default build-asan beside fuzz/) and prints the folder.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build-asan}
SW_ASAN_BUILD=$build "$here/../scripts/sanitized-build.sh" $("$here/targets.sh" list) >&2
echo "$build/fuzz"
