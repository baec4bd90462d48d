#!/usr/bin/env bash
# Compares the mark detection's image work with common tools, on inputs made
# from one generated answer sheet exported at 300 dpi:
#   1. FindBlobs (8-connected blobs with their pixel lists) against OpenCV's
#      connectedComponentsWithStats (8-connectivity: labels, boxes, areas), by
#      default and with the fastest of its labelling algorithms, on
#      the same binarized region: the sheet turned by 0.5 degrees, upper half,
#      binarized at 200. Both timed in-process on an already decoded image.
#   2. RotatePicture of the whole A4 scan by 0.5 degrees against ImageMagick's
#      `convert in.png -rotate 0.5 out.png` (a process, PNG decode and encode
#      included), with our own PNG-to-PNG time, ImageMagick's PNG-to-PNG copy
#      without rotation and ImageMagick's -bench beside.
#
# Usage: bench/compare-blobs.sh [BUILD_DIR]
#   BUILD_DIR  build folder with sheetwright-cli and sheetwright-bench-tool
#              (default: $BUILD_DIR, else ./build); build it in Release.
# Environment: REPS (default 10) repetitions of the in-process measurements,
# CMD_REPS (default 5) of the ImageMagick commands; PYTHON, the
# interpreter that has Debian's python3-opencv (default /usr/bin/python3).
# OpenCV is used here only; the program never links it.
set -euo pipefail

build=${1:-${BUILD_DIR:-build}}
reps=${REPS:-10}
cmd_reps=${CMD_REPS:-5}
python=${PYTHON:-/usr/bin/python3}
cli=$build/cli/sheetwright-cli
tool=$build/bench/sheetwright-bench-tool
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

for exe in "$cli" "$tool"; do
    [[ -x $exe ]] || { echo "missing $exe: build it first (-DSW_BUILD_BENCH=ON)" >&2; exit 2; }
done

sudo=; [[ $(id -u) -eq 0 ]] || sudo=sudo
updated=
apt_install() {
    echo "Installing $* ..." >&2
    [[ -n $updated ]] || { $sudo apt-get update -qq; updated=1; }
    $sudo apt-get install -y -qq "$@" >/dev/null
}
"$python" -c 'import cv2' 2>/dev/null || apt_install python3-opencv
command -v convert >/dev/null || apt_install imagemagick

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Qt wants a private runtime folder; headless shells often have none.
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

# Value of key=... in the line of the bench tool's output that starts with `what`.
field() { awk -v what="$1" -v key="$2" '$1 == what {
    for (i = 2; i <= NF; i++) { split($i, kv, "="); if (kv[1] == key) print kv[2] } }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# Median wall-clock milliseconds of CMD_REPS runs of a command (after one warm-up run).
median_ms() {
    "$@" >/dev/null
    local times=() i start
    for ((i = 0; i < cmd_reps; i++)); do
        start=$(date +%s.%N)
        "$@" >/dev/null
        times+=("$(awk -v a="$(date +%s.%N)" -v b="$start" 'BEGIN { print (a - b) * 1000 }')")
    done
    printf '%s\n' "${times[@]}" | sort -g | awk '{t[NR] = $1} END {
        if (NR % 2) print t[(NR + 1) / 2]; else print (t[NR / 2] + t[NR / 2 + 1]) / 2 }'
}

# The inputs: the A4 scan and its binarized, slightly turned upper half.
"$tool" sheet "$work/sheet.exm"
"$cli" export "$work/sheet.exm" -o "$work/page.png" --dpi 300
"$tool" scan "$work/page.png" "$work/region.png" --angle 0.5 --threshold 200

echo "== Blobs: FindBlobs against OpenCV connectedComponentsWithStats (8-connectivity)"
ours=$("$tool" blobs "$work/region.png" --repeat "$reps" --minimum 1)
ours_ms=$(field findblobs_mask median_ms <<<"$ours")
ours_blobs=$(field findblobs_mask blobs <<<"$ours")
size="$(field findblobs_mask width <<<"$ours")x$(field findblobs_mask height <<<"$ours")"

opencv=$("$python" - "$work/region.png" "$reps" <<'EOF'
import statistics, sys, time
import cv2
import numpy as np

image = cv2.imread(sys.argv[1], cv2.IMREAD_GRAYSCALE)
runs = int(sys.argv[2])
dark = (image == 0).astype(np.uint8)  # the black pixels are the foreground

def median_ms(label):
    label(dark, connectivity=8)  # warm-up
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        count = label(dark, connectivity=8)[0]
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times), count - 1  # label 0 is the background

threads = cv2.getNumThreads()
default_ms, blobs = median_ms(cv2.connectedComponentsWithStats)
cv2.setNumThreads(1)
single_ms, _ = median_ms(cv2.connectedComponentsWithStats)
labels_ms, _ = median_ms(cv2.connectedComponents)
# Every labelling algorithm OpenCV offers with statistics, one thread: the fastest.
algorithms = {name[4:].lower(): getattr(cv2, name) for name in dir(cv2)
              if name.startswith("CCL_") and name != "CCL_DEFAULT"}
fastest_ms, fastest = float("inf"), "none"
for name, algorithm in sorted(algorithms.items()):
    def with_stats(image, connectivity, algorithm=algorithm):
        return cv2.connectedComponentsWithStatsWithAlgorithm(image, connectivity, cv2.CV_32S,
                                                             algorithm)
    ms, _ = median_ms(with_stats)
    if ms < fastest_ms:
        fastest_ms, fastest = ms, name
print(f"opencv version={cv2.__version__} blobs={blobs} threads={threads} "
      f"median_ms={default_ms:.3f} single_ms={single_ms:.3f} labels_ms={labels_ms:.3f} "
      f"fastest_ms={fastest_ms:.3f} fastest={fastest}")
EOF
)
cv_ms=$(field opencv single_ms <<<"$opencv")
cv_default_ms=$(field opencv median_ms <<<"$opencv")
cv_blobs=$(field opencv blobs <<<"$opencv")
cv_threads=$(field opencv threads <<<"$opencv")
echo "  region: $size pixels, binarized; median of $reps in-process runs each"
echo "  ours  FindBlobs (blob pixel lists)           $ours_ms ms, $ours_blobs blobs"
echo "  OpenCV $(field opencv version <<<"$opencv") connectedComponentsWithStats, 1 thread   $cv_ms ms, $cv_blobs blobs"
echo "  OpenCV connectedComponentsWithStats, $cv_threads threads   $cv_default_ms ms"
echo "  OpenCV connectedComponents (labels only, no stats), 1 thread   $(field opencv labels_ms <<<"$opencv") ms"
[[ $ours_blobs == "$cv_blobs" ]] || echo "  NOTE: the blob counts differ"
fastest_ms=$(field opencv fastest_ms <<<"$opencv")
echo "  OpenCV fastest with statistics ($(field opencv fastest <<<"$opencv")), 1 thread   $fastest_ms ms"
echo "  blob ratio ours/OpenCV (1 thread):          $(ratio "$ours_ms" "$cv_ms")"
echo "  blob ratio ours/OpenCV fastest with stats:  $(ratio "$ours_ms" "$fastest_ms")"
echo "  blob ratio ours/OpenCV ($cv_threads threads):         $(ratio "$ours_ms" "$cv_default_ms")"

echo
echo "== Rotation by 0.5 degrees of the A4 300-dpi scan: RotatePicture against ImageMagick"
ours=$("$tool" rotate "$work/page.png" "$work/ours-turned.png" --angle 0.5 --repeat "$reps")
call_ms=$(field rotate_call median_ms <<<"$ours")
file_ms=$(field rotate_png_to_png median_ms <<<"$ours")
im_ms=$(median_ms convert "$work/page.png" -rotate 0.5 "$work/im-turned.png")
im_copy_ms=$(median_ms convert "$work/page.png" "$work/im-copy.png")
# -bench repeats the whole command in-process, once per thread count, and
# reports iterations per second: "Performance[threads]: Ni X.XXXips ...".
im_bench=$(convert -bench "$cmd_reps" "$work/page.png" -rotate 0.5 "$work/im-bench.png" 2>&1 |
    awk '/Performance\[/ { gsub(/Performance\[|\]:/, "", $1); sub(/ips/, "", $3)
        printf "%s%s thread(s) %.1f ms", sep, $1, 1000 / $3; sep = ", " }' || true)
echo "  ours: RotatePicture call in-process (keeps the page size)   $call_ms ms"
echo "  ours: PNG load + RotatePicture + PNG save, in-process       $file_ms ms"
echo "  ImageMagick: convert page.png -rotate 0.5 out.png (process) $im_ms ms"
echo "  ImageMagick: convert page.png out.png, no rotation (process) $im_copy_ms ms"
echo "  ImageMagick -bench $cmd_reps (read + rotate + write per iteration): ${im_bench:-not reported}"
echo "  (ImageMagick enlarges the canvas to hold the turned page; ours keeps the size.)"
echo "  (median of $reps runs for ours, $cmd_reps for ImageMagick)"
echo "  rotation ratio ours call / convert command:        $(ratio "$call_ms" "$im_ms")"
echo "  rotation ratio ours PNG-to-PNG / convert command:  $(ratio "$file_ms" "$im_ms")"
echo "  rotation ratio ours call / (convert rotate - convert copy): $(ratio "$call_ms" \
    "$(awk -v a="$im_ms" -v b="$im_copy_ms" 'BEGIN { print a - b }')")"
