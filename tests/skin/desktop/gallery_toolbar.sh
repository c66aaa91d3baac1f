#!/usr/bin/env bash
# Drops the menu of the skinned gallery's tool-bar button on a real X display,
# picks an item with the mouse and reads its command back from the report;
# then drops it again and closes it with Esc.
#   gallery_toolbar.sh SKINGALLERY OUT_DIR
source "$(dirname "$0")/gallery_session.sh"
start_gallery "$1" 1 "$2" gallery_toolbar

expect_line toolbar.menu=closed
click_window_point "$(value toolbar.add.at)"
expect_line toolbar.menu=open
item=$(value toolbar.item.Folder.at)
[[ -n $item ]] || fail "no place for the Folder item"
xdotool mousemove "${item%,*}" "${item#*,}"
xdotool click 1
expect_line toolbar.command=Folder
expect_line toolbar.menu=closed
has_line toolbar.add.down=0 || fail "the button stayed down"

click_window_point "$(value toolbar.add.at)"
expect_line toolbar.menu=open
xdotool key Escape
expect_line toolbar.menu=closed
has_line toolbar.command=Folder || fail "Esc ran a command"

echo "gallery_toolbar: ok"
