#!/usr/bin/env bash
# Times `exam read` against `read --json` on the same scans (one job, wall
# clock: storing waits for the disk), and `exam results` of many candidates.
#
# Usage: bench/compare-exam.sh [BUILD_DIR]
#   BUILD_DIR  build folder with sheetwright-cli and sheetwright-exam-bench
#              (default: $BUILD_DIR, else ./build); build it in Release or
#              RelWithDebInfo.
# Environment: SHEETS (default 100) scans read; CANDIDATES (default 10000)
# candidates for the results; DB (default: a SQLite file) a PostgreSQL URL
# to store into instead (its tables must not hold an exam "bench" or "read").
set -euo pipefail

build=${1:-${BUILD_DIR:-build}}
sheets=${SHEETS:-100}
candidates=${CANDIDATES:-10000}
cli=$build/cli/sheetwright-cli
tool=$build/bench/sheetwright-exam-bench
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

for program in "$cli" "$tool"; do
    [[ -x $program ]] || { echo "missing $program: build it first" >&2; exit 2; }
done
command -v convert >/dev/null || { echo "missing convert: run ./test.sh once to install it" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
db=${DB:-$work/exams.db}

"$cli" wizard -o "$work/sheet.exm" >/dev/null
"$cli" export "$work/sheet.exm" -o "$work/page.png" --dpi 200 >/dev/null
convert "$work/page.png" -rotate 0.7 -colorspace Gray -type Grayscale -depth 8 -quality 85 "$work/scan.jpg"
# Every copy differs after the picture's end, so each is a scan of its own.
mkdir "$work/scans"
for ((i = 0; i < sheets; i++)); do
    { cat "$work/scan.jpg"; printf '%d' "$i"; } >"$work/scans/$i.jpg"
done

"$cli" exam create read --db "$db" --template "$work/sheet.exm" >/dev/null
seconds() {
    local TIMEFORMAT='%R'
    { time "$@" >/dev/null 2>&1 || [[ $? -eq 1 ]]; } 2>&1
}
plain=$(seconds "$cli" read "$work/sheet.exm" "$work/scans" --json --jobs 1)
stored=$(seconds "$cli" exam read read --db "$db" "$work/scans" --jobs 1)
again=$(seconds "$cli" exam read read --db "$db" "$work/scans" --jobs 1)
awk -v n="$sheets" -v p="$plain" -v s="$stored" -v a="$again" 'BEGIN {
    printf "read --json   %8.4f s per sheet\n", p / n
    printf "exam read     %8.4f s per sheet (%.2f x read --json)\n", s / n, s / p
    printf "exam read     %8.4f s per sheet when all are stored already\n", a / n
}'

"$tool" "$db" "$work/sheet.exm" "$candidates"
results=$(seconds "$cli" exam results bench --db "$db")
echo "exam results  $results s for $candidates candidates (the whole command)"
