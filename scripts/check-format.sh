#!/usr/bin/env bash
# Fails, listing the files, when clang-format would change a C++ source.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
unformatted=$(clang-format --dry-run "${files[@]}" 2>&1 | grep -oE '^[^:]+:[0-9]+:[0-9]+: warning' | cut -d: -f1 | sort -u || true)
if [ -n "$unformatted" ]; then
    echo "These files are not formatted (run: clang-format -i FILE):"
    printf '  %s\n' $unformatted
    exit 1
fi
echo "Formatting: all ${#files[@]} C++ files match .clang-format"
