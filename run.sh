#!/usr/bin/env bash
# Installs what is missing, builds, and starts the designer.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<'MESSAGE'
There is no display here (neither DISPLAY nor WAYLAND_DISPLAY is set), so the
designer's window cannot be shown. Start it under a virtual X server instead:

    xvfb-run -a ./run.sh

(xvfb-run comes with the Debian package "xvfb").
MESSAGE
    exit 1
fi

sw_install_missing
sw_build
exec "$SW_BUILD/app/sheetwright" "$@"
