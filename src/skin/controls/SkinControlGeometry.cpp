#include "skin/controls/SkinControlGeometry.h"

#include "skin/data/SkinGeometry.h"

namespace tovrel {

namespace {

int ResizeModeOf(const TskSkinControlGeometry& g)
{
    if (IsNullRect(g.SkinRect))
        return -1;
    if (g.RBPt.X != 0 && g.RBPt.Y != 0)
        return 1;
    if (g.RTPt.X != 0 || g.RTPt.Y != 0)
        return 2;
    if (g.LBPt.X != 0 || g.LBPt.Y != 0)
        return 3;
    return 0;
}

TRect Moved(const TRect& r, int dx, int dy)
{
    return Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
}

} // namespace

void TskSkinControlGeometry::CopyEntry(const TskSkinData& Skin, int Index)
{
    const auto* entry = dynamic_cast<const TskDataSkinCustomControl*>(Skin.CtrlList[std::size_t(Index)].get());
    if (!entry) {
        ResizeMode = 0;
        Picture = nullptr;
        MaskPicture = nullptr;
        return;
    }
    LTPt = entry->LTPoint;
    RTPt = entry->RTPoint;
    LBPt = entry->LBPoint;
    RBPt = entry->RBPoint;
    SkinRect = entry->SkinRect;
    Stretch = {entry->LeftStretch,   entry->TopStretch,    entry->RightStretch,
               entry->BottomStretch, entry->StretchEffect, entry->StretchType};
    ClRect = entry->ClRect;
    Picture = Skin.ActivePicture(entry->PictureIndex);
    MaskPicture = Skin.ActivePicture(entry->MaskPictureIndex);
    ResizeMode = ResizeModeOf(*this);
}

void TskSkinControlGeometry::CalcSize(int& AWidth, int& AHeight, bool HasEntry)
{
    if (ResizeMode > 0) {
        const int dw = AWidth - SkinRect.Width(), dh = AHeight - SkinRect.Height();
        NewLTPoint = LTPt;
        NewClRect = ClRect;
        switch (ResizeMode) {
        case 1:
            NewRTPoint = {RTPt.X + dw, RTPt.Y};
            NewLBPoint = {LBPt.X, LBPt.Y + dh};
            NewRBPoint = {RBPt.X + dw, RBPt.Y + dh};
            NewClRect.Right += dw;
            NewClRect.Bottom += dh;
            break;
        case 2:
            AHeight = SkinRect.Height();
            NewRTPoint = {RTPt.X + dw, RTPt.Y};
            NewClRect.Right += dw;
            break;
        default:
            AWidth = SkinRect.Width();
            NewLBPoint = {LBPt.X, LBPt.Y + dh};
            NewClRect.Bottom += dh;
            break;
        }
    } else if (ResizeMode == 0 && HasEntry) {
        AWidth = SkinRect.Width();
        AHeight = SkinRect.Height();
        NewClRect = ClRect;
    }
}

void TskSkinControlGeometry::CreateResizedImage(TBitmap& B, TBitmap* APicture, const TRect& ARect, int Width,
                                                int Height) const
{
    if (!APicture)
        return;
    switch (ResizeMode) {
    case 0:
        B.SetSize(ARect.Width(), ARect.Height());
        B.Canvas()->CopyRect(Rect(0, 0, ARect.Width(), ARect.Height()), APicture->Canvas(), ARect);
        break;
    case 1:
        CreateSkinImage(TskSkinCorners{LTPt, RTPt, LBPt, RBPt, ClRect},
                        TskSkinCorners{NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect}, B, *APicture, ARect,
                        Width, Height, true, Stretch);
        break;
    case 2:
        CreateHSkinImage(LTPt.X, SkinRect.Width() - RTPt.X, B, *APicture, ARect, Width, Stretch.StretchEffect);
        break;
    case 3:
        CreateVSkinImage(LTPt.Y, SkinRect.Height() - LBPt.Y, B, *APicture, ARect, Height, Stretch.StretchEffect);
        break;
    default: break;
    }
}

TRect TskSkinControlGeometry::ConvertSkinRect(const TRect& R, int Width, int Height) const
{
    const int sw = SkinRect.Width(), sh = SkinRect.Height();
    const int dw = Width - sw, dh = Height - sh;
    if (ResizeMode == 1) {
        const TCornerBlocks blocks{Rect(0, 0, LTPt.X, LTPt.Y), Rect(RTPt.X, 0, sw, RTPt.Y), Rect(0, LBPt.Y, LBPt.X, sh),
                                   Rect(RBPt.X, RBPt.Y, sw, sh)};
        return MapRectOverCorners(R, blocks, dw, dh, true);
    }
    TRect N = R;
    if (ResizeMode == 2) {
        if (R.Left <= LTPt.X && R.Right >= RTPt.X)
            N.Right += dw;
        else if (R.Left >= RTPt.X && R.Right > RTPt.X)
            N = Moved(R, dw, 0);
    } else if (ResizeMode == 3) {
        if (R.Top <= LTPt.Y && R.Bottom >= LBPt.Y)
            N.Bottom += dh;
        else if (R.Top >= LBPt.Y && R.Bottom > LBPt.Y)
            N = Moved(R, 0, dh);
    }
    return N;
}

} // namespace tovrel
