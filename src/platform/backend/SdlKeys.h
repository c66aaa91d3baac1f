#pragma once
// SDL key codes to the window layer's virtual keys.
#include "platform/wm/WinTypes.h"

namespace tovrel {

// 0 for keys the layer has no code for.
UINT VirtualKeyFromSdl(int sdlKeycode, int sdlScancode);

} // namespace tovrel
