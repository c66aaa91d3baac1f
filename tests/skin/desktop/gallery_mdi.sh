#!/usr/bin/env bash
# Opens the gallery's MDI frame on a real X display: maximizes a child by its
# caption button, restores it by the menu bar's restore button, and switches
# children through the tab bar, reading each result back from the report.
#   gallery_mdi.sh SKINGALLERY SKIN OUT_DIR
# With MDI_FBDIR set to the -fbdir of Xvfb, the screen is kept in OUT_DIR
# while a child is maximized and after the tab clicks (XWD files).
source "$(dirname "$0")/gallery_session.sh"
start_gallery "$1" "$2" "$3" gallery_mdi

click_screen_point() { xdotool mousemove "${1%,*}" "${1#*,}" click 1; }

expect_line mdi.open=0
click_window_point "$(value button.MDI.at)"
expect_line mdi.open=1
wait_for "the MDI frame" xdotool search --onlyvisible --name '^MDI frame$'
expect_line mdi.active=Doc3
expect_line mdi.buttons=0

# The active child's maximize button: the menu bar takes its buttons.
click_screen_point "$(value mdi.Doc3.maximize.screen)"
expect_line mdi.Doc3.state=maximized
expect_line mdi.maximized=Doc3
expect_line mdi.buttons=4
[[ -z ${MDI_FBDIR:-} ]] || cp "$MDI_FBDIR/Xvfb_screen0" "$out/maximized.xwd"

# The menu bar's restore button gives the child its frame back.
click_screen_point "$(value mdi.restore.screen)"
expect_line mdi.Doc3.state=normal
expect_line mdi.maximized=none
expect_line mdi.buttons=0

# A click on the first tab brings its child forward.
click_screen_point "$(value mdi.tab0.screen)"
expect_line "mdi.active=$(value mdi.tab0)"
click_screen_point "$(value mdi.tab1.screen)"
expect_line "mdi.active=$(value mdi.tab1)"
[[ -z ${MDI_FBDIR:-} ]] || cp "$MDI_FBDIR/Xvfb_screen0" "$out/tabs.xwd"

echo "gallery_mdi: ok"
