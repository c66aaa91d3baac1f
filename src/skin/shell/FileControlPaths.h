#pragma once
// Path rules of the file-system list controls (drive combo box, directory
// list box, file list box). A "drive" is the mount path of a volume, "/" is
// the only separator and ":" is an ordinary character. The controls work
// through the process's current folder: entering a folder makes it current
// and leaves it so.
#include "platform/rtl/Exceptions.h"

#include <functional>
#include <string>
#include <string_view>

namespace tovrel {

class TCanvas;

// True when Name is an existing folder (links followed); "" is none.
bool FolderExists(std::string_view Name);
// The number of "/" in Path.
int SlashCount(std::string_view Path);

// The marker that stands for the folders a shortened path leaves out.
inline constexpr std::string_view PathShortMarker = ".../";
// S is the folder part of a path, ending with "/": drops its first folder
// (after a marker an earlier pass put there) and puts the marker in front;
// "/" and a last folder give "".
void DropFirstFolder(std::string& S);
// Path shortened until TextWidth says it fits MaxWidth: "/a/b/c/name",
// "/.../b/c/name", "/.../c/name", "/.../name", ".../name", "name". The bare
// name may still be wider.
std::string FitPathToWidth(const std::string& Path, const std::function<int(const std::string&)>& TextWidth,
                           int MaxWidth);
std::string FitPathToWidth(const std::string& Path, TCanvas& Canvas, int MaxWidth);

// The current folder, absolute; "" when it cannot be read.
std::string CurrentFolder();
// Makes Folder current; EInOutError when it cannot be entered.
void EnterFolder(const std::string& Folder);

// A typed path taken apart against the current folder.
struct TEditPath {
    std::string Drive;    // the mount path of the folder's volume
    std::string DirPart;  // the folder, absolute
    std::string FilePart; // a file name, a mask with "*" or "?", or ""
};
// "[name]" (a folder row of the file list) names a folder of the current
// folder; otherwise the text is a path, relative to the current folder unless
// it starts with "/". A last part that is no mask and no existing file must
// be a folder and is entered. The current folder is set back afterwards
// (when it still exists); a folder that cannot be entered raises EInOutError.
TEditPath ResolveEditPath(const std::string& EditText);

} // namespace tovrel
