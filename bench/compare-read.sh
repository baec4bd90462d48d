#!/usr/bin/env bash
# Times reading filled-in sheets against decoding the same files with the
# fastest Debian tool for their format, on one core: wizard sheets on A4 and
# A3, scanned at 200 dpi as grey JPEG, grey PNG and grey TIFF (LZW). JPEG is
# decoded by djpeg; PNG by pngtopnm or ImageMagick, TIFF by tifftopnm or
# ImageMagick, whichever is faster here. Prints seconds per sheet, sheets per
# second and the ratio, then the review load: the share of sheets and
# answers flagged on a realistic simulated set (sheetwright-read-accuracy).
#
# Usage: bench/compare-read.sh [BUILD_DIR]
#   BUILD_DIR  build folder with sheetwright-cli (default: $BUILD_DIR, else
#              ./build); build it in Release or RelWithDebInfo.
# Environment: SHEETS (default 40) scans per batch; REPS (default 3) runs per
# measurement, the median is kept; ACCURACY_SHEETS (default 60) simulated
# sheets for the review load.
set -euo pipefail

build=${1:-${BUILD_DIR:-build}}
sheets=${SHEETS:-40}
reps=${REPS:-3}
cli=$build/cli/sheetwright-cli
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

[[ -x $cli ]] || { echo "missing $cli: build it first" >&2; exit 2; }
for tool in djpeg convert pngtopnm tifftopnm; do
    command -v $tool >/dev/null || { echo "missing $tool: run ./test.sh once to install it" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

# Median processor seconds (user + system, children included) of REPS runs
# of a command: a busy machine stretches wall-clock time, not these.
median_seconds() {
    local times=() i TIMEFORMAT='%U %S'
    for ((i = 0; i < reps; i++)); do
        # Exit 1 (sheets that need a look) is fine here.
        times+=("$({ time "$@" >/dev/null 2>&1 || [[ $? -eq 1 ]]; } 2>&1 | awk '{ print $1 + $2 }')")
    done
    printf '%s\n' "${times[@]}" | sort -g | awk '{t[NR] = $1} END {
        if (NR % 2) print t[(NR + 1) / 2]; else print (t[NR / 2] + t[NR / 2 + 1]) / 2 }'
}

# decode_all TOOL FILES...: every file decoded to /dev/null.
decode_all() {
    local tool=$1 f
    shift
    for f in "$@"; do
        case $tool in
        djpeg) djpeg -outfile /dev/null "$f" ;;
        pngtopnm) pngtopnm "$f" >/dev/null ;;
        tifftopnm) tifftopnm -quiet "$f" >/dev/null ;;
        convert) convert "$f" pgm:/dev/null ;;
        esac
    done
}

printf '%-5s %-5s %-10s %10s %10s %12s %8s %14s\n' paper kind tool "tool s" "read s" "read+start s" ratio "sheets/s/core"
for paper in A4:0 A3:2; do
    name=${paper%%:*}
    dir=$work/$name
    mkdir -p "$dir"
    echo "{\"pagesize\": ${paper##*:}, \"pagecount\": 1}" >"$dir/settings.json"
    "$cli" wizard --settings "$dir/settings.json" -o "$dir/sheet.exm" >/dev/null
    "$cli" export "$dir/sheet.exm" -o "$dir/page.png" --dpi 200 >/dev/null
    convert "$dir/page.png" -rotate 0.7 -colorspace Gray -type Grayscale -depth 8 "$dir/grey.pgm"
    convert "$dir/grey.pgm" -quality 85 "$dir/scan.jpg"
    convert "$dir/grey.pgm" "$dir/scan.png"
    convert "$dir/grey.pgm" -compress lzw "$dir/scan.tif"
    for kind in jpg png tif; do
        mkdir -p "$dir/$kind/half" "$dir/$kind/all"
        for ((i = 0; i < sheets; i++)); do
            cp "$dir/scan.$kind" "$dir/$kind/all/$i.$kind"
            ((i < sheets / 2)) && cp "$dir/scan.$kind" "$dir/$kind/half/$i.$kind"
        done
        case $kind in
        jpg) tools=(djpeg) ;;
        png) tools=(pngtopnm convert) ;;
        tif) tools=(tifftopnm convert) ;;
        esac
        best_tool= best_s=
        for tool in "${tools[@]}"; do
            t=$(median_seconds decode_all "$tool" "$dir/$kind"/all/*)
            if [[ -z $best_s ]] || awk -v a="$t" -v b="$best_s" 'BEGIN { exit !(a < b) }'; then
                best_tool=$tool best_s=$t
            fi
        done
        all_s=$(median_seconds "$cli" read "$dir/sheet.exm" "$dir/$kind/all" --jobs 1)
        half_s=$(median_seconds "$cli" read "$dir/sheet.exm" "$dir/$kind/half" --jobs 1)
        # Start-up (template, blank cells) cancels out of the difference.
        awk -v n="$sheets" -v d="$best_s" -v a="$all_s" -v h="$half_s" -v p="$name" \
            -v k="$kind" -v t="$best_tool" 'BEGIN {
            per = (a - h) / (n - n / 2); dj = d / n
            printf "%-5s %-5s %-10s %10.4f %10.4f %12.4f %8.2f %14.1f\n", p, k, t, dj, per, a / n, per / dj, 1 / per }'
    done
done

accuracy=$build/bench/sheetwright-read-accuracy
if [[ -x $accuracy ]]; then
    echo
    echo "review load on ${ACCURACY_SHEETS:-60} realistic simulated sheets:"
    "$accuracy" "${ACCURACY_SHEETS:-60}" || true
fi
