#!/usr/bin/env bash
# Fails, listing the lines, when a source under src/ includes a header of a
# layer above its own. The build enforces the same through each library's
# include directory (src/CMakeLists.txt); this check names the offending line.
set -euo pipefail
cd "$(dirname "$0")/../src"

# layer of a folder under src/ and the layers it may include, bottom up
declare -A allowed=(
    [platform]="platform"
    [widgets]="platform widgets"
    [shapes]="platform shapes"
    [document]="platform shapes document"
    [wizard]="platform shapes document wizard"
    [storage]="platform shapes document wizard storage"
    [reading]="platform shapes document reading"
    [exam]="platform shapes document wizard storage reading exam"
    [reports]="platform shapes document wizard storage reading exam reports"
    [personalise]="platform shapes document personalise"
    [dialogs]="platform widgets shapes document wizard storage dialogs"
    [review]="platform widgets shapes document wizard storage reading exam reports review"
    [editor]="platform widgets shapes document wizard storage reading exam reports review dialogs personalise editor"
)

layer_of() {
    case "$1" in
    platform/widgets/*) echo widgets ;;
    *) echo "${1%%/*}" ;;
    esac
}

status=0
checked=0
while IFS= read -r file; do
    own=$(layer_of "$file")
    if [ -z "${allowed[$own]+set}" ]; then
        echo "$file: folder of no layer (add it to scripts/check-layers.sh)"
        status=1
        continue
    fi
    checked=$((checked + 1))
    while IFS=: read -r line header; do
        target=$(layer_of "$header")
        [ -n "${allowed[$target]+set}" ] || continue
        case " ${allowed[$own]} " in
        *" $target "*) ;;
        *)
            echo "src/$file:$line: the $own layer includes \"$header\" from the $target layer"
            status=1
            ;;
        esac
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+/[^"]+"' "$file" |
        sed -E 's/^([0-9]+):[^"]*"([^"]+)".*/\1:\2/' || true)
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's#^\./##' | sort)

if [ "$status" -eq 0 ]; then
    echo "Layers: no upward include in $checked files"
fi
exit "$status"
