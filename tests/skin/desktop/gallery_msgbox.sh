#!/usr/bin/env bash
# Opens the skinned message boxes from the gallery on a real X display and
# answers each with the keyboard only (arrows, Enter, Esc); reads every
# result back from the gallery's report.
#   gallery_msgbox.sh SKINGALLERY SKIN OUT_DIR
source "$(dirname "$0")/gallery_session.sh"
start_gallery "$1" "$2" "$3" gallery_msgbox

expect_line msgbox.showing=none
active_name() { xdotool getwindowname "$(xdotool getactivewindow 2>/dev/null)" 2>/dev/null; }
active_is() { [[ "$(active_name)" == "$1" ]]; }

# Waits until the box KIND captioned CAPTION has the keyboard, then types KEYS.
answer() {
  local kind=$1 caption=$2
  shift 2
  expect_line "msgbox.showing=$kind"
  wait_for "the '$caption' box to be active" active_is "$caption"
  xdotool key --clearmodifiers "$@"
}

click_window_point "$(value button.Messages.at)"
# OK is the default; the right arrow moves to Cancel.
answer warning Warning Right Return
expect_line msgbox.warning=2
# No cancel button: Esc leaves the box open; Enter presses Retry, the default.
answer error Error Escape Return
expect_line msgbox.error=4
# The main window's notice.
answer information "提示" Return
expect_line msgbox.information=1
# Esc presses Cancel; the "do not show again" box starts checked and stays so.
answer confirmation Confirm Escape
expect_line msgbox.confirmation=2
# The buttons go in kind order (Yes, No, NoToAll, YesToAll): YesToAll lies
# three steps right of Yes.
answer custom "$(value msgbox.custom.caption)" Right Right Right Return
expect_line msgbox.custom=10
expect_line msgbox.showagain=0
expect_line msgbox.showing=none

echo "gallery_msgbox: ok"
