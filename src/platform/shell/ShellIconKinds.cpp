#include "platform/shell/ShellIconKinds.h"

#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"

#include <algorithm>
#include <array>
#include <string>

namespace tovrel {

namespace {

struct TExtensionIcon {
    std::string_view Extension;
    TShellIcon Icon;
};

constexpr std::array<TExtensionIcon, 38> ExtensionIcons{{
    {".mp4", siVideo},   {".m4v", siVideo},   {".mkv", siVideo},    {".avi", siVideo},   {".mov", siVideo},
    {".wmv", siVideo},   {".flv", siVideo},   {".webm", siVideo},   {".mpg", siVideo},   {".mpeg", siVideo},
    {".vob", siVideo},   {".3gp", siVideo},   {".ts", siVideo},     {".rm", siVideo},    {".rmvb", siVideo},
    {".mp3", siAudio},   {".wav", siAudio},   {".wma", siAudio},    {".aac", siAudio},   {".m4a", siAudio},
    {".flac", siAudio},  {".ogg", siAudio},   {".ac3", siAudio},    {".aif", siAudio},   {".aiff", siAudio},
    {".amr", siAudio},   {".jpg", siPicture}, {".jpeg", siPicture}, {".png", siPicture}, {".bmp", siPicture},
    {".gif", siPicture}, {".tif", siPicture}, {".tiff", siPicture}, {".zip", siArchive}, {".rar", siArchive},
    {".7z", siArchive},  {".gz", siArchive},  {".tar", siArchive},
}};

} // namespace

TShellIcon FileIconForName(std::string_view name)
{
    const std::string extension = LowerCase(ExtractFileExt(name));
    const auto found = std::find_if(ExtensionIcons.begin(), ExtensionIcons.end(),
                                    [&](const TExtensionIcon& e) { return e.Extension == extension; });
    return found == ExtensionIcons.end() ? siFile : found->Icon;
}

} // namespace tovrel
