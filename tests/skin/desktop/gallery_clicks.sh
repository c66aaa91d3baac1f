#!/usr/bin/env bash
# Clicks skinned push buttons and a check box of the skinned gallery on a real
# X display and reads their new state back from the gallery's report.
#   gallery_clicks.sh SKINGALLERY OUT_DIR
source "$(dirname "$0")/gallery_session.sh"
start_gallery "$1" 1 "$2" gallery_clicks

expect_line button.Normal.clicks=0
click_window_point "$(value button.Normal.at)"
expect_line button.Normal.clicks=1

# A disabled button takes no click; the next click elsewhere shows it was read.
click_window_point "$(value button.Disabled.at)"
click_window_point "$(value button.Normal.at)"
expect_line button.Normal.clicks=2
has_line button.Disabled.clicks=0 || fail "the disabled button clicked"

expect_line checkbox.Unchecked=unchecked
click_window_point "$(value checkbox.Unchecked.at)"
expect_line checkbox.Unchecked=checked
click_window_point "$(value checkbox.Unchecked.at)"
expect_line checkbox.Unchecked=unchecked
# A disabled box keeps its state.
click_window_point "$(value "checkbox.Disabled on.at")"
click_window_point "$(value checkbox.Unchecked.at)"
expect_line checkbox.Unchecked=checked
has_line "checkbox.Disabled on=checked" || fail "the disabled box changed"

echo "gallery_clicks: ok"
