#!/usr/bin/env bash
# A whole session of the program on a real X display, driven only by
# synthetic input, on a fresh HOME: three files added through the open
# dialog, a preset chosen, two files at once, a batch paused, resumed and
# run to "100%", the outputs probed, a row renamed and moved up, the preview
# played and a snapshot taken, the skin switched (the screen differs) and
# the window closed with its close button. The state is read from the
# window's report (TOVREL_MAIN_REPORT); every wait polls it.
#   app_end_to_end.sh TOVREL OUT_DIR MAKE_CLIPS MEDIAPROBE SCREENGRAB
source "$(dirname "$0")/../../skin/desktop/gallery_session.sh"
source "$(dirname "$0")/app_session.sh"
tovrel=$1
out=$2
make_clips=$3
mediaprobe=$4
screengrab=$5
name=app_end_to_end
report=$out/report.txt
# A batch on a busy two-core machine takes its time.
deadline_s=120
rm -rf "$out"
mkdir -p "$out/home" "$out/bin"

step() { echo "--- step $*"; }
# A failure also leaves a picture of the screen beside the report.
eval "report_failure() $(declare -f fail | tail -n +2)"
fail() {
  "$screengrab" "$out/failure.png" 2>/dev/null || true
  report_failure "$@"
}

# Clicks the screen point "X,Y", with the given modifiers held.
click_screen_point() {
  local at=$1
  shift
  xdotool mousemove "${at%,*}" "${at#*,}"
  if (($#)); then xdotool keydown "$@" click 1 keyup "$@"; else xdotool click 1; fi
}
# Waits for the report to have the key (a wait inside $(...) could not end
# the script, so it is a step of its own).
await_key() { wait_for "'$1' in the report (line ${BASH_LINENO[0]})" has_value "$1"; }
# Clicks the point the report gives under KEY, on the window (".at") or on
# the screen (".screen"), with the given modifiers held.
click_key() {
  local key=$1
  shift
  await_key "$key"
  case $key in
    *.at) click_window_point "$(value "$key")" ;;
    *) click_screen_point "$(value "$key")" "$@" ;;
  esac
}
# Every row's progress text, one line.
progress_of_rows() { grep '^row[0-9]*\.progress=' "$report" | tr '\n' ' '; }
all_rows_done() {
  local rows
  rows=$(value rows)
  [[ $(grep -c '^row[0-9]*\.progress=100%$' "$report") == "$rows" ]] && has_line state=done
}
# option.ini has the line (its lines end in CR LF).
ini_has() { tr -d '\r' <"$out/config/tovrel/option.ini" | grep -qxF -- "$1"; }
active_name() { xdotool getwindowname "$(xdotool getactivewindow 2>/dev/null)" 2>/dev/null; }
active_is_not_main() { [[ "$(xdotool getactivewindow 2>/dev/null)" != "$wid" ]]; }
# Opens menu TOP of the menu bar and picks its row ITEM.
# A click that a busy program did not take (the menu still closed after
# 10 s) is made again.
pick_menu() {
  local key="menu.item.$2.screen"
  await_key "menubar.$1.at"
  for _ in 1 2 3; do
    click_window_point "$(value "menubar.$1.at")"
    for _ in $(seq 100); do has_value "$key" && break; sleep 0.1; done
    has_value "$key" && break
  done
  click_key "$key"
  expect_line menu.levels=0
}
# The main window's rectangle on the screen, as screengrab takes it.
window_rect() {
  local x y size
  read -r x y < <(window_origin)
  size=$(window_size)
  echo "$x,$y,${size%x*},${size#*x}"
}
grab_window() { "$screengrab" "$1" "$(window_rect)"; }
# Grabs into $1 until two grabs in a row are the same picture.
grab_settled() {
  local end=$((SECONDS + deadline_s))
  grab_window "$1"
  while true; do
    sleep 0.3
    grab_window "$1.next"
    cmp -s "$1" "$1.next" && break
    mv "$1.next" "$1"
    ((SECONDS < end)) || fail "the window did not settle for a screenshot"
  done
  rm -f "$1.next"
}

# The after-batch action opens the output folder: a stand-in records it
# instead of starting a file manager.
cat >"$out/bin/xdg-open" <<EOF
#!/bin/sh
echo "\$*" >>"$out/opened.txt"
EOF
chmod +x "$out/bin/xdg-open"

"$make_clips" "$out/media" >"$out/clips.txt" || fail "no input clips"
mapfile -t clips <"$out/clips.txt"

openbox --sm-disable >"$out/openbox.log" 2>&1 </dev/null &
wm=$!
trap 'kill $wm 2>/dev/null || true; [[ -n ${pid:-} ]] && kill $pid 2>/dev/null || true' EXIT
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for "the window manager" wm_ready

step "1: start the program on a fresh HOME and wait for its window"
HOME=$out/home XDG_CONFIG_HOME=$out/config PATH=$out/bin:$PATH SDL_AUDIODRIVER=dummy \
  TOVREL_BACKEND=desktop TOVREL_MAIN_REPORT=$report "$tovrel" >"$out/tovrel.log" 2>&1 </dev/null &
pid=$!
wid=$(timeout "$deadline_s" xdotool search --sync --onlyvisible --name '^TovrelMP4' | head -1) ||
  fail "no main window within ${deadline_s}s"
wait_for "the first report" test -f "$report"
expect_line rows=0
expect_line state=empty

step "2: add three files through the open dialog (typed folder, click and ctrl+clicks)"
pick_menu 文件 添加多个文件
expect_line opendlg.showing=1
wait_for "the open dialog to be active" active_is_not_main
click_key opendlg.name.screen
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "$out/media/"
xdotool key --clearmodifiers Return
expect_line "opendlg.path=$out/media"
click_key opendlg.row.clip_a.avi.screen
click_key opendlg.row.clip_b.mp4.screen ctrl
click_key opendlg.row.clip_c.avi.screen ctrl
for clip in clip_a.avi clip_b.mp4 clip_c.avi; do
  expect_line "opendlg.row.$clip.selected=1"
done
click_key opendlg.open.screen
expect_line opendlg.showing=0
expect_line rows=3
for i in 0 1 2; do
  input=$(value "row$i.input")
  [[ " ${clips[*]} " == *" $input "* ]] || fail "row $i holds '$input', not one of the clips"
done
expect_line state=rows

step "3: choose a preset for every row (category and format with the mouse)"
category=1
format=3 # H.264 at 720p with AAC: slow enough to pause
key=503  # its preset key (data/presets/main_formats.tsv)
video_codec=h264
audio_codec=aac
pick() {
  local box=$1 row=$2
  click_key "$box.at"
  expect_line "$box.open=1"
  click_key "$box.row$row.at"
  expect_line "$box.open=0"
  expect_line "$box.index=$row"
}
for i in 0 1 2; do
  click_key "row$i.at"
  expect_line "selected=$i"
  pick category $category
  pick format $format
  expect_line "key=$key"
done

step "4: two files at once in the options dialog"
click_key button.options.at
expect_line options.showing=1
click_key options.threads.screen
expect_line options.threads.dropped=1
await_key options.threads.list.first.screen
first=$(value options.threads.list.first.screen)
height=$(value options.threads.list.rowheight)
top=$(value options.threads.list.top)
click_screen_point "${first%,*},$((${first#*,} + (1 - top) * height))"
expect_line options.threads=2
expect_line options.threads.dropped=0
click_key options.ok.screen
expect_line options.showing=0
expect_line threads=2
ini_has 'Thread_Count=2' || fail "option.ini does not keep two at once"

step "5: start, pause (the progress holds), resume, run to 100%"
expect_line button.start.enabled=1
click_key button.start.at
expect_line state=converting
expect_line button.pause.enabled=1
click_key button.pause.at
expect_line state=paused
expect_line button.resume.enabled=1
# What was on its way before the pause lands first.
sleep 0.5
held=$(progress_of_rows)
sleep 1.5
[[ $(progress_of_rows) == "$held" ]] || fail "the progress moved while paused: '$held' became '$(progress_of_rows)'"
[[ $(value button.resume.at) == $(value button.pause.at) ]] || fail "resume is not where pause was"
click_key button.resume.at
expect_line state=converting
wait_for "every row at 100%" all_rows_done
folder=$(value outputfolder)
wait_for "the output folder opened after the batch" grep -qxF "$folder" "$out/opened.txt"

step "6: probe every output for the preset's codecs"
for i in 0 1 2; do
  output=$(value "row$i.output")
  [[ $output == /* ]] || output=$folder/$output
  [[ -s $output ]] || fail "row $i: no output $output"
  line=$("$mediaprobe" "$output") || fail "row $i: the probe cannot read $output"
  echo "$line"
  # The probe names a codec with its long name in brackets.
  codecs=$(sed -n 's/.*\tvideo=\([^(\t]*\).*\taudio=\([^(\t]*\).*/\1\/\2/p' <<<"$line")
  [[ $codecs == "$video_codec/$audio_codec" ]] || fail "row $i: $codecs, not $video_codec/$audio_codec ($key): $line"
  ms=$(sed -n 's/.*duration_ms=\([0-9]*\).*/\1/p' <<<"$line")
  ((ms >= 1000)) || fail "row $i: output of ${ms} ms"
done

step "7: rename a row by typing over it, then move it up"
second_input=$(value row1.input)
# One double click both selects the row and opens its edit; a click just
# before it would make the pair a triple click, whose last click leaves the edit.
# A busy program can take the double click for two single ones: made again
# while the edit has not opened.
at=$(value row1.at)
for _ in 1 2 3; do
  xdotool mousemove --window "$wid" "${at%,*}" "${at#*,}" click --repeat 2 --delay 80 1
  for _ in $(seq 100); do has_line rename.visible=1 && break; sleep 0.1; done
  has_line rename.visible=1 && break
done
expect_line selected=1
expect_line rename.visible=1
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "renamed_by_typing"
xdotool key --clearmodifiers Tab
expect_line rename.visible=0
wait_for "the new name in row 1" grep -q '^row1\.output=\(.*/\)\?renamed_by_typing\.mp4$' "$report"
click_key button.up.at
expect_line selected=0
expect_line "row0.input=$second_input"
grep -q '^row0\.output=\(.*/\)\?renamed_by_typing\.mp4$' "$report" || fail "the renamed row did not move up"

step "8: select a row, play it in the preview, take a snapshot"
click_key row2.at
expect_line selected=2
expect_line "preview.file=$(value row2.input)"
await_key snapshot.folder
snapshots=$(value snapshot.folder)
before=$(find "$snapshots" -type f 2>/dev/null | wc -l)
start_position=$(value preview.position)
click_key button.play.at
position_moved() { [[ -n $(value preview.position) && $(value preview.position) != "$start_position" ]]; }
wait_for "the preview's position to advance" position_moved
click_key button.snapshot.at
new_snapshot() { (($(find "$snapshots" -type f 2>/dev/null | wc -l) > before)); }
wait_for "a picture in $snapshots" new_snapshot
find "$snapshots" -type f -newer "$out/clips.txt" | head -1 | grep -q . || fail "no new snapshot file"

step "9: screenshot, switch the skin from its menu, screenshot again: they differ"
xdotool mousemove 1590 990
grab_settled "$out/before.png"
skin_before=$(value skin.index)
pick_menu 功能 软件皮肤
expect_line skindialog.showing=1
wait_for "the skin dialog to be active" active_is_not_main
xdotool key --clearmodifiers Down Return
expect_line skindialog.showing=0
skin_changed() { [[ $(value skin.index) != "$skin_before" ]]; }
wait_for "another skin" skin_changed
xdotool mousemove 1590 990
grab_settled "$out/after.png"
cmp -s "$out/before.png" "$out/after.png" && fail "the window looks the same in the new skin"
ini_has "SetSkin=$(value skin.index)" || fail "option.ini does not keep the new skin"

step "10: close with the window's close button; exit status 0"
click_key close.at
expect_clean_exit
echo "app_end_to_end: ok"
