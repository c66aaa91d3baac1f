// The skinned combo box's images: the default look, the skin look with its
// item face and button, the tool-button style, and painting to a canvas.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinDefaultFaces.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinEditEntries.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/SkinImageBuilders.h"
#include "skin/draw/TextHelpers.h"

namespace tovrel {

namespace {

constexpr int kArrowDown = 4;
TRect Moved(TRect R, int DX, int DY)
{
    return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY};
}

// The first of the named button entries the skin has; null for none.
const TskDataSkinButtonControl* ButtonEntry(TskSkinData* Skin, std::initializer_list<const char*> Names, int& Index)
{
    for (const char* name : Names) {
        Index = FindSkinEntry(Skin, name);
        if (Index != -1)
            if (const auto* e = dynamic_cast<const TskDataSkinButtonControl*>(Skin->CtrlList[std::size_t(Index)].get()))
                return e;
    }
    return nullptr;
}

// The entry's image of state rectangle R resized to W x H.
void ResizedEntryImage(TskSkinData& Skin, int Index, const TRect& R, int W, int H, TBitmap& B)
{
    TskSkinControlGeometry g;
    g.CopyEntry(Skin, Index);
    // Always nine-slice: the corners stay, the rest follows the new size.
    g.ResizeMode = 1;
    g.CalcSize(W, H, true);
    g.CreateResizedImage(B, g.Picture, R, W, H);
}

// The marker glyph cut from the entry's picture, transparent, centred in R.
void DrawMarker(TCanvas& C, TskSkinData& Skin, const TskDataSkinButtonControl& E, const TRect& Source, TRect R)
{
    TBitmap* picture = Skin.ActivePicture(E.PictureIndex);
    if (!picture || Source.IsEmpty())
        return;
    const int x = R.Left + R.Width() / 2 - Source.Width() / 2, y = R.Top + R.Height() / 2 - Source.Height() / 2;
    C.BrushCopy(Bounds(x, y, Source.Width(), Source.Height()), picture, Source, E.MenuMarkerTransparentColor);
}

} // namespace

int TskSkinCustomComboBox::ShownIndex()
{
    return FDropDown ? FOldItemIndex : ItemIndex();
}

bool TskSkinCustomComboBox::ActiveLook()
{
    return FMouseIn || Focused() || (FEdit && FEdit->Focused());
}

std::uint8_t TskSkinCustomComboBox::Charset() const
{
    TskSkinData* sd = SkinData();
    return sd && sd->ResourceStrData() ? sd->ResourceStrData()->CharSet() : DefaultFont()->Charset();
}

void TskSkinCustomComboBox::DrawItemFace(TCanvas& C, TRect T, int W, int H, TOwnerDrawState State,
                                         const std::string* AText)
{
    const int index = ShownIndex();
    if (index < 0 || index >= Items()->Count())
        return;
    if (!AText && OnComboBoxDrawItem) {
        OnComboBoxDrawItem(C, index, W, H, T, State);
        return;
    }
    if (TCustomImageList* images = Images(); images && !AText) {
        const int image = ImageIndex() >= 0 ? ImageIndex() : index;
        if (image < images->Count())
            images->Draw(&C, T.Left, T.Top + T.Height() / 2 - images->Height() / 2, image, true);
        T.Left += images->Width() + 2;
    }
    const std::string text = AText ? *AText : Items()->Get(index);
    HDC dc = C.Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(C.Font()->Color()));
    if (TabWidths()->Count() > 0)
        DrawTabbedString(C, text, *TabWidths(), 0, T);
    else
        DrawItemText(dc, text, T);
}

// Default look.

void TskSkinCustomComboBox::CreateControlDefaultImage(TBitmap& B)
{
    CalcRects();
    if (FToolButtonStyle) {
        DrawToolButtonLook(B, nullptr);
        return;
    }
    DrawDefaultLook(B);
    if (FStyle == skcbFixedStyle || !FEdit)
        DrawDefaultItem(B);
}

void TskSkinCustomComboBox::DrawDefaultLook(TBitmap& B)
{
    TCanvas& C = *B.Canvas();
    FramedFill(C, ClientRect(), clBtnShadow, clBtnFace);
    C.Brush()->SetColor(FDefaultColor);
    C.FillRect(Rect(2, 2, Width() - 2, Height() - 2));
    if (!DrawHotOrPressedFace(C, Button.R, Button.MouseIn, Button.Down))
        FramedFill(C, Button.R, clBtnShadow, clBtnFace);
    DrawArrowImage(C.Handle(), Button.R, Enabled() ? 0 : ColorToRGB(clBtnShadow), kArrowDown);
}

void TskSkinCustomComboBox::DrawDefaultItem(TBitmap& B)
{
    const int W = CBItem.R.Width(), H = CBItem.R.Height();
    if (W <= 0 || H <= 0)
        return;
    TBitmap item(W, H);
    TCanvas& C = *item.Canvas();
    C.Font()->SetName(Font()->Name());
    C.Font()->SetStyle(Font()->Style());
    C.Font()->SetHeight(Font()->Height());
    C.Font()->SetCharset(Charset());
    const bool focused = Focused();
    C.Brush()->SetColor(focused ? clHighlight : FDefaultColor);
    C.Font()->SetColor(focused ? clHighlightText : DefaultFont()->Color());
    C.FillRect(Rect(0, 0, W, H));
    CBItem.State = focused ? TOwnerDrawState{odFocused} : TOwnerDrawState{};
    DrawItemFace(C, Rect(2, 0, W - 2, H), W, H, CBItem.State, nullptr);
    if (focused) {
        SetTextColor(C.Handle(), ColorToRGB(clHighlightText));
        DrawSkinFocusRect(C.Handle(), Rect(0, 0, W, H));
    }
    B.Canvas()->Draw(CBItem.R.Left, CBItem.R.Top, &item);
}

// Skin look.

void TskSkinCustomComboBox::CreateControlSkinImage(TBitmap& B)
{
    CalcRects();
    if (FToolButtonStyle) {
        if (!DrawToolButtonSkin(B, nullptr))
            DrawToolButtonLook(B, nullptr);
        return;
    }
    DrawSkinLook(B, false);
    if (FStyle == skcbFixedStyle || !FEdit)
        DrawSkinItem(B);
}

void TskSkinCustomComboBox::DrawSkinLook(TBitmap& B, bool AlwaysNormalFrame)
{
    if (!G.Picture)
        return;
    const bool active = !AlwaysNormalFrame && !Look.ActiveSkinRect.IsEmpty() && ActiveLook();
    if (!UseSkinSize) {
        B.SetSize(Width(), Height());
        CreateStretchImage(B, *G.Picture, active ? Look.ActiveSkinRect : G.SkinRect, G.ClRect, true);
        DrawButtonFromEntry(B);
        return;
    }
    if (active)
        CreateHSkinImage(G.LTPt.X, Look.ActiveSkinRect.Width() - G.RTPt.X, B, *G.Picture, Look.ActiveSkinRect, Width(),
                         G.Stretch.StretchEffect);
    else
        TskSkinCustomControl::CreateControlSkinImage(B);
    TRect source;
    if (!Enabled() && !Look.UnEnabledButtonRect.IsEmpty())
        source = Look.UnEnabledButtonRect;
    else if (Button.Down && Button.MouseIn)
        source = Look.DownButtonRect;
    else if (Button.MouseIn)
        source = Look.ActiveButtonRect;
    if (!source.IsEmpty())
        B.Canvas()->CopyRect(Button.R, G.Picture->Canvas(), source);
}

void TskSkinCustomComboBox::DrawButtonFromEntry(TBitmap& B)
{
    TskSkinData* skin = SkinData();
    int index = -1;
    const TskDataSkinButtonControl* e = ButtonEntry(skin, {"combobutton", "editbutton", "resizebutton"}, index);
    const int w = Button.R.Width(), h = Button.R.Height();
    if (!e || w < 1 || h < 1)
        return;
    const bool pressed = Button.Down && Button.MouseIn;
    TRect source = e->SkinRect;
    if (pressed)
        source = !e->DownSkinRect.IsEmpty()     ? e->DownSkinRect
                 : !e->ActiveSkinRect.IsEmpty() ? e->ActiveSkinRect
                                                : e->SkinRect;
    else if (Button.MouseIn && !e->ActiveSkinRect.IsEmpty())
        source = e->ActiveSkinRect;
    TBitmap image;
    ResizedEntryImage(*skin, index, source, w, h, image);
    if (image.Empty())
        return;
    TCanvas& C = *image.Canvas();
    const TColor glyph = pressed ? e->DownFontColor : Button.MouseIn ? e->ActiveFontColor : e->FontColor;
    if (e->MenuMarkerRect.IsEmpty()) {
        if (Enabled())
            DrawArrowImage(C.Handle(), pressed ? Rect(0, 2, w, h) : Rect(0, 0, w, h), ColorToRGB(glyph), kArrowDown);
    } else {
        TRect marker = e->MenuMarkerRect;
        if (pressed && !e->MenuMarkerDownRect.IsEmpty())
            marker = e->MenuMarkerDownRect;
        else if (Button.MouseIn && !e->MenuMarkerActiveRect.IsEmpty())
            marker = e->MenuMarkerActiveRect;
        DrawMarker(C, *skin, *e, marker, pressed ? Rect(0, 1, w, h + 1) : Rect(0, 0, w, h));
    }
    B.Canvas()->Draw(Button.R.Left, Button.R.Top, &image);
}

void TskSkinCustomComboBox::SetSkinItemFont(TCanvas& C, bool UseSkin)
{
    if (UseSkin) {
        C.Font()->SetName(Look.FontName);
        C.Font()->SetStyle(Look.FontStyle);
        C.Font()->SetHeight(Look.FontHeight);
    } else {
        C.SetFont(DefaultFont());
    }
    C.Font()->SetCharset(Charset());
}

void TskSkinCustomComboBox::DrawSkinItem(TBitmap& B)
{
    const int W = CBItem.R.Width(), H = CBItem.R.Height();
    if (W <= 0 || H <= 0 || !G.Picture)
        return;
    const bool focused = Focused();
    const bool hot = FMouseIn && !Look.ActiveItemRect.IsEmpty() && !Look.ActiveSkinRect.IsEmpty();
    const TRect source = focused ? Look.FocusItemRect : hot ? Look.ActiveItemRect : Look.SItemRect;
    TBitmap item;
    if ((focused ? Look.FocusItemRect : Look.SItemRect).IsEmpty()) {
        // No item picture: what the frame shows there.
        item.SetSize(W, H);
        item.Canvas()->CopyRect(Rect(0, 0, W, H), B.Canvas(), CBItem.R);
    } else if (UseSkinSize) {
        CreateHSkinImage(Look.ItemLeftOffset, Look.ItemRightOffset, item, *G.Picture, source, W,
                         focused ? Look.FocusItemStretchEffect : Look.ItemStretchEffect);
    } else {
        item.SetSize(W, H);
        TRect border = Look.ItemTextRect;
        if (focused)
            border = {border.Left + 1, border.Top + 1, border.Right - 1, border.Bottom - 1};
        if (focused || hot) {
            if (source.Width() < Look.SItemRect.Width())
                border.Right -= Look.SItemRect.Width() - source.Width();
            if (source.Height() < Look.SItemRect.Height())
                border.Top -= Look.SItemRect.Height() - source.Height();
        }
        CreateStretchImage(item, *G.Picture, source, border, true);
    }
    if (item.Empty())
        return;
    TRect T = Look.ItemTextRect;
    T.Right += W - (Look.SItemRect.IsEmpty() ? G.ClRect.Width() : Look.SItemRect.Width());
    if (!UseSkinSize)
        T.Bottom += Height() - G.SkinRect.Height();
    TCanvas& C = *item.Canvas();
    SetSkinItemFont(C, UseSkinFont);
    C.Font()->SetColor(focused                                      ? Look.FocusFontColor
                       : FMouseIn && !Look.ActiveSkinRect.IsEmpty() ? Look.ActiveFontColor
                                                                    : Look.FontColor);
    if (!Enabled() && UseSkinSize)
        C.Font()->SetColor(clGrayText);
    C.Brush()->SetStyle(bsClear);
    CBItem.State = focused ? TOwnerDrawState{odFocused} : TOwnerDrawState{};
    DrawItemFace(C, T, item.Width(), item.Height(), CBItem.State, nullptr);
    if (focused && Look.ShowFocus) {
        SetTextColor(C.Handle(), ColorToRGB(C.Font()->Color()));
        DrawSkinFocusRect(C.Handle(), Rect(0, 0, item.Width(), item.Height()));
    }
    B.Canvas()->Draw(CBItem.R.Left, CBItem.R.Top, &item);
}

// Tool-button style.

void TskSkinCustomComboBox::DrawToolButtonLook(TBitmap& B, const std::string* AText)
{
    B.SetSize(Width(), Height());
    TCanvas& C = *B.Canvas();
    if (!DrawHotOrPressedFace(C, ClientRect(), FDropDown || FMouseIn || Focused(), FDropDown))
        FramedFill(C, ClientRect(), clBtnShadow, clBtnFace);
    const int shift = FDropDown ? 2 : 0;
    C.SetFont(DefaultFont());
    C.Brush()->SetStyle(bsClear);
    const TRect T = Moved(Rect(2, 2, Width() - 17, Height() - 2), shift, shift);
    DrawItemFace(C, T, T.Width(), T.Height(), {}, AText);
    DrawDropDownArrow(C.Handle(), Moved(Rect(Width() - 15, 0, Width(), Height()), shift, shift),
                      ColorToRGB(C.Font()->Color()));
}

bool TskSkinCustomComboBox::DrawToolButtonSkin(TBitmap& B, const std::string* AText)
{
    TskSkinData* skin = SkinData();
    int index = -1;
    const TskDataSkinButtonControl* e = ButtonEntry(skin, {"resizetoolbutton", "resizebutton"}, index);
    if (!e)
        return false;
    const bool hot = FMouseIn || Focused();
    TRect source = FDropDown ? e->DownSkinRect : hot ? e->ActiveSkinRect : e->SkinRect;
    if (source.IsEmpty())
        source = e->SkinRect.IsEmpty() ? e->ActiveSkinRect : e->SkinRect;
    ResizedEntryImage(*skin, index, source, Width(), Height(), B);
    if (B.Empty())
        return true;
    TCanvas& C = *B.Canvas();
    if (UseSkinFont) {
        C.Font()->SetName(e->FontName);
        C.Font()->SetStyle(e->FontStyle);
        C.Font()->SetHeight(e->FontHeight);
    } else {
        C.SetFont(DefaultFont());
    }
    C.Font()->SetCharset(Charset());
    C.Font()->SetColor(FDropDown   ? e->DownFontColor
                       : hot       ? e->ActiveFontColor
                       : Enabled() ? e->FontColor
                                   : e->DisabledFontColor);
    C.Brush()->SetStyle(bsClear);
    const int shift = FDropDown ? 2 : 0;
    const TRect T = Moved(Rect(2, 2, Width() - 17, Height() - 2), shift, shift);
    DrawItemFace(C, T, T.Width(), T.Height(), {}, AText);
    const TRect markerArea = Moved(Rect(Width() - 15, 0, Width(), Height()), shift, shift);
    if (e->MenuMarkerRect.IsEmpty()) {
        DrawDropDownArrow(C.Handle(), markerArea, ColorToRGB(FDropDown ? e->DownFontColor : C.Font()->Color()));
    } else {
        TRect marker = e->MenuMarkerRect;
        if (FDropDown && !e->MenuMarkerDownRect.IsEmpty())
            marker = e->MenuMarkerDownRect;
        else if ((FDropDown || hot) && !e->MenuMarkerActiveRect.IsEmpty())
            marker = e->MenuMarkerActiveRect;
        DrawMarker(C, *skin, *e, marker, markerArea);
    }
    return true;
}

// Painting onto another canvas.

void TskSkinCustomComboBox::PaintSkinTo(TCanvas& C, int X, int Y, const std::string& AText)
{
    GetSkinData();
    CalcRects();
    TBitmap B(Width(), Height());
    if (FToolButtonStyle) {
        if (FIndex == -1 || !DrawToolButtonSkin(B, &AText))
            DrawToolButtonLook(B, &AText);
    } else {
        if (FIndex == -1) {
            DrawDefaultLook(B);
            B.Canvas()->SetFont(DefaultFont());
        } else {
            DrawSkinLook(B, true);
            SetSkinItemFont(*B.Canvas(), true);
            B.Canvas()->Font()->SetColor(Look.FontColor);
        }
        B.Canvas()->Brush()->SetStyle(bsClear);
        HDC dc = B.Canvas()->Handle();
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(B.Canvas()->Font()->Color()));
        if (TabWidths()->Count() > 0)
            DrawTabbedString(*B.Canvas(), AText, *TabWidths(), 0, CBItem.R);
        else
            DrawItemText(dc, AText, CBItem.R);
    }
    C.Draw(X, Y, &B);
}

} // namespace tovrel
