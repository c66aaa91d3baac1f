#pragma once
// The arrow buttons' places and their hot and pressed images, as scroll bars
// and up-downs copy them from their skin entries.
#include "skin/data/SkinGeometry.h"

namespace tovrel {

struct TskArrowButtonRects {
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;

    // A pressed image the entry leaves empty takes the hot one.
    template <class Entry> void CopyArrowButtons(const Entry& e)
    {
        UpButtonRect = e.UpButtonRect;
        ActiveUpButtonRect = e.ActiveUpButtonRect;
        DownUpButtonRect = RectOr(e.DownUpButtonRect, ActiveUpButtonRect);
        DownButtonRect = e.DownButtonRect;
        ActiveDownButtonRect = e.ActiveDownButtonRect;
        DownDownButtonRect = RectOr(e.DownDownButtonRect, ActiveDownButtonRect);
    }
};

} // namespace tovrel
