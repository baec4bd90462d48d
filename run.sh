#!/usr/bin/env bash
# Installs what is missing, builds, and starts the designer.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

sw_install_missing
sw_build
exec "$SW_BUILD/app/sheetwright" "$@"
