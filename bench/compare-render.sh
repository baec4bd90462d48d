#!/usr/bin/env bash
# Times our 300-dpi PNG export of a page against Ghostscript rendering our
# PDF export of the same page at 300 dpi, and prints both times and the ratio.
#
# Usage: bench/compare-render.sh [BUILD_DIR]
#   BUILD_DIR  build folder with sheetwright-cli and sheetwright-bench-tool
#              (default: $BUILD_DIR, else ./build); build it in Release.
# Environment: REPS (default 5) repetitions per side; PAGES ("sheet dense" by
# default) which generated pages to compare.
set -euo pipefail

build=${1:-${BUILD_DIR:-build}}
reps=${REPS:-5}
pages=${PAGES:-sheet dense}
cli=$build/cli/sheetwright-cli
tool=$build/bench/sheetwright-bench-tool
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

for exe in "$cli" "$tool"; do
    [[ -x $exe ]] || { echo "missing $exe: build it first (-DSW_BUILD_BENCH=ON)" >&2; exit 2; }
done

if ! command -v gs >/dev/null; then
    echo "Installing ghostscript ..." >&2
    sudo=; [[ $(id -u) -eq 0 ]] || sudo=sudo
    $sudo apt-get update -qq && $sudo apt-get install -y -qq ghostscript >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Qt wants a private runtime folder; headless shells often have none.
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

now() { date +%s.%N; }

# Width x height of a PNG, from its header.
png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", (($1 * 256 + $2) * 256 + $3) * 256 + $4,
                                                  (($5 * 256 + $6) * 256 + $7) * 256 + $8 }'
}

# Median wall-clock seconds of REPS runs of a command (after one warm-up run).
median_seconds() {
    "$@" >/dev/null
    local times=() i start
    for ((i = 0; i < reps; i++)); do
        start=$(now)
        "$@" >/dev/null
        times+=("$(awk -v a="$(now)" -v b="$start" 'BEGIN { print a - b }')")
    done
    printf '%s\n' "${times[@]}" | sort -g | awk '{t[NR] = $1} END {
        if (NR % 2) print t[(NR + 1) / 2]; else print (t[NR / 2] + t[NR / 2 + 1]) / 2 }'
}

if command -v hyperfine >/dev/null; then
    timer=hyperfine
else
    timer="bash loop with date +%s.%N"
fi

# Median seconds through hyperfine when it is installed.
measure() {
    if [[ $timer == hyperfine ]]; then
        local json=$work/hyperfine.json
        hyperfine --warmup 1 --runs "$reps" --export-json "$json" --style none \
            "$(printf '%q ' "$@")" >/dev/null
        python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["results"][0]["median"])' "$json"
    else
        median_seconds "$@"
    fi
}

echo "Render comparison: page 1 at 300 dpi, median of $reps runs each ($timer)"
echo "  ours: sheetwright-cli export IN.exm -o OUT.png --dpi 300   (load template, paint, encode PNG)"
echo "  gs:   gs -sDEVICE=png16m -r300 on our PDF export of the page (parse PDF, render, encode PNG)"
echo "  Both are whole processes, start-up included."
for kind in $pages; do
    exm=$work/$kind.exm
    "$tool" "$kind" "$exm"
    "$cli" export "$exm" -o "$work/$kind.pdf" --dpi 300

    ours=$(measure "$cli" export "$exm" -o "$work/ours-$kind.png" --dpi 300)
    theirs=$(measure gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=png16m -r300 \
        -sOutputFile="$work/gs-$kind.png" "$work/$kind.pdf")

    echo
    echo "$kind page ($(png_size "$work/ours-$kind.png") ours, $(png_size "$work/gs-$kind.png") gs)"
    printf '  ours (PNG export)       %8.3f s\n' "$ours"
    printf '  Ghostscript (PDF->PNG)  %8.3f s\n' "$theirs"
    printf '  ratio ours/gs           %8.2f\n' "$(awk -v a="$ours" -v b="$theirs" 'BEGIN { print a / b }')"
done
