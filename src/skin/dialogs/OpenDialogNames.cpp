#include "skin/dialogs/OpenDialogNames.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Paths.h"

#include <cstdlib>

namespace tovrel {

std::string FilterMaskExtension(std::string_view Mask)
{
    if (Mask.find(".*") != std::string_view::npos)
        return {};
    const std::string_view first = Mask.substr(0, Mask.find(';'));
    return ExtractFileExt(first);
}

std::string DefaultExtension(std::string_view DefaultExt, std::string_view Mask)
{
    if (!DefaultExt.empty())
        return "." + std::string(DefaultExt);
    return FilterMaskExtension(Mask);
}

std::string DialogFallbackFolder(std::string_view InitialDir)
{
    if (!InitialDir.empty() && DirectoryExists(InitialDir))
        return std::string(InitialDir);
    const char* home = std::getenv("HOME");
    if (home && *home && DirectoryExists(home))
        return home;
    return ProgramFolder();
}

std::string DialogStartFolder(std::string_view FileName, std::string_view InitialDir)
{
    const std::string folder = ExtractFilePath(FileName);
    if (!folder.empty() && DirectoryExists(folder))
        return folder;
    return DialogFallbackFolder(InitialDir);
}

} // namespace tovrel
