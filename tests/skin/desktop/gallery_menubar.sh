#!/usr/bin/env bash
# Drives the skinned gallery's menu bar on a real X display: Alt+F opens the
# File menu, Right moves to the Edit menu, a letter runs its Copy row (the
# command is read back from the gallery's report); clicks open and switch.
#   gallery_menubar.sh SKINGALLERY OUT_DIR [SKIN]
source "$(dirname "$0")/gallery_session.sh"
start_gallery "$1" "${3:-1}" "$2" gallery_menubar

expect_line menubar.open=none
xdotool windowactivate --sync "$wid" || xdotool windowfocus --sync "$wid"
xdotool key alt+f
expect_line menubar.open=File
xdotool key Right
expect_line menubar.open=Edit
xdotool key c
expect_line menu.command=Edit/Copy
expect_line menubar.open=none

# A lone Alt highlights the first item; Down opens it, Escape twice leaves.
xdotool key alt
xdotool key Down
expect_line menubar.open=File
xdotool key Escape Escape
expect_line menubar.open=none

# A click opens a menu; a click on another item while it is open switches.
click_window_point "$(value menubar.View.at)"
expect_line menubar.open=View
click_window_point "$(value menubar.File.at)"
expect_line menubar.open=File
xdotool key Escape Escape
expect_line menubar.open=none
echo "gallery_menubar: ok"
