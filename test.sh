#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite; prints how
# long each stage took at the end.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

stage_times=()
stage_start=$SECONDS
# Ends the stage that ran since the previous call, under the given name.
stage_done() {
    local seconds=$((SECONDS - stage_start))
    stage_times+=("$(printf '  %-36s %3d:%02d' "$1" $((seconds / 60)) $((seconds % 60)))")
    stage_start=$SECONDS
}
print_stage_times() {
    echo
    echo "Time per stage (minutes:seconds):"
    printf '%s\n' "${stage_times[@]}"
    printf '  %-36s %3d:%02d\n' "total" $((SECONDS / 60)) $((SECONDS % 60))
}
trap print_stage_times EXIT

sw_install_missing
"$SW_ROOT/scripts/setup-printer.sh" || true
stage_done "install packages, set up printer"
sw_build
stage_done "build"
"$SW_ROOT/scripts/check-package.sh"
stage_done "package and lintian"

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
stage_done "ctest"

# Formatting, the fuzz targets' smoke run and the suites under the sanitizers;
# the last two share the sanitized build, which the smoke run starts.
"$SW_ROOT/scripts/check-format.sh" || status=1
stage_done "format check"
"$SW_ROOT/scripts/fuzz-smoke.sh" || status=1
stage_done "sanitized build, fuzz smoke run"
"$SW_ROOT/scripts/sanitizer-tests.sh" || status=1
stage_done "sanitizer suites (build rest, run)"
exit "$status"
