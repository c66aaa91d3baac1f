#!/usr/bin/env bash
# Minimize and restore on the desktop backend under a window manager (run
# under xvfb-run): the form is minimized by the window manager,
# restored by the test, and must be painted on the screen
# again; its owned dialog is transient for it and has no task bar entry.
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

# Its output goes to a file: a child it leaves behind must not hold the test's
# output open after the test ends.
openbox --sm-disable >"$out/openbox.log" 2>&1 </dev/null &
wm=$!
trap 'kill $wm 2>/dev/null || true; [[ -n ${pid:-} ]] && kill $pid 2>/dev/null || true' EXIT
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for "the window manager" wm_ready

"$deskstate" "$report" >"$out/deskstate.log" 2>&1 </dev/null &
pid=$!

wid=$(timeout "$deadline_s" xdotool search --sync --onlyvisible --name '^Desktop state$' | head -1) ||
  fail "no form within ${deadline_s}s"
dialog=$(timeout "$deadline_s" xdotool search --sync --name '^Desktop state dialog$' | head -1) ||
  fail "no dialog within ${deadline_s}s"

has_line() { [[ -f $report ]] && grep -qxF -- "$1" "$report"; }
expect_line() { wait_for "'$1' (line ${BASH_LINENO[0]})" has_line "$1"; }
paints() { sed -n 's/^paints=//p' "$report"; }
red=c82828

expect_line iconic=0
expect_line pixel=$red

# The owned dialog: transient for the form, no task bar entry of its own.
xprop -id "$dialog" WM_TRANSIENT_FOR | grep -qi "window id # $(printf '0x%x' "$wid")" ||
  fail "dialog not transient for the form: $(xprop -id "$dialog" WM_TRANSIENT_FOR)"
xprop -id "$dialog" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR ||
  fail "dialog has a task bar entry: $(xprop -id "$dialog" _NET_WM_STATE)"
xprop -id "$wid" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR &&
  fail "the form has no task bar entry"

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

echo "desktop_state: ok"
