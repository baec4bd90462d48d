#!/usr/bin/env bash
# Usage: review_keyboard.sh SHEETWRIGHT SHEETWRIGHT_CLI REVIEW_E2E_EXAM OUTPUT_FOLDER
#
# Makes an exam with the command-line tool from simulated scans (two double
# marks, one exam number with a blank column), opens it with
# `sheetwright --review` under xvfb-run and works the whole queue with
# xdotool key presses alone: the reviewer's name, an answer taken back with
# Ctrl+Z and decided again as blank, an answer, the exam number, Ctrl+W.
# Then checks with the command-line tool that nothing is left to review,
# that the decided answers are scored and that the machine's readings are
# kept. Exits 77 (skipped) when xvfb-run or xdotool is missing.
set -euo pipefail

designer=$1
cli=$2
make_exam=$3
out=$4

if [ "${SW_E2E_INSIDE:-}" != 1 ]; then
    for tool in xvfb-run xdotool; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIP: $tool is not installed"
            exit 77
        fi
    done
    mkdir -p "$out"
    # A display number of its own: xvfb-run -a alone races other virtual
    # servers starting at the same time for the first free number.
    SW_E2E_INSIDE=1 exec xvfb-run -a -n $((200 + RANDOM % 600)) -s "-screen 0 1600x900x24" \
        "$0" "$@"
fi

work=$(mktemp -d)
review_pid=
cleanup() {
    if [ -n "$review_pid" ]; then
        kill -9 "$review_pid" 2>/dev/null || true
        wait "$review_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    echo "--- review window output:"
    cat "$out/review.log" 2>/dev/null || true
    exit 1
}
trap 'fail "the command at line $LINENO failed"' ERR

# Settings of this run only, so the reviewer's name is asked.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME" -m 700 "$XDG_RUNTIME_DIR"

# 1. The exam, made and read by the command-line tool.
planted=$("$make_exam" "$work/exam" 2>"$out/review-exam.log")
eval "$planted" # first_double, second_double, third_number, questions
db="$work/exams.db"
exam() { "$cli" exam --db "$db" "$@"; }
exam create 期末 --template "$work/exam/sheet.exm" >/dev/null
exam key 期末 --from-scan "$work/exam/key.png" --points 1 >/dev/null
exam roster 期末 "$work/exam/roster.csv" >/dev/null
exam read 期末 "$work/exam/scans" >/dev/null
items=$(exam check 期末 | grep -c '^待复核' || true)
[ "$items" = 3 ] || fail "the planted exam has $items items to review, not 3: $(exam check 期末)"

# 2. The review window, driven by keys alone.
env -u QT_QPA_PLATFORM "$designer" --review 期末 --db "$db" >"$out/review.log" 2>&1 &
review_pid=$!

# The id of the first visible window whose whole title matches the pattern.
wait_for_window() { # PATTERN WHAT
    local id
    for _ in $(seq 1 80); do
        kill -0 "$review_pid" 2>/dev/null || fail "the program ended early"
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.25
    done
    fail "no $2 appeared"
}

# Keys to a window: focus it (there is no window manager), then type.
keys() { # WINDOW KEY...
    local window=$1
    shift
    xdotool windowfocus --sync "$window"
    xdotool key --clearmodifiers --delay 50 "$@"
}

asked=$(wait_for_window '^复核人$' "question for the reviewer's name")
sleep 0.5
keys "$asked" e 2 e Return
window=$(wait_for_window '^复核考试 期末' "review window")
sleep 1
# Scan 1's double mark: B, taken back, then blank; scan 2's: A; then the
# exam number of scan 3; each Enter shows the next item.
keys "$window" b Return ctrl+z
keys "$window" space Return
keys "$window" a Return
# shellcheck disable=SC2046
keys "$window" $(echo "$third_number" | sed 's/./& /g') Return
sleep 0.5
keys "$window" ctrl+w
for _ in $(seq 1 40); do
    kill -0 "$review_pid" 2>/dev/null || break
    sleep 0.25
done
if kill -0 "$review_pid" 2>/dev/null; then
    fail "the review window did not close on Ctrl+W"
fi
wait "$review_pid" || fail "the program ended with status $?"
review_pid=

# 3. Nothing left to review; the decisions scored, the readings kept.
exam check 期末 >"$out/review-check.txt" ||
    fail "items remain after the review: $(cat "$out/review-check.txt")"
results=$(exam results 期末)
expect_row() { # NUMBER TOTAL
    echo "$results" | grep -q "^$1,[^,]*,A,ok,$2," ||
        fail "candidate $1 is not scored $2: $results"
}
expect_row 000001 $((questions - 1)) # blank on question $second_double
expect_row 000002 "$questions"
expect_row "$third_number" "$questions"
json=$(exam results 期末 --json)
expect_question() { # NUMBER QUESTION CHOSEN
    echo "$json" | grep "\"exam_number\":\"$1\"" |
        grep -q "{\"chosen\":\"$3\",\"decided\":true,\"key\":\"A\",\"points\":[01],\"question\":\"$2\",\"read\":\"AB\"" ||
        fail "candidate $1's question $2 is not decided \"$3\" over the reading AB: $json"
}
expect_question 000001 "$second_double" ""
expect_question 000002 "$first_double" A
echo "OK: the review queue was worked with keys alone; decisions scored, readings kept"
