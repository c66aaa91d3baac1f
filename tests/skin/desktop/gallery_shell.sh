#!/usr/bin/env bash
# Browses the skinned gallery's shell page on a real X display with the
# mouse: a double click opens the fixture's sub-folder in the shell list, the
# shell combo box goes back up, the filter combo box narrows the rows; the
# folder and the rows in view are read back from the gallery's report.
#   gallery_shell.sh SKINGALLERY SKIN OUT_DIR
source "$(dirname "$0")/gallery_session.sh"
root=$3/fixture
rm -rf "$root"
start_gallery "$1" "$2" "$3" gallery_shell --shell-folder "$root"
sub="子 文件夹"

# The media filter leaves out the picture and the text file; folders come first.
expect_line "shell.folder=$root"
expect_line "combo.shellfilter=媒体文件"
expect_line "shell.rows=$sub|ambient rain.wav|old clip.avi|主题曲.mp3|海边 日落.mp4|访谈 第二集.MKV"

# A double click on the sub-folder's row opens it; the box shows it too.
at=$(value "shell.row.$sub.at")
xdotool mousemove --window "$wid" "${at%,*}" "${at#*,}" click --repeat 2 --delay 80 1
expect_line "shell.folder=$root/$sub"
expect_line "shell.rows=旁白.wav|片段 一.mkv"
expect_line "combo.shellfolder=$sub"

# The screen point of row ROW (counted from the first one in view) of the open
# list of combo box NAME.
row_point() {
  local first height
  first=$(value "combo.$1.list.firstrow.screen")
  height=$(value "combo.$1.list.rowheight")
  echo "${first%,*} $((${first#*,} + $2 * height))"
}
# Clicks combo box NAME open and then its row ROW.
pick() {
  click_window_point "$(value "combo.$1.at")"
  expect_line "combo.$1.dropped=1"
  expect_line "combo.$1.list.top=0"
  read -r x y < <(row_point "$1" "$2")
  xdotool mousemove "$x" "$y" click 1
  expect_line "combo.$1.dropped=0"
}

# The box's first entry is the fixture folder, the list's root.
[[ $(value shell.entries) == "$(basename "$root")|$sub" ]] || fail "entries: $(value shell.entries)"
pick shellfolder 0
expect_line "shell.folder=$root"

# The audio filter: the folder and the two audio files.
pick shellfilter 2
expect_line "combo.shellfilter=音频文件"
expect_line "shell.mask=*.mp3;*.wav"
expect_line "shell.rows=$sub|ambient rain.wav|主题曲.mp3"

echo "gallery_shell: ok"
