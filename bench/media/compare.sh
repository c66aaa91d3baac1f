#!/bin/sh
# compare.sh [BUILD_DIR] [RUNS]
#
# Converts one 8-second 1080p clip (H.264 + AAC, made once by make_bench_clip)
# to H.264 at 1.5 Mbit/s + AAC, RUNS times (default 5, at least 3) through the
# task component (convert_bench) and as often with the libraries driven directly
# (direct_bench), alternating the two and which goes first, and prints the
# median conversion, process and CPU times with their ratios, the median ratio
# of back-to-back pairs and the fastest runs. BUILD_DIR is a Release build folder
# (default: build-bench beside this checkout's sources) holding both programs.
#
# Both sides get the same settings: the engine's option text below, and for the
# baseline the encoder options the engine's "libx264-default" preset sets (the
# 0.6 keys as the encoder's current names), the same bit rates, sample rate and
# channels, and the same threads per codec, max(1, cores / 1 task), which both
# programs work out from the core count. The x264 settings each output carries
# are compared at the end, so a drift between the two shows.
#
# DIRECT_ARGS adds direct_bench arguments, e.g. DIRECT_ARGS=--slice-threads to
# give the baseline the slice-only decoder threads of the engine's thread-checker
# build.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build-bench}
runs=${2:-5}
if [ "$runs" -lt 3 ]; then
    echo "compare.sh: at least 3 runs each" >&2
    exit 2
fi
convert_bench=$build/bench/media/convert_bench
direct_bench=$build/bench/media/direct_bench
make_bench_clip=$build/bench/media/make_bench_clip
for program in "$convert_bench" "$direct_bench" "$make_bench_clip"; do
    if [ ! -x "$program" ]; then
        echo "compare.sh: $program is missing; build convert_bench direct_bench make_bench_clip in $build" >&2
        exit 2
    fi
done

work=${TMPDIR:-/tmp}/tovrel-bench-compare
mkdir -p "$work"
clip=$("$make_bench_clip" --seconds 8 --width 1920 --height 1080 "$work/clips" 2>"$work/clip.log") || {
    cat "$work/clip.log" >&2
    exit 1
}

options='vcodec=libx264
vpre=libx264-default
b=1500000
acodec=aac
ab=128000
ar=48000
ac=2'
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

minimum() {
    sort -n "$1" | head -n 1
}

median() {
    sort -n "$1" | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The option string libx264 writes into the stream, one setting a line.
x264_settings() {
    strings -n 20 "$1" | grep -m 1 'x264 - core' | tr ' ' '\n' | sed -n '/^options:/,$p'
}

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
echo "clip:      $clip (8 s, 1920x1080, 25 fps, H.264 + AAC 48 kHz stereo)"
echo "cores:     $cores; threads per codec: $(sed -n 's/.* \([0-9]*\) threads per codec.*/\1/p' "$work/direct.log")"
echo "options:   $(echo "$options" | tr '\n' ' ')"
echo "runs:      $runs each, alternating"
echo "engine:    $(tail -n 1 "$work/engine.log")"
echo "direct:    $(tail -n 1 "$work/direct.log")"
# Prints a line of the two figures and their ratio.
compare() {
    printf '%-24s engine %.3f s, direct %.3f s, ratio %.3f\n' "$1" "$2" "$3" "$(echo "$2 / $3" | bc -l)"
}
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
