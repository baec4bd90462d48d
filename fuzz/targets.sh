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
    echo template_reader_fuzzer picture_loader_fuzzer wizard_settings_fuzzer
    ;;
seeds)
    case ${2:?target} in
    template_reader_fuzzer) echo "$here/corpus" ;;
    picture_loader_fuzzer) echo "$here/pictures" ;;
    wizard_settings_fuzzer) echo "$here/settings" ;;
    *) exit 64 ;;
    esac
    ;;
options)
    case ${2:?target} in
    template_reader_fuzzer) echo "-max_len=16384 -dict=$here/stream.dict" ;;
    picture_loader_fuzzer) echo "-max_len=4096" ;;
    wizard_settings_fuzzer) echo "-max_len=4096 -dict=$here/settings.dict" ;;
    *) exit 64 ;;
    esac
    ;;
*)
    echo "usage: fuzz/targets.sh list | seeds TARGET | options TARGET" >&2
    exit 64
    ;;
esac
