#!/usr/bin/env bash
# Runs the X11 tray tests on an X server of their own, kept between the
# tests' connections (-noreset), without a window manager (the test is its
# own tray manager), and on a session bus of their own.
#   x11_tray.sh TESTS OUT_DIR
set -euo pipefail

tests=$1
out=$2
deadline_s=40
mkdir -p "$out"

stop() { [[ -n ${xserver:-} ]] && kill "$xserver" 2>/dev/null || true; }
trap stop EXIT

# The server picks a free display and names it once it takes clients.
rm -f "$out/display"
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$out/display" >"$out/xvfb.log" 2>&1 </dev/null &
xserver=$!
end=$((SECONDS + deadline_s))
until [[ -s $out/display ]]; do
  kill -0 "$xserver" 2>/dev/null || { echo "x11_tray: the X server ended" >&2; exit 1; }
  ((SECONDS < end)) || { echo "x11_tray: no X server within ${deadline_s}s" >&2; exit 1; }
  sleep 0.05
done
# A session bus of its own for the notes, where there is one to start.
run=("$tests")
command -v dbus-run-session >/dev/null && run=(dbus-run-session -- "$tests")
DISPLAY=:$(head -1 "$out/display") "${run[@]}"
