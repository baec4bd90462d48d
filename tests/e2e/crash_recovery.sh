#!/usr/bin/env bash
# Usage: crash_recovery.sh SHEETWRIGHT SHEETWRIGHT_CLI OUTPUT_FOLDER
#
# The designer under xvfb-run, driven by xdotool: adds a page (an edit that
# marks the document), waits for the recovery save, is killed with SIGKILL,
# starts again, answers the recovery question with its default button
# "恢复", saves the restored document under a new name and checks with the
# command-line tool that the added page is there. Exits 77 (skipped) when
# xvfb-run or xdotool is missing.
set -euo pipefail

designer=$1
cli=$2
out=$3

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
designer_pid=
stop_designer() {
    if [ -n "$designer_pid" ]; then
        kill -9 "$designer_pid" 2>/dev/null || true
        wait "$designer_pid" 2>/dev/null || true
        designer_pid=
    fi
}
cleanup() {
    stop_designer
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    echo "--- designer output:"
    cat "$out"/recovery-*.log 2>/dev/null || true
    exit 1
}
trap 'fail "the command at line $LINENO failed"' ERR

# Settings, data and the library of this run only; recovery saves every
# second.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME/sheetwright" -m 700 "$XDG_RUNTIME_DIR"
printf '[recovery]\nintervalSeconds=1\n' >"$XDG_CONFIG_HOME/sheetwright/sheetwright.ini"
recovery="$XDG_DATA_HOME/sheetwright/recovery"

start_designer() { # LOG
    env -u QT_QPA_PLATFORM "$designer" --db "$work/sheetwright.db" >"$out/$1" 2>&1 &
    designer_pid=$!
}

# The id of the first visible window whose whole title matches the pattern.
wait_for_window() { # PATTERN WHAT
    local id
    for _ in $(seq 1 80); do
        kill -0 "$designer_pid" 2>/dev/null || fail "the designer ended early"
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.25
    done
    fail "no $2 appeared"
}

wait_for_file() { # GLOB WHAT
    for _ in $(seq 1 80); do
        # shellcheck disable=SC2086
        if compgen -G "$1" >/dev/null; then
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
    xdotool key --clearmodifiers "$@"
}

# 1. An edit: 新建 (Ctrl+N) adds a page of the current paper type.
start_designer recovery-first.log
main=$(wait_for_window '^试卷制作' "main window")
sleep 1
keys "$main" ctrl+n
dialog=$(wait_for_window '^试卷设置' "page dialog")
keys "$dialog" Return
wait_for_file "$recovery/*.json" "recovery file in $recovery"
# The save after the edit is complete once its note is there; let the next
# interval pass so the note is certainly written whole.
sleep 1.5

# 2. The crash.
kill -9 "$designer_pid"
wait "$designer_pid" 2>/dev/null || true
designer_pid=

# 3. The next start offers the recovery; Return takes the default, 恢复.
start_designer recovery-second.log
question=$(wait_for_window '^模板设计$' "recovery question")
keys "$question" Return
main=$(wait_for_window '^试卷制作' "main window after restoring")
sleep 1
title=$(xdotool getwindowname "$main")
case "$title" in
*"*"*) ;;
*) fail "the restored document is not marked unsaved: \"$title\"" ;;
esac

# 4. The restored document, saved under a name of the test's, has two pages.
saved="$work/restored.exm"
keys "$main" ctrl+s
save=$(wait_for_window '^保存' "save dialog")
sleep 0.5
xdotool windowfocus --sync "$save"
xdotool type --delay 20 "$saved"
xdotool key Return
wait_for_file "$saved" "saved template $saved"
sleep 0.5
pages=$("$cli" info "$saved" | grep -c '"PageNumber"')
[ "$pages" = 2 ] || fail "the restored template has $pages pages, not 2"
[ -z "$(ls -A "$recovery" | grep -v '\.lock$' || true)" ] ||
    fail "the recovery files remain after the save: $(ls "$recovery")"
echo "OK: the page added before the crash was restored and saved"
