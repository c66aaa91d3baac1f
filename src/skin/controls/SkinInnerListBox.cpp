#include "skin/controls/SkinInnerListBox.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/CustomControls.h"
#include "platform/vcl/ImageList.h"
#include "platform/wm/Input.h"
#include "platform/wm/Wm.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinListBox.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/SkinImageBuilders.h"
#include "skin/draw/TextHelpers.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace tovrel {

namespace {

// Copies B onto Cnvs at R's top-left corner in one call.
void Blit(TCanvas& Cnvs, TBitmap& B, const TRect& R)
{
    Cnvs.Draw(R.Left, R.Top, &B);
}

TRect Shrunk(const TRect& R, int By)
{
    return {R.Left + By, R.Top + By, R.Right - By, R.Bottom - By};
}

} // namespace

int TabStopValue(std::string_view Line)
{
    if (Line.empty())
        return 0;
    long long value = 0;
    for (char c : Line) {
        if (c < '0' || c > '9')
            return 0;
        // Saturated rather than wrapped: a huge stop stays far right.
        value = std::min<long long>(INT_MAX, value * 10 + (c - '0'));
    }
    return int(value);
}

void DrawTabbedString(TCanvas& Cnvs, std::string_view Text, const TStrings& TabWidths, int Indent, const TRect& R)
{
    std::vector<int> stops;
    for (int i = 0; i < std::min(TabWidths.Count(), 10); ++i)
        stops.push_back(TabStopValue(TabWidths.Get(i)));
    HDC dc = Cnvs.Handle();
    SetBkMode(dc, TRANSPARENT);
    const int y = R.Top + R.Height() / 2 - Cnvs.TextHeight(Text) / 2;
    TabbedTextOut(dc, R.Left + Indent + 2, y, Text, int(stops.size()), stops.data(), 0);
}

TskListBox::TskListBox(TComponent* AOwner) : TCustomListBox(AOwner)
{
    ControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks};
}

void TskListBox::SetHorizontalExtentValue(int Value)
{
    FHorizontalExtentValue = Value;
    Invalidate();
}

void TskListBox::CreateParams(TCreateParams& params)
{
    TCustomListBox::CreateParams(params);
    // No frame and no native bars: the owner shows skinned ones.
    params.Style &= ~DWORD(WS_BORDER | WS_VSCROLL | WS_HSCROLL);
    params.Style |= WS_TABSTOP;
    params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
    params.WindowClassStyle = CS_DBLCLKS;
}

void TskListBox::CreateWnd()
{
    TCustomListBox::CreateWnd();
    if (SkinListBox)
        SkinListBox->ListBoxCreateWnd();
}

void TskListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldWidth = Width();
    TCustomListBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    // A wider list scrolls back by what it gained.
    if (Width() != oldWidth && FHorizontalExtentValue > 0)
        SetHorizontalExtentValue(std::max(0, FHorizontalExtentValue + oldWidth - Width()));
}

void TskListBox::WndProc(TMessage& message)
{
    if (SkinListBox) {
        bool Continue = true;
        SkinListBox->ListBoxWProc(message, Continue);
        if (!Continue)
            return;
    }
    switch (message.Msg) {
    case WM_NCCALCSIZE: message.Result = 0; return;
    case WM_ERASEBKGND:
        if (Width() > 0 && Height() > 0)
            PaintListBackground(reinterpret_cast<HDC>(message.WParam));
        message.Result = 1;
        break;
    case SkinPaintToMessage: message.Result = SkinPaintDoneResult; return;
    case SkinPaintBackgroundToMessage:
        TCustomListBox::WndProc(message);
        if (Count() == 0 && message.LParam == SkinPaintKey) {
            if (message.WParam != 0)
                PaintListBackground(reinterpret_cast<HDC>(message.WParam));
            message.Result = SkinPaintKey;
        }
        return;
    case CN_DRAWITEM:
        if (const auto* draw = FromLParam<DRAWITEMSTRUCT>(message.LParam); draw && draw->hDC) {
            TOwnerDrawState state;
            if (draw->itemState & ODS_SELECTED)
                state.Include(odSelected);
            if (draw->itemState & ODS_FOCUS)
                state.Include(odFocused);
            PaintOnCanvas(*Canvas(), draw->hDC, [&] {
                Canvas()->SetFont(Font());
                DrawByOwnerState(*Canvas(), int(draw->itemID), state, draw->rcItem);
            });
            message.Result = 1;
        }
        return;
    case CM_ENTER:
    case CM_EXIT:
        if (SkinListBox)
            message.Msg == CM_ENTER ? SkinListBox->ListBoxEnter() : SkinListBox->ListBoxExit();
        TCustomListBox::WndProc(message);
        return;
    default: TCustomListBox::WndProc(message); break;
    }
    if (!SkinListBox)
        return;
    if (message.Msg == WM_LBUTTONDBLCLK)
        SkinListBox->ListBoxDblClick();
    else if (message.Msg == WM_MOUSEWHEEL)
        RouteWheel(message);
    // Keys, clicks, scrolling and item changes move the scroll state; the
    // skinned bars follow whatever did it.
    SkinListBox->UpDateScrollBar();
}

void TskListBox::RouteWheel(const TMessage& message)
{
    const bool away = std::int32_t(message.WParam) > 0;
    if (SkinListBox->ScrollBar) {
        // One line more than the list's own wheel step, in the wheel's direction.
        Perform(WM_VSCROLL, away ? SB_LINEUP : SB_LINEDOWN, 0);
        return;
    }
    if (TskSkinScrollBar* bar = SkinListBox->HScrollBar)
        bar->SetPosition(bar->Position() + (away ? -bar->SmallChange() : bar->SmallChange()));
}

void TskListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (SkinListBox)
        SkinListBox->ListBoxMouseDown(Button, Shift, X, Y);
    TCustomListBox::MouseDown(Button, Shift, X, Y);
}

void TskListBox::MouseMove(TShiftState Shift, int X, int Y)
{
    if (SkinListBox)
        SkinListBox->ListBoxMouseMove(Shift, X, Y);
    TCustomListBox::MouseMove(Shift, X, Y);
}

void TskListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (SkinListBox)
        SkinListBox->ListBoxMouseUp(Button, Shift, X, Y);
    TCustomListBox::MouseUp(Button, Shift, X, Y);
}

void TskListBox::KeyDown(WORD& Key, TShiftState Shift)
{
    if (SkinListBox) {
        SkinListBox->ListBoxKeyDown(Key, Shift);
        if (TskSkinScrollBar* bar = SkinListBox->HScrollBar; bar && (Key == VK_LEFT || Key == VK_RIGHT)) {
            bar->SetPosition(bar->Position() + (Key == VK_LEFT ? -bar->SmallChange() : bar->SmallChange()));
            Key = 0;
        }
    }
    TCustomListBox::KeyDown(Key, Shift);
}

void TskListBox::KeyUp(WORD& Key, TShiftState Shift)
{
    if (SkinListBox)
        SkinListBox->ListBoxKeyUp(Key, Shift);
    TCustomListBox::KeyUp(Key, Shift);
}

void TskListBox::KeyPress(char16_t& Key)
{
    if (SkinListBox)
        SkinListBox->ListBoxKeyPress(Key);
    TCustomListBox::KeyPress(Key);
}

void TskListBox::Click()
{
    if (SkinListBox)
        SkinListBox->ListBoxClick();
    TCustomListBox::Click();
}

TOwnerDrawState TskListBox::GetItemState(int Index)
{
    TOwnerDrawState state;
    if (Index == ItemIndex()) {
        state.Include(odSelected);
        if (HandleAllocated() && GetFocus() == Handle())
            state.Include(odFocused);
    } else if (SelCount() > 0 && Selected(Index)) {
        state.Include(odSelected);
    }
    return state;
}

void TskListBox::DrawByOwnerState(TCanvas& Cnvs, int Index, TOwnerDrawState State, TRect R)
{
    if (!SkinListBox || SkinListBox->SkinIndex() == -1)
        DrawDefaultItem(Cnvs, Index, State, R);
    else if (SkinListBox->UseSkinItemHeight)
        DrawSkinItem(Cnvs, Index, State, R);
    else
        DrawStretchSkinItem(Cnvs, Index, State, R);
}

void TskListBox::SetupItemFont(TCanvas& Cnvs)
{
    TskSkinCustomListBox& o = *SkinListBox;
    if (o.SkinIndex() != -1 && o.UseSkinFont) {
        Cnvs.Font()->SetName(o.Look.FontName);
        Cnvs.Font()->SetStyle(o.Look.FontStyle);
        Cnvs.Font()->SetHeight(o.Look.FontHeight);
    } else {
        Cnvs.SetFont(o.SkinIndex() == -1 ? o.Font() : o.DefaultFont());
    }
    TskSkinData* sd = o.SkinData();
    Cnvs.Font()->SetCharset(sd && sd->ResourceStrData() ? sd->ResourceStrData()->CharSet()
                                                        : o.DefaultFont()->Charset());
}

void TskListBox::DrawItemContent(TCanvas& Cnvs, int Index, TRect T)
{
    TskSkinCustomListBox& o = *SkinListBox;
    int indent = 0;
    if (TCustomImageList* images = o.Images()) {
        const int image = o.ImageIndex() < 0 ? Index : o.ImageIndex();
        if (image < images->Count())
            images->Draw(&Cnvs, T.Left - FHorizontalExtentValue, T.Top + T.Height() / 2 - images->Height() / 2, image,
                         true);
        indent = images->Width() + 2;
    }
    const std::string text = Items()->Get(Index);
    SetBkMode(Cnvs.Handle(), TRANSPARENT);
    SetTextColor(Cnvs.Handle(), ColorToRGB(Cnvs.Font()->Color()));
    if (o.TabWidths()->Count() > 0 && Columns() == 0)
        DrawTabbedString(Cnvs, text, *o.TabWidths(), indent, T);
    else
        DrawItemTextIndent(Cnvs.Handle(), text, T, indent - FHorizontalExtentValue);
}

void TskListBox::DrawDefaultItem(TCanvas& Cnvs, int Index, TOwnerDrawState State, TRect R)
{
    if (Index < 0 || Index > Count() - 1 || !SkinListBox || R.Width() < 1 || R.Height() < 1)
        return;
    TskSkinCustomListBox& o = *SkinListBox;
    TBitmap B(R.Width(), R.Height());
    TCanvas& C = *B.Canvas();
    C.Font()->SetName(o.Font()->Name());
    C.Font()->SetStyle(o.Font()->Style());
    C.Font()->SetHeight(o.Font()->Height());
    TskSkinData* sd = o.SkinData();
    C.Font()->SetCharset(sd && sd->ResourceStrData() ? sd->ResourceStrData()->CharSet() : o.DefaultFont()->Charset());
    const bool selected = State.Contains(odSelected);
    C.Brush()->SetColor(selected ? clHighlight : clWindow);
    C.Font()->SetColor(selected ? clHighlightText : o.Font()->Color());
    C.FillRect(Rect(0, 0, R.Width(), R.Height()));
    const TRect T{2, 0, R.Width() - 2, R.Height()};
    if (o.OnDrawItem)
        o.OnDrawItem(C, Index, R.Width(), R.Height(), T, State);
    else
        DrawItemContent(C, Index, T);
    if (State.Contains(odFocused))
        C.DrawFocusRect(Rect(0, 0, R.Width(), R.Height()));
    Blit(Cnvs, B, R);
}

void TskListBox::DrawStretchSkinItem(TCanvas& Cnvs, int Index, TOwnerDrawState State, TRect R)
{
    TskSkinCustomListBox& o = *SkinListBox;
    TBitmap* picture = o.Geometry().Picture;
    if (!picture || Index < 0 || Index > Count() - 1 || R.Width() < 1 || R.Height() < 1)
        return;
    const TskListBoxLook& L = o.Look;
    const int W = R.Width(), H = R.Height();
    TBitmap B(W, H);
    const TRect source = State.Contains(odFocused)    ? L.FocusItemRect
                         : State.Contains(odSelected) ? L.ActiveItemRect
                                                      : L.SItemRect;
    CreateStretchImage(B, *picture, source, Shrunk(L.ItemTextRect, 1), true);
    TRect T = L.ItemTextRect;
    T.Right += W - L.SItemRect.Width();
    T.Bottom += H - L.SItemRect.Height();
    TCanvas& C = *B.Canvas();
    SetupItemFont(C);
    C.Font()->SetColor(State.Contains(odFocused)    ? L.FocusFontColor
                       : State.Contains(odSelected) ? L.ActiveFontColor
                                                    : L.FontColor);
    C.Brush()->SetStyle(bsClear);
    if (o.OnDrawItem) {
        o.OnDrawItem(C, Index, W, H, T, State);
    } else {
        if (State.Contains(odFocused) && L.ShowFocus) {
            SetTextColor(C.Handle(), ColorToRGB(C.Font()->Color()));
            DrawSkinFocusRect(C.Handle(), Rect(0, 0, W, H));
        }
        DrawItemContent(C, Index, T);
    }
    Blit(Cnvs, B, R);
}

void TskListBox::DrawSkinItem(TCanvas& Cnvs, int Index, TOwnerDrawState State, TRect R)
{
    TskSkinCustomListBox& o = *SkinListBox;
    TBitmap* picture = o.Geometry().Picture;
    if (!picture || Index < 0 || Index > Count() - 1 || R.Width() < 1)
        return;
    const TskListBoxLook& L = o.Look;
    const int W = R.Width(), SH = L.SItemRect.Height();
    if (SH < 1)
        return;
    const bool focused = State.Contains(odFocused), selected = State.Contains(odSelected);
    const bool stretch = o.Geometry().Stretch.StretchEffect;
    TBitmap B;
    if (focused && !selected)
        CreateHSkinImage(L.ItemLeftOffset, L.ItemRightOffset, B, *picture, L.SItemRect, W, stretch);
    else if (focused)
        CreateHSkinImage(L.ItemLeftOffset, L.ItemRightOffset, B, *picture, L.FocusItemRect, W, stretch);
    else if (selected)
        CreateHSkinImage(L.ItemLeftOffset, L.ItemRightOffset, B, *picture, L.ActiveItemRect, W, stretch);
    else
        CreateHSkinImage(L.ItemLeftOffset, L.ItemRightOffset, B, *picture, L.SItemRect, W, false);
    if (B.Empty())
        return;
    TCanvas& C = *B.Canvas();
    if (focused && !selected)
        DrawSkinFocusRect(C.Handle(), Rect(0, 0, W, SH));
    TRect T = L.ItemTextRect;
    T.Right += W - L.SItemRect.Width();
    SetupItemFont(C);
    C.Font()->SetColor(!selected ? L.FontColor : focused ? L.FocusFontColor : L.ActiveFontColor);
    C.Brush()->SetStyle(bsClear);
    if (o.OnDrawItem) {
        o.OnDrawItem(C, Index, W, SH, T, State);
    } else {
        if (focused && L.ShowFocus) {
            SetTextColor(C.Handle(), ColorToRGB(C.Font()->Color()));
            DrawSkinFocusRect(C.Handle(), Rect(0, 0, W, SH));
        }
        DrawItemContent(C, Index, T);
    }
    Blit(Cnvs, B, R);
}

void TskListBox::PaintWindow(HDC dc)
{
    if (Width() <= 0 || Height() <= 0 || ItemHeight() < 1)
        return;
    const int saved = SaveDC(dc);
    PaintOnCanvas(*Canvas(), dc, [&] {
        const int rows = Height() / ItemHeight();
        const int perColumn = std::max(1, rows);
        const int last = std::min(Count() - 1, TopIndex() + (Columns() > 0 ? perColumn * Columns() : rows));
        int bottom = 0;
        for (int i = TopIndex(); i <= last; ++i) {
            const TRect r = ItemRect(i);
            DrawByOwnerState(*Canvas(), i, GetItemState(i), r);
            bottom = r.Bottom;
        }
        if (Columns() <= 0 && bottom < Height()) {
            if (SkinListBox)
                SkinListBox->GetSkinData();
            if (!SkinListBox || SkinListBox->SkinIndex() == -1) {
                Canvas()->Brush()->SetColor(clWindow);
                Canvas()->FillRect(Rect(0, bottom, Width(), Height()));
            } else {
                PaintSkinBackground(*Canvas(), Width(), Height() - bottom, 0, bottom);
            }
        }
    });
    RestoreDC(dc, saved);
}

void TskListBox::PaintListBackground(HDC DC)
{
    PaintOnCanvas(*Canvas(), DC, [&] {
        if (SkinListBox)
            SkinListBox->GetSkinData();
        if (!SkinListBox || SkinListBox->SkinIndex() == -1) {
            Canvas()->Brush()->SetColor(clWindow);
            Canvas()->FillRect(Rect(0, 0, Width(), Height()));
        } else {
            PaintSkinBackground(*Canvas(), Width(), Height(), 0, 0);
        }
    });
}

void TskListBox::PaintSkinBackground(TCanvas& Cnvs, int W, int H, int X, int Y)
{
    const TskSkinControlGeometry& g = SkinListBox->Geometry();
    const int cw = g.ClRect.Width(), ch = g.ClRect.Height();
    // A skin without a client piece has nothing to tile with.
    if (!g.Picture || cw < 1 || ch < 1 || W < 1 || H < 1)
        return;
    TBitmap B(W, H);
    const TRect piece = Bounds(g.ClRect.Left + g.SkinRect.Left, g.ClRect.Top + g.SkinRect.Top, cw, ch);
    for (int i = 0; i <= W / cw; ++i)
        for (int j = 0; j <= H / ch; ++j) {
            const int x = i * cw, y = j * ch;
            const int w = std::min(cw, W - x), h = std::min(ch, H - y);
            if (w > 0 && h > 0)
                B.Canvas()->CopyRect(Rect(x, y, x + w, y + h), g.Picture->Canvas(),
                                     Rect(piece.Left, piece.Top, piece.Left + w, piece.Top + h));
        }
    Cnvs.Draw(X, Y, &B);
}

} // namespace tovrel
