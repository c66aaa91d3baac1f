#include "skin/controls/SkinCustomControl.h"

#include "platform/wm/Paint.h"

namespace tovrel {

void TskSkinCustomControl::Paint()
{
    if (Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    int w = Width(), h = Height();
    CalcSize(w, h);
    if (FIndex != -1 && ForcebackGround && G.ResizeMode == 1 && G.Picture)
        PaintBorderStrips();
    else
        TskSkinCustomized::Paint();
}

void TskSkinCustomControl::PaintBorderStrips()
{
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(TskSkinCorners{G.LTPt, G.RTPt, G.LBPt, G.RBPt, G.ClRect},
                           TskSkinCorners{G.NewLTPoint, G.NewRTPoint, G.NewLBPoint, G.NewRBPoint, G.NewClRect},
                           TskBorderImages<TBitmap>{left, top, right, bottom}, *G.Picture, G.SkinRect, Width(),
                           Height(), G.Stretch);
    // Descendants draw into the top strip (a caption bar) before it is shown.
    CreateControlSkinImage(top);
    if (DrawbackGround)
        G.DrawClientBackground(*Canvas());
    Canvas()->Draw(0, 0, &top);
    Canvas()->Draw(0, top.Height(), &left);
    Canvas()->Draw(Width() - right.Width(), top.Height(), &right);
    Canvas()->Draw(0, Height() - bottom.Height(), &bottom);
}

void TskSkinCustomControl::SetControlRegion()
{
    if (!Parent())
        return;
    if (FIndex == -1 || !G.MaskPicture) {
        if (hasRegion_)
            SetWindowRgn(Handle(), nullptr, true);
        hasRegion_ = false;
        return;
    }
    int w = Width(), h = Height();
    CalcSize(w, h);
    // The window layer takes the region over.
    HRGN region = G.CreateRegion(Width(), Height());
    SetWindowRgn(Handle(), region, true);
    hasRegion_ = region != nullptr;
}

} // namespace tovrel
