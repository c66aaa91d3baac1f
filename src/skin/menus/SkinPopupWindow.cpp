#include "skin/menus/SkinPopupWindow.h"

#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Timer.h"
#include "platform/wm/Paint.h"
#include "platform/wm/WindowPos.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFixedEntries.h"
#include "skin/data/SkinMenuEntries.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/MorphedImage.h"
#include "skin/draw/SkinImageBuilders.h"
#include "skin/menus/PopupFade.h"
#include "skin/menus/PopupWindowLook.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinMenuItem.h"

#include <algorithm>
#include <functional>

namespace tovrel {

namespace {

// The skin's menu-item entry, when its picture is there to cut rows from.
TskDataSkinMenuItem* FindMenuItemEntry(TskSkinData& data)
{
    for (auto& entry : data.ObjectList)
        if (auto* item = dynamic_cast<TskDataSkinMenuItem*>(entry.get()))
            return data.ActivePicture(item->ActivePictureIndex) ? item : nullptr;
    return nullptr;
}

// A level's timer, off until the level starts it.
std::unique_ptr<TTimer> StoppedTimer(unsigned interval, std::function<void()> tick)
{
    auto timer = std::make_unique<TTimer>(nullptr);
    timer->SetEnabled(false);
    timer->SetInterval(interval);
    timer->SetOnTimer([tick = std::move(tick)](TObject*) { tick(); });
    return timer;
}

} // namespace

TskSkinPopupWindow::TskSkinPopupWindow(TComponent* AOwner, TskSkinMenu* AParentMenu, TskDataSkinPopupWindow* AData)
    : TCustomControl(AOwner), ParentMenu(AParentMenu),
      MorphTimer(StoppedTimer(kMorphInterval, [this] { MorphTick(); })),
      FMouseTimer(StoppedTimer(kCursorPollMs, [this] { PollCursor(); })),
      FScrollTimer(StoppedTimer(kScrollStepMs, [this] { ScrollTick(); })), FFade(std::make_unique<TskPopupFade>())
{
    SetVisible(false);
    TskSkinData* data = ParentMenu->SkinData;
    // A skin without a usable popup picture or row entry is drawn whole in the built-in look.
    if (AData && data && !data->Empty && AData->WindowPictureIndex != -1) {
        WindowPicture = data->ActivePicture(AData->WindowPictureIndex);
        MaskPicture = data->ActivePicture(AData->MaskPictureIndex);
        DSMI = FindMenuItemEntry(*data);
        if (WindowPicture && DSMI) {
            PW = AData;
            SD = data;
        } else {
            WindowPicture = MaskPicture = nullptr;
            DSMI = nullptr;
        }
    }
}

TskSkinPopupWindow::~TskSkinPopupWindow() = default;

void TskSkinPopupWindow::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    SetMenuPopupParams(params);
}

void TskSkinPopupWindow::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEACTIVATE: message.Result = MA_NOACTIVATE; return;
    case WM_ERASEBKGND: message.Result = 1; return;
    case CM_RELEASE: delete this; return;
    default: TCustomControl::WndProc(message);
    }
}

void TskSkinPopupWindow::SetupFont(TCanvas& canvas) const
{
    if (PW && DSMI && ParentMenu->UseSkinFont) {
        canvas.Font()->SetName(DSMI->FontName);
        canvas.Font()->SetHeight(DSMI->FontHeight);
        canvas.Font()->SetStyle(DSMI->FontStyle);
    } else {
        canvas.Font()->Assign(ParentMenu->DefaultMenuItemFont());
    }
}

void TskSkinPopupWindow::CreateItems(TMenuItem* AItem, int StartIndex)
{
    TMenu* menu = AItem->GetParentMenu();
    if (menu && menu->AutoLineReduction == maAutomatic)
        AItem->RethinkLines();
    ImgL = menu ? menu->Images() : nullptr;
    for (int i = StartIndex; i < AItem->Count(); ++i)
        if (AItem->Items(i)->Visible())
            ItemList.push_back(std::make_unique<TskSkinMenuItem>(this, AItem->Items(i), DSMI));
    SetMenuSize();
    if (SkinLook()) {
        const TRect items = PW->ItemsRect;
        NewItemsRect = Rect(items.Left, items.Top, Width() - (WindowPicture->Width() - items.Right),
                            Height() - (WindowPicture->Height() - items.Bottom));
    } else {
        NewItemsRect = Rect(2, 2, Width() - 2, Height() - 2);
    }
    ArrangeItems();
    if (SkinLook() && MaskPicture)
        SetMenuRegion();
}

int TskSkinPopupWindow::CalcMenuWidth()
{
    TBitmap measure(1, 1);
    TCanvas& canvas = *measure.Canvas();
    SetupFont(canvas);
    int widest = 0;
    for (auto& item : ItemList) {
        std::string text = item->MenuItem->Caption();
        const std::string shortCut = ShortCutToText(item->MenuItem->ShortCut());
        if (!shortCut.empty())
            text += "  " + shortCut;
        RECT r = Rect(0, 0, 0, 0);
        DrawText(canvas.Handle(), text, &r, DT_CALCRECT);
        widest = std::max(widest, r.Width() + 2);
    }
    GlyphWidth = ImgL ? ImgL->Width() + 5 : 19;
    const int M = widest + GlyphWidth + 19;
    if (!SkinLook())
        return M + 10;
    return M + DSMI->TextRct.Left + (DSMI->SkinRect.Width() - DSMI->TextRct.Right) + WindowPicture->Width() -
           PW->ItemsRect.Width();
}

int TskSkinPopupWindow::Margin() const
{
    return SkinLook() ? WindowPicture->Height() - PW->ItemsRect.Height() : 4;
}

void TskSkinPopupWindow::SetMenuSize()
{
    VisibleStartIndex = 0;
    VisibleCount = int(ItemList.size());
    Scroll = Scroll2 = false;
    const int width = CalcMenuWidth();
    int sum = 0;
    for (auto& item : ItemList)
        sum += item->Height();
    const int n = int(ItemList.size()), limit = ParentMenu->MaxMenuItemsInWindow;
    int height = sum + Margin();
    if (limit > 0 && limit < n) {
        const int row = SkinLook() ? DSMI->SkinRect.Height() : ParentMenu->DefaultMenuItemHeight;
        height = row * limit + Margin() + 2 * kScrollZone;
        Scroll = Scroll2 = true;
    }
    if (height > ParentMenu->WorkArea.Height()) {
        height = ParentMenu->WorkArea.Height();
        Scroll = true;
    }
    SetBounds(Left(), Top(), width, height);
}

void TskSkinPopupWindow::ArrangeItems()
{
    int top = NewItemsRect.Top, bottom = NewItemsRect.Bottom;
    if (Scroll) {
        top += kScrollZone;
        bottom -= kScrollZone;
    }
    VisibleCount = 0;
    const int count = int(ItemList.size());
    int i = VisibleStartIndex;
    for (; i < count; ++i) {
        TskSkinMenuItem& item = *ItemList[std::size_t(i)];
        const int h = item.Height();
        item.ObjectRect = Rect(NewItemsRect.Left, top, NewItemsRect.Right, top + h);
        if (top + h > bottom)
            break;
        item.FVisible = true;
        ++VisibleCount;
        top += h;
    }
    if (!Scroll)
        return;
    for (int j = 0; j < count; ++j)
        if (j < VisibleStartIndex || j >= VisibleStartIndex + VisibleCount)
            ItemList[std::size_t(j)]->FVisible = false;
}

void TskSkinPopupWindow::CalcShowPosition(TRect R, bool PopupByItem, bool PopupUp)
{
    const TRect WA = ParentMenu->WorkArea;
    const int mid = WA.Top + WA.Height() / 2, H = Height(), W = Width();
    const bool tooTall = Scroll && !Scroll2;
    bool overlap = false;
    int y;
    if (tooTall) {
        y = WA.Top;
    } else if (PopupByItem) {
        const int y0 = R.Top - NewItemsRect.Top;
        if (y0 + H <= WA.Bottom)
            y = y0;
        else if (R.Top < mid)
            y = WA.Bottom - H;
        else
            y = std::max(WA.Top, R.Bottom + NewItemsRect.Top - H);
    } else if (PopupUp) {
        if (R.Top - H >= WA.Top) {
            y = R.Top - H;
        } else {
            overlap = true;
            if (R.Top < mid && R.Bottom + H <= WA.Bottom) {
                y = R.Bottom;
                overlap = false;
            } else {
                y = R.Top < mid ? WA.Bottom - H : WA.Top;
            }
        }
    } else if (R.Bottom + H <= WA.Bottom) {
        y = R.Bottom;
    } else if (R.Top < mid) {
        y = WA.Bottom - H;
        overlap = true;
    } else if (R.Top - H >= WA.Top) {
        y = R.Top - H;
    } else {
        y = WA.Top;
        overlap = true;
    }
    int x;
    if (PopupByItem || tooTall || overlap) {
        x = R.Right + W + 1 <= WA.Right ? R.Right + 1 : R.Left - W - 1;
    } else {
        x = R.Left;
        if (R.Left + W > WA.Right)
            x = WA.Right - W;
        else if (R.Left < WA.Left)
            x = WA.Left;
    }
    ShowX = x;
    ShowY = y;
}

void TskSkinPopupWindow::Show(TRect R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp)
{
    CreateItems(AItem, StartIndex);
    CalcShowPosition(R, PopupByItem, PopupUp);
    SetBounds(ShowX, ShowY, Width(), Height());
    PrepareAlpha();
    SetWindowPos(Handle(), HWND_TOPMOST, ShowX, ShowY, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetVisible(true);
    FFade->Start();
    FMouseTimer->SetEnabled(true);
    ActiveItem = -1;
    for (std::size_t i = 0; i < ItemList.size(); ++i)
        if (ItemList[i]->Selectable()) {
            ItemList[i]->WaitCommand = true;
            ActiveItem = int(i);
            ItemList[i]->MouseEnter(true);
            break;
        }
}

void TskSkinPopupWindow::Hide()
{
    FMouseTimer->SetEnabled(false);
    FScrollTimer->SetEnabled(false);
    MorphTimer->SetEnabled(false);
    FFade->Stop();
    HideMenuPopup(*this);
}

void TskSkinPopupWindow::CreateMenuBackground(TBitmap& B, bool DrawClient)
{
    B.SetSize(Width(), Height());
    if (SkinLook()) {
        CreatePopupWindowImage(B, *PW, *WindowPicture, Width(), Height(), DrawClient);
        return;
    }
    TCanvas& C = *B.Canvas();
    const int G = ImgL ? GlyphWidth + 2 : 21;
    C.Brush()->SetColor(clBtnFace);
    C.FillRect(Rect(0, 0, G, Height()));
    C.Brush()->SetColor(clWindow);
    C.FillRect(Rect(G, 0, Width(), Height()));
    C.Brush()->SetColor(clBtnShadow);
    C.FrameRect(Rect(0, 0, Width(), Height()));
    C.Brush()->SetColor(clWindow);
    C.FrameRect(Rect(1, 1, Width() - 1, Height() - 1));
}

void TskSkinPopupWindow::DrawMarker(TCanvas& canvas, bool up)
{
    const bool hot = ScrollCode == (up ? 1 : 2);
    TRect zone;
    TColor color;
    if (SkinLook()) {
        zone = up ? Rect(NewItemsRect.Left, NewItemsRect.Top, NewItemsRect.Right, NewItemsRect.Top + kScrollZone)
                  : Rect(NewItemsRect.Left, NewItemsRect.Bottom - kScrollZone, NewItemsRect.Right, NewItemsRect.Bottom);
        TBitmap back;
        CreateHSkinImage(DSMI->ItemLO, DSMI->ItemRO, back, *SD->ActivePicture(DSMI->ActivePictureIndex), DSMI->SkinRect,
                         zone.Width(), DSMI->InActiveStretchEffect);
        back.SetHeight(zone.Height());
        canvas.Draw(zone.Left, zone.Top, &back);
        color = hot ? PW->ScrollMarkerActiveColor : PW->ScrollMarkerColor;
    } else {
        zone = up ? Rect(3, 3, Width() - 3, 13) : Rect(3, Height() - 10, Width() - 3, Height() - 3);
        color = hot ? clBtnText : clBtnShadow;
    }
    DrawArrowImage(canvas.Handle(), zone, ColorToRGB(color), up ? 3 : 4);
}

void TskSkinPopupWindow::PaintMenu(TCanvas& canvas)
{
    TBitmap B;
    CreateMenuBackground(B, Scroll);
    if (SkinLook() && DSMI->InActiveTransparent) {
        FPaintBuffer = std::make_unique<TBitmap>();
        CreateMenuBackground(*FPaintBuffer, true);
    }
    for (int i = VisibleStartIndex; i < VisibleStartIndex + VisibleCount; ++i)
        ItemList[std::size_t(i)]->Draw(*B.Canvas());
    if (Scroll) {
        DrawMarker(*B.Canvas(), true);
        DrawMarker(*B.Canvas(), false);
    }
    canvas.Draw(0, 0, &B);
}

void TskSkinPopupWindow::Paint()
{
    PaintMenu(*Canvas());
}

void TskSkinPopupWindow::DrawItemNow(TskSkinMenuItem& item)
{
    if (!HandleAllocated() || !Visible())
        return;
    TCanvas canvas;
    HDC dc = GetDC(Handle());
    canvas.SetHandle(dc);
    item.Draw(canvas);
    canvas.SetHandle(nullptr);
    ReleaseDC(Handle(), dc);
}

void TskSkinPopupWindow::DrawMarkersNow()
{
    if (!HandleAllocated() || !Visible())
        return;
    TCanvas canvas;
    HDC dc = GetDC(Handle());
    canvas.SetHandle(dc);
    DrawMarker(canvas, true);
    DrawMarker(canvas, false);
    canvas.SetHandle(nullptr);
    ReleaseDC(Handle(), dc);
}

} // namespace tovrel
