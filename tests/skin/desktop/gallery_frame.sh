#!/usr/bin/env bash
# Moves the skinned gallery's form on a real X display by dragging its caption
# and sizes it by its right edge, reads the new geometry back from X, and
# checks that the frame on the screen is the skin's: the same pixels as the
# headless picture of the same form and skin.
#   gallery_frame.sh SKINGALLERY OUT_DIR
source "$(dirname "$0")/gallery_session.sh"
here=$(dirname "$0")
start_gallery "$1" 1 "$2" gallery_frame
reference=$out/reference.png
TOVREL_BACKEND=headless "$1" --skin 1 --screenshot "$reference" || fail "no headless picture"

read -r left top < <(window_origin)
size=$(window_size)
wait_for "the form's report" has_line "form=$left,$top,$size"
client=$(value client) # L,T,WxH of the client area inside the window
client_left=${client%%,*}
client_top=$(cut -d, -f2 <<<"$client")
read -r width height < <(tr x ' ' <<<"$size")
client_size=${client##*,}
right=$((width - client_left - ${client_size%x*}))
bottom=$((height - client_top - ${client_size#*x}))

# Dragging the caption moves the form by the pointer's movement.
drag_window_point "$(value caption.at)" 60 40
expect_line sizemoves=1
wait_for "the X window at the new place" geometry_is "$((left + 60)) $((top + 40)) $size"
expect_line "form=$((left + 60)),$((top + 40)),$size"
# The whole frame (the four strips round the client area) is the skin's.
"$here/frame_pixels.py" "$report.png" "$((left + 60)),$((top + 40))" "$reference" "size=$size" \
  "0,0,$width,$client_top" "0,$client_top,$client_left,$((height - client_top))" \
  "-$right,$client_top,$right,$((height - client_top))" "0,-$bottom,$width,$bottom" ||
  fail "the frame on the screen after the move is not the skin's"

# Dragging the right edge sizes the form; the corners keep the skin's pictures.
drag_window_point "$(value rightedge.at)" 50 0
expect_line sizemoves=2
new_size="$((width + 50))x$height"
wait_for "the X window at the new size" geometry_is "$((left + 60)) $((top + 40)) $new_size"
expect_line "form=$((left + 60)),$((top + 40)),$new_size"
"$here/frame_pixels.py" "$report.png" "$((left + 60)),$((top + 40))" "$reference" "size=$new_size" \
  "0,0,60,$client_top" "-60,-$bottom,60,$bottom" "-$right,-60,$right,60" ||
  fail "the frame on the screen after the resize is not the skin's"

echo "gallery_frame: ok"
