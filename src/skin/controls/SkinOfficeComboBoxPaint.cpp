// The closed office combo box in its four looks: default or skin, plain box
// or tool button.
#include "skin/controls/SkinOfficeComboBox.h"

#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "skin/controls/SkinDefaultLook.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/controls/SkinPictureParts.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinEditEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/ImageListSource.h"
#include "skin/draw/TextHelpers.h"

namespace tovrel {

namespace {

constexpr int kArrowKindDown = 4; // DrawArrowImage: pointing down

TRect Inset(const TRect& r, int d)
{
    return TRect{r.Left + d, r.Top + d, r.Right - d, r.Bottom - d};
}

// The first button entry the skin has among the names.
const TskDataSkinButtonControl* FirstButtonEntry(const TskSkinData* sd, std::initializer_list<std::string_view> names)
{
    for (std::string_view name : names)
        if (const int at = FindSkinEntry(sd, name); at != -1)
            return SkinEntryAt<const TskDataSkinButtonControl>(sd, at);
    return nullptr;
}

TRect FirstNonEmpty(std::initializer_list<TRect> rects)
{
    for (const TRect& r : rects)
        if (!IsNullRect(r))
            return r;
    return TRect{};
}

} // namespace

int TskSkinCustomOfficeComboBox::ShownIndex() const
{
    const int index = IsPopupVisible() ? FOldItemIndex : FListBox->ItemIndex();
    return index >= 0 && index < Items()->Count() ? index : -1;
}

void TskSkinCustomOfficeComboBox::SetEntryFont(TCanvas& C, const std::string& Name, TFontStyles Style, int Height) const
{
    if (UseSkinFont) {
        C.Font()->SetName(Name);
        C.Font()->SetStyle(Style);
        C.Font()->SetHeight(Height);
    } else {
        C.SetFont(DefaultFont());
    }
    const TskResourceStrData* strings = SkinData() ? SkinData()->ResourceStrData() : nullptr;
    C.Font()->SetCharset(strings ? strings->CharSet() : DefaultFont()->Charset());
}

void TskSkinCustomOfficeComboBox::DrawEntryContent(TCanvas& C, TRect R, const std::string& Text, bool WithTitle)
{
    const int index = ShownIndex();
    if (index == -1)
        return;
    if (OnDrawItem) {
        C.Brush()->SetStyle(bsClear);
        OnDrawItem(C, index, R);
        return;
    }
    const TskSkinOfficeItem& item = *Items()->Items(index);
    const std::string& caption = Text.empty() ? item.Caption() : Text;
    C.Brush()->SetStyle(bsClear);
    if (WithTitle && FShowItemText && FShowItemTitle && !item.Title().empty()) {
        const TFontStyles style = C.Font()->Style();
        C.Font()->SetStyle(style + fsBold);
        HDC dc = C.Handle();
        TRect tr{R.Left, R.Top, R.Right, R.Top + WideTextHeight(dc, item.Title())};
        DrawTextW(dc, item.Title(), &tr, 0);
        C.Font()->SetStyle(style);
        R.Top = tr.Bottom - 2;
    }
    if (FShowItemText && !FShowItemImage)
        DrawItemText(C.Handle(), caption, R);
    if (FShowItemImage) {
        TskCaptionStyle style;
        style.Margin = 0;
        style.Spacing = 2;
        const TskImageSource images = Images() ? ImageSourceOf(*Images()) : TskImageSource{};
        DrawImageAndTextLeft(C.Handle(), R, style, FShowItemText ? caption : std::string(), item.ImageIndex(),
                             Images() ? &images : nullptr, Enabled());
    }
}

void TskSkinCustomOfficeComboBox::CreateControlDefaultImage(TBitmap& B)
{
    CalcRects();
    if (FToolButtonStyle) {
        DrawDefaultToolButton(B, "");
        return;
    }
    DrawDefaultFrame(*B.Canvas());
    DrawDefaultItem(*B.Canvas());
}

void TskSkinCustomOfficeComboBox::CreateControlSkinImage(TBitmap& B)
{
    CalcRects();
    if (FToolButtonStyle) {
        DrawSkinToolButton(B, "");
        return;
    }
    if (!FComboEntry) {
        // An entry of another kind: the default look.
        CreateControlDefaultImage(B);
        return;
    }
    DrawSkinFrame(B);
    if (UseSkinSize)
        DrawSkinSizedItem(B);
    else
        DrawSkinItem(B);
}

void TskSkinCustomOfficeComboBox::DrawDefaultFrame(TCanvas& C)
{
    const TRect r = ClientRect();
    FramedFill(C, r, clBtnShadow, clBtnFace);
    C.Brush()->SetColor(FDefaultColor);
    C.FillRect(Inset(r, 2));
    DrawButton(C);
}

void TskSkinCustomOfficeComboBox::DrawSkinFrame(TBitmap& B)
{
    const bool hot = Hot() && !IsNullRect(ActiveSkinRect);
    if (!UseSkinSize) {
        if (G.Picture)
            CreateStretchImage(B, *G.Picture, hot ? ActiveSkinRect : G.SkinRect, G.ClRect, true);
    } else if (!hot) {
        TskSkinCustomControl::CreateControlSkinImage(B);
    } else if (G.Picture) {
        CreateHSkinImage(G.LTPt.X, ActiveSkinRect.Width() - G.RTPt.X, B, *G.Picture, ActiveSkinRect, Width(),
                         G.Stretch.StretchEffect);
    }
    if (UseSkinSize)
        DrawButton(*B.Canvas());
    else
        DrawResizedButton(*B.Canvas());
}

void TskSkinCustomOfficeComboBox::DrawButton(TCanvas& C)
{
    if (FIndex == -1 || !FComboEntry) {
        DefaultButtonFace(C, Button.R, Button.MouseIn, Pressed());
        DrawArrowImage(C.Handle(), Button.R, Enabled() ? RGB(0, 0, 0) : ColorToRGB(clBtnShadow), kArrowKindDown);
        return;
    }
    TRect source;
    if (!Enabled() && !IsNullRect(UnEnabledButtonRect))
        source = UnEnabledButtonRect;
    else if (Pressed())
        source = DownButtonRect;
    else if (Button.MouseIn)
        source = ActiveButtonRect;
    if (!IsNullRect(source) && G.Picture)
        C.CopyRect(TRect{Button.R.Left, Button.R.Top, Button.R.Left + source.Width(), Button.R.Top + source.Height()},
                   G.Picture->Canvas(), source);
}

void TskSkinCustomOfficeComboBox::DrawResizedButton(TCanvas& C)
{
    const TskDataSkinButtonControl* e = FirstButtonEntry(SkinData(), {"combobutton", "editbutton", "resizebutton"});
    TBitmap* picture = e ? SkinData()->ActivePicture(e->PictureIndex) : nullptr;
    if (!e || !picture || IsNullRect(Button.R))
        return;
    const bool pressed = Pressed(), hot = Button.MouseIn;
    const TRect active = FirstNonEmpty({e->ActiveSkinRect, e->SkinRect});
    const TRect rect = pressed ? FirstNonEmpty({e->DownSkinRect, active}) : hot ? active : e->SkinRect;
    const int w = Button.R.Width(), h = Button.R.Height();
    TBitmap B(w, h);
    ResizedEntryImage(B, *picture, *e, rect, w, h);
    const TColor glyph = pressed ? e->DownFontColor : hot ? e->ActiveFontColor : e->FontColor;
    if (IsNullRect(e->MenuMarkerRect)) {
        if (Enabled()) {
            const int d = pressed ? 2 : 0;
            DrawArrowImage(B.Canvas()->Handle(), TRect{0, d, w, h}, ColorToRGB(glyph), kArrowKindDown);
        }
    } else {
        TRect marker = e->MenuMarkerRect;
        if (pressed && !IsNullRect(e->MenuMarkerDownRect))
            marker = e->MenuMarkerDownRect;
        else if (hot && !IsNullRect(e->MenuMarkerActiveRect))
            marker = e->MenuMarkerActiveRect;
        const auto M = TransparentPicturePart(*picture, marker, e->MenuMarkerTransparentColor);
        B.Canvas()->Draw(w / 2 - marker.Width() / 2, h / 2 - marker.Height() / 2 + (pressed ? 1 : 0), M.get());
    }
    C.Draw(Button.R.Left, Button.R.Top, &B);
}

void TskSkinCustomOfficeComboBox::DrawDefaultItem(TCanvas& C)
{
    if (CBItem.R.Width() <= 0)
        return;
    TBitmap B(CBItem.R.Width(), CBItem.R.Height());
    TCanvas& BC = *B.Canvas();
    BC.Font()->SetName(Font()->Name());
    BC.Font()->SetStyle(Font()->Style());
    BC.Font()->SetHeight(Font()->Height());
    const TskResourceStrData* strings = SkinData() ? SkinData()->ResourceStrData() : nullptr;
    BC.Font()->SetCharset(strings ? strings->CharSet() : DefaultFont()->Charset());
    const bool focused = Focused();
    BC.Brush()->SetColor(focused ? clHighlight : FDefaultColor);
    BC.Font()->SetColor(focused ? clHighlightText : DefaultFont()->Color());
    BC.FillRect(TRect{0, 0, B.Width(), B.Height()});
    CBItem.Focused = focused;
    DrawEntryContent(BC, TRect{2, 0, B.Width() - 2, B.Height()}, "", true);
    if (focused) {
        BC.Brush()->SetStyle(bsSolid);
        BC.DrawFocusRect(TRect{0, 0, B.Width(), B.Height()});
    }
    C.Draw(CBItem.R.Left, CBItem.R.Top, &B);
}

void TskSkinCustomOfficeComboBox::CopyFrameUnderItem(TBitmap& Item, const TBitmap& Frame) const
{
    Item.Canvas()->CopyRect(
        TRect{0, 0, Item.Width(), Item.Height()}, const_cast<TBitmap&>(Frame).Canvas(),
        TRect{CBItem.R.Left, CBItem.R.Top, CBItem.R.Left + Item.Width(), CBItem.R.Top + Item.Height()});
}

void TskSkinCustomOfficeComboBox::DrawSkinItem(TBitmap& Frame)
{
    if (CBItem.R.Width() < 1 || !G.Picture)
        return;
    TBitmap B(CBItem.R.Width(), CBItem.R.Height());
    const bool focused = Focused();
    const bool hot = FMouseIn && !IsNullRect(ActiveItemRect) && !IsNullRect(ActiveSkinRect);
    // The client rectangle of a state piece, shrunk by what it lacks against the normal piece.
    const auto clientFor = [&](const TRect& piece, int inset) {
        TRect cr = Inset(ItemTextRect, inset);
        if (const int dx = SItemRect.Width() - piece.Width(); dx > 0)
            cr.Right -= dx;
        if (const int dy = SItemRect.Height() - piece.Height(); dy > 0)
            cr.Top -= dy;
        return cr;
    };
    if (focused && !IsNullRect(FocusItemRect))
        CreateStretchImage(B, *G.Picture, FocusItemRect, clientFor(FocusItemRect, 1), true);
    else if (!focused && hot)
        CreateStretchImage(B, *G.Picture, ActiveItemRect, clientFor(ActiveItemRect, 0), true);
    else if (!focused && !IsNullRect(SItemRect))
        CreateStretchImage(B, *G.Picture, SItemRect, ItemTextRect, true);
    else
        CopyFrameUnderItem(B, Frame);
    TRect R = ItemTextRect;
    R.Right += CBItem.R.Width() - (IsNullRect(SItemRect) ? G.ClRect.Width() : SItemRect.Width());
    R.Bottom += Height() - G.SkinRect.Height();
    TCanvas& BC = *B.Canvas();
    SetEntryFont(BC, FontName, FontStyle, FontHeight);
    BC.Font()->SetColor(focused                                   ? FocusFontColor
                        : FMouseIn && !IsNullRect(ActiveSkinRect) ? ActiveFontColor
                                                                  : FontColor);
    BC.Brush()->SetStyle(bsClear);
    if (ShownIndex() != -1) {
        if (focused && ShowFocus) {
            BC.Brush()->SetStyle(bsSolid);
            BC.Brush()->SetColor(SkinData()->SkinColors.cBtnFace());
            BC.DrawFocusRect(TRect{0, 0, B.Width(), B.Height()});
        }
        R.Left += 1;
        DrawEntryContent(BC, R, "", true);
    }
    Frame.Canvas()->Draw(CBItem.R.Left, CBItem.R.Top, &B);
}

void TskSkinCustomOfficeComboBox::DrawSkinSizedItem(TBitmap& Frame)
{
    if (CBItem.R.Width() < 1 || !G.Picture)
        return;
    const int w = CBItem.R.Width();
    const int h = !IsNullRect(SItemRect)       ? SItemRect.Height()
                  : !IsNullRect(FocusItemRect) ? FocusItemRect.Height()
                                               : CBItem.R.Height();
    const bool focused = Focused();
    const bool hot = FMouseIn && !IsNullRect(ActiveItemRect) && !IsNullRect(ActiveSkinRect);
    TBitmap B(w, h);
    if (focused && !IsNullRect(FocusItemRect))
        CreateHSkinImage(ItemLeftOffset, ItemRightOffset, B, *G.Picture, FocusItemRect, w, FocusItemStretchEffect);
    else if (!focused && hot)
        CreateHSkinImage(ItemLeftOffset, ItemRightOffset, B, *G.Picture, ActiveItemRect, w, ItemStretchEffect);
    else if (!focused && !IsNullRect(SItemRect))
        CreateHSkinImage(ItemLeftOffset, ItemRightOffset, B, *G.Picture, SItemRect, w, ItemStretchEffect);
    else
        CopyFrameUnderItem(B, Frame);
    TRect R = ItemTextRect;
    R.Right += w - (IsNullRect(SItemRect) ? G.ClRect.Width() : SItemRect.Width());
    TCanvas& BC = *B.Canvas();
    SetEntryFont(BC, FontName, FontStyle, FontHeight);
    TColor color = FontColor;
    if (!Enabled())
        color = GetDisabledFontColor();
    else if (focused)
        color = FocusFontColor;
    else if (FMouseIn && !IsNullRect(ActiveSkinRect))
        color = ActiveFontColor;
    BC.Font()->SetColor(color);
    DrawEntryContent(BC, R, "", false);
    Frame.Canvas()->Draw(CBItem.R.Left, CBItem.R.Top, &B);
}

TColor TskSkinCustomOfficeComboBox::GetDisabledFontColor() const
{
    return FIndex == -1 ? clGrayText : EditEntryDisabledFontColor(SkinData());
}

void TskSkinCustomOfficeComboBox::DrawDefaultToolButton(TBitmap& B, const std::string& Text)
{
    TCanvas& C = *B.Canvas();
    const TRect all{0, 0, Width(), Height()};
    DefaultButtonFace(C, all, Hot(), FDropDown);
    const int d = FDropDown ? 2 : 0;
    C.SetFont(DefaultFont());
    DrawEntryContent(C, TRect{2 + d, 2 + d, Width() - 17, Height() - 2}, Text, true);
    DrawDropDownArrow(C.Handle(), TRect{Width() - 15 + d, d, Width(), Height()}, ColorToRGB(C.Font()->Color()));
}

void TskSkinCustomOfficeComboBox::DrawSkinToolButton(TBitmap& B, const std::string& Text)
{
    GetSkinData();
    if (FIndex == -1)
        return;
    const TskDataSkinButtonControl* e = FirstButtonEntry(SkinData(), {"resizetoolbutton", "resizebutton"});
    TBitmap* picture = e ? SkinData()->ActivePicture(e->PictureIndex) : nullptr;
    if (!e || !picture)
        return;
    TRect rect = FDropDown ? e->DownSkinRect : Hot() ? e->ActiveSkinRect : e->SkinRect;
    if (IsNullRect(rect))
        rect = IsNullRect(e->SkinRect) ? e->ActiveSkinRect : e->SkinRect;
    ResizedEntryImage(B, *picture, *e, rect, Width(), Height());
    TCanvas& C = *B.Canvas();
    SetEntryFont(C, e->FontName, e->FontStyle, e->FontHeight);
    TColor color = e->DisabledFontColor;
    if (FDropDown)
        color = e->DownFontColor;
    else if (Hot())
        color = e->ActiveFontColor;
    else if (Enabled())
        color = e->FontColor;
    C.Font()->SetColor(color);
    const int d = FDropDown ? 2 : 0;
    DrawEntryContent(C, TRect{2 + d, 2 + d, Width() - 17, Height() - 2}, Text, true);
    const TRect arrow{Width() - 15 + d, d, Width(), Height()};
    if (!IsNullRect(e->MenuMarkerRect))
        DrawSkinMenuMarker(C, arrow, *e);
    else
        DrawDropDownArrow(C.Handle(), arrow, ColorToRGB(FDropDown ? e->DownFontColor : C.Font()->Color()));
}

void TskSkinCustomOfficeComboBox::DrawSkinMenuMarker(TCanvas& C, const TRect& R, const TskDataSkinButtonControl& e)
{
    TBitmap* picture = SkinData()->ActivePicture(e.PictureIndex);
    if (!picture)
        return;
    TRect marker = e.MenuMarkerRect;
    if (FDropDown && !IsNullRect(e.MenuMarkerDownRect))
        marker = e.MenuMarkerDownRect;
    else if ((FMouseIn || FDropDown) && !IsNullRect(e.MenuMarkerActiveRect))
        marker = e.MenuMarkerActiveRect;
    const auto M = TransparentPicturePart(*picture, marker, e.MenuMarkerTransparentColor);
    C.Draw(R.Left + R.Width() / 2 - marker.Width() / 2, R.Top + R.Height() / 2 - marker.Height() / 2, M.get());
}

void TskSkinCustomOfficeComboBox::PaintSkinTo(TCanvas& C, int X, int Y, const std::string& AText)
{
    TBitmap B(Width(), Height());
    GetSkinData();
    CalcRects();
    if (FToolButtonStyle) {
        if (FIndex == -1)
            DrawDefaultToolButton(B, AText);
        else
            DrawSkinToolButton(B, AText);
    } else {
        TCanvas& BC = *B.Canvas();
        if (FIndex == -1 || !FComboEntry) {
            DrawDefaultFrame(BC);
            BC.SetFont(DefaultFont());
        } else {
            DrawSkinFrame(B);
            BC.Font()->SetStyle(FontStyle);
            BC.Font()->SetColor(FontColor);
            BC.Font()->SetHeight(FontHeight);
            BC.Font()->SetName(FontName);
        }
        BC.Brush()->SetStyle(bsClear);
        DrawItemText(BC.Handle(), AText, CBItem.R);
    }
    C.Draw(X, Y, &B);
}

} // namespace tovrel
