# Shell helpers shared by the bench comparison scripts (sourced, not run).

# The engine's option text both comparisons give convert_bench: H.264 at
# 1500 kbps with the engine's "libx264-default" preset, AAC at 128 kbps,
# 48000 Hz, two channels.
engine_options='vcodec=libx264
vpre=libx264-default
b=1500000
acodec=aac
ab=128000
ar=48000
ac=2'

# require_programs SCRIPT BUILD PROGRAM...: exits with status 2 when a program is missing.
require_programs() {
    script=$1
    build_dir=$2
    shift 2
    for program in "$@"; do
        if [ ! -x "$program" ]; then
            echo "$script: $program is missing; build $(for p in "$@"; do printf '%s ' "${p##*/}"; done)in $build_dir" >&2
            exit 2
        fi
    done
}

# The smallest, middle and largest number in a file of one number a line.
minimum() {
    sort -n "$1" | head -n 1
}

median() {
    sort -n "$1" | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

maximum() {
    sort -n "$1" | tail -n 1
}

# The option string libx264 writes into the stream, one setting a line.
x264_settings() {
    strings -n 20 "$1" | grep -m 1 'x264 - core' | tr ' ' '\n' | sed -n '/^options:/,$p'
}
