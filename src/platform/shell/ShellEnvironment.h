#pragma once
// Where the user's places are, read from the environment each time it is
// asked, so tests point them at a temporary tree through HOME,
// XDG_CONFIG_HOME and XDG_DATA_HOME.
#include <string>
#include <vector>

namespace tovrel {

struct TUserFolder {
    std::string Key;  // "DESKTOP", "DOCUMENTS", ... as user-dirs.dirs names it
    std::string Path; // absolute
};

// $HOME, else the password database's home, else "/".
std::string HomeFolder();
// The user folders of $XDG_CONFIG_HOME/user-dirs.dirs (default ~/.config) that
// exist and are not the home folder itself, in the file's order.
std::vector<TUserFolder> UserFolders();
// The user folder of that key, "" when it is not there.
std::string UserFolder(const std::string& key);
// $XDG_DATA_HOME (default ~/.local/share) + "/Trash".
std::string TrashFolder();

} // namespace tovrel
