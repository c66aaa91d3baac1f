#include "platform/shell/ShellRoots.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"
#include "platform/shell/NamespaceFolders.h"
#include "platform/shell/ShellEnvironment.h"
#include "platform/shell/ShellUnit.h"

#include <array>
#include <cstdlib>

namespace tovrel {

namespace {

constexpr std::array<std::string_view, 23> RootFolderNames{
    "rfDesktop",        "rfMyComputer",       "rfNetwork",
    "rfRecycleBin",     "rfAppData",          "rfCommonDesktopDirectory",
    "rfCommonPrograms", "rfCommonStartMenu",  "rfCommonStartup",
    "rfControlPanel",   "rfDesktopDirectory", "rfFavorites",
    "rfFonts",          "rfInternet",         "rfPersonal",
    "rfPrinters",       "rfPrintHood",        "rfPrograms",
    "rfRecent",         "rfSendTo",           "rfStartMenu",
    "rfStartup",        "rfTemplates"};

TItemIDListPtr UserFolderLocation(const std::string& key)
{
    const std::string path = UserFolder(key);
    return path.empty() ? nullptr : MakeItemIDList(TDesktopFolder::UserFolderPayload(path));
}

TItemIDListPtr PathLocation(const std::string& path)
{
    return DirectoryExists(path) ? DesktopIShellFolder()->ParseDisplayName(path) : nullptr;
}

std::string ConfigFolder()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    return config && config[0] == '/' ? std::string(config) : PathJoin(HomeFolder(), ".config");
}

} // namespace

int RootFolderIndex(std::string_view name)
{
    for (std::size_t i = 0; i < RootFolderNames.size(); ++i)
        if (SameText(RootFolderNames[i], name))
            return int(i);
    return -1;
}

TItemIDListPtr SpecialFolderLocation(TRootFolder folder)
{
    switch (folder) {
    case TRootFolder::rfDesktop: return DesktopItemIDList();
    case TRootFolder::rfMyComputer: return MakeItemIDList(TDesktopFolder::ComputerPayload);
    case TRootFolder::rfPersonal: return MakeItemIDList(TDesktopFolder::HomePayload);
    case TRootFolder::rfDesktopDirectory: return UserFolderLocation("DESKTOP");
    case TRootFolder::rfTemplates: return UserFolderLocation("TEMPLATES");
    case TRootFolder::rfAppData: return PathLocation(ConfigFolder());
    case TRootFolder::rfFonts: return PathLocation(PathJoin(HomeFolder(), ".local/share/fonts"));
    default: return nullptr; // no such place on this system
    }
}

TItemIDListPtr DesktopItemIDList()
{
    return CopyItemIDList(nullptr);
}

std::unique_ptr<TskShellFolder> CreateDesktopShellFolder()
{
    const TItemIDListPtr desktop = DesktopItemIDList();
    return std::make_unique<TskShellFolder>(nullptr, desktop.get(), DesktopIShellFolder());
}

std::unique_ptr<TskShellFolder> CreateFolderForID(PCItemIDList ID)
{
    std::shared_ptr<IShellFolder> folder =
        CountItemIDs(ID) == 0 ? DesktopIShellFolder() : BindItemShellFolder(DesktopIShellFolder(), ID);
    return std::make_unique<TskShellFolder>(DesktopShellFolder(), ID, std::move(folder));
}

std::unique_ptr<TskShellFolder> CreateFolderForRoot(std::unique_ptr<TskShellFolder>& OldFolder, const TRoot& OldRoot,
                                                    TRoot& NewRoot)
{
    TItemIDListPtr list;
    if (const int index = RootFolderIndex(NewRoot); index >= 0)
        list = SpecialFolderLocation(TRootFolder(index));
    else if (!NewRoot.empty())
        list = DesktopIShellFolder()->ParseDisplayName(NewRoot);
    if (!list) {
        const std::string message = Format("Error setting path: \"%s\"", NewRoot);
        NewRoot = OldRoot;
        throw Exception(message);
    }
    std::unique_ptr<TskShellFolder> folder = CreateFolderForID(list.get());
    OldFolder.reset();
    return folder;
}

} // namespace tovrel
