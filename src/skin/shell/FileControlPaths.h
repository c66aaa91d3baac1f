#pragma once
// Path rules of the file-system list controls (drive combo box, directory
// list box, file list box). A "drive" is the mount path of a volume, "/" is
// the only separator and ":" is an ordinary character. The controls hold
// their folder as an absolute path and resolve typed paths against it; the
// process's current folder is never changed, so relative paths used by
// other threads (the conversions) keep their meaning.
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

// True when Name holds a wildcard ("*" or "?").
bool IsFileMask(std::string_view Name);

// The current folder, absolute; "" when it cannot be read.
std::string CurrentFolder();
// The folder Path names (relative to Base unless it starts with "/"),
// absolute with links resolved, as entering it would give;
// EInOutError when it is not a folder that can be entered.
std::string ResolveFolder(const std::string& Base, const std::string& Path);

// A typed path taken apart against a base folder.
struct TEditPath {
    std::string Drive;    // the mount path of the folder's volume
    std::string DirPart;  // the folder, absolute
    std::string FilePart; // a file name, a mask with "*" or "?", or ""
};
// "[name]" (a folder row of the file list) names a folder of BaseFolder;
// otherwise the text is a path, relative to BaseFolder unless it starts with
// "/". A last part that is no mask and no existing file must be a folder. A
// folder that cannot be entered raises EInOutError.
TEditPath ResolveEditPath(const std::string& EditText, const std::string& BaseFolder);

} // namespace tovrel
