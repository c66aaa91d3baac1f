#!/usr/bin/env bash
# Opens the skin selection dialog from the gallery on a real X display: Esc
# leaves the gallery's skin alone; the arrow keys and Enter pick another skin,
# which the gallery then wears; reads each result back from its report.
#   gallery_skindialog.sh SKINGALLERY SKIN OUT_DIR
source "$(dirname "$0")/gallery_session.sh"
start_gallery "$1" "$2" "$3" gallery_skindialog

expect_line skindialog.showing=0
active_name() { xdotool getwindowname "$(xdotool getactivewindow 2>/dev/null)" 2>/dev/null; }
active_is() { [[ "$(active_name)" == "$1" ]]; }

# Opens the dialog and types KEYS once it has the keyboard (the list has the focus).
choose() {
  click_window_point "$(value button.Skins.at)"
  expect_line skindialog.showing=1
  wait_for "the skin dialog to be active" active_is "Select skin"
  xdotool key --clearmodifiers "$@"
  expect_line skindialog.showing=0
}

before=$(value skindialog.skin)
# Esc closes the dialog after the preview moved on; the gallery keeps its skin.
choose Down Escape
expect_line skindialog.result=cancel
expect_line "skindialog.skin=$before"

# Two lines down, then Enter: the gallery switches to that skin.
choose Down Down Return
expect_line skindialog.result=ok
start=$(value skindialog.start)
chosen=$((start + 2))
expect_line "skindialog.index=$chosen"
expect_line "skindialog.skin=$(value "skindialog.item$chosen")"

# Opened again, the dialog starts on the gallery's new skin.
choose Up Return
expect_line "skindialog.start=$chosen"
expect_line "skindialog.skin=$(value "skindialog.item$((chosen - 1))")"

echo "gallery_skindialog: ok"
