# Shared by the comparison scripts (sourced, not run): interleaved runs of
# whole commands, timed as CPU seconds (user + system, children included) to
# the millisecond by the shell, and peak resident memory through GNU time,
# summarised as medians and ranges.
#
# After `setup_measure`, `measure LABEL CMD...` runs a command once and keeps
# its numbers under LABEL; callers loop over the repetitions and call measure
# for each side in turn, so that both sides see the same load. `cpu LABEL`,
# `cpu_range LABEL`, `peak_mib LABEL` and `ratio A B` read them back.

# Stops unless every program has been built.
require_built() {
    local exe
    for exe in "$@"; do
        [[ -x $exe ]] || { echo "missing $exe: build it first (-DSW_BUILD_BENCH=ON)" >&2; exit 2; }
    done
}

# install_for COMMAND PACKAGE: installs the Debian package when COMMAND is missing.
install_for() {
    command -v "$1" >/dev/null && return 0
    echo "Installing $2 ..." >&2
    local sudo=
    [[ $(id -u) -eq 0 ]] || sudo=sudo
    $sudo apt-get update -qq && $sudo apt-get install -y -qq "$2" >/dev/null
}

setup_measure() {
    local sudo=
    [[ $(id -u) -eq 0 ]] || sudo=sudo
    if [[ ! -x /usr/bin/time ]]; then
        echo "Installing time ..." >&2
        $sudo apt-get update -qq && $sudo apt-get install -y -qq time >/dev/null
    fi
    measure_dir=$(mktemp -d)
}

# Runs the command (its output discarded) and records "cpu_seconds peak_kib".
# GNU time prints CPU seconds in hundredths only, so the shell's `time` takes
# them (GNU time's own share, under a millisecond, included on every side).
measure() {
    local label=$1 TIMEFORMAT='%3U %3S'
    shift
    { time /usr/bin/time -f '%M' -o "$measure_dir/peak" "$@" >/dev/null 2>&1; } 2>"$measure_dir/cpu" ||
        { echo "failed: $*" >&2; return 1; }
    awk -v peak="$(cat "$measure_dir/peak")" '{ printf "%.4f %d\n", $1 + $2, peak }' \
        "$measure_dir/cpu" >>"$measure_dir/$label"
}

# Runs a shell pipeline the same way (for commands piped into each other).
measure_sh() {
    local label=$1
    measure "$label" sh -c "$2"
}

median_of() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

cpu() { cut -d' ' -f1 "$measure_dir/$1" | median_of; }
cpu_range() { cut -d' ' -f1 "$measure_dir/$1" | sort -g | awk 'NR == 1 { lo = $1 } { hi = $1 } END { printf "%s-%s", lo, hi }'; }
peak_mib() { cut -d' ' -f2 "$measure_dir/$1" | median_of | awk '{ printf "%.0f", $1 / 1024 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# One line: label, median CPU seconds, range, peak memory.
report() {
    printf '  %-44s %7.3f s  (%s s)  %5s MiB\n' "$2" "$(cpu "$1")" "$(cpu_range "$1")" "$(peak_mib "$1")"
}
