#pragma once
// The pictures the namespace gives its items: one index into the two image
// lists (16 and 32 pixels) that ShellIcons draws.
#include <string_view>

namespace tovrel {

enum TShellIcon {
    siFile,
    siFolder,
    siOpenFolder,
    siDesktop,
    siComputer,
    siHome,
    siFixedDisk,
    siRemovableDisk,
    siOpticalDisc,
    siNetworkDrive,
    siRamDisk,
    siVideo,
    siAudio,
    siPicture,
    siArchive,
    ShellIconCount
};

// The picture of a file by its extension (any case): video, audio, picture,
// archive or a plain file.
TShellIcon FileIconForName(std::string_view name);

} // namespace tovrel
