#!/bin/sh
# compare.sh [BUILD_DIR] [RUNS]
#
# The main window's cost on a batch: the same sixteen 4-second 720p clips
# (H.264 + AAC), 8 at once, converted RUNS times (default 5, at least 3) by
# convert_bench (the task component alone) and by window_batch_bench (the main
# window on the headless back end, its message loop and painting included),
# alternating which goes first. Prints both batch times (start to the end of
# the batch) and process CPU times (user + system), the median ratios of
# back-to-back pairs and the window's cost in percent, and compares the x264
# settings both outputs carry, so a drift between the two settings shows. On
# a machine shared with other work the CPU times are the steadier figure: the
# batch's wall time there depends mostly on what else runs.
#
# How to run, from the checkout:
#   cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
#   ninja -C build-release convert_bench make_bench_clip window_batch_bench
#   bench/app/compare.sh build-release 7
#
# Settings: the window uses the preset "H.264格式高清视频(*.mp4)" with the
# source's frame size and frame rate kept (window_batch_bench chooses them);
# convert_bench gets the engine option text of bench/figures.sh, the same
# values. BATCH_CLIP replaces the make_bench_clip arguments (default "--seconds
# 4 --width 1280 --height 720"), TASKS the number at once (default 8), FILES
# the number of files (default 16).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=bench/figures.sh
. "$here/../figures.sh"
build=${1:-$here/../../build-release}
runs=${2:-5}
tasks=${TASKS:-8}
files=${FILES:-16}
if [ "$runs" -lt 3 ]; then
    echo "compare.sh: at least 3 runs each" >&2
    exit 2
fi
convert_bench=$build/bench/media/convert_bench
window_bench=$build/bench/app/window_batch_bench
make_bench_clip=$build/bench/media/make_bench_clip
require_programs compare.sh "$build" "$convert_bench" "$window_bench" "$make_bench_clip"

work=${TMPDIR:-/tmp}/tovrel-bench-window
mkdir -p "$work"

options=$engine_options

# One clip under many names, so that every output has its own.
# shellcheck disable=SC2086 # one word per argument
clip=$("$make_bench_clip" ${BATCH_CLIP:---seconds 4 --width 1280 --height 720} "$work/clips" 2>"$work/clip.log") || {
    cat "$work/clip.log" >&2
    exit 1
}
rm -rf "$work/batch"
mkdir -p "$work/batch"
n=1
while [ "$n" -le "$files" ]; do
    ln -s "$clip" "$work/batch/clip-$(printf %02d "$n").${clip##*.}"
    n=$((n + 1))
done

# Prints the seconds before " s wall" in the program's batch line.
wall_seconds() {
    sed -n 's/^batch: .* \([0-9.]*\) s wall.*/\1/p' "$1" | tail -n 1
}

# measure NAME COMMAND...: runs the command with its output in NAME.log and
# adds its batch time to NAME.wall and its CPU time to NAME.cpu.
measure() {
    name=$1
    shift
    rm -rf "$work/$name-out"
    /usr/bin/time -f '%U %S' -o "$work/$name.time" "$@" >"$work/$name.log" 2>&1 || {
        cat "$work/$name.log" >&2
        exit 1
    }
    wall_seconds "$work/$name.log" >>"$work/$name.wall"
    read -r user system <"$work/$name.time"
    echo "$user + $system" | bc >>"$work/$name.cpu"
}

run_engine() {
    measure engine "$convert_bench" --options "$options" --tasks "$tasks" --out "$work/engine-out" "$work"/batch/clip-*
}

run_window() {
    measure window "$window_bench" --tasks "$tasks" --out "$work/window-out" "$work"/batch/clip-*
}

rm -f "$work"/*.wall "$work"/*.cpu "$work/pair.ratio" "$work/cpu.ratio"
run=1
while [ "$run" -le "$runs" ]; do
    if [ $((run % 2)) -eq 1 ]; then
        run_engine
        run_window
    else
        run_window
        run_engine
    fi
    engine_run=$(tail -n 1 "$work/engine.wall")
    window_run=$(tail -n 1 "$work/window.wall")
    echo "$window_run / $engine_run" | bc -l >>"$work/pair.ratio"
    echo "$(tail -n 1 "$work/window.cpu") / $(tail -n 1 "$work/engine.cpu")" | bc -l >>"$work/cpu.ratio"
    echo "run $run: convert_bench $engine_run s ($(tail -n 1 "$work/engine.cpu") s CPU)," \
        "window $window_run s ($(tail -n 1 "$work/window.cpu") s CPU), $(uptime | sed 's/.*load/load/')"
    run=$((run + 1))
done

engine_median=$(median "$work/engine.wall")
window_median=$(median "$work/window.wall")
pair_ratio=$(median "$work/pair.ratio")
cpu_ratio=$(median "$work/cpu.ratio")
echo
echo "batch:     $files x $clip, $tasks at once, $runs runs each, alternating"
echo "options:   $(echo "$options" | tr '\n' ' ')"
echo "window:    $(grep '^settings:' "$work/window.log")"
printf 'convert_bench: median %.3f s (%.3f .. %.3f), %.3f files/s\n' "$engine_median" \
    "$(minimum "$work/engine.wall")" "$(maximum "$work/engine.wall")" "$(echo "$files / $engine_median" | bc -l)"
printf 'window:        median %.3f s (%.3f .. %.3f), %.3f files/s\n' "$window_median" \
    "$(minimum "$work/window.wall")" "$(maximum "$work/window.wall")" "$(echo "$files / $window_median" | bc -l)"
echo "window, of that before the engine starts: $(sed -n 's/.*(\([0-9.]*\) s of it to start).*/\1/p' "$work/window.log") s (last run)"
echo "window, main thread's CPU during the batch: $(sed -n 's/.*main thread \([0-9.]*\) s CPU.*/\1/p' "$work/window.log") s (last run)"
printf 'CPU (process): convert_bench median %.2f s, window median %.2f s\n' "$(median "$work/engine.cpu")" \
    "$(median "$work/window.cpu")"
printf 'pair ratios, wall: %s\n' "$(sort -n "$work/pair.ratio" | awk '{ printf "%.3f ", $1 }')"
printf 'pair ratios, CPU:  %s\n' "$(sort -n "$work/cpu.ratio" | awk '{ printf "%.3f ", $1 }')"
printf "window's cost, wall: %+.1f %% (median ratio of pairs), %+.1f %% (ratio of medians)\n" \
    "$(echo "($pair_ratio - 1) * 100" | bc -l)" "$(echo "($window_median / $engine_median - 1) * 100" | bc -l)"
printf "window's cost, CPU:  %+.1f %% (median ratio of pairs)\n" "$(echo "($cpu_ratio - 1) * 100" | bc -l)"

engine_output=$(find "$work/engine-out" -type f | head -n 1)
window_output=$(find "$work/window-out" -type f | head -n 1)
x264_settings "$engine_output" >"$work/engine.x264"
x264_settings "$window_output" >"$work/window.x264"
if [ ! -s "$work/engine.x264" ]; then
    echo "x264 settings: none found in convert_bench's output"
elif cmp -s "$work/engine.x264" "$work/window.x264"; then
    echo "x264 settings: identical ($(grep -E '^(threads|lookahead_threads|bitrate)=' "$work/engine.x264" | tr '\n' ' '))"
else
    echo "x264 settings differ (< convert_bench, > window):"
    diff "$work/engine.x264" "$work/window.x264" | grep '^[<>]' || true
fi
