# Shared by the skinned gallery's desktop tests (sourced; run under
# xvfb-run): starts a window manager and `skingallery --skin N --report`,
# and offers state-based waits on the gallery's report and on X.
#   start_gallery SKINGALLERY SKIN OUT_DIR NAME [GALLERY_OPTION...]
set -euo pipefail

deadline_s=40

fail() {
  echo "$name: $*" >&2
  [[ -f ${report:-} ]] && cat "$report" >&2
  exit 1
}

# Polls until the command succeeds, within the overall limit.
wait_for() {
  local what=$1
  shift
  local end=$((SECONDS + deadline_s))
  until "$@"; do
    ((SECONDS < end)) || fail "$what not within ${deadline_s}s"
    [[ -z ${pid:-} ]] || kill -0 "$pid" 2>/dev/null || fail "the gallery ended early (see $out/skingallery.log)"
    sleep 0.05
  done
}

has_line() { [[ -f $report ]] && grep -qxF -- "$1" "$report"; }
expect_line() { wait_for "'$1' (line ${BASH_LINENO[0]})" has_line "$1"; }
# The value of "key=value" in the report.
value() { sed -n "s/^$1=//p" "$report"; }
# True once the report has a value for the key (read again at each try).
has_value() { [[ -f $report && -n "$(value "$1")" ]]; }

# Window-relative points become screen points: pressing and dragging works on
# the screen, where a moving window does not shift the target.
window_origin() { xdotool getwindowgeometry "$wid" | sed -n 's/^ *Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p'; }
window_size() { xdotool getwindowgeometry "$wid" | sed -n 's/^ *Geometry: //p'; }
geometry_is() { [[ "$(window_origin) $(window_size)" == "$1" ]]; }

# Clicks the point "X,Y" of the window.
click_window_point() {
  xdotool mousemove --window "$wid" "${1%,*}" "${1#*,}" click 1
}

# Presses at the window point "X,Y", drags by (DX, DY) in two steps, releases.
drag_window_point() {
  local x y
  read -r x y < <(window_origin)
  x=$((x + ${1%,*}))
  y=$((y + ${1#*,}))
  xdotool mousemove "$x" "$y" mousedown 1
  xdotool mousemove $((x + $2 / 2)) $((y + $3 / 2))
  xdotool mousemove $((x + $2)) $((y + $3)) mouseup 1
}

start_gallery() {
  local gallery=$1 skin=$2
  out=$3
  name=$4
  report=$out/report.txt
  mkdir -p "$out"
  rm -f "$report" "$report.png"
  # Its output goes to a file: a child it leaves behind must not hold the
  # test's output open after the test ends.
  openbox --sm-disable >"$out/openbox.log" 2>&1 </dev/null &
  wm=$!
  trap 'kill $wm 2>/dev/null || true; [[ -n ${pid:-} ]] && kill $pid 2>/dev/null || true' EXIT
  wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  wait_for "the window manager" wm_ready

  # A gallery killed at the end leaves its temporary shell fixture in $out/tmp.
  rm -rf "$out/tmp"
  mkdir -p "$out/tmp"
  TMPDIR=$out/tmp "$gallery" --skin "$skin" "${@:5}" --report "$report" >"$out/skingallery.log" 2>&1 </dev/null &
  pid=$!
  wid=$(timeout "$deadline_s" xdotool search --sync --onlyvisible --name '^Skinned controls$' | head -1) ||
    fail "no gallery window within ${deadline_s}s"
  wait_for "the first report" test -f "$report"
}
