#pragma once
// The small pictures of the drive combo box and the directory list box,
// drawn by the program. Their bottom-left pixel holds the colour that is
// drawn as transparent.
#include "platform/shell/MountTable.h"

#include <memory>

namespace tovrel {

class TBitmap;

enum class TFileControlPicture {
    Removable,     // 16 x 16
    Fixed,         // 16 x 16
    Network,       // 16 x 16
    Optical,       // 16 x 16
    Ram,           // 16 x 11
    OpenFolder,    // 16 x 15, a folder on the way to the current one
    ClosedFolder,  // 16 x 15, a sub-folder of the current one
    CurrentFolder, // 16 x 15
};

std::unique_ptr<TBitmap> MakeFileControlPicture(TFileControlPicture Kind);
// The picture of a volume of that kind.
TFileControlPicture VolumePicture(TVolumeKind Kind);

} // namespace tovrel
