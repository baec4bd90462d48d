#!/bin/sh
# Builds the fuzz targets on their own with clang: fuzz/build.sh [build folder]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-/work/build-stream-fuzz}
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j2
echo "$build"
