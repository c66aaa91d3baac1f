// The skinned tab sheet's background: wallpaper, skin background or face colour.
#include "platform/gdi/Blits.h"
#include "platform/gdi/SysColors.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPictureParts.h"
#include "skin/data/SkinTypes.h"

namespace tovrel {

namespace {

// Copies of `tile` from (0, 0): columns 0 .. w div width, rows 0 .. h div height.
void Tile(TCanvas& C, TBitmap& tile, int w, int h, bool across, bool down)
{
    const int tw = tile.Width(), th = tile.Height();
    if (tw < 1 || th < 1)
        return;
    for (int x = 0; x <= (across ? w / tw : 0); ++x)
        for (int y = 0; y <= (down ? h / th : 0); ++y)
            C.Draw(x * tw, y * th, &tile);
}

} // namespace

void FillByStretchRule(TCanvas& C, TBitmap& Source, int W, int H, bool Stretch, TskStretchType Type)
{
    if (Source.Width() < 1 || Source.Height() < 1 || W < 1 || H < 1)
        return;
    if (!Stretch) {
        Tile(C, Source, W, H, true, true);
        return;
    }
    switch (Type) {
    case TskStretchType::skstHorz: {
        TBitmap strip(Source.Width(), H);
        strip.Canvas()->StretchDraw(TRect{0, 0, Source.Width(), H}, &Source);
        Tile(C, strip, W, H, true, false);
        break;
    }
    case TskStretchType::skstVert: {
        TBitmap strip(W, Source.Height());
        strip.Canvas()->StretchDraw(TRect{0, 0, W, Source.Height()}, &Source);
        Tile(C, strip, W, H, false, true);
        break;
    }
    default: C.StretchDraw(TRect{0, 0, W, H}, &Source); break;
    }
}

TskSkinTabSheet::TskSkinTabSheet(TComponent* AOwner) : TTabSheet(AOwner), FWallPaper(std::make_unique<TBitmap>())
{
    SetAlign(alClient);
    ControlStyle = ControlStyle + TControlStyle{csAcceptsControls};
}

TskSkinTabSheet::~TskSkinTabSheet()
{
    SetPageControl(nullptr);
}

void TskSkinTabSheet::SetWallPaper(const TBitmap* Value)
{
    FWallPaper->Assign(Value);
}

void TskSkinTabSheet::PaintBG(TCanvas& C)
{
    auto* pc = dynamic_cast<TskSkinPageControl*>(Parent());
    const int w = Width(), h = Height();
    if (w < 1 || h < 1)
        return;
    if (!FWallPaper->Empty()) {
        Tile(C, *FWallPaper, w, h, true, true);
        return;
    }
    if (pc)
        pc->GetSkinData();
    TskSkinData* sd = pc ? pc->SkinData() : nullptr;
    if (pc && sd && !sd->Empty && pc->SkinLook() && pc->BGPictureIndex != -1) {
        if (TBitmap* bg = sd->ActivePicture(pc->BGPictureIndex)) {
            FillByStretchRule(C, *bg, w, h, pc->StretchEffect, pc->StretchType);
            return;
        }
    }
    if (!pc || !pc->SkinLook() || !pc->Picture) {
        C.Brush()->SetColor(clBtnFace);
        C.FillRect(ClientRect());
        return;
    }
    const auto source = PicturePart(*pc->Picture, ClientPart(pc->SkinRect, pc->ClRect));
    FillByStretchRule(C, *source, w, h, pc->StretchEffect, pc->StretchType);
}

void TskSkinTabSheet::PaintWindow(HDC dc)
{
    if (Width() < 1 || Height() < 1)
        return;
    TBitmap B(Width(), Height());
    PaintBG(*B.Canvas());
    BitBlt(dc, 0, 0, Width(), Height(), B.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TskSkinTabSheet::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND: message.Result = 1; return;
    case SkinPaintToMessage: message.Result = SkinPaintDoneResult; return;
    case WM_SIZE: {
        TTabSheet::WndProc(message);
        Invalidate();
        auto* pc = dynamic_cast<TskSkinPageControl*>(Parent());
        if (pc && pc->SkinData() && !pc->SkinData()->Empty && pc->StretchEffect)
            for (int i = 0; i < ControlCount(); ++i)
                if (auto* child = dynamic_cast<TWinControl*>(Controls(i)))
                    child->Perform(CheckParentBackgroundMessage, 0, 0);
        return;
    }
    default: TTabSheet::WndProc(message);
    }
}

} // namespace tovrel
