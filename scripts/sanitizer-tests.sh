#!/usr/bin/env bash
# Builds the test suites of the core (platform, shapes, stream, document,
# selection, painting, wizard, analysis) and the command-line tool once more with
# AddressSanitizer and UndefinedBehaviorSanitizer, in build-asan, and runs
# them. Any sanitizer report, also from a sheetwright-cli the tests start,
# fails the run. The widget suites (editor, window, panel, printing) and the
# database suite are left out: building the widgets a third time would take
# ./test.sh past its time on two cores. SW_ASAN_SUITES names other suites.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SW_ASAN_BUILD:-$root/build-asan}
read -r -a suites <<<"${SW_ASAN_SUITES:-platform_tests shapes_tests stream_tests document_tests \
selection_tests painting_tests wizard_tests analysis_tests cli_tests}"

sanitize="-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer"
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DSW_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS="$sanitize" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
fi
cmake --build "$build" -j "$(nproc)" --target "${suites[@]}" sheetwright-cli

reports=$build/sanitizer-reports
rm -rf "$reports"
mkdir -p "$reports"
# Leak checking is off: Qt keeps caches (fonts, plugins) to the end of the process.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=0:log_path=$reports/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$reports/ubsan"
export QT_QPA_PLATFORM=offscreen

status=0
for suite in "${suites[@]}"; do
    binary=$(find "$build/tests" -type f -name "$suite" -perm -u+x | head -n 1)
    echo "Sanitizer run: $suite"
    if ! "$binary" --gtest_brief=1 >"$build/$suite.log" 2>&1; then
        tail -n 60 "$build/$suite.log"
        echo "FAIL: $suite under the sanitizers"
        status=1
    fi
done
if compgen -G "$reports/*" >/dev/null; then
    cat "$reports"/*
    echo "FAIL: sanitizer reports above (kept in $reports)"
    status=1
fi
exit "$status"
