#!/usr/bin/env bash
# Times reading filled-in sheets against decoding the same JPEG files with
# djpeg, on one core: wizard sheets on A4 and A3, scanned at 200 dpi as
# grey JPEG. Prints seconds per sheet, sheets per second and the ratio.
#
# Usage: bench/compare-read.sh [BUILD_DIR]
#   BUILD_DIR  build folder with sheetwright-cli (default: $BUILD_DIR, else
#              ./build); build it in Release or RelWithDebInfo.
# Environment: SHEETS (default 40) scans per batch; REPS (default 3) runs per
# measurement, the median is kept.
set -euo pipefail

build=${1:-${BUILD_DIR:-build}}
sheets=${SHEETS:-40}
reps=${REPS:-3}
cli=$build/cli/sheetwright-cli
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

[[ -x $cli ]] || { echo "missing $cli: build it first" >&2; exit 2; }
for tool in djpeg convert; do
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

decode_all() {
    local f
    for f in "$@"; do djpeg -outfile /dev/null "$f"; done
}

printf '%-5s %12s %12s %12s %10s %14s\n' paper "djpeg s" "read s" "read+start s" ratio "sheets/s/core"
for paper in A4:0 A3:2; do
    name=${paper%%:*}
    dir=$work/$name
    mkdir -p "$dir/half" "$dir/all"
    echo "{\"pagesize\": ${paper##*:}, \"pagecount\": 1}" >"$dir/settings.json"
    "$cli" wizard --settings "$dir/settings.json" -o "$dir/sheet.exm" >/dev/null
    "$cli" export "$dir/sheet.exm" -o "$dir/page.png" --dpi 200 >/dev/null
    convert "$dir/page.png" -rotate 0.7 -colorspace Gray -type Grayscale -quality 85 "$dir/scan.jpg"
    for ((i = 0; i < sheets; i++)); do
        cp "$dir/scan.jpg" "$dir/all/$i.jpg"
        ((i < sheets / 2)) && cp "$dir/scan.jpg" "$dir/half/$i.jpg"
    done
    djpeg_s=$(median_seconds decode_all "$dir"/all/*.jpg)
    all_s=$(median_seconds "$cli" read "$dir/sheet.exm" "$dir/all" --jobs 1)
    half_s=$(median_seconds "$cli" read "$dir/sheet.exm" "$dir/half" --jobs 1)
    # Start-up (template, blank cells) cancels out of the difference.
    awk -v n="$sheets" -v d="$djpeg_s" -v a="$all_s" -v h="$half_s" -v p="$name" 'BEGIN {
        per = (a - h) / (n - n / 2); dj = d / n
        printf "%-5s %12.4f %12.4f %12.4f %10.2f %14.1f\n", p, dj, per, a / n, per / dj, 1 / per }'
done
