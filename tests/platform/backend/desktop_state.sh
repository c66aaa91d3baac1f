#!/usr/bin/env bash
# Minimize and restore on the desktop backend under a window manager, on an
# X server of its own: the form is minimized by the window manager,
# restored by the test, and must be painted on the screen
# again; its owned dialogs are dialogs transient for it with no task bar entry.
# The form also minimizes itself ("m" typed into it): it must leave the X
# screen (WM_STATE Iconic) and come back painted when restored.
#   desktop_state.sh DESKSTATE OUT_DIR
set -euo pipefail

deskstate=$1
out=$2
report=$out/desktop-state.txt
deadline_s=40
mkdir -p "$out"
rm -f "$report"

fail() {
  echo "desktop_state: $*" >&2
  [[ -f $report ]] && cat "$report" >&2
  [[ -n ${wid:-} ]] && xprop -id "$wid" WM_STATE _NET_WM_STATE >&2
  exit 1
}

# Polls until the command succeeds, within the overall limit.
wait_for() {
  local what=$1
  shift
  local end=$((SECONDS + deadline_s))
  until "$@"; do
    ((SECONDS < end)) || fail "$what not within ${deadline_s}s"
    sleep 0.05
  done
}

stop() {
  local p
  for p in ${pid:-} ${wm:-} ${xserver:-}; do
    kill "$p" 2>/dev/null || true
  done
}
trap stop EXIT

# The server picks a free display itself and names it once it takes clients,
# so tests running side by side never share or race for one.
rm -f "$out/display"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$out/display" >"$out/xvfb.log" 2>&1 </dev/null &
xserver=$!
display_named() { [[ -s $out/display ]] || { kill -0 $xserver 2>/dev/null || fail "the X server ended"; false; }; }
wait_for "the X server" display_named
export DISPLAY=:$(head -1 "$out/display")

# Its output goes to a file: a child it leaves behind must not hold the test's
# output open after the test ends.
openbox --sm-disable >"$out/openbox.log" 2>&1 </dev/null &
wm=$!
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for "the window manager" wm_ready

"$deskstate" "$report" >"$out/deskstate.log" 2>&1 </dev/null &
pid=$!

wid=$(timeout "$deadline_s" xdotool search --sync --onlyvisible --name '^Desktop state$' | head -1) ||
  fail "no form within ${deadline_s}s"
dialog=$(timeout "$deadline_s" xdotool search --sync --name '^Desktop state dialog$' | head -1) ||
  fail "no dialog within ${deadline_s}s"
late=$(timeout "$deadline_s" xdotool search --sync --name '^Desktop state late dialog$' | head -1) ||
  fail "no late dialog within ${deadline_s}s"

has_line() { [[ -f $report ]] && grep -qxF -- "$1" "$report"; }
expect_line() { wait_for "'$1' (line ${BASH_LINENO[0]})" has_line "$1"; }
paints() { sed -n 's/^paints=//p' "$report"; }
red=c82828

expect_line iconic=0
expect_line pixel=$red

# An owned dialog: a dialog transient for the form, with no task bar entry of
# its own; the late one was given its owner while the window manager had it.
transient_for_form() { xprop -id "$1" WM_TRANSIENT_FOR | grep -qi "window id # $(printf '0x%x' "$wid")"; }
skips_taskbar() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR; }
dialog_type() { xprop -id "$1" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_DIALOG; }
check_owned() {
  wait_for "$2 transient for the form" transient_for_form "$1"
  wait_for "$2 without a task bar entry" skips_taskbar "$1"
  wait_for "$2 typed a dialog" dialog_type "$1"
}
check_ownership() {
  check_owned "$dialog" "the dialog"
  check_owned "$late" "the late dialog"
  skips_taskbar "$wid" && fail "the form has no task bar entry"
  return 0
}
check_ownership

# The window manager's word on the form (WM_STATE): a minimize asked before it
# has taken the form on, or while it is still restoring it, may be lost.
x_state() { xprop -id "${2:-$wid}" WM_STATE 2>/dev/null | grep -q "window state: $1"; }
repainted_since() { (($(paints) > $1)); }

# Brings the form back as a task bar would, and checks it is shown and painted again.
restore_and_check() {
  local before
  before=$(paints)
  xdotool windowactivate "$wid"
  expect_line iconic=0
  wait_for "WM_STATE Normal after the restore" x_state Normal
  # The window manager takes the dialog off and back with its owner.
  wait_for "the dialog's WM_STATE Normal after the restore" x_state Normal "$dialog"
  wait_for "a repaint" repainted_since "$before"
  expect_line pixel=$red
}

# Minimized by the window manager.
wait_for "WM_STATE Normal" x_state Normal
xdotool windowminimize "$wid"
expect_line iconic=1
wait_for "the form leaving the screen" bash -c "! grep -qxF pixel=$red '$report'"
restore_and_check

# Minimized by its own code: iconified on the X display, not only in the layer.
xdotool key --window "$wid" m
expect_line iconic=1
wait_for "WM_STATE Iconic after the form's own minimize" x_state Iconic
wait_for "the form leaving the screen" bash -c "! grep -qxF pixel=$red '$report'"
restore_and_check

# The window manager's state changes kept the dialogs' task bar state.
check_ownership

echo "desktop_state: ok"
