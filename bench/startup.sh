#!/bin/sh
# Start-up time of the program against the floor of a bare Qt window holding
# as many widgets: each is started RUNS times and quits after its first
# paint; the medians and their ratio are printed.
#
#   bench/startup.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR is the build folder, whose bin/ holds kestrane (the program
# folder) and bench/ bare_window (default: build beside this script's
# folder). QT_QPA_PLATFORM defaults to offscreen, on a 1920x1080 screen: the
# window stands on its own as on a desktop (on a screen smaller than the
# window it would show in a scrolling frame). The runs use a throw-away home
# folder, so the user's own settings are neither read nor written.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../build"}
runs=${2:-20}
build=$(cd "$build" && pwd)
bin="$build/bin"
bare_exe="$build/bench/bare_window"

for exe in "$bin/kestrane" "$bare_exe"; do
    if [ ! -x "$exe" ]; then
        echo "startup.sh: $exe not found (build the kestrane and bare_window targets)" >&2
        exit 2
    fi
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if [ -z "${QT_QPA_PLATFORM:-}" ]; then
    printf '{"screens":[{"name":"desktop","x":0,"y":0,"width":1920,"height":1080,"logicalDpi":96,"logicalBpp":32,"dpr":1}]}\n' \
        >"$scratch/screen.json"
    QT_QPA_PLATFORM="offscreen:configfile=$scratch/screen.json"
fi
export QT_QPA_PLATFORM
mkdir -p "$scratch/runtime" "$scratch/config"
chmod 700 "$scratch/runtime"
export HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"

now_ns() { date +%s%N; }

# Prints the wall time of one run in milliseconds (three decimals); the
# program's standard output goes to the file named by $2.
time_once() {
    start=$(now_ns)
    if ! "$@" >"$scratch/out" 2>"$scratch/err"; then
        echo "startup.sh: '$*' failed:" >&2
        cat "$scratch/err" >&2
        exit 1
    fi
    end=$(now_ns)
    echo $(( (end - start) / 1000 )) | awk '{ printf "%.3f\n", $1 / 1000 }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One warm-up run of the program, which also reports its widget count.
(cd "$bin" && time_once ./kestrane --quit-after-first-paint) >/dev/null
widgets=$(sed -n 's/^widgets: *\([0-9][0-9]*\).*/\1/p' "$scratch/out" | head -n 1)
if [ -z "$widgets" ]; then
    echo "startup.sh: kestrane printed no 'widgets: N' line" >&2
    exit 1
fi
"$bare_exe" "$widgets" >/dev/null 2>&1 || true

: >"$scratch/program.ms"
: >"$scratch/bare.ms"
i=0
while [ "$i" -lt "$runs" ]; do
    (cd "$bin" && time_once ./kestrane --quit-after-first-paint) >>"$scratch/program.ms"
    time_once "$bare_exe" "$widgets" >>"$scratch/bare.ms"
    i=$((i + 1))
done

program=$(median <"$scratch/program.ms")
bare=$(median <"$scratch/bare.ms")
echo "platform: $QT_QPA_PLATFORM, runs: $runs, widgets: $widgets"
echo "kestrane median: $program ms"
echo "bare_window median: $bare ms"
awk -v p="$program" -v b="$bare" 'BEGIN { if (b > 0) printf "ratio kestrane/bare_window: %.2f\n", p / b }'
