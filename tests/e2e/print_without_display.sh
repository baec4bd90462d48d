#!/usr/bin/env bash
# The designer answers --version and --help on a machine without a display.
set -euo pipefail
designer=$1
version=$2
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

out=$("$designer" --version 2>&1) || { echo "--version failed: $out"; exit 1; }
[[ $out == *"$version"* ]] || { echo "--version printed: $out"; exit 1; }

out=$("$designer" --help 2>&1) || { echo "--help failed: $out"; exit 1; }
[[ $out == *"答题卡模板设计器"* && $out == *"--db"* ]] || { echo "--help printed: $out"; exit 1; }
echo "ok"
