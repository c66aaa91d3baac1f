#pragma once
// Turning a root (a special folder's name or a path) into a folder object.
#include "platform/shell/ItemIDList.h"
#include "platform/shell/ShellItems.h"

#include <memory>
#include <string>
#include <string_view>

namespace tovrel {

enum class TRootFolder {
    rfDesktop,
    rfMyComputer,
    rfNetwork,
    rfRecycleBin,
    rfAppData,
    rfCommonDesktopDirectory,
    rfCommonPrograms,
    rfCommonStartMenu,
    rfCommonStartup,
    rfControlPanel,
    rfDesktopDirectory,
    rfFavorites,
    rfFonts,
    rfInternet,
    rfPersonal,
    rfPrinters,
    rfPrintHood,
    rfPrograms,
    rfRecent,
    rfSendTo,
    rfStartMenu,
    rfStartup,
    rfTemplates
};

using TRoot = std::string;

// Ordinal of the TRootFolder of that name (any case), -1 when none.
int RootFolderIndex(std::string_view name);
// The special folder's absolute list; nullptr for one this system does not
// have (only Desktop, Computer and Home always exist; the desktop, templates,
// application data and fonts folders when they are there).
TItemIDListPtr SpecialFolderLocation(TRootFolder folder);

// The desktop's list: the empty list.
TItemIDListPtr DesktopItemIDList();
std::unique_ptr<TskShellFolder> CreateDesktopShellFolder();
// A folder object for an absolute list, with the desktop item as parent.
std::unique_ptr<TskShellFolder> CreateFolderForID(PCItemIDList ID);
// A folder object for NewRoot. On failure NewRoot goes back to OldRoot,
// OldFolder stays, and Exception "Error setting path: \"%s\"" names the
// attempted root. On success OldFolder is freed.
std::unique_ptr<TskShellFolder> CreateFolderForRoot(std::unique_ptr<TskShellFolder>& OldFolder, const TRoot& OldRoot,
                                                    TRoot& NewRoot);

} // namespace tovrel
