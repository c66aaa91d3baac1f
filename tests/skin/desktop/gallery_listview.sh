#!/usr/bin/env bash
# Scrolls the skinned list view of the skinned gallery on a real X display,
# with the wheel and by dragging its external bar's thumb, and reads the new
# top row and bar position back from the gallery's report.
#   gallery_listview.sh SKINGALLERY OUT_DIR
source "$(dirname "$0")/gallery_session.sh"
start_gallery "$1" 1 "$2" gallery_listview

expect_line listview.top=0
expect_line listview.vbar.position=0
rows=$(value listview.rows)
perpage=$(value listview.perpage)
((rows > perpage)) || fail "the list fits: $rows rows, $perpage a page"
last=$((rows - perpage))

# The wheel reaches the focused list: a click gives it the focus.
click_window_point "$(value listview.at)"
xdotool click 5
top_moved() { [[ $(value listview.top) -gt 0 ]]; }
wait_for "a scroll by the wheel" top_moved
# The bar follows the list.
top=$(value listview.top)
expect_line "listview.vbar.position=$top"
xdotool click 4
expect_line listview.top=0
expect_line listview.vbar.position=0

# Dragging the thumb far down shows the last page, dragging it back the first.
drag_window_point "$(value listview.vbar.thumb.at)" 0 400
expect_line "listview.top=$last"
expect_line "listview.vbar.position=$last"
drag_window_point "$(value listview.vbar.thumb.at)" 0 -400
expect_line listview.top=0
expect_line listview.vbar.position=0

echo "gallery_listview: ok"
