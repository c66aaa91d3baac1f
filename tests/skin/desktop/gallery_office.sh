#!/usr/bin/env bash
# Opens the gallery's category box on a real X display, picks another
# category with the mouse and reads back that the format box now holds that
# category's formats (from the preset tables) with the first one chosen.
#   gallery_office.sh SKINGALLERY OUT_DIR PRESET_DIR
source "$(dirname "$0")/gallery_session.sh"
start_gallery "$1" 1 "$2" gallery_office
formats=$3/main_formats.tsv

# Title of the first format of category position $1, and the category's format count.
first_title() { awk -F'\t' -v c="$1" '$2 == c && $3 == 0 { print $4 }' "$formats"; }
format_count() { awk -F'\t' -v c="$1" 'NR > 1 && $2 == c { n++ } END { print n }' "$formats"; }

expect_line office.category.index=0
expect_line "office.format.title=$(first_title 0)"

click_window_point "$(value office.category.at)"
expect_line office.category.open=1
row=$(value office.category.row3.at)
[[ -n $row ]] || fail "the open category list shows no row 3"
click_window_point "$row"

expect_line office.category.open=0
expect_line office.category.index=3
expect_line "office.format.count=$(format_count 3)"
expect_line office.format.index=0
expect_line "office.format.title=$(first_title 3)"

echo "gallery_office: ok"
