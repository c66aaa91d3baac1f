#!/usr/bin/env bash
# Starts the program on a real X display, picks a category and a format with
# the mouse, reads the six parameter boxes back from the window's report and
# checks them against the preset tables, then closes the window with its
# caption's close button and expects the process to end with 0.
#   app_presets.sh TOVREL OUT_DIR PRESET_DIR
source "$(dirname "$0")/../../skin/desktop/gallery_session.sh"
source "$(dirname "$0")/app_session.sh"
tovrel=$1
out=$2
presets=$3
name=app_presets
report=$out/report.txt
rm -rf "$out"
mkdir -p "$out/home"

openbox --sm-disable >"$out/openbox.log" 2>&1 </dev/null &
wm=$!
trap 'kill $wm 2>/dev/null || true; [[ -n ${pid:-} ]] && kill $pid 2>/dev/null || true' EXIT
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for "the window manager" wm_ready

# A fresh HOME and configuration: the first start of the program.
HOME=$out/home XDG_CONFIG_HOME=$out/config TOVREL_BACKEND=desktop TOVREL_MAIN_REPORT=$report \
  "$tovrel" >"$out/tovrel.log" 2>&1 </dev/null &
pid=$!
wid=$(timeout "$deadline_s" xdotool search --sync --onlyvisible --name '^TovrelMP4' | head -1) ||
  fail "no main window within ${deadline_s}s"
wait_for "the first report" test -f "$report"
expect_line category.index=0
expect_line key=1100
[[ -f $out/config/tovrel/option.ini ]] || fail "no option.ini after the first start"

# Key from the tables: category position $1, format index $2.
key_of() { awk -F'\t' -v c="$1" -v f="$2" '$2 == c && $3 == f { print $1 }' "$presets/main_formats.tsv"; }
# Default text of a box (its column in the key table) for a key.
default_of() { awk -F'\t' -v k="$1" -v col="$2" '$1 == k { print $col }' "$presets/main_key_defaults.tsv"; }

pick() {
  local box=$1 row=$2 at
  click_window_point "$(value "$box.at")"
  expect_line "$box.open=1"
  at=$(value "$box.row$row.at")
  [[ -n $at ]] || fail "the open $box list shows no row $row"
  click_window_point "$at"
  expect_line "$box.open=0"
  expect_line "$box.index=$row"
}

category=3
format=2
pick category $category
expect_line "key=$(key_of $category 0)"
pick format $format
key=$(key_of $category $format)
[[ -n $key ]] || fail "no key for category $category, format $format"
expect_line "key=$key"

expect_line "box.framesize=$(default_of "$key" 5)"
expect_line "box.videobitrate=$(default_of "$key" 8)"
expect_line "box.framerate=$(default_of "$key" 11)"
expect_line "box.audiobitrate=$(default_of "$key" 14)"
expect_line "box.samplerate=$(default_of "$key" 17)"
expect_line "box.aspect=$(default_of "$key" 20)"

close_at=$(value close.at)
[[ -n $close_at ]] || fail "the report names no close button"
click_window_point "$close_at"
expect_clean_exit
echo "app_presets: ok"
