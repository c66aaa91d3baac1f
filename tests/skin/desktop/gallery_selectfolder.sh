#!/usr/bin/env bash
# Opens the select-folder dialog from the gallery on a real X display, types
# a folder's path into its path edit and presses Enter there, and reads the
# chosen folder back from the gallery's report; then opens it again and
# leaves it with Esc. A screen grab of the dialog with its new-folder hint is
# left as dialog.png.
#   gallery_selectfolder.sh SKINGALLERY SKIN OUT_DIR
source "$(dirname "$0")/gallery_session.sh"
start_gallery "$1" "$2" "$3" gallery_selectfolder

target="$out/fixture/picked folder"
rm -rf "$out/fixture"
mkdir -p "$target"

active_is() { [[ "$(xdotool getwindowname "$(xdotool getactivewindow 2>/dev/null)" 2>/dev/null)" == "$1" ]]; }
# Opens the dialog and waits until it has the keyboard.
open_dialog() {
  expect_line selectfolder.showing=0
  click_window_point "$(value button.SelectFolder.at)"
  expect_line selectfolder.showing=1
  wait_for "the dialog to be active" active_is "选择目录"
  dialog=$(xdotool getactivewindow)
}
point_dialog_at() {
  xdotool mousemove --window "$dialog" "${1%,*}" "${1#*,}"
}
click_dialog_point() {
  point_dialog_at "$1"
  xdotool click 1
}

open_dialog
# Resting on the new-folder button shows its hint; the gallery grabs the
# screen for it.
point_dialog_at "$(value selectfolder.newfolder.at)"
wait_for "the new-folder hint" grep -q '^hint=[0-9]' "$report"
cp "$report.png" "$out/dialog.png"

click_dialog_point "$(value selectfolder.edit.at)"
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "$target"
xdotool key --clearmodifiers Return
expect_line selectfolder.result=ok
expect_line "selectfolder.directory=$target"

# Esc closes it and keeps the folder.
open_dialog
xdotool key --clearmodifiers Escape
expect_line selectfolder.result=cancel
expect_line "selectfolder.directory=$target"
expect_line selectfolder.showing=0

echo "gallery_selectfolder: ok"
