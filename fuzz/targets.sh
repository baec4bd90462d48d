# The fuzz targets, their seed corpora and options; sourced, with sw_fuzz_dir
# set to this folder, by run.sh and by the smoke run of test.sh.
# shellcheck shell=sh

sw_fuzz_targets="template_reader_fuzzer picture_loader_fuzzer wizard_settings_fuzzer"

# Folder of the committed seeds.
sw_fuzz_seeds() {
    case $1 in
    template_reader_fuzzer) echo "$sw_fuzz_dir/corpus" ;;
    picture_loader_fuzzer) echo "$sw_fuzz_dir/pictures" ;;
    wizard_settings_fuzzer) echo "$sw_fuzz_dir/settings" ;;
    esac
}

sw_fuzz_options() {
    case $1 in
    template_reader_fuzzer) echo "-max_len=16384 -dict=$sw_fuzz_dir/stream.dict" ;;
    picture_loader_fuzzer) echo "-max_len=4096" ;;
    wizard_settings_fuzzer) echo "-max_len=4096 -dict=$sw_fuzz_dir/settings.dict" ;;
    esac
}
