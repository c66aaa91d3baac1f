#include "skin/controls/SkinButtonImage.h"

#include "platform/vcl/Bitmap.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/SkinImageBuilders.h"

namespace tovrel {

const TskDataSkinButtonControl* FindButtonEntry(const TskSkinData* Skin, std::initializer_list<std::string_view> Names)
{
    if (!Skin || Skin->Empty)
        return nullptr;
    for (std::string_view name : Names) {
        const int index = Skin->GetControlIndex(name);
        if (index == -1)
            continue;
        if (const auto* entry = dynamic_cast<const TskDataSkinButtonControl*>(Skin->CtrlList[std::size_t(index)].get()))
            return entry;
    }
    return nullptr;
}

void DrawButtonEntryImage(TCanvas& Canvas, const TskSkinData& Skin, const TskDataSkinButtonControl& Entry,
                          const TRect& R, bool Hot, bool Pressed)
{
    TBitmap* picture = Skin.ActivePicture(Entry.PictureIndex);
    if (!picture || R.Width() <= 0 || R.Height() <= 0)
        return;
    const TRect active = RectOr(Entry.ActiveSkinRect, Entry.SkinRect);
    const TRect down = RectOr(Entry.DownSkinRect, active);
    const TRect source = Pressed && Hot ? down : Hot ? active : Entry.SkinRect;
    const TskSkinCorners skin{Entry.LTPoint, Entry.RTPoint, Entry.LBPoint, Entry.RBPoint, Entry.ClRect};
    const TskSkinCorners fresh =
        NewSkinCorners(skin, {Entry.SkinRect.Width(), Entry.SkinRect.Height()}, {R.Width(), R.Height()});
    const TskStretchFlags flags{Entry.LeftStretch,   Entry.TopStretch,    Entry.RightStretch,
                                Entry.BottomStretch, Entry.StretchEffect, Entry.StretchType};
    TBitmap image;
    CreateSkinImage(skin, fresh, image, *picture, source, R.Width(), R.Height(), true, flags);
    Canvas.Draw(R.Left, R.Top, &image);
}

} // namespace tovrel
