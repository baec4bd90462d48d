#!/bin/sh
# The fuzz targets with their seed corpora and options, for run.sh and the
# smoke run of test.sh:
#   fuzz/targets.sh list             the target names
#   fuzz/targets.sh seeds TARGET     the folder of its committed seeds
#   fuzz/targets.sh options TARGET   its libFuzzer options
set -eu
here=$(cd "$(dirname "$0")" && pwd)
case ${1:-} in
list)
    echo template_reader_fuzzer picture_loader_fuzzer wizard_settings_fuzzer scan_reader_fuzzer
    ;;
seeds)
    case ${2:?target} in
    template_reader_fuzzer) echo "$here/corpus" ;;
    picture_loader_fuzzer) echo "$here/pictures" ;;
    wizard_settings_fuzzer) echo "$here/settings" ;;
    scan_reader_fuzzer) echo "$here/scans" ;;
    *) exit 64 ;;
    esac
    ;;
options)
    case ${2:?target} in
    template_reader_fuzzer) echo "-max_len=16384 -dict=$here/stream.dict" ;;
    picture_loader_fuzzer) echo "-max_len=4096" ;;
    wizard_settings_fuzzer) echo "-max_len=4096 -dict=$here/settings.dict" ;;
    # Every input reads a sheet twice and draws it: the smoke run is kept
    # to a minute.
    scan_reader_fuzzer) echo "-max_len=16384 -max_total_time=60" ;;
    *) exit 64 ;;
    esac
    ;;
*)
    echo "usage: fuzz/targets.sh list | seeds TARGET | options TARGET" >&2
    exit 64
    ;;
esac
