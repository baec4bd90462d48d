#!/usr/bin/env bash
# Compares our bitmap export with Ghostscript rendering our PDF export of the
# same page, anti-aliased (-dTextAlphaBits=4 -dGraphicsAlphaBits=4), both as
# whole processes with start-up included. Runs the sides interleaved and
# prints medians and ranges of their CPU time, and their peak memory:
#   1. CPU time: the wizard's A3 answer sheet at 300 dpi as PNG;
#   2. peak memory: the same sheet at 600 dpi as PNG, JPEG and BMP.
#
# Usage: bench/compare-render.sh [BUILD_DIR]
#   BUILD_DIR  build folder with sheetwright-cli and sheetwright-bench-tool
#              (default: $BUILD_DIR, else ./build); build it in Release.
# Environment: REPS (default 5) runs per side.
set -euo pipefail

here=$(dirname "$0")
build=${1:-${BUILD_DIR:-build}}
reps=${REPS:-5}
cli=$build/cli/sheetwright-cli
tool=$build/bench/sheetwright-bench-tool
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# shellcheck source=bench/measure.sh
source "$here/measure.sh"

require_built "$cli" "$tool"
install_for gs ghostscript
setup_measure
work=$(mktemp -d)
trap 'rm -rf "$work" "$measure_dir"' EXIT
# Qt wants a private runtime folder; headless shells often have none.
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

gs_aa=(gs -q -dNOPAUSE -dBATCH -dSAFER -dTextAlphaBits=4 -dGraphicsAlphaBits=4 -sDEVICE=png16m)

"$tool" sheet "$work/sheet.exm" --paper A3
"$cli" export "$work/sheet.exm" -o "$work/sheet.pdf" --dpi 300

for ((i = 0; i < reps; i++)); do
    measure ours_png300 "$cli" export "$work/sheet.exm" -o "$work/ours.png" --dpi 300
    measure gs_png300 "${gs_aa[@]}" -r300 -sOutputFile="$work/gs.png" "$work/sheet.pdf"
    for format in png jpg bmp; do
        measure "ours_${format}600" "$cli" export "$work/sheet.exm" -o "$work/ours.$format" --dpi 600
    done
    measure gs_png600 "${gs_aa[@]}" -r600 -sOutputFile="$work/gs.png" "$work/sheet.pdf"
done

echo "Render comparison, wizard A3 answer sheet; $reps interleaved runs per side."
echo "Ghostscript renders our PDF export anti-aliased (TextAlphaBits=4, GraphicsAlphaBits=4)."
echo "Columns: median CPU seconds (user + system), range, median peak memory."
echo
echo "300 dpi PNG:"
report ours_png300 "ours: sheetwright-cli export -o x.png --dpi 300"
report gs_png300 "gs -sDEVICE=png16m -r300 (anti-aliased)"
echo "  CPU ratio ours/gs: $(ratio "$(cpu ours_png300)" "$(cpu gs_png300)")"
echo
echo "600 dpi, peak memory:"
report ours_png600 "ours: export -o x.png --dpi 600"
report ours_jpg600 "ours: export -o x.jpg --dpi 600"
report ours_bmp600 "ours: export -o x.bmp --dpi 600"
report gs_png600 "gs -sDEVICE=png16m -r600 (anti-aliased)"
