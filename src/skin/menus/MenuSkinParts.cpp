#include "skin/menus/MenuSkinParts.h"

#include "platform/gdi/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/GraphicsObjects.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinGeometry.h"
#include "skin/data/SkinMenuEntries.h"
#include "skin/draw/SkinImageBuilders.h"

namespace tovrel {

namespace {

template <class T>
TskMenuSkinPart<T> FindControlPart(const TskSkinData* skin, std::initializer_list<std::string_view> names)
{
    if (!skin || skin->Empty)
        return {};
    for (std::string_view name : names) {
        const int index = skin->GetControlIndex(name);
        if (index < 0)
            continue;
        auto* entry = dynamic_cast<T*>(skin->CtrlList[std::size_t(index)].get());
        TBitmap* picture = entry ? skin->ActivePicture(entry->PictureIndex) : nullptr;
        if (picture)
            return {entry, picture};
    }
    return {};
}

} // namespace

TskMenuSkinPart<TskDataSkinLabelControl> FindHeaderBand(const TskSkinData* skin,
                                                        std::initializer_list<std::string_view> names)
{
    return FindControlPart<TskDataSkinLabelControl>(skin, names);
}

TskMenuSkinPart<TskDataSkinButtonControl> FindCellFrame(const TskSkinData* skin)
{
    return FindControlPart<TskDataSkinButtonControl>(skin, {"menuitembutton", "resizebutton"});
}

TskDataSkinMenuItem* FindMenuItemObject(const TskSkinData* skin)
{
    if (!skin || skin->Empty)
        return nullptr;
    for (std::string_view name : {"menuitem", "MENUITEM"})
        if (const int index = skin->GetIndex(name); index >= 0)
            if (auto* entry = dynamic_cast<TskDataSkinMenuItem*>(skin->ObjectList[std::size_t(index)].get()))
                return entry;
    return nullptr;
}

void DrawHeaderBand(TCanvas& C, const TskMenuSkinPart<TskDataSkinLabelControl>& band, TPoint at, int width,
                    const std::string& text)
{
    const TskDataSkinLabelControl& e = *band.Entry;
    TBitmap B;
    CreateHSkinImage(e.LTPoint.X, e.SkinRect.Width() - e.RTPoint.X, B, *band.Picture, e.SkinRect, width,
                     e.StretchEffect);
    TCanvas& BC = *B.Canvas();
    BC.Font()->SetName(e.FontName);
    BC.Font()->SetStyle(e.FontStyle);
    BC.Font()->SetHeight(e.FontHeight);
    BC.Font()->SetColor(e.FontColor);
    BC.Brush()->SetStyle(bsClear);
    RECT r = Rect(e.ClRect.Left, e.ClRect.Top, B.Width() - (e.SkinRect.Width() - e.ClRect.Right), B.Height());
    DrawText(BC.Handle(), text, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    C.Draw(at.X, at.Y, &B);
}

void CreateCellFrameImage(TBitmap& B, const TskMenuSkinPart<TskDataSkinButtonControl>& frame, int width, int height,
                          bool pressed)
{
    const TskDataSkinButtonControl& e = *frame.Entry;
    TRect source = pressed && !IsNullRect(e.DownSkinRect) ? e.DownSkinRect : e.ActiveSkinRect;
    if (IsNullRect(source))
        source = e.SkinRect;
    const TskSkinCorners skin{e.LTPoint, e.RTPoint, e.LBPoint, e.RBPoint, e.ClRect};
    const TskStretchFlags flags{e.LeftStretch,   e.TopStretch,    e.RightStretch,
                                e.BottomStretch, e.StretchEffect, e.StretchType};
    CreateSkinImage(skin, NewSkinCorners(skin, {e.SkinRect.Width(), e.SkinRect.Height()}, {width, height}), B,
                    *frame.Picture, source, width, height, true, flags);
}

} // namespace tovrel
