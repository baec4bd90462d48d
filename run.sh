#!/usr/bin/env bash
# Installs what is missing, builds, and starts the designer.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

sw_install_missing
sw_build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<'MESSAGE'
There is no display here (neither DISPLAY nor WAYLAND_DISPLAY is set), so the
designer's window cannot be shown. Start it under a virtual X server instead:

    xvfb-run -a ./run.sh

The designer has been built and is ready for that.
MESSAGE
    exit 1
fi

exec "$SW_BUILD/app/sheetwright" "$@"
