#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

sw_install_missing
"$SW_ROOT/scripts/setup-printer.sh" || true
sw_build

cd "$SW_BUILD"
set +e
ctest --output-on-failure -j "$(nproc)" --timeout 300 | tee ctest.log
status=${PIPESTATUS[0]}
set -e
if grep -q "Not Run (Skipped)\|\*\*\*Skipped" ctest.log; then
    echo
    echo "Skipped tests (reason in the test output):"
    grep -E "\*\*\*Skipped|Skipped\)" ctest.log | sed 's/^/  /'
fi
exit "$status"
