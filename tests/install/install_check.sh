#!/usr/bin/env bash
# Installs the built program into a scratch prefix and checks what a user
# gets: every file under the prefix and nothing outside it, a valid desktop
# entry that starts the installed program, the icon as PNGs of their sizes,
# the chime as a WAV file, and the installed program starting (headless) far
# enough to show its main window and find its data under the prefix.
#   install_check.sh CMAKE BUILD_DIR OUT_DIR
source "$(dirname "$0")/../skin/desktop/gallery_session.sh"
cmake=$1
build=$2
out=$3
name=install_check
prefix=$out/prefix
report=$out/report.txt
rm -rf "$out"
mkdir -p "$out/home"

"$cmake" --install "$build" --prefix "$prefix" >"$out/install.log" 2>&1 || fail "cmake --install failed (see $out/install.log)"

# Nothing lands outside the prefix.
while read -r file; do
  [[ $file == "$prefix"/* ]] || fail "installed outside the prefix: $file"
done <"$build/install_manifest.txt"

expect_file() { [[ -f $prefix/$1 ]] || fail "not installed: $1"; }
# The first bytes of a file as hex, $2 bytes from offset $3.
hex_of() { od -An -tx1 -v -j "${3:-0}" -N "$2" "$1" | tr -d ' \n'; }

expect_file bin/tovrel
[[ -x $prefix/bin/tovrel ]] || fail "bin/tovrel is not executable"

sound=share/tovrel/sounds/ring001.wav
expect_file $sound
[[ $(hex_of "$prefix/$sound" 4) == 52494646 && $(hex_of "$prefix/$sound" 4 8) == 57415645 ]] ||
  fail "$sound is not a WAV file"

for size in 16 32 48 64 128 256; do
  icon=share/icons/hicolor/${size}x${size}/apps/tovrel.png
  expect_file "$icon"
  [[ $(hex_of "$prefix/$icon" 8) == 89504e470d0a1a0a ]] || fail "$icon is not a PNG"
  # IHDR: width and height, big-endian, from byte 16.
  expected=$(printf '%08x%08x' "$size" "$size")
  [[ $(hex_of "$prefix/$icon" 8 16) == "$expected" ]] || fail "$icon is not ${size}x${size}"
done

entry=$prefix/share/applications/tovrel.desktop
expect_file share/applications/tovrel.desktop
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" >"$out/validate.log" 2>&1 || fail "invalid desktop entry: $(cat "$out/validate.log")"
fi
grep -qxF 'Categories=AudioVideo;Video;' "$entry" || fail "the desktop entry's categories changed"
grep -qxF 'Name[zh_CN]=TovrelMP4格式转换器' "$entry" || fail "the desktop entry has no Chinese name"
grep -qxF 'Icon=tovrel' "$entry" || fail "the desktop entry names another icon"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
program=${exec_line#\"}
program=${program%\"}
[[ $program == "$prefix/bin/tovrel" ]] || fail "the desktop entry starts '$exec_line', not the installed program"

# Started as the entry starts it, from another folder, with a fresh home.
cd "$out/home"
HOME=$out/home XDG_CONFIG_HOME=$out/config TOVREL_BACKEND=headless TOVREL_MAIN_REPORT=$report \
  "$program" >"$out/tovrel.log" 2>&1 </dev/null &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
has_sound_line() { [[ -f $report ]] && grep -q '^sound=' "$report"; }
wait_for "the main window's report" has_sound_line
found=$(value sound)
[[ -n $found && $(realpath "$found") == "$(realpath "$prefix/$sound")" ]] ||
  fail "the installed program found its sound at '$found', not under its prefix"
kill "$pid"
wait "$pid" 2>/dev/null || true
trap - EXIT
echo "$name: passed"
