#!/usr/bin/env bash
# Drops down the skinned gallery's combo boxes on a real X display and picks
# values with the mouse: a click on the box and then on a row, and a press on
# the box dragged onto a row and released there; types into the editable box
# and steps it to the next item; reads the chosen text back from the
# gallery's report.
#   gallery_combobox.sh SKINGALLERY OUT_DIR
source "$(dirname "$0")/gallery_session.sh"
start_gallery "$1" 1 "$2" gallery_combobox

expect_line "combo.framesize=保持原分辨率"
expect_line combo.framesize.dropped=0

# The screen point of row ROW (counted from the first one in view) of the open
# list of combo box NAME.
row_point() {
  local first height
  first=$(value "combo.$1.list.firstrow.screen")
  height=$(value "combo.$1.list.rowheight")
  echo "${first%,*} $((${first#*,} + $2 * height))"
}

# A click opens the list; a click on its sixth row chooses 352*240.
click_window_point "$(value combo.framesize.at)"
expect_line combo.framesize.dropped=1
expect_line combo.framesize.list.top=0
read -r x y < <(row_point framesize 5)
xdotool mousemove "$x" "$y"
xdotool click 1
expect_line "combo.framesize=352*240"
expect_line combo.framesize.dropped=0

# Pressed on the box, dragged onto the fifth row of the list and released there.
read -r ox oy < <(window_origin)
at=$(value combo.videobitrate.at)
expect_line "combo.videobitrate=1000 kbps"
xdotool mousemove $((ox + ${at%,*})) $((oy + ${at#*,})) mousedown 1
expect_line combo.videobitrate.dropped=1
# Eight of eleven rows show: the chosen fifth item cannot be the first one.
expect_line combo.videobitrate.list.top=3
read -r x y < <(row_point videobitrate 4)
xdotool mousemove "$x" $((y - 5))
xdotool mousemove "$x" "$y" mouseup 1
expect_line "combo.videobitrate=1800 kbps"
expect_line combo.videobitrate.dropped=0

# The editable box takes typed text that no item begins as it stands; the
# Down key then commits the item after the one the box last held.
expect_line "combo.editable=192 kbps"
click_window_point "$(value combo.editable.at)"
expect_line combo.editable.focus=1
xdotool key ctrl+a
xdotool type --delay 30 "4321 kbps"
expect_line "combo.editable=4321 kbps"
xdotool key Down
expect_line "combo.editable=384 kbps"
expect_line combo.editable.dropped=0

echo "gallery_combobox: ok"
