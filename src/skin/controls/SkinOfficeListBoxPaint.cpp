// The office list's drawing: frame, entries in the default or skin look, headers.
#include "skin/controls/SkinOfficeListBox.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinEditEntries.h"
#include "skin/draw/ImageListSource.h"
#include "skin/draw/TextHelpers.h"

#include <algorithm>

namespace tovrel {

namespace {

TRect Shrunk(const TRect& r, int d)
{
    return TRect{r.Left + d, r.Top + d, r.Right - d, r.Bottom - d};
}

// The clip is the DC's own: it is lifted again before the canvas is reused.
void ClipTo(TCanvas& C, const TRect& r)
{
    IntersectClipRect(C.Handle(), r.Left, r.Top, r.Right, r.Bottom);
}

void Unclip(TCanvas& C)
{
    SelectClipRgn(C.Handle(), nullptr);
}

void SeparatorLine(TCanvas& C, const TRect& r, TColor color)
{
    const TColor old = C.Pen()->Color();
    C.Pen()->SetColor(color);
    C.MoveTo(r.Left, r.Bottom - 1);
    C.LineTo(r.Right, r.Bottom - 1);
    C.Pen()->SetColor(old);
}

} // namespace

void TskSkinOfficeListBox::PaintItems(TCanvas& C)
{
    CalcItemRects();
    ClipTo(C, FItemsRect);
    for (int i = 0; i < Count(); ++i)
        if (Item(i).IsVisible) {
            DrawItem(i, C);
            Unclip(C);
            ClipTo(C, FItemsRect);
        }
    Unclip(C);
}

void TskSkinOfficeListBox::CreateControlDefaultImage(TBitmap& B)
{
    TCanvas& C = *B.Canvas();
    const TRect r = ClientRect();
    C.Brush()->SetColor(clBtnShadow);
    C.FrameRect(r);
    C.Brush()->SetColor(clWindow);
    C.FillRect(Shrunk(r, 1));
    PaintItems(C);
}

void TskSkinOfficeListBox::CreateControlSkinImage(TBitmap& B)
{
    TskSkinCustomControl::CreateControlSkinImage(B);
    PaintItems(*B.Canvas());
}

void TskSkinOfficeListBox::DrawItem(int Index, TCanvas& C)
{
    if (FIndex == -1)
        DefaultDrawItem(Index, C);
    else if (Item(Index).Header())
        SkinDrawHeaderItem(Index, C);
    else
        SkinDrawItem(Index, C);
}

void TskSkinOfficeListBox::DrawItemContent(int Index, TCanvas& C, TRect R, bool WrapOnly)
{
    const TskSkinOfficeItem& item = Item(Index);
    if (OnDrawItem) {
        C.Brush()->SetStyle(bsClear);
        OnDrawItem(C, Index, R);
        return;
    }
    C.Brush()->SetStyle(bsClear);
    HDC dc = C.Handle();
    if (!item.Title().empty() && FShowItemTitles) {
        const TFontStyles style = C.Font()->Style();
        C.Font()->SetStyle(style + fsBold);
        dc = C.Handle();
        const int th = WideTextHeight(dc, item.Title());
        RECT tr{R.Left, R.Top, R.Right, R.Top + th};
        DrawTextW(dc, item.Title(), &tr, 0);
        R.Top += th;
        C.Font()->SetStyle(style);
        dc = C.Handle();
    }
    if (FImages && item.ImageIndex() >= 0 && item.ImageIndex() < FImages->Count()) {
        const TskImageSource images = ImageSourceOf(*FImages);
        TskCaptionStyle style;
        style.Margin = 0;
        style.Spacing = 2;
        DrawImageAndTextLeft(dc, R, style, item.Caption(), item.ImageIndex(), &images, item.Enabled());
        return;
    }
    if (FShowItemTitles)
        R.Left += 10;
    RECT block{0, 0, R.Width(), R.Height()};
    DrawTextW(dc, item.Caption(), &block, DT_CALCRECT | DT_WORDBREAK);
    const int top = std::max(R.Top, R.Top + R.Height() / 2 - block.Height() / 2);
    RECT tr{R.Left, top, R.Right, R.Bottom};
    DrawTextW(dc, item.Caption(), &tr, WrapOnly ? DT_WORDBREAK : DT_EXPANDTABS | DT_WORDBREAK);
}

void TskSkinOfficeListBox::DefaultDrawItem(int Index, TCanvas& C)
{
    const TskSkinOfficeItem& item = Item(Index);
    C.SetFont(DefaultFont());
    TColor back = clWindow, text = clWindowText;
    if (item.Header()) {
        back = clBtnShadow;
        text = clBtnHighlight;
    } else if (item.Active) {
        back = clHighlight;
        text = clHighlightText;
    } else if (!item.Enabled()) {
        text = TColor(0x808080);
    }
    const TRect& r = item.ItemRect;
    ClipTo(C, r);
    C.Brush()->SetStyle(bsSolid);
    C.Brush()->SetColor(back);
    C.FillRect(r);
    C.Font()->SetColor(text);
    if (item.Header()) {
        C.Brush()->SetStyle(bsClear);
        RECT tr{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
        DrawTextW(C.Handle(), item.Caption(), &tr, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        return;
    }
    DrawItemContent(Index, C, OnDrawItem ? r : Shrunk(r, 2), true);
    if (FShowLines)
        SeparatorLine(C, r, clBtnFace);
    if (item.Active && Focused()) {
        C.Brush()->SetStyle(bsSolid);
        C.DrawFocusRect(r);
    }
}

void TskSkinOfficeListBox::SetSkinItemFont(TCanvas& C, const TskDataSkinListBox& entry) const
{
    if (UseSkinFont) {
        C.Font()->SetName(entry.FontName);
        C.Font()->SetHeight(entry.FontHeight);
        C.Font()->SetStyle(entry.FontStyle);
    } else {
        C.SetFont(DefaultFont());
    }
    const TskResourceStrData* strings = SkinData()->ResourceStrData();
    C.Font()->SetCharset(strings ? strings->CharSet() : DefaultFont()->Charset());
}

void TskSkinOfficeListBox::SkinDrawItem(int Index, TCanvas& C)
{
    const auto* entry = FindSkinEntryAs<const TskDataSkinListBox>(SkinData(), "listbox");
    if (!entry)
        return;
    const TskSkinOfficeItem& item = Item(Index);
    const TRect& r = item.ItemRect;
    if (entry->FontColor == FDisabledFontColor && FDisabledFontColor == 0)
        FDisabledFontColor = TColor(0x808080);
    SetSkinItemFont(C, *entry);
    if (item.Active && item.Enabled()) {
        TBitmap bitmap(r.Width(), r.Height());
        TCanvas& BC = *bitmap.Canvas();
        if (G.Picture)
            CreateStretchImage(bitmap, *G.Picture, Focused() ? entry->FocusItemRect : entry->ActiveItemRect,
                               entry->ItemTextRect, true);
        SetSkinItemFont(BC, *entry);
        BC.Font()->SetColor(Focused() ? entry->FocusFontColor : entry->ActiveFontColor);
        DrawItemContent(Index, BC, TRect{2, 2, r.Width() - 2, r.Height() - 2}, false);
        C.Draw(r.Left, r.Top, &bitmap);
        return;
    }
    const bool ownColor = SkinDataName() == "listbox" || SkinDataName() == "memo";
    C.Font()->SetColor(!item.Enabled() ? FDisabledFontColor
                       : ownColor      ? entry->FontColor
                                       : SkinData()->SkinColors.cBtnText());
    ClipTo(C, r);
    DrawItemContent(Index, C, Shrunk(r, 2), false);
    if (FShowLines)
        SeparatorLine(C, r, SkinData()->SkinColors.cBtnShadow());
}

void TskSkinOfficeListBox::SkinDrawHeaderItem(int Index, TCanvas& C)
{
    int at = FindSkinEntry(SkinData(), "menuheader");
    if (at == -1)
        at = FindSkinEntry(SkinData(), "label");
    // The fields are read as a label's, whatever kind the entry is.
    const auto* entry = SkinEntryAt<const TskDataSkinLabelControl>(SkinData(), at);
    TBitmap* picture = entry ? SkinData()->ActivePicture(entry->PictureIndex) : nullptr;
    if (!entry || !picture)
        return;
    const TskSkinOfficeItem& item = Item(Index);
    const TRect& r = item.ItemRect;
    TBitmap bitmap(r.Width(), r.Height());
    CreateStretchImage(bitmap, *picture, entry->SkinRect, entry->ClRect, true);
    TCanvas& BC = *bitmap.Canvas();
    BC.Font()->SetName(entry->FontName);
    BC.Font()->SetColor(entry->FontColor);
    BC.Font()->SetHeight(entry->FontHeight);
    BC.Font()->SetStyle(entry->FontStyle);
    BC.Brush()->SetStyle(bsClear);
    RECT tr{1, 1, r.Width() - 1, r.Height() - 1};
    DrawTextW(BC.Handle(), item.Caption(), &tr, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    C.Draw(r.Left, r.Top, &bitmap);
}

} // namespace tovrel
