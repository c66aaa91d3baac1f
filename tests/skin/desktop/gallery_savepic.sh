#!/usr/bin/env bash
# Opens the skinned save-picture dialog from the gallery on a real X display
# (it starts on a sample picture, shown in its preview), types a new name
# without extension and presses Enter; the gallery writes a picture under
# that name with the first filter's extension, and the test reads the file
# back: a BMP file whose size the gallery read back as written.
#   gallery_savepic.sh SKINGALLERY SKIN OUT_DIR
source "$(dirname "$0")/gallery_session.sh"
# The gallery grabs the screen into OUT_DIR/savepic.png once the dialog is up.
export TOVREL_GALLERY_SHOTS=$3
start_gallery "$1" "$2" "$3" gallery_savepic

expect_line savepic.showing=0
folder=$(value opendlg.folder)
active_name() { xdotool getwindowname "$(xdotool getactivewindow 2>/dev/null)" 2>/dev/null; }
active_is() { [[ "$(active_name)" == "$1" ]]; }

click_window_point "$(value 'button.Save picture.at')"
expect_line savepic.showing=1
wait_for "the dialog to be active" active_is "Save file"
# The name edit has the focus with the start name selected: typing replaces it.
xdotool type --delay 30 snapshot
xdotool key --clearmodifiers Return
expect_line savepic.result=1
expect_line "savepic.file=$folder/snapshot.bmp"
expect_line savepic.readback=48x32
[[ -f $folder/snapshot.bmp ]] || fail "no file written"
[[ "$(head -c 2 "$folder/snapshot.bmp")" == BM ]] || fail "the file is no BMP"
expect_line savepic.showing=0

echo "gallery_savepic: ok"
