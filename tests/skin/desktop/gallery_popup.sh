#!/usr/bin/env bash
# Opens the skinned gallery's popup menu with a right click on a real X
# display, moves into its sub-menu, picks an item with the pointer and reads
# the command back from the gallery's report; then types into the form's
# focused edit: the menu never took the focus from the form.
#   gallery_popup.sh SKINGALLERY SKIN OUT_DIR
source "$(dirname "$0")/gallery_session.sh"
start_gallery "$1" "$2" "$3" "gallery_popup_skin$2"

expect_line menu.picks=0
expect_line edit.Typed=
read -r left top < <(window_origin)
button=$(value "button.Popup menu.at")
xdotool mousemove --window "$wid" "${button%,*}" "${button#*,}" click 3
expect_line menu.levels=1
[[ $(xdotool getwindowfocus) == "$wid" ]] || fail "the open menu took the focus"

# Resting on the row opens its sub-menu after the hover delay.
at=$(value "menu.item.Recent.at")
xdotool mousemove "${at%,*}" "${at#*,}"
expect_line menu.levels=2
at=$(value "menu.item.Second file.at")
# Across the row first, as a hand would, then onto the item.
xdotool mousemove $((${at%,*} - 5)) "${at#*,}"
xdotool mousemove "${at%,*}" "${at#*,}" click 1
expect_line menu.picks=1
expect_line "menu.picked=Second file"
expect_line menu.levels=0

[[ $(xdotool getwindowfocus) == "$wid" ]] || fail "the form lost the focus to the menu"
xdotool type --delay 20 "after menu"
expect_line "edit.Typed=after menu"

echo "gallery_popup: ok"
