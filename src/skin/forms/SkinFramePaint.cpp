// The skinned frame: geometry at the current size, object placement, the
// window region from the skin mask, the painting of the frame strips and of
// the client background.
#include "platform/gdi/Blits.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Regions.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/wm/Paint.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/MaskRegions.h"
#include "skin/draw/SkinImageBuilders.h"
#include "skin/forms/SkinForm.h"

namespace tovrel {

namespace {

TSize PictureSize(const TskSkinData& skin)
{
    return {skin.FPicture->Width(), skin.FPicture->Height()};
}

TskSkinCorners SkinCorners(const TskFormInfo& f)
{
    return {f.LTPoint, f.RTPoint, f.LBPoint, f.RBPoint, f.ClRect};
}

TskSkinCorners FrameCorners(const TskFrameGeometry& g)
{
    return {g.NewLTPoint, g.NewRTPoint, g.NewLBPoint, g.NewRBPoint, g.NewClRect};
}

TskSkinCorners MaskCorners(const TskFormInfo& f)
{
    return {f.LTPoint, f.RTPoint, f.LBPoint, f.RBPoint, f.MaskRectArea};
}

TskSkinCorners NewMaskCorners(const TskFrameGeometry& g)
{
    return {g.NewLTPoint, g.NewRTPoint, g.NewLBPoint, g.NewRBPoint, g.NewMaskRectArea};
}

TskStretchFlags BorderStretch(const TskFormInfo& f)
{
    TskStretchFlags flags;
    flags.LeftStretch = f.LeftStretch;
    flags.TopStretch = f.TopStretch;
    flags.RightStretch = f.RightStretch;
    flags.BottomStretch = f.BottomStretch;
    return flags;
}

// The region of a mask strip's black pixels at (x, y); null for an empty strip.
HRGN StripRegion(const TskBitmap& strip, int x, int y)
{
    if (strip.Empty())
        return nullptr;
    HRGN rgn = CreateMaskRegion(strip);
    if (rgn)
        OffsetRgn(rgn, x, y);
    return rgn;
}

void Unite(HRGN into, HRGN part)
{
    if (part) {
        CombineRgn(into, into, part, RGN_OR);
        DeleteObject(part);
    }
}

} // namespace

void TskSkinForm::CalcRects()
{
    if (FFormWidth == 0 || FFormHeight == 0) {
        FFormWidth = FForm->Width();
        FFormHeight = FForm->Height();
    }
    if (!FSkinSupport)
        return;
    frame_ = CalcFrameRects(FSD->FormInfo, PictureSize(*FSD), FFormWidth, FFormHeight);
}

TskActiveSkinObject* TskSkinForm::PlacedButton(TskStdCommand Command) const
{
    for (const auto& o : ObjectList)
        if (TskCommandButton* b = o->CommandButton(); b && o->Visible && o->SkinRectInAPicture && b->Command == Command)
            return o.get();
    return nullptr;
}

void TskSkinForm::ArrangeObjects()
{
    const TskFormInfo& info = FSD->FormInfo;
    const TSize picture = PictureSize(*FSD);
    for (auto& object : ObjectList)
        if (!object->SkinRectInAPicture)
            object->ObjectRect = CalcObjectRect(info, picture, frame_, object->SkinRect);
    TRect L;
    if (!IsNullRect(frame_.NewButtonsRect))
        L = frame_.NewButtonsRect;
    else if (!IsNullRect(frame_.NewCaptionRect))
        L = frame_.NewCaptionRect;
    else
        return;
    int X = 0, Y = L.Top;
    const int gap = frame_.NewButtonsOffset;
    const auto placeRtl = [&](TskActiveSkinObject& o) {
        const int w = GetRectWidth(o.SkinRect), h = GetRectHeight(o.SkinRect);
        o.ObjectRect = {X - w, Y, X, Y + h};
        X -= w + gap;
    };
    const auto placeLtr = [&](TskActiveSkinObject& o) {
        const int w = GetRectWidth(o.SkinRect), h = GetRectHeight(o.SkinRect);
        o.ObjectRect = {X, Y, X + w, Y + h};
        X += w + gap;
    };
    TskActiveSkinObject* caption = nullptr;
    for (auto& o : ObjectList)
        if (dynamic_cast<TskSkinCaptionObject*>(o.get())) {
            caption = o.get();
            break;
        }
    const auto placeAll = [&](const auto& place) {
        for (TskStdCommand command : kCaptionButtonOrder)
            if (auto* b = PlacedButton(command))
                place(*b);
        for (auto& o : ObjectList)
            if (TskCommandButton* b = o->CommandButton();
                b && o->Visible && o->SkinRectInAPicture && b->Command == TskStdCommand::cmDefault)
                place(*o);
    };
    TskActiveSkinObject* sysMenu = PlacedButton(TskStdCommand::cmSysMenu);
    if (!frame_.NewButtonsInLeft) {
        X = L.Right;
        placeAll(placeRtl);
        if (IsNullRect(frame_.NewButtonsRect) && caption)
            caption->ObjectRect.Right = X + gap;
        X = frame_.NewCaptionRect.Left;
        if (sysMenu) {
            Y = frame_.NewCaptionRect.Top;
            placeLtr(*sysMenu);
            const int h = GetRectHeight(sysMenu->ObjectRect);
            sysMenu->ObjectRect.Top = frame_.NewCaptionRect.Top + GetRectHeight(frame_.NewCaptionRect) / 2 - h / 2;
            sysMenu->ObjectRect.Bottom = sysMenu->ObjectRect.Top + h;
            if (caption)
                caption->ObjectRect.Left = X - gap;
        }
    } else {
        X = L.Left;
        placeAll(placeLtr);
        if (IsNullRect(frame_.NewButtonsRect)) {
            if (sysMenu)
                placeLtr(*sysMenu);
            if (caption)
                caption->ObjectRect.Left = X + gap;
        }
    }
}

void TskSkinForm::UpdateFrame(bool AUpdateObjects)
{
    if (!FSkinSupport)
        return;
    if (FSkinnableForm) {
        CalcRects();
        if (AUpdateObjects)
            ArrangeObjects();
    }
    SetFormRegion(AUpdateObjects);
    if (FSkinnableForm && Bordered())
        SendNCPaint();
}

void TskSkinForm::SetSkinRegion(HRGN Rgn)
{
    if (FForm->HandleAllocated())
        SetWindowRgn(FForm->Handle(), Rgn, 1);
    else if (Rgn)
        DeleteObject(Rgn);
}

void TskSkinForm::SetFormRegion(bool AUpdate)
{
    if (!FSkinnableForm || !Bordered()) {
        SetSkinRegion(nullptr);
        return;
    }
    if (!FSkinSupport) {
        for (TskBitmap* strip : {RMTop.get(), RMLeft.get(), RMRight.get(), RMBottom.get()})
            strip->SetEmpty();
        SetSkinRegion(CreateRectRgn(0, 0, FFormWidth, FFormHeight));
        return;
    }
    if (!FSD->FMask || FSD->FMask->Empty()) {
        SetSkinRegion(CreateRectRgn(0, 0, FFormWidth, FFormHeight));
        return;
    }
    if (!AUpdate) {
        SetSkinRegion(CreateMaskRegion(*FSD->FMask));
        return;
    }
    CreateSkinMask(MaskCorners(FSD->FormInfo), NewMaskCorners(frame_), *FSD->FMask,
                   TskMaskStrips{*RMTop, *RMLeft, *RMRight, *RMBottom}, FFormWidth, FFormHeight);
    const TRect& area = frame_.NewMaskRectArea;
    HRGN rgn = CreateRectRgn(area.Left, area.Top, area.Right, area.Bottom);
    Unite(rgn, StripRegion(*RMTop, 0, 0));
    Unite(rgn, StripRegion(*RMBottom, 0, area.Bottom));
    Unite(rgn, StripRegion(*RMLeft, 0, area.Top));
    Unite(rgn, StripRegion(*RMRight, area.Right, area.Top));
    SetSkinRegion(rgn);
}

void TskSkinForm::PaintNCSkin(HDC DC, bool AUseExternalDC)
{
    if (FFormWidth == 0 || FFormHeight == 0) {
        FFormWidth = FForm->Width();
        FFormHeight = FForm->Height();
    }
    if (!FSkinSupport || FFormWidth < GetMinWidth() || FFormHeight < GetMinHeight())
        return;
    CalcRects();
    ArrangeObjects();
    const HWND wnd = FForm->Handle();
    HDC dc = AUseExternalDC ? DC : GetWindowDC(wnd);
    if (!dc)
        return;
    const bool active = GetFormActive();
    TBitmap* source = active || !FSD->FInActivePicture || FSD->FInActivePicture->Empty() ? FSD->FPicture.get()
                                                                                         : FSD->FInActivePicture.get();
    TBitmap top, left, right, bottom;
    const TRect whole{0, 0, source->Width(), source->Height()};
    CreateSkinBorderImages(SkinCorners(FSD->FormInfo), FrameCorners(frame_),
                           TskBorderImages<TBitmap>{left, top, right, bottom}, *source, whole, FFormWidth, FFormHeight,
                           BorderStretch(FSD->FormInfo));
    for (auto& object : ObjectList) {
        if (!object->Visible)
            continue;
        if (object->ObjectRect.Bottom > frame_.NewClRect.Top) {
            const TRect kept = object->ObjectRect;
            const int shift = FFormHeight - bottom.Height();
            object->ObjectRect = {kept.Left, kept.Top - shift, kept.Right, kept.Bottom - shift};
            object->Draw(bottom.Canvas(), false);
            object->ObjectRect = kept;
        } else {
            object->Draw(top.Canvas(), false);
        }
    }
    if (frame_.NewClRect.Top < frame_.NewClRect.Bottom)
        ExcludeClipRect(dc, frame_.NewClRect.Left, frame_.NewClRect.Top, frame_.NewClRect.Right,
                        frame_.NewClRect.Bottom);
    const struct {
        TBitmap& Strip;
        int X, Y;
    } strips[] = {{top, 0, 0},
                  {left, 0, top.Height()},
                  {right, FFormWidth - right.Width(), top.Height()},
                  {bottom, 0, FFormHeight - bottom.Height()}};
    const bool effect = !active && FSD->FormInfo.AutoRenderingInActiveImage;
    for (const auto& s : strips) {
        if (s.Strip.Empty())
            continue;
        if (effect) {
            TskEffectBmp e = TskEffectBmp::CreateFromhWnd(s.Strip.Handle());
            ApplyInActiveEffect(e, FSD->FormInfo.InActiveEffect);
            e.Draw(dc, s.X, s.Y);
        } else {
            BitBlt(dc, s.X, s.Y, s.Strip.Width(), s.Strip.Height(), s.Strip.Canvas()->Handle(), 0, 0, SRCCOPY);
        }
    }
    if (!AUseExternalDC)
        ReleaseDC(wnd, dc);
}

void TskSkinForm::DrawSkinObject(TskActiveSkinObject& AObject)
{
    if (!Bordered() || !FForm->HandleAllocated())
        return;
    const HWND wnd = FForm->Handle();
    HDC dc = GetWindowDC(wnd);
    if (!dc)
        return;
    {
        TCanvas canvas;
        canvas.SetHandle(dc);
        AObject.Draw(&canvas, true);
        canvas.SetHandle(nullptr);
    }
    ReleaseDC(wnd, dc);
}

void TskSkinForm::UserObjectDraw(const std::string& AIDName)
{
    if (const int i = GetIndex(AIDName); i >= 0)
        if (auto* user = dynamic_cast<TskUserObject*>(ObjectList[std::size_t(i)].get()))
            user->Draw(FForm->Canvas(), true);
}

void TskSkinForm::PaintBG(HDC DC)
{
    if (!DC || !FSD || FSD->Empty || !FSD->FPicture)
        return;
    TCanvas canvas;
    canvas.SetHandle(DC);
    const int cw = FForm->ClientWidth(), ch = FForm->ClientHeight();
    const TskFormInfo& info = FSD->FormInfo;
    // A background picture index that names no picture counts as none.
    TBitmap* bg = FSD->ActivePicture(info.BGPictureIndex);
    if (bg && bg->Empty())
        bg = nullptr;
    TBitmap copied;
    if (!bg && !IsNullRect(info.ClRect)) {
        copied.SetSize(GetRectWidth(info.ClRect), GetRectHeight(info.ClRect));
        copied.Canvas()->CopyRect(Rect(0, 0, copied.Width(), copied.Height()), FSD->FPicture->Canvas(), info.ClRect);
        bg = &copied;
    }
    if (!bg) {
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(Rect(0, 0, cw, ch));
    } else if (cw > 0 && ch > 0) {
        const int w = bg->Width(), h = bg->Height();
        if (info.StretchEffect && info.StretchType == TskStretchType::skstFull) {
            canvas.StretchDraw(Rect(0, 0, cw, ch), bg);
        } else if (info.StretchEffect && info.StretchType == TskStretchType::skstHorz) {
            for (int i = 0; i <= cw / w; ++i)
                canvas.StretchDraw(Rect(i * w, 0, (i + 1) * w, ch), bg);
        } else if (info.StretchEffect && info.StretchType == TskStretchType::skstVert) {
            for (int j = 0; j <= ch / h; ++j)
                canvas.StretchDraw(Rect(0, j * h, cw, (j + 1) * h), bg);
        } else {
            for (int i = 0; i <= cw / w; ++i)
                for (int j = 0; j <= ch / h; ++j)
                    canvas.Draw(i * w, j * h, bg);
        }
    }
    if (!LogoBitMap->Empty())
        canvas.Draw(std::max(0, cw / 2 - LogoBitMap->Width() / 2), std::max(0, ch / 2 - LogoBitMap->Height() / 2),
                    LogoBitMap.get());
    canvas.SetHandle(nullptr);
}

} // namespace tovrel
