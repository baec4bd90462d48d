#!/bin/sh
# Builds and runs one fuzz target: fuzz/run.sh SECONDS [build folder] [target]
# The target is template_reader_fuzzer (default), picture_loader_fuzzer or
# wizard_settings_fuzzer. New inputs go to <build>/corpus-<target>, crashes to
# <build>/artifacts; the committed seed corpus is only read.
set -eu
seconds=${1:?usage: fuzz/run.sh SECONDS [build folder] [target]}
here=$(cd "$(dirname "$0")" && pwd)
build=${2:-$here/../build-asan}
target=${3:-template_reader_fuzzer}
targets=$("$here/build.sh" "$build")
options=$("$here/targets.sh" options "$target")
seeds=$("$here/targets.sh" seeds "$target")
mkdir -p "$build/corpus-$target" "$build/artifacts"
# shellcheck disable=SC2086 # the options are words
exec nice "$targets/$target" $options \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/artifacts/" -print_final_stats=1 \
    "$build/corpus-$target" "$seeds"
