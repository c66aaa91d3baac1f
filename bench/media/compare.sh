#!/bin/sh
# compare.sh [BUILD_DIR] [RUNS] [CASES]
#
# Two cases, each RUNS times (default 5, at least 3), alternating the engine and
# the libraries driven directly and which goes first; CASES is "one", "batch"
# or "both" (the default). BUILD_DIR is a Release build folder (default:
# build-bench beside this checkout's sources) holding convert_bench,
# direct_bench and make_bench_clip.
#
# one:   one 8-second 1080p clip (H.264 + AAC) to H.264 at 1.5 Mbit/s + AAC,
#        through the task component with one task (convert_bench) and with
#        direct_bench. Neither sets a thread count: each library picks its own
#        (what a user of the libraries gets without asking, and what the engine
#        leaves to a task converting alone). Prints the median conversion,
#        process and CPU times with their ratios, the median ratio of
#        back-to-back pairs and the fastest runs, and compares the x264
#        settings both outputs carry, so a drift between the two shows.
# batch: sixteen 4-second 720p clips, the engine 8 at once (one thread per
#        codec, max(1, cores / 8 tasks) on 8 cores) against eight direct_bench
#        processes at once with one thread per codec. Prints the median batch
#        wall times and the median ratio of pairs.
#
# Both sides get the same settings: the engine's option text below, and for the
# baseline the encoder options the engine's "libx264-default" preset sets (the
# 0.6 keys as the encoder's current names), the same bit rates, sample rate and
# channels.
#
# ONE_CLIP and BATCH_CLIP replace the make_bench_clip arguments of the two
# clips (defaults "--seconds 8 --width 1920 --height 1080" and "--seconds 4
# --width 1280 --height 720"), to try the script on something small.
# DIRECT_ARGS adds direct_bench arguments to the one-clip case, e.g.
# DIRECT_ARGS=--slice-threads to give the baseline the slice-only decoder
# threads of the engine's thread-checker build.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=bench/figures.sh
. "$here/../figures.sh"
build=${1:-$here/../../build-bench}
runs=${2:-5}
cases=${3:-both}
if [ "$runs" -lt 3 ]; then
    echo "compare.sh: at least 3 runs each" >&2
    exit 2
fi
case $cases in
one | batch | both) ;;
*)
    echo "compare.sh: CASES is one, batch or both" >&2
    exit 2
    ;;
esac
convert_bench=$build/bench/media/convert_bench
direct_bench=$build/bench/media/direct_bench
make_bench_clip=$build/bench/media/make_bench_clip
require_programs compare.sh "$build" "$convert_bench" "$direct_bench" "$make_bench_clip"

work=${TMPDIR:-/tmp}/tovrel-bench-compare
mkdir -p "$work"

# make_clip ARGUMENTS: writes a clip once (make_bench_clip keeps it) and prints its path.
make_clip() {
    # shellcheck disable=SC2086 # one word per argument
    "$make_bench_clip" $1 "$work/clips" 2>"$work/clip.log" || {
        cat "$work/clip.log" >&2
        exit 1
    }
}

options=$engine_options
# The engine's codec contexts start from the generic defaults, not libx264's, so
# its closed-GOP flag is off; the baseline clears it too ("-cgop").
preset_options='coder=1 flags=+loop-cgop deblock=true cmp=+chroma partitions=i8x8,i4x4,p8x8,b8x8 me_method=hex
subq=7 me_range=16 g=250 keyint_min=25 sc_threshold=40 i_qfactor=0.71 b_strategy=1 qcomp=0.6 qmin=10 qmax=51
qdiff=4 bf=3 refs=3 direct-pred=1 trellis=1 mixed-refs=1 weightb=1 8x8dct=1 fast-pskip=1 wpredp=2'
video_options=
for option in $preset_options; do
    video_options="$video_options --video-option $option"
done

# Prints the seconds before " s wall" in the program's result line.
wall_seconds() {
    sed -n 's/.* \([0-9.]*\) s wall.*/\1/p' "$1" | tail -n 1
}

# measure NAME COMMAND...: runs the command with its output in NAME.log, and
# adds its conversion time, process time and CPU time (user + system) to
# NAME.wall, NAME.process and NAME.cpu.
measure() {
    name=$1
    shift
    /usr/bin/time -f '%e %U %S' -o "$work/$name.time" "$@" >"$work/$name.log" 2>&1 || {
        cat "$work/$name.log" >&2
        exit 1
    }
    wall_seconds "$work/$name.log" >>"$work/$name.wall"
    read -r elapsed user system <"$work/$name.time"
    echo "$elapsed" >>"$work/$name.process"
    echo "$user + $system" | bc >>"$work/$name.cpu"
}

run_engine() {
    rm -rf "$work/engine"
    measure engine "$convert_bench" --options "$options" --tasks 1 --out "$work/engine" "$clip"
}

run_direct() {
    # shellcheck disable=SC2086 # one word per option
    measure direct "$direct_bench" --out "$work/direct.mp4" --video-bitrate 1500000 --audio-bitrate 128000 \
        --sample-rate 48000 --channels 2 $video_options ${DIRECT_ARGS:-} "$clip"
}

# compare LABEL ENGINE DIRECT: prints a line of the two figures and their ratio.
compare() {
    printf '%-24s engine %.3f s, direct %.3f s, ratio %.3f\n' "$1" "$2" "$3" "$(echo "$2 / $3" | bc -l)"
}

one_clip_case() {
    clip=$(make_clip "${ONE_CLIP:---seconds 8 --width 1920 --height 1080}")
    rm -f "$work"/*.process "$work"/*.wall "$work"/*.cpu "$work/pair.ratio"
    run=1
    while [ "$run" -le "$runs" ]; do
        if [ $((run % 2)) -eq 1 ]; then
            run_engine
            run_direct
        else
            run_direct
            run_engine
        fi
        engine_run=$(tail -n 1 "$work/engine.wall")
        direct_run=$(tail -n 1 "$work/direct.wall")
        echo "$engine_run / $direct_run" | bc -l >>"$work/pair.ratio"
        echo "run $run: engine $engine_run s, direct $direct_run s"
        run=$((run + 1))
    done

    cores=$(getconf _NPROCESSORS_ONLN)
    engine_wall=$(median "$work/engine.wall")
    direct_wall=$(median "$work/direct.wall")
    engine_process=$(median "$work/engine.process")
    direct_process=$(median "$work/direct.process")
    echo
    echo "clip:      $clip (${ONE_CLIP:---seconds 8 --width 1920 --height 1080}, 25 fps, H.264 + AAC)"
    echo "cores:     $cores; threads per codec: $(sed -n 's/.*, \([^,]*\) threads per codec.*/\1/p' "$work/direct.log")"
    echo "options:   $(echo "$options" | tr '\n' ' ')"
    echo "runs:      $runs each, alternating"
    echo "engine:    $(tail -n 1 "$work/engine.log")"
    echo "direct:    $(tail -n 1 "$work/direct.log")"
    compare 'median conversion time:' "$engine_wall" "$direct_wall"
    compare 'median process time:' "$engine_process" "$direct_process"
    compare 'median CPU time:' "$(median "$work/engine.cpu")" "$(median "$work/direct.cpu")"
    # The two runs of a pair ran back to back, under much the same load.
    printf '%-24s %.3f\n' 'median ratio of pairs:' "$(median "$work/pair.ratio")"
    # Other programs on the machine only ever add time, so the fastest run shows
    # the cost with the least noise.
    compare 'fastest conversion time:' "$(minimum "$work/engine.wall")" "$(minimum "$work/direct.wall")"

    engine_output=$(ls "$work"/engine/*)
    x264_settings "$engine_output" >"$work/engine.x264"
    x264_settings "$work/direct.mp4" >"$work/direct.x264"
    if [ ! -s "$work/engine.x264" ]; then
        echo "x264 settings: none found in the engine's output"
    elif cmp -s "$work/engine.x264" "$work/direct.x264"; then
        echo "x264 settings: identical ($(grep -E '^(threads|lookahead_threads|bitrate)=' "$work/engine.x264" | tr '\n' ' '))"
    else
        echo "x264 settings differ (< engine, > direct):"
        diff "$work/engine.x264" "$work/direct.x264" | grep '^[<>]' || true
    fi
}

# The batch's clips: one clip under sixteen names, so that every output has its own.
batch_clips() {
    clip=$(make_clip "${BATCH_CLIP:---seconds 4 --width 1280 --height 720}")
    rm -rf "$work/batch"
    mkdir -p "$work/batch"
    for n in 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16; do
        ln -s "$clip" "$work/batch/clip-$n.${clip##*.}"
    done
}

# batch_measure NAME COMMAND...: runs the command and adds its wall time to NAME.batch.
batch_measure() {
    name=$1
    shift
    /usr/bin/time -f '%e' -o "$work/$name.time" "$@" >"$work/$name.log" 2>&1 || {
        cat "$work/$name.log" >&2
        exit 1
    }
    cat "$work/$name.time" >>"$work/$name.batch"
}

run_engine_batch() {
    rm -rf "$work/engine-batch"
    batch_measure engine "$convert_bench" --options "$options" --tasks 8 --out "$work/engine-batch" "$work"/batch/clip-*
}

run_direct_batch() {
    rm -rf "$work/direct-batch"
    mkdir -p "$work/direct-batch"
    # One command line per clip; xargs keeps eight of them running.
    for source in "$work"/batch/clip-*; do
        echo "$direct_bench --threads 1 --out $work/direct-batch/${source##*/}.mp4 --video-bitrate 1500000" \
            "--audio-bitrate 128000 --sample-rate 48000 --channels 2 $video_options $source"
    done >"$work/direct-batch.commands"
    batch_measure direct xargs -P 8 -d '\n' -I {} sh -c {} <"$work/direct-batch.commands"
}

batch_case() {
    batch_clips
    rm -f "$work"/*.batch "$work/batch.ratio"
    run=1
    while [ "$run" -le "$runs" ]; do
        if [ $((run % 2)) -eq 1 ]; then
            run_engine_batch
            run_direct_batch
        else
            run_direct_batch
            run_engine_batch
        fi
        engine_run=$(tail -n 1 "$work/engine.batch")
        direct_run=$(tail -n 1 "$work/direct.batch")
        echo "$engine_run / $direct_run" | bc -l >>"$work/batch.ratio"
        echo "batch run $run: engine $engine_run s, direct $direct_run s"
        run=$((run + 1))
    done
    echo
    echo "batch:     16 x $clip, engine 8 tasks at once, direct 8 processes at once with 1 thread per codec"
    echo "engine:    $(tail -n 1 "$work/engine.log")"
    compare 'median batch time:' "$(median "$work/engine.batch")" "$(median "$work/direct.batch")"
    printf '%-24s %.3f\n' 'median ratio of pairs:' "$(median "$work/batch.ratio")"
    compare 'fastest batch time:' "$(minimum "$work/engine.batch")" "$(minimum "$work/direct.batch")"
}

if [ "$cases" != batch ]; then
    one_clip_case
fi
if [ "$cases" != one ]; then
    [ "$cases" = both ] && echo
    batch_case
fi
