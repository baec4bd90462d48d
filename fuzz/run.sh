#!/bin/sh
# Builds and runs the template reader fuzzer: fuzz/run.sh SECONDS [build folder]
# New inputs go to <build>/corpus, crashes to <build>/artifacts; the committed
# seed corpus is only read.
set -eu
seconds=${1:?usage: fuzz/run.sh SECONDS [build folder]}
here=$(cd "$(dirname "$0")" && pwd)
build=${2:-/work/build-stream-fuzz}
"$here/build.sh" "$build"
mkdir -p "$build/corpus" "$build/artifacts"
exec nice "$build/template_reader_fuzzer" \
    -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
    -dict="$here/stream.dict" -artifact_prefix="$build/artifacts/" \
    -print_final_stats=1 \
    "$build/corpus" "$here/corpus"
