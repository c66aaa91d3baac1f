#include "app/options/OptionIni.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Paths.h"
#include "platform/vcl/IniFiles.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <exception>

namespace tovrel {

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeFolder()
{
    std::string home = Environment("HOME");
    if (home.empty())
        if (const passwd* user = getpwuid(getuid()); user && user->pw_dir)
            home = user->pw_dir;
    return home.empty() ? "/tmp" : home;
}

std::string UserFilesFolder()
{
    return HomeFolder() + "/Tovrel视频软件";
}

} // namespace

std::string OptionIniPath()
{
    const std::string portable = ProgramFolder() + "option.ini";
    if (FileExists(portable))
        return portable;
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty())
        config = HomeFolder() + "/.config";
    return config + "/tovrel/option.ini";
}

std::string DefaultOutputFolder()
{
    return UserFilesFolder() + "/输出";
}

std::string DefaultSnapshotFolder()
{
    return UserFilesFolder() + "/快照";
}

bool TOptionIni::Exists() const
{
    return FileExists(path_);
}

std::string TOptionIni::Read(std::string_view section, std::string_view key) const
{
    try {
        TIniFile file(path_);
        return file.ReadString(section, key, MissingOptionValue);
    } catch (const std::exception&) {
        return std::string(MissingOptionValue);
    }
}

bool TOptionIni::Write(std::string_view section, std::string_view key, std::string_view value)
{
    if (!ForceDirectories(ExtractFileDir(path_)))
        return false;
    try {
        TIniFile file(path_);
        file.WriteString(section, key, value);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace tovrel
