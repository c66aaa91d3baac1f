#pragma once
// Changes to the file system made for the user: renaming, pasting (copying or
// moving into a folder) and deleting to the trash. None of them ever replaces
// an existing entry. Each returns 0 or an errno value (EEXIST when the name is
// taken).
#include <string>

namespace tovrel {

// Renames from to to; EEXIST when to exists.
int RenameNoReplace(const std::string& from, const std::string& to);
// Pastes a copy of the file, link or folder tree at source into targetFolder
// under the same name. A copy that fails half way is removed again.
int CopyEntryInto(const std::string& source, const std::string& targetFolder);
// Pastes source into targetFolder by moving it; across file systems it is
// copied and the source removed only after the copy is complete.
int MoveEntryInto(const std::string& source, const std::string& targetFolder);
// Removes a file, link or folder tree for good (used to undo a failed copy and
// to finish a move across file systems).
int RemoveEntryTree(const std::string& path);

} // namespace tovrel
