#!/usr/bin/env bash
# Drives the gallery on the desktop backend with synthetic X input (run under
# xvfb-run): types into the edit, picks a list box item, scrolls the list view
# with the wheel, switches it to icons, deletes the edit's text through its
# context menu and resizes the window from outside and by its frame, then
# checks each effect in the report the gallery writes on SIGUSR1 (polling,
# within an overall limit). The resize step runs only with --resize.
#   gallery_desktop.sh GALLERY OUT_DIR [--resize]
set -euo pipefail

gallery=$1
out=$2
resize=${3:-}
report=$out/gallery-desktop.txt
png=$out/gallery-desktop.png
deadline_s=20
mkdir -p "$out"
rm -f "$report" "$png"

"$gallery" --desktop-report "$report" "$png" &
pid=$!
trap 'kill -USR2 $pid 2>/dev/null || true' EXIT

fail() { echo "gallery_desktop: $*" >&2; [[ -f $report ]] && cat "$report" >&2; exit 1; }

wid=$(timeout "$deadline_s" xdotool search --sync --onlyvisible --name '^Standard controls$' | head -1) ||
  fail "no gallery window within ${deadline_s}s"

# Asks for a fresh report and waits for it.
request_report() {
  rm -f "$report"
  kill -USR1 "$pid"
  local end=$((SECONDS + deadline_s))
  until [[ -f $report ]]; do
    ((SECONDS < end)) || fail "no report within ${deadline_s}s"
    kill -0 "$pid" 2>/dev/null || fail "the gallery ended early"
    sleep 0.05
  done
}

# Reports until the line shows (the gallery may not have read the input yet).
expect_line() {
  local end=$((SECONDS + deadline_s))
  until request_report && grep -qxF -- "$1" "$report"; do
    ((SECONDS < end)) || fail "expected '$1'"
    sleep 0.05
  done
}

# Points are window-relative (the form's own frame and caption included).
click_at() { xdotool mousemove --window "$wid" "$1" "$2" click 1; }

click_at 103 70 # the single line edit
xdotool key End
xdotool type --delay 20 ' typed'
expect_line 'edit=Single line edit typed'

click_at 240 122 # "Elderberry" in the list box
expect_line 'listbox=4'

# The wheel goes to the focused control: click a row of the list view first.
click_at 260 260
xdotool click 5 click 5
expect_line 'listview.top=5' # two notches of three rows, held at the last full page
expect_line 'listbox=4'      # the list box kept its selection

click_at 231 44 # the tool bar's "Icons" button
expect_line 'listview.style=icon'

# The edit's own context menu: the edit takes the focus (selecting its text),
# "Delete" by its letter clears it, and what is typed next goes to the edit.
xdotool mousemove --window "$wid" 103 70 click 3
xdotool key d
xdotool type --delay 20 'Z'
expect_line 'edit=Z'

if [[ $resize == --resize ]]; then
  xdotool windowsize "$wid" 700 420
  expect_line 'form=700x420'
  # The form's own sizing frame: drag the bottom right corner; the size the
  # display reports back must not undo it.
  xdotool mousemove --window "$wid" 698 418 mousedown 1
  xdotool mousemove --window "$wid" 720 430 mousemove --window "$wid" 740 450 mouseup 1
  expect_line 'form=742x452'
  # The gallery writes each report after a round trip to the display, so this
  # one follows the display's answers to every size the drag asked for.
  request_report
  grep -qxF 'form=742x452' "$report" || fail "the sizes the display reported back undid the drag"
fi

request_report
cat "$report"
trap - EXIT
kill -USR2 "$pid"
wait "$pid"
[[ -s $png ]] || fail "no screenshot in $png"
