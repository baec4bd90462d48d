#!/usr/bin/env bash
# Compares `deskew` of a skewed A4 scan at 300 dpi (2480 x 3508, the wizard's
# sheet turned by 0.5 degrees, JPEG) with the JPEG codec's own decode and
# encode of the same file: a grey scan against `djpeg | cjpeg -grayscale`, a
# colour scan against `djpeg -rgb | cjpeg`. Whole processes, interleaved;
# ours includes loading the template and finding the marks.
#
# Usage: bench/compare-deskew.sh [BUILD_DIR]
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
install_for djpeg libjpeg-turbo-progs
setup_measure
work=$(mktemp -d)
trap 'rm -rf "$work" "$measure_dir"' EXIT
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

# The printed sheet carries its positioning marks; the template that reads it
# lays its boxes over the scan (mode 1), so the marks are measured.
"$tool" sheet "$work/printed.exm"
"$tool" sheet "$work/overlay.exm" --modal 1
"$cli" export "$work/printed.exm" -o "$work/page.png" --dpi 300
"$tool" skewscan "$work/page.png" "$work/grey.jpg"
"$tool" skewscan "$work/page.png" "$work/colour.jpg" --colour 1

for ((i = 0; i < reps; i++)); do
    measure ours_grey "$cli" deskew "$work/overlay.exm" "$work/grey.jpg" -o "$work/out-grey.jpg"
    measure_sh codec_grey "djpeg '$work/grey.jpg' | cjpeg -grayscale >'$work/codec-grey.jpg'"
    measure ours_colour "$cli" deskew "$work/overlay.exm" "$work/colour.jpg" -o "$work/out-colour.jpg"
    measure_sh codec_colour "djpeg -rgb '$work/colour.jpg' | cjpeg >'$work/codec-colour.jpg'"
done

echo "Deskew comparison, 2480 x 3508 scan turned by 0.5 degrees; $reps interleaved runs per side."
echo "Columns: median CPU seconds (user + system), range, median peak memory."
report ours_grey "ours: deskew of the grey scan"
report codec_grey "djpeg | cjpeg -grayscale"
report ours_colour "ours: deskew of the colour scan"
report codec_colour "djpeg -rgb | cjpeg"
echo "  CPU ratio grey ours/codec:   $(ratio "$(cpu ours_grey)" "$(cpu codec_grey)")"
echo "  CPU ratio colour ours/codec: $(ratio "$(cpu ours_colour)" "$(cpu codec_colour)")"
