#pragma once
// The pictures of the main window's image lists, drawn by tools/skingen from
// the icon tables in skins/icons and embedded as PNG files with alpha:
//   "categories48", "categories32"  one picture per category code (0..34)
//   "toolbar40"                      tool bar and menu button pictures
//   "buttons18"                      buttons below the file list
//   "markers10"                      small marks
#include <string_view>
#include <vector>

namespace tovrel {

class TskPngImageList;

// The PNG files of the named list in index order; empty for an unknown name.
std::vector<std::string_view> StoredIconFiles(std::string_view listName);

// Sizes the image list to the pictures and appends one item per picture.
// An unknown name raises std::invalid_argument.
void AddStoredIcons(TskPngImageList& list, std::string_view listName);

} // namespace tovrel
