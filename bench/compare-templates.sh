#!/usr/bin/env bash
# Compares template reading and writing with a streaming pass over the same
# bytes: `resave` of a 1,000-page template (the wizard's four-page sheet
# copied in turn) against `gzip -1` of the file, both as whole processes,
# interleaved; and the peak memory of `info` on it against the file's size.
#
# Usage: bench/compare-templates.sh [BUILD_DIR]
#   BUILD_DIR  build folder with sheetwright-cli and sheetwright-bench-tool
#              (default: $BUILD_DIR, else ./build); build it in Release.
# Environment: REPS (default 5) runs per side; PAGES (default 1000).
set -euo pipefail

here=$(dirname "$0")
build=${1:-${BUILD_DIR:-build}}
reps=${REPS:-5}
pages=${PAGES:-1000}
cli=$build/cli/sheetwright-cli
tool=$build/bench/sheetwright-bench-tool
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# shellcheck source=bench/measure.sh
source "$here/measure.sh"

require_built "$cli" "$tool"
setup_measure
work=$(mktemp -d)
trap 'rm -rf "$work" "$measure_dir"' EXIT
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

"$tool" pages "$work/big.exm" --pages "$pages"
bytes=$(stat -c %s "$work/big.exm")

for ((i = 0; i < reps; i++)); do
    measure resave "$cli" resave "$work/big.exm" "$work/out.exm"
    measure gzip gzip -1 -k -f "$work/big.exm"
    measure info "$cli" info "$work/big.exm"
done

file_mib=$(awk -v b="$bytes" 'BEGIN { printf "%.1f", b / 1048576 }')
echo "Template comparison: $pages pages, $file_mib MiB; $reps interleaved runs per side."
echo "Columns: median CPU seconds (user + system), range, median peak memory."
report resave "ours: sheetwright-cli resave IN.exm OUT.exm"
report gzip "gzip -1 of the same file"
report info "ours: sheetwright-cli info IN.exm"
echo "  CPU ratio resave/gzip -1: $(ratio "$(cpu resave)" "$(cpu gzip)")"
echo "  info peak memory: $(peak_mib info) MiB; bound 4 x file + 30 MiB =" \
    "$(awk -v b="$bytes" 'BEGIN { printf "%.0f", 4 * b / 1048576 + 30 }') MiB"
