#include "platform/shell/ShellEnvironment.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Paths.h"

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <unistd.h>

namespace tovrel {

namespace {

std::string EnvironmentFolder(const char* name, const char* underHome)
{
    const char* value = std::getenv(name);
    if (value && value[0] == '/')
        return ExcludeTrailingPathDelimiter(value);
    return PathJoin(HomeFolder(), underHome);
}

// A value of user-dirs.dirs: "$HOME/Videos" or "/absolute/path", in quotes.
std::string UserDirValue(std::string value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    if (value.starts_with("$HOME"))
        value = HomeFolder() + "/" + value.substr(5);
    return value.starts_with("/") ? ExcludeTrailingPathDelimiter(ExpandFileName(value)) : std::string();
}

} // namespace

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        return ExcludeTrailingPathDelimiter(home);
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir && entry->pw_dir[0] == '/')
        return ExcludeTrailingPathDelimiter(entry->pw_dir);
    return "/";
}

std::vector<TUserFolder> UserFolders()
{
    std::vector<TUserFolder> folders;
    std::ifstream file(PathJoin(EnvironmentFolder("XDG_CONFIG_HOME", ".config"), "user-dirs.dirs"));
    const std::string home = HomeFolder();
    std::string line;
    while (std::getline(file, line)) {
        const auto equals = line.find('=');
        if (!line.starts_with("XDG_") || equals == std::string::npos)
            continue;
        std::string key = line.substr(4, equals - 4);
        if (key.ends_with("_DIR"))
            key.resize(key.size() - 4);
        const std::string path = UserDirValue(line.substr(equals + 1));
        if (!path.empty() && path != home && DirectoryExists(path))
            folders.push_back({std::move(key), path});
    }
    return folders;
}

std::string UserFolder(const std::string& key)
{
    for (TUserFolder& folder : UserFolders())
        if (folder.Key == key)
            return std::move(folder.Path);
    return {};
}

std::string TrashFolder()
{
    return PathJoin(EnvironmentFolder("XDG_DATA_HOME", ".local/share"), "Trash");
}

} // namespace tovrel
