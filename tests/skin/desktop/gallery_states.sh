#!/usr/bin/env bash
# Maximizes and restores the skinned gallery's form through its caption
# buttons on a real X display, reading the state back from the gallery's
# report and the geometry from X, then rests the pointer on a button until
# its skinned hint shows. Screenshots of the maximized form and of the hint
# are left in the output directory.
#   gallery_states.sh SKINGALLERY OUT_DIR
source "$(dirname "$0")/gallery_session.sh"
start_gallery "$1" 1 "$2" gallery_states

read -r left top < <(window_origin)
size=$(window_size)
wait_for "the form's report" has_line "form=$left,$top,$size"
expect_line windowstate=normal
expect_line hint=none

# The maximize button fills the work area; X and the report agree.
click_window_point "$(value caption.maximize.at)"
expect_line windowstate=maximized
max=$(value form)
max_size=${max##*,}
[[ $max_size != "$size" ]] || fail "maximized at the normal size $size"
(( ${max_size%x*} >= 1270 && ${max_size#*x} >= 1010 )) || fail "maximized to $max_size, not the screen's work area"
IFS=, read -r max_left max_top _ <<<"$max"
wait_for "the X window maximized" geometry_is "$max_left $max_top $max_size"
# Other changes may write the report before the size change's screen grab.
wait_for "the screen grab" test -f "$report.png"
cp "$report.png" "$out/maximized.png"

# The same button (now restoring) brings the normal bounds back.
click_window_point "$(value caption.maximize.at)"
expect_line windowstate=normal
expect_line "form=$left,$top,$size"
wait_for "the X window restored" geometry_is "$left $top $size"

# Resting on the hinted button shows its hint below the pointer after the
# hint pause: two lines, in the skin's hint window.
button=$(value button.Hinted.at)
xdotool mousemove --window "$wid" "${button%,*}" "${button#*,}"
wait_for "the hint" grep -q '^hint=[0-9]' "$report"
hint=$(value hint)
IFS=, read -r hint_left hint_top hint_size <<<"$hint"
(( hint_left == left + ${button%,*} && hint_top > top + ${button#*,} )) ||
  fail "the hint at $hint_left,$hint_top is not below the pointer"
(( ${hint_size#*x} >= 20 )) || fail "the hint of $hint_size is not two lines tall"
cp "$report.png" "$out/hint.png"

echo "gallery_states: ok"
