#pragma once
// A contact sheet of one loaded skin: the frame, buttons in every state at two
// sizes, fields, lists, scroll bars, panels, tabs and menu items, each built
// from its entry the way the skinned controls build it, with sample text.
#include "platform/gdi/Surface.h"

namespace tovrel {

class TskSkinData;

TSurface RenderContactSheet(TskSkinData& data);

} // namespace tovrel
