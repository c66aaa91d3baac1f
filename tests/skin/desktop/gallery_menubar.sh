#!/usr/bin/env bash
# Drives the skinned gallery's menu bar by keys on a real X display: Alt+F
# opens the File menu, Right moves to the Edit menu, a letter runs its Copy
# row; the command is read back from the gallery's report. With a third
# argument the screen is grabbed (xwd) into OUT_DIR while each menu is open.
#   gallery_menubar.sh SKINGALLERY OUT_DIR [SKIN]
source "$(dirname "$0")/gallery_session.sh"
start_gallery "$1" "${3:-1}" "$2" gallery_menubar

grab() { [[ -z ${3:-} ]] || xwd -root -silent -out "$out/$1.xwd" || true; }

expect_line menubar.open=none
xdotool windowactivate --sync "$wid" || xdotool windowfocus --sync "$wid"
xdotool key alt+f
expect_line menubar.open=File
grab file "" "${3:-}"
xdotool key Right
expect_line menubar.open=Edit
grab edit "" "${3:-}"
xdotool key c
expect_line menu.command=Edit/Copy
expect_line menubar.open=none

# A lone Alt highlights the first item; Down opens it, Escape twice leaves.
xdotool key alt
xdotool key Down
expect_line menubar.open=File
xdotool key Escape Escape
expect_line menubar.open=none
echo "gallery_menubar: ok"
