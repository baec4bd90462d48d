#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

sw_install_missing
"$SW_ROOT/scripts/setup-printer.sh" || true
sw_build
"$SW_ROOT/scripts/check-package.sh"

cd "$SW_BUILD"
set +e
"$SW_ROOT/scripts/with-postgres.sh" ctest --output-on-failure -j "$(nproc)" --timeout 300 | tee ctest.log
status=${PIPESTATUS[0]}
set -e
skipped=$(grep -E '^[[:space:]]+[0-9]+ - .* \(Skipped\)$' ctest.log | sed -E 's/^[[:space:]]+[0-9]+ - //; s/ \(Skipped\)$//' || true)
if [ -n "$skipped" ]; then
    echo
    echo "Skipped tests (each prints its reason in the output above, or run it with ctest -V -R NAME):"
    printf '  %s\n' $skipped
fi

# Formatting, the fuzz targets' smoke run and the suites under the sanitizers.
"$SW_ROOT/scripts/check-format.sh" || status=1
"$SW_ROOT/scripts/fuzz-smoke.sh" || status=1
"$SW_ROOT/scripts/sanitizer-tests.sh" || status=1
exit "$status"
