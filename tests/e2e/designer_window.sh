#!/usr/bin/env bash
# Usage: designer_window.sh SHEETWRIGHT SHEETWRIGHT_CLI OUTPUT_FOLDER
#
# Starts the designer under xvfb-run with a template on its command line,
# waits for the window "试卷制作 - e2e.exm", keeps a screenshot of the screen in
# OUTPUT_FOLDER/designer.png and checks that the window is there. Exits 77
# (skipped) when xvfb-run or the X tools are missing.
set -euo pipefail

designer=$1
cli=$2
out=$3

if [ "${SW_E2E_INSIDE:-}" != 1 ]; then
    for tool in xvfb-run xwininfo; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIP: $tool is not installed"
            exit 77
        fi
    done
    if ! command -v import >/dev/null && ! command -v xwd >/dev/null; then
        echo "SKIP: neither import (ImageMagick) nor xwd is installed"
        exit 77
    fi
    mkdir -p "$out"
    rm -f "$out/designer.png"
    SW_E2E_INSIDE=1 exec xvfb-run -a -s "-screen 0 1600x900x24" "$0" "$@"
fi

work=$(mktemp -d)
designer_pid=
cleanup() {
    if [ -n "$designer_pid" ]; then
        kill "$designer_pid" 2>/dev/null || true
        wait "$designer_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

"$cli" new "$work/e2e.exm" >/dev/null
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The designer is to show on the virtual display, whatever platform the
# environment names for the other tests.
env -u QT_QPA_PLATFORM "$designer" "$work/e2e.exm" >"$out/designer.log" 2>&1 &
designer_pid=$!

title="试卷制作 - e2e.exm"
found=
for _ in $(seq 1 60); do
    if ! kill -0 "$designer_pid" 2>/dev/null; then
        echo "FAIL: the designer ended early:"
        cat "$out/designer.log"
        exit 1
    fi
    if xwininfo -root -tree | grep -qF "\"$title"; then
        found=1
        break
    fi
    sleep 0.5
done
# Let the first paint finish before the screenshot.
sleep 2
if command -v import >/dev/null; then
    import -window root "$out/designer.png"
else
    xwd -root -silent >"$out/designer.xwd"
fi

if [ -z "$found" ]; then
    echo "FAIL: no window \"$title\" appeared; windows:"
    xwininfo -root -tree
    exit 1
fi
if xwininfo -root -tree | grep -qF '"提示信息'; then
    echo "FAIL: the designer shows a message box"
    exit 1
fi
echo "OK: window \"$title\" shown; screenshot in $out"
