#include "skin/controls/SkinSplitter.h"

#include "platform/vcl/Bitmap.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPanelEntries.h"
#include "skin/draw/SkinImageBuilders.h"

namespace tovrel {

TskSkinSplitter::TskSkinSplitter(TComponent* AOwner) : TSplitter(AOwner)
{
    ControlStyle.Include(csOpaque);
}

void TskSkinSplitter::SetSkinData(TskSkinData* Value)
{
    FSD = Value;
    ChangeSkinData();
}

void TskSkinSplitter::SetTransparent(bool Value)
{
    if (FTransparent == Value)
        return;
    FTransparent = Value;
    if (Value)
        ControlStyle.Exclude(csOpaque);
    else
        ControlStyle.Include(csOpaque);
    Invalidate();
}

void TskSkinSplitter::GetSkinData()
{
    FIndex = FindSkinEntry(FSD, SkinDataName);
    FSkinPicture = nullptr;
    if (FIndex == -1)
        return;
    const auto* entry = dynamic_cast<const TskDataSkinSplitterControl*>(FSD->CtrlList[std::size_t(FIndex)].get());
    // An entry of another kind has no strip to give: the toolkit's look.
    if (!entry) {
        FIndex = -1;
        return;
    }
    LTPt = entry->LTPoint;
    RTPt = entry->RTPoint;
    LBPt = entry->LBPoint;
    SkinRect = entry->SkinRect;
    StretchEffect = entry->StretchEffect;
    Gripper = {entry->GripperRect, entry->GripperTransparent, entry->GripperTransparentColor};
    FSkinPicture = FSD->ActivePicture(entry->PictureIndex);
}

void TskSkinSplitter::ChangeSkinData()
{
    GetSkinData();
    const bool useDefault = FIndex == -1 || FTransparent;
    if (Horizontal())
        SetHeight(useDefault ? DefaultSize : SkinRect.Height());
    else
        SetWidth(useDefault ? DefaultSize : SkinRect.Width());
    Repaint();
}

void TskSkinSplitter::Paint()
{
    if (FTransparent || Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    if (FIndex == -1 || !FSkinPicture || Align() == alNone || Align() == alClient)
        TSplitter::Paint();
    else
        PaintSkinStrip();
}

void TskSkinSplitter::PaintSkinStrip()
{
    TBitmap B;
    if (Horizontal())
        CreateHSkinImage(LTPt.X, SkinRect.Width() - RTPt.X, B, *FSkinPicture, SkinRect, Width(), StretchEffect);
    else
        CreateVSkinImage(LTPt.Y, SkinRect.Height() - LBPt.Y, B, *FSkinPicture, SkinRect, Height(), StretchEffect);
    DrawGripperImage(*B.Canvas(), *FSkinPicture, Gripper, B.Width() / 2 - Gripper.Rect.Width() / 2,
                     B.Height() / 2 - Gripper.Rect.Height() / 2);
    Canvas()->Draw(0, 0, &B);
}

} // namespace tovrel
