// The skinned page control's painting: frame, tab strip and tabs on any side.
#include "platform/gdi/Blits.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinDefaultLook.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPictureParts.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/ImageListSource.h"
#include "skin/draw/ParentBackground.h"
#include "skin/draw/SkinImageBuilders.h"
#include "skin/draw/TextHelpers.h"

#include <algorithm>

namespace tovrel {

namespace {

enum class TTurn { Anticlockwise, Clockwise, Flip };

// The bitmap turned a quarter (the top edge to the left or to the right) or flipped upside down.
std::unique_ptr<TBitmap> Turned(TBitmap& source, TTurn turn)
{
    const TskEffectBmp from = TskEffectBmp::CreateFromhWnd(source.Handle());
    const bool quarter = turn != TTurn::Flip;
    TskEffectBmp to(quarter ? from.Height : from.Width, quarter ? from.Width : from.Height);
    if (turn == TTurn::Anticlockwise)
        from.Rotate90_1(to);
    else if (turn == TTurn::Clockwise)
        from.Rotate90_2(to);
    else
        from.FlipVert(to);
    auto out = std::make_unique<TBitmap>(to.Width, to.Height);
    to.Draw(out->Canvas()->Handle(), 0, 0);
    return out;
}

} // namespace

int TskSkinPageControl::ActiveExtension() const
{
    return SkinLook() ? ActiveTabRect.Height() - TabRect.Height() : 0;
}

TRect TskSkinPageControl::FramedArea()
{
    TRect F = ClientRect();
    Perform(TCM_ADJUSTRECT, 0, ToLParam(&F));
    if (!SkinLook())
        return TRect{F.Left - 1, F.Top - 1, F.Right + 1, F.Bottom + 1};
    return TRect{F.Left - ClRect.Left, F.Top - ClRect.Top, F.Right + (SkinRect.Width() - ClRect.Right),
                 F.Bottom + (SkinRect.Height() - ClRect.Bottom)};
}

void TskSkinPageControl::SetTabFont(TCanvas& C)
{
    if (SkinLook() && UseSkinFont) {
        C.Font()->SetName(FontName);
        C.Font()->SetStyle(FontStyle);
        C.Font()->SetHeight(FontHeight);
    } else {
        C.SetFont(Font());
    }
    const TskResourceStrData* strings = FSD ? FSD->ResourceStrData() : nullptr;
    C.Font()->SetCharset(strings ? strings->CharSet() : Font()->Charset());
}

void TskSkinPageControl::PaintWindow(HDC dc)
{
    if (Width() <= 0 || Height() <= 0)
        return;
    GetSkinData();
    TBitmap B(Width(), Height());
    TCanvas& C = *B.Canvas();
    if (!SkinLook()) {
        PaintDefaultBorder(C);
    } else {
        if (HasVisibleTabs()) {
            C.Brush()->SetColor(clBtnFace);
            C.FillRect(ClientRect());
        } else {
            PaintSkinBackground(C);
        }
        PaintSkinBorder(C);
    }
    DrawTabs(C);
    BitBlt(dc, 0, 0, Width(), Height(), C.Handle(), 0, 0, SRCCOPY);
}

void TskSkinPageControl::PaintDefaultBorder(TCanvas& C)
{
    C.Brush()->SetColor(clBtnFace);
    C.FillRect(ClientRect());
    if (FHideBorder)
        return;
    const TRect F = FramedArea();
    C.Brush()->SetColor(clBtnShadow);
    C.FrameRect(F);
}

void TskSkinPageControl::PaintSkinBorder(TCanvas& C)
{
    if (!Picture || FHideBorder)
        return;
    const TRect F = FramedArea();
    const TskSkinCorners skin{LTPoint, RTPoint, LBPoint, RBPoint, ClRect};
    const TskSkinCorners fresh =
        NewSkinCorners(skin, TSize{SkinRect.Width(), SkinRect.Height()}, TSize{F.Width(), F.Height()});
    const TskStretchFlags flags{LeftStretch, TopStretch, RightStretch, BottomStretch, StretchEffect, StretchType};
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(skin, fresh, TskBorderImages<TBitmap>{left, top, right, bottom}, *Picture, SkinRect,
                           F.Width(), F.Height(), flags);
    // The selected tab is drawn over the frame afterwards, so its extension stays whole.
    C.Draw(F.Left, F.Top, &top);
    C.Draw(F.Left, F.Top + top.Height(), &left);
    C.Draw(F.Right - right.Width(), F.Top + top.Height(), &right);
    C.Draw(F.Left, F.Bottom - bottom.Height(), &bottom);
}

void TskSkinPageControl::PaintSkinBackground(TCanvas& C)
{
    if (BGPictureIndex != -1 && FSD) {
        if (TBitmap* bg = FSD->ActivePicture(BGPictureIndex)) {
            FillByStretchRule(C, *bg, Width(), Height(), StretchEffect, StretchType);
            return;
        }
    }
    if (!Picture)
        return;
    const auto source = PicturePart(*Picture, ClientPart(SkinRect, ClRect));
    FillByStretchRule(C, *source, Width(), Height(), StretchEffect, StretchType);
}

void TskSkinPageControl::DrawTabs(TCanvas& C)
{
    if (FHideTabs || PageCount() == 0)
        return;
    const int selected = TabIndex();
    if (!SkinLook()) {
        for (int i = 0; i < PageCount(); ++i)
            if (const int v = Pages(i)->TabIndex(); v >= 0)
                DrawTab(i, GetTabRect(v), C, v == FActiveTabIndex, v == selected);
        return;
    }
    const TRect F = FramedArea();
    int sw = Width(), sh = F.Top, sx = 0, sy = 0;
    switch (TabPosition()) {
    case tpBottom:
        sh = Height() - F.Bottom;
        sy = F.Bottom;
        break;
    case tpLeft:
        sw = F.Left;
        sh = Height();
        break;
    case tpRight:
        sw = Width() - F.Right;
        sh = Height();
        sx = F.Right;
        break;
    default: break;
    }
    if (sw > 0 && sh > 0) {
        TBitmap strip(sw, sh);
        TCanvas& SC = *strip.Canvas();
        if (FTabsBGTransparent) {
            PaintParentBackgroundRect(this, TRect{sx, sy, sx + sw, sy + sh}, SC.Handle());
        } else if (Picture) {
            TRect tile = TabsBGRect;
            if (IsNullRect(tile))
                tile = ClientPart(SkinRect, ClRect);
            if (!IsNullRect(tile))
                FillByStretchRule(SC, *PicturePart(*Picture, tile), sw, sh, false, StretchType);
        }
        for (int i = 0; i < PageCount(); ++i) {
            const int v = Pages(i)->TabIndex();
            if (v < 0 || v == selected)
                continue;
            TRect R = GetTabRect(v);
            R = TRect{R.Left - sx, R.Top - sy, R.Right - sx, R.Bottom - sy};
            DrawTab(i, R, SC, v == FActiveTabIndex, false);
        }
        C.Draw(sx, sy, &strip);
    }
    if (selected < 0 || !ActivePage())
        return;
    TRect R = GetTabRect(selected);
    if (const int d = ActiveExtension(); d != 0) {
        if (TabPosition() == tpBottom) {
            R.Top -= d;
            R.Bottom -= d;
        } else if (TabPosition() == tpRight) {
            R.Left -= d;
            R.Right -= d;
        }
    }
    DrawTab(ActivePage()->PageIndex(), R, C, selected == FActiveTabIndex, true);
}

void TskSkinPageControl::DrawTab(int PageIndex, const TRect& R, TCanvas& C, bool Hot, bool Selected)
{
    if (FHideTabs || PageIndex >= PageCount())
        return;
    TTabSheet* page = Pages(PageIndex);
    const bool sideways = TabPosition() == tpLeft || TabPosition() == tpRight;
    const bool hasImage = FImages && page->ImageIndex() >= 0 && page->ImageIndex() < FImages->Count();
    const std::string& text = page->Caption();
    const int Ln = sideways ? R.Height() : R.Width();
    int Th = sideways ? R.Width() : R.Height();
    if (Ln <= 0 || Th <= 0)
        return;
    const bool focused = Focused();
    const int d = ActiveExtension();
    std::unique_ptr<TBitmap> B;
    if (!SkinLook()) {
        B = std::make_unique<TBitmap>(Ln, Th);
        TCanvas& BC = *B->Canvas();
        const TRect all{0, 0, Ln, Th};
        if (Hot && !Selected) {
            BC.Brush()->SetColor(kDefaultHotFill);
            BC.FillRect(all);
        } else if (Selected) {
            FramedFill(BC, all, kDefaultHotFrame, focused ? kDefaultDownFill : kDefaultHotFill);
        } else {
            BC.Brush()->SetColor(clBtnFace);
            BC.FillRect(all);
        }
        SetTabFont(BC);
        BC.Font()->Assign(Font());
    } else {
        TRect source = TabRect;
        if (Hot && !Selected && !IsNullRect(MouseInTabRect))
            source = MouseInTabRect;
        else if (Selected && focused)
            source = FocusTabRect;
        else if (Selected)
            source = ActiveTabRect;
        if (Selected && d > 0)
            Th += d;
        else if (Selected && focused && FocusTabRect.Height() > TabRect.Height())
            Th += FocusTabRect.Height() - TabRect.Height();
        B = std::make_unique<TBitmap>(Ln, Th);
        if (Picture) {
            const int q = TabRect.Height() / 4;
            CreateStretchImage(*B, *Picture, source,
                               TRect{TabLeftOffset, q, source.Width() - TabRightOffset, source.Height() - q}, true);
        }
        if (TabPosition() == tpBottom)
            B = Turned(*B, TTurn::Flip);
        TCanvas& BC = *B->Canvas();
        SetTabFont(BC);
        TColor color = ActiveFontColor;
        if (Hot && !Selected)
            color = MouseInFontColor;
        else if (Selected && focused)
            color = FocusFontColor;
        else if (!Selected)
            color = FontColor;
        BC.Font()->SetColor(color);
    }
    if (sideways && FTextInHorizontal) {
        B = Turned(*B, TabPosition() == tpLeft ? TTurn::Anticlockwise : TTurn::Clockwise);
        SetTabFont(*B->Canvas());
    }
    TCanvas& BC = *B->Canvas();
    BC.Brush()->SetStyle(bsClear);
    TRect TR{0, 0, B->Width(), B->Height()};
    if (SkinLook() && ShowFocus && focused && Selected) {
        BC.Brush()->SetColor(FSD->SkinColors.cBtnFace());
        DrawSkinFocusRect(BC.Handle(), TRect{TR.Left + FocusOffsetX, TR.Top + FocusOffsetY, TR.Right - FocusOffsetX,
                                             TR.Bottom - FocusOffsetY});
        BC.Brush()->SetStyle(bsClear);
    }
    int o = 0;
    if (SkinLook() && d != 0 && !Selected) {
        const int shift = TabPosition() == tpTop || TabPosition() == tpLeft ? 2 : -2;
        TR.Top += shift;
        if (hasImage)
            o = shift;
    }
    const int c = FShowCloseButtons ? FCloseSize + 2 : 0;
    const int closeArea = SkinLook() && c > 0 ? c + 3 : c;
    if (OnDrawSkinTab) {
        OnDrawSkinTab(PageIndex, TRect{0, 0, B->Width(), B->Height()}, Selected, Hot, BC);
    } else if (FTabExtededDraw) {
        TskCaptionStyle style;
        style.Margin = FTabMargin;
        style.Spacing = FTabSpacing;
        style.Layout = FTabLayout;
        const TskImageSource images = FImages ? ImageSourceOf(*FImages) : TskImageSource{};
        DrawImageAndText(BC.Handle(), TRect{TR.Left, TR.Top, TR.Right - closeArea, TR.Bottom}, style, text,
                         page->ImageIndex(), FImages ? &images : nullptr, page->Enabled());
    } else if (hasImage) {
        HDC dc = BC.Handle();
        const int w = B->Width() - closeArea, h = B->Height();
        TRect measure{0, 0, 0, 0};
        DrawTextW(dc, text, &measure, DT_CALCRECT);
        const int tw = text.empty() ? 0 : measure.Width() + 2;
        const int x = w / 2 - (tw + FImages->Width() + 2) / 2;
        FImages->Draw(&BC, x, h / 2 + o - FImages->Height() / 2, page->ImageIndex(), page->Enabled());
        TRect tr{x + FImages->Width() + 2, h / 2 + o - measure.Height() / 2, 0, 0};
        tr.Right = tr.Left + tw;
        tr.Bottom = tr.Top + measure.Height();
        DrawTextW(BC.Handle(), text, &tr, DT_CENTER);
    } else {
        TRect tr{TR.Left, TR.Top, TR.Right - closeArea, TR.Bottom};
        DrawTextW(BC.Handle(), text, &tr, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
    if (FShowCloseButtons) {
        if (auto* sheet = dynamic_cast<TskSkinTabSheet*>(page); sheet && !Hot)
            sheet->ButtonMouseIn = false;
        DrawCloseButton(BC, TRect{B->Width() - closeArea, TR.Top + o, B->Width(), TR.Bottom}, B->Height(), B->Width(),
                        PageIndex);
    }
    if (sideways && !FTextInHorizontal)
        B = Turned(*B, TabPosition() == tpLeft ? TTurn::Anticlockwise : TTurn::Clockwise);
    C.Draw(R.Left, R.Top, B.get());
}

void TskSkinPageControl::DrawCloseButton(TCanvas& C, const TRect& A, int BH, int BW, int PageIndex)
{
    auto* sheet = dynamic_cast<TskSkinTabSheet*>(Pages(PageIndex));
    if (!sheet)
        return;
    const bool pressed = sheet->ButtonMouseDown && sheet->ButtonMouseIn;
    TRect box;
    if (!SkinLook()) {
        const int cy = A.Top + A.Height() / 2;
        box = TRect{A.Left, cy - 7, A.Left + 14, cy + 7};
        DrawCloseImage(C.Handle(), box.Left + 2, box.Top + 2, sheet->ButtonMouseIn ? RGB(255, 255, 255) : RGB(0, 0, 0));
    } else if (!IsNullRect(CloseButtonRect) && Picture) {
        const TRect source = pressed                ? CloseButtonDownRect
                             : sheet->ButtonMouseIn ? CloseButtonActiveRect
                                                    : CloseButtonRect;
        box = Bounds(A.Left, A.Top + A.Height() / 2 - source.Height() / 2, source.Width(), source.Height());
        const auto image = ButtonTransparent ? TransparentPicturePart(*Picture, source, ButtonTransparentColor)
                                             : PicturePart(*Picture, source);
        C.Draw(box.Left, box.Top, image.get());
    } else {
        const auto* e = FindSkinEntryAs<const TskDataSkinButtonControl>(FSD, "resizetoolbutton");
        TBitmap* picture = e ? FSD->ActivePicture(e->PictureIndex) : nullptr;
        if (!e || !picture)
            return;
        const TRect active = IsNullRect(e->ActiveSkinRect) ? e->SkinRect : e->ActiveSkinRect;
        const TRect source = pressed                ? (IsNullRect(e->DownSkinRect) ? active : e->DownSkinRect)
                             : sheet->ButtonMouseIn ? active
                                                    : e->SkinRect;
        const TColor glyph = pressed ? e->DownFontColor : sheet->ButtonMouseIn ? e->ActiveFontColor : e->FontColor;
        const int size = FCloseSize;
        TBitmap image(size, size);
        const TskSkinCorners skin{e->LTPoint, e->RTPoint, e->LBPoint, e->RBPoint, e->ClRect};
        const TskSkinCorners fresh =
            NewSkinCorners(skin, TSize{e->SkinRect.Width(), e->SkinRect.Height()}, TSize{size, size});
        const TskStretchFlags flags{e->LeftStretch,   e->TopStretch,    e->RightStretch,
                                    e->BottomStretch, e->StretchEffect, e->StretchType};
        CreateSkinImage(skin, fresh, image, *picture, source, size, size, true, flags);
        DrawCloseImage(image.Canvas()->Handle(), size / 2 - 5, size / 2 - 5, ColorToRGB(glyph));
        box = Bounds(A.Left, A.Top + A.Height() / 2 - size / 2, size, size);
        C.Draw(box.Left, box.Top, &image);
    }
    // In the tab's own coordinates, turned with the tab.
    if (TabPosition() == tpLeft && !FTextInHorizontal)
        sheet->ButtonRect = TRect{box.Top, BW - box.Right, box.Bottom, BW - box.Left};
    else if (TabPosition() == tpRight && !FTextInHorizontal)
        sheet->ButtonRect = TRect{BH - box.Bottom, box.Left, BH - box.Top, box.Right};
    else
        sheet->ButtonRect = box;
}

} // namespace tovrel
