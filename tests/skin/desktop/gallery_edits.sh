#!/usr/bin/env bash
# Types into the skinned gallery's skinned edit on a real X display (ASCII,
# then Chinese text that reaches the program as committed text), checks that
# the read-only edit refuses typing, and steps the up-down bound to the
# numeric edit, reading each value back from the gallery's report.
#   gallery_edits.sh SKINGALLERY OUT_DIR
source "$(dirname "$0")/gallery_session.sh"
start_gallery "$1" 1 "$2" gallery_edits

expect_line edit.text=
click_window_point "$(value edit.at)"
expect_line edits.focus=edit
xdotool type --delay 30 "hello 42"
expect_line "edit.text=hello 42"
# Not on the keyboard map: xdotool binds a spare key code to each character
# for a moment, and the text arrives through the backend's text input. One
# character at a time, each read back before the next, so that the binding
# is still in place when the program looks the key up. A slow program can
# find the binding gone and the character lost: it is typed again then.
typed="hello 42"
for ch in 你 好 世 界; do
  for _ in 1 2 3; do
    xdotool type --delay 250 "$ch"
    for _ in $(seq 50); do has_line "edit.text=$typed$ch" && break; sleep 0.1; done
    has_line "edit.text=$typed$ch" && break
  done
  typed+=$ch
  expect_line "edit.text=$typed"
done

# The read-only field takes no typing; the next change of the other edit
# shows that the keys were read meanwhile.
click_window_point "$(value readonly.at)"
expect_line edits.focus=readonly
xdotool type --delay 30 "x"
xdotool key BackSpace Delete
click_window_point "$(value edit.at)"
expect_line edits.focus=edit
xdotool key End
xdotool type --delay 30 "!"
expect_line "edit.text=hello 42你好世界!"
has_line "readonly.text=/home/user/Videos" || fail "the read-only edit changed"

# Each click on an arrow steps (once, or more should a loaded machine hold
# the press past the repeat delay); the numeric edit shows the position.
expect_line updown.position=0
position_above() { [[ $(value updown.position) -gt $1 ]]; }
position_below() { [[ $(value updown.position) -lt $1 ]]; }
for _ in 1 2 3; do
  before=$(value updown.position)
  click_window_point "$(value updown.up.at)"
  wait_for "a step up from $before" position_above "$before"
  expect_line "number.text=$(value updown.position)"
done
before=$(value updown.position)
click_window_point "$(value updown.down.at)"
wait_for "a step down from $before" position_below "$before"
expect_line "number.text=$(value updown.position)"

# A short move of the form leaves a screen grab beside the report.
drag_window_point "$(value caption.at)" 20 0
expect_line sizemoves=1
echo "gallery_edits: ok"
