#!/usr/bin/env bash
# Opens the skinned open dialog from the gallery on a real X display, walks
# into a sub-folder of the gallery's fixture by a double click, picks two
# files with a click and a Ctrl+click, presses Open and reads both paths
# back from the gallery's report; then checks that Esc cancels a second run.
#   gallery_opendlg.sh SKINGALLERY SKIN OUT_DIR
source "$(dirname "$0")/gallery_session.sh"
# The gallery grabs the screen into OUT_DIR/opendlg.png once the dialog is up.
export TOVREL_GALLERY_SHOTS=$3
start_gallery "$1" "$2" "$3" gallery_opendlg

expect_line opendlg.showing=0
folder=$(value opendlg.folder)
[[ -d $folder/clips ]] || fail "no fixture folder"
active_name() { xdotool getwindowname "$(xdotool getactivewindow 2>/dev/null)" 2>/dev/null; }
active_is() { [[ "$(active_name)" == "$1" ]]; }
# Clicks the screen point "X,Y" with the given modifiers held.
click_screen() {
  local at=$1
  shift
  xdotool mousemove "${at%,*}" "${at#*,}"
  if (($#)); then xdotool keydown "$@" click 1 keyup "$@"; else xdotool click 1; fi
}

click_window_point "$(value 'button.Open dialog.at')"
expect_line opendlg.showing=1
wait_for "the dialog to be active" active_is "Open file"
expect_line "opendlg.path=$folder"
wait_for "the clips row" has_value opendlg.row.clips.at
at=$(value opendlg.row.clips.at)
# A loaded machine can take a double click for two single ones: tried again
# while the folder has not opened.
opened() { has_line "opendlg.path=$folder/clips"; }
for _ in 1 2 3; do
  xdotool mousemove "${at%,*}" "${at#*,}" click --repeat 2 --delay 80 1
  for _ in $(seq 100); do opened && break; sleep 0.1; done
  opened && break
done
expect_line "opendlg.path=$folder/clips"
# The rows of the new folder are noted after it is laid out.
wait_for "the rows of clips" has_value opendlg.row.c.avi.at
click_screen "$(value opendlg.row.a.mp4.at)"
click_screen "$(value opendlg.row.c.avi.at)" ctrl
click_screen "$(value opendlg.open.at)"
expect_line opendlg.result=1
expect_line opendlg.files=2
expect_line "opendlg.file.0=$folder/clips/a.mp4"
expect_line "opendlg.file.1=$folder/clips/c.avi"
expect_line opendlg.showing=0

# A second run starts in the folder of the last file; Esc cancels it.
click_window_point "$(value 'button.Open dialog.at')"
expect_line opendlg.showing=1
wait_for "the dialog to be active again" active_is "Open file"
expect_line "opendlg.path=$folder/clips"
xdotool key --clearmodifiers Escape
expect_line opendlg.result=0
expect_line opendlg.showing=0

echo "gallery_opendlg: ok"
