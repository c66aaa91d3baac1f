#include "skin/menus/SkinImagesMenu.h"

#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/GraphicsObjects.h"
#include "platform/vcl/ImageList.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Monitors.h"
#include "platform/wm/Paint.h"
#include "platform/wm/WindowPos.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFixedEntries.h"
#include "skin/data/SkinMenuEntries.h"
#include "skin/menus/MenuMessageHook.h"
#include "skin/menus/MenuSkinParts.h"
#include "skin/menus/PopupFade.h"
#include "skin/menus/PopupWindowLook.h"
#include "skin/menus/SkinMenu.h"

#include <algorithm>

namespace tovrel {

namespace {

constexpr TColor kHotFill = TColor(0xD2BDB6), kDownFill = TColor(0xB59385), kFrame = TColor(0x800000);
constexpr int kCellPadding = 10, kImageInset = 5;
// The fade-in's alpha step per tick.
constexpr int kGridFadeStep = 10;

// The menus' closing messages, but a left press is the grid's own (it holds
// the capture), and system keys end it too.
bool ClosesGrid(UINT message)
{
    if (message == WM_SYSKEYDOWN || message == WM_SYSCHAR)
        return true;
    return message != WM_LBUTTONDOWN && IsSkinMenuCloseMessage(message);
}

} // namespace

void TskImagesMenuItem::Assign(const TskImagesMenuItem& source)
{
    ImageIndex = source.ImageIndex;
    Caption = source.Caption;
    Button = source.Button;
    Hint = source.Hint;
}

void LayOutImagesMenu(std::vector<std::unique_ptr<TskImagesMenuItem>>& items, TSize imageSize, int columns,
                      TPoint origin, int headerHeight)
{
    const int CW = imageSize.cx + kCellPadding, CH = imageSize.cy + kCellPadding, RW = columns * CW;
    const int L = origin.X;
    int x = L, y = origin.Y;
    for (auto& item : items) {
        if (item->Header || item->Button) {
            if (x != L)
                y += CH + 1; // the open row ends
            const int h = item->Header ? headerHeight : CH;
            item->ItemRect = Rect(L, y, L + RW, y + h);
            y += h + 1;
            x = L;
            continue;
        }
        item->ItemRect = Rect(x, y, x + CW, y + CH);
        x += CW;
        if (x + CW > L + RW) {
            x = L;
            y += CH + 1;
        }
    }
}

// ---- the grid window ----

TskSkinImagesMenuPopupWindow::TskSkinImagesMenuPopupWindow(TskSkinImagesMenu* AImagesMenu)
    : TCustomControl(nullptr), ImagesMenu(AImagesMenu), FFade(std::make_unique<TskPopupFade>())
{
    SetVisible(false);
}

TskSkinImagesMenuPopupWindow::~TskSkinImagesMenuPopupWindow()
{
    UnHookApp();
}

void TskSkinImagesMenuPopupWindow::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    SetMenuPopupParams(params);
}

void TskSkinImagesMenuPopupWindow::CalcSize()
{
    TskSkinData* skin = ImagesMenu->SkinData();
    WindowPicture = MaskPicture = nullptr;
    if (skin && !skin->Empty && skin->PopupWindow.WindowPictureIndex != -1) {
        WindowPicture = skin->ActivePicture(skin->PopupWindow.WindowPictureIndex);
        MaskPicture = skin->ActivePicture(skin->PopupWindow.MaskPictureIndex);
    }
    FSkinSupport = WindowPicture != nullptr; // a picture beyond the list: the built-in look
    const TskDataSkinPopupWindow* pw = FSkinSupport ? &skin->PopupWindow : nullptr;
    TCustomImageList& images = *ImagesMenu->Images();
    const int CH = images.Height() + kCellPadding;
    const TPoint origin = pw ? Point(pw->ItemsRect.Left, pw->ItemsRect.Top) : Point(5, 5);
    auto& items = ImagesMenu->ImagesItems;
    const auto label = FindHeaderBand(skin, {"label"});
    LayOutImagesMenu(items, {images.Width(), images.Height()}, ImagesMenu->ColumnsCount(), origin,
                     label ? label.Entry->SkinRect.Height() : CH);
    const int RW = ImagesMenu->ColumnsCount() * (images.Width() + kCellPadding);
    // With no items the grid is an empty frame one cell high.
    const int D = items.empty() ? CH : items.back()->ItemRect.Bottom - items.front()->ItemRect.Top;
    if (!pw) {
        SetBounds(Left(), Top(), RW + 10, D + 10);
        NewItemsRect = Rect(5, 5, RW + 5, D + 5);
        return;
    }
    const int width = WindowPicture->Width() + RW - pw->ItemsRect.Width();
    const int height = WindowPicture->Height() + D - pw->ItemsRect.Height();
    SetBounds(Left(), Top(), width, height);
    NewItemsRect = Rect(pw->ItemsRect.Left, pw->ItemsRect.Top, width - (WindowPicture->Width() - pw->ItemsRect.Right),
                        height - (WindowPicture->Height() - pw->ItemsRect.Bottom));
    if (MaskPicture)
        SetWindowRgn(Handle(), CreatePopupWindowRegion(*pw, *WindowPicture, *MaskPicture, width, height), true);
}

void TskSkinImagesMenuPopupWindow::CalcPopupPosition(TRect R)
{
    TRect WA;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfo(MonitorFromPoint(Point(R.Left, R.Top), MONITOR_DEFAULTTONEAREST), &info))
        WA = info.rcWork;
    int x = R.Left, y = R.Bottom;
    if (y + Height() > WA.Bottom)
        y = R.Top - Height();
    if (x + Width() > WA.Right)
        x = WA.Right - Width();
    SetBounds(std::max(x, WA.Left), std::max(y, WA.Top), Width(), Height());
}

void TskSkinImagesMenuPopupWindow::Show(TRect PopupRect)
{
    CalcSize();
    CalcPopupPosition(PopupRect);
    const TskSkinImagesMenu& menu = *ImagesMenu;
    FFade->Prepare(Handle(), menu.AlphaBlend, menu.AlphaBlendAnimation, menu.AlphaBlendValue, kGridFadeStep);
    SetWindowPos(Handle(), HWND_TOPMOST, Left(), Top(), 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetVisible(true);
    FFade->Start();
    PushMenuMessageHook(this, [this](MSG& msg, bool& handled) { AppMessage(msg, handled); });
    FHooked = true;
    SetCapture(Handle());
}

void TskSkinImagesMenuPopupWindow::UnHookApp()
{
    if (!FHooked)
        return;
    FHooked = false;
    RemoveMenuMessageHook(this);
}

void TskSkinImagesMenuPopupWindow::Abandon()
{
    if (FClosed)
        return;
    FClosed = true;
    FFade->Stop();
    HideMenuPopup(*this);
    UnHookApp();
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
    // The window may be inside its own mouse or key handling: it frees itself after it.
    if (HandleAllocated())
        PostMessage(Handle(), CM_RELEASE, 0, 0);
}

void TskSkinImagesMenuPopupWindow::Hide(bool AProcessEvents)
{
    if (FClosed)
        return;
    Abandon();
    ImagesMenu->CloseUp(AProcessEvents);
}

void TskSkinImagesMenuPopupWindow::AppMessage(MSG& msg, bool& handled)
{
    if (msg.message == WM_KEYDOWN) {
        msg.message = WM_NULL;
        handled = true;
        ProcessKey(WORD(msg.wParam));
    } else if (ClosesGrid(msg.message)) {
        Hide(false);
    }
}

void TskSkinImagesMenuPopupWindow::WndProc(TMessage& message)
{
    if (message.Msg == CM_RELEASE) {
        delete this;
        return;
    }
    if (FClosed)
        return; // closed: only waiting for its release
    switch (message.Msg) {
    case WM_MOUSEACTIVATE: message.Result = MA_NOACTIVATE; return;
    case WM_ERASEBKGND: message.Result = 1; return;
    case CM_MOUSELEAVE: SetHot(-1); break;
    default: break;
    }
    TCustomControl::WndProc(message);
    if ((message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) && !FClosed) {
        POINT cursor{};
        GetCursorPos(&cursor);
        if (WindowFromPoint(cursor) != Handle())
            Hide(false); // with the capture, presses outside arrive here
    }
}

int TskSkinImagesMenuPopupWindow::ItemAtPos(TPoint P) const
{
    const auto& items = ImagesMenu->ImagesItems;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TRect r = items[i]->ItemRect;
        // Edges included: a point on a shared edge goes to the earlier cell.
        if (!items[i]->Header && P.X >= r.Left && P.X <= r.Right && P.Y >= r.Top && P.Y <= r.Bottom)
            return int(i);
    }
    return -1;
}

void TskSkinImagesMenuPopupWindow::SetHot(int index)
{
    if (index == MouseInItem)
        return;
    MouseInItem = index;
    Invalidate();
}

void TskSkinImagesMenuPopupWindow::MouseMove(TShiftState shift, int x, int y)
{
    TCustomControl::MouseMove(shift, x, y);
    SetHot(ItemAtPos(Point(x, y)));
}

void TskSkinImagesMenuPopupWindow::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    FDown = true;
    FItemDown = ItemAtPos(Point(x, y)) != -1;
    Invalidate();
}

void TskSkinImagesMenuPopupWindow::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseUp(button, shift, x, y);
    if (FClosed)
        return;
    const int hit = ItemAtPos(Point(x, y));
    if (FDown && hit != -1) {
        ImagesMenu->ItemIndex = hit;
        Hide(true);
        return;
    }
    FDown = FItemDown = false;
    SetCapture(Handle()); // the grid stays and keeps the mouse
}

void TskSkinImagesMenuPopupWindow::ProcessKey(WORD Key)
{
    const auto& items = ImagesMenu->ImagesItems;
    const int count = int(items.size()), hot = MouseInItem;
    const auto selectable = [&](int i) { return i >= 0 && i < count && !items[std::size_t(i)]->Header; };
    const auto firstSelectable = [&] { return count > 1 && items[0]->Header ? 1 : 0; };
    const auto lastSelectable = [&] {
        for (int i = count - 1; i >= 0; --i)
            if (selectable(i))
                return i;
        return -1;
    };
    // Up and Down keep to the column: a lower or higher item at the same left edge, or a button row.
    const auto column = [&](int step) {
        const TRect from = items[std::size_t(hot)]->ItemRect;
        for (int i = hot + step; i >= 0 && i < count; i += step) {
            const TskImagesMenuItem& it = *items[std::size_t(i)];
            const bool beyond = step > 0 ? it.ItemRect.Top > from.Top : it.ItemRect.Top < from.Top;
            if (!it.Header && beyond && (it.Button || it.ItemRect.Left == from.Left))
                return i;
        }
        return hot;
    };
    const auto step = [&](int by) {
        for (int i = hot + by; i >= 0 && i < count; i += by)
            if (selectable(i))
                return i;
        return hot;
    };
    switch (Key) {
    case VK_RETURN:
    case VK_SPACE:
        if (hot != -1)
            ImagesMenu->ItemIndex = hot;
        Hide(true);
        return;
    case VK_ESCAPE: Hide(false); return;
    case VK_UP: SetHot(hot == -1 ? lastSelectable() : column(-1)); break;
    case VK_DOWN: SetHot(hot == -1 ? firstSelectable() : column(1)); break;
    case VK_RIGHT: SetHot(hot == -1 || hot == count - 1 ? firstSelectable() : step(1)); break;
    case VK_LEFT: SetHot(hot == -1 || hot == firstSelectable() ? lastSelectable() : step(-1)); break;
    default: break;
    }
}

void TskSkinImagesMenuPopupWindow::DrawItemFrame(TCanvas& C, TRect r, bool pressed)
{
    if (const auto frame =
            FSkinSupport ? FindCellFrame(ImagesMenu->SkinData()) : TskMenuSkinPart<TskDataSkinButtonControl>{}) {
        TBitmap B;
        CreateCellFrameImage(B, frame, r.Width(), r.Height(), pressed);
        C.Draw(r.Left, r.Top, &B);
        return;
    }
    C.Brush()->SetColor(kFrame);
    C.FrameRect(r);
    C.Brush()->SetColor(pressed ? kDownFill : kHotFill);
    C.FillRect(Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
}

void TskSkinImagesMenuPopupWindow::DrawItemText(TCanvas& C, const std::string& text, TRect r, bool pressed, bool hot)
{
    TskSkinData* skin = FSkinSupport ? ImagesMenu->SkinData() : nullptr;
    const TskDataSkinMenuItem* row = FindMenuItemObject(skin);
    const auto frame = FindCellFrame(skin);
    C.Font()->Assign(ImagesMenu->DefaultFont());
    C.Font()->SetColor(clWindowText);
    if (row && frame) {
        const TskDataSkinButtonControl& button = *frame.Entry;
        if (ImagesMenu->UseSkinFont) {
            C.Font()->SetName(button.FontName);
            C.Font()->SetHeight(button.FontHeight);
            C.Font()->SetStyle(button.FontStyle);
        }
        C.Font()->SetColor(pressed ? button.DownFontColor : hot ? button.ActiveFontColor : row->FontColor);
    }
    C.Brush()->SetStyle(bsClear);
    RECT measure = Rect(0, 0, 0, 0);
    DrawText(C.Handle(), text, &measure, DT_SINGLELINE | DT_CALCRECT);
    const UINT align = measure.Width() <= r.Width() ? DT_CENTER : DT_LEFT;
    DrawText(C.Handle(), text, &r, DT_SINGLELINE | DT_VCENTER | align);
}

void TskSkinImagesMenuPopupWindow::DrawHeader(TCanvas& C, TRect r, const std::string& text)
{
    if (const auto band = FindHeaderBand(ImagesMenu->SkinData(), {"label"})) {
        DrawHeaderBand(C, band, Point(r.Left, r.Top), r.Width(), text);
        return;
    }
    C.Font()->Assign(ImagesMenu->DefaultFont());
    C.Font()->SetColor(clWindowText);
    C.Brush()->SetStyle(bsClear);
    DrawText(C.Handle(), text, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

void TskSkinImagesMenuPopupWindow::DrawItems(TCanvas& C, int hot, int selected)
{
    TCustomImageList& images = *ImagesMenu->Images();
    const auto& items = ImagesMenu->ImagesItems;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TskImagesMenuItem& item = *items[i];
        TRect r = item.ItemRect;
        if (item.Header) {
            DrawHeader(C, r, item.Caption);
            continue;
        }
        const bool isSelected = int(i) == selected, isHot = int(i) == hot;
        if (isSelected && !FItemDown)
            DrawItemFrame(C, r, true);
        else if (isHot)
            DrawItemFrame(C, r, FItemDown);
        int offset = 0;
        if (item.ImageIndex >= 0 && item.ImageIndex < images.Count()) {
            images.Draw(&C, r.Left + kImageInset, r.Top + kImageInset, item.ImageIndex, true);
            offset = images.Width() + kImageInset;
        }
        if (item.Button && !item.Caption.empty()) {
            r.Left += offset;
            DrawItemText(C, item.Caption, r, (isSelected && !FItemDown) || (isHot && FItemDown), isHot && !FItemDown);
        }
    }
}

void TskSkinImagesMenuPopupWindow::Paint()
{
    TBitmap B(Width(), Height());
    TCanvas& C = *B.Canvas();
    if (FSkinSupport) {
        CreatePopupWindowImage(B, ImagesMenu->SkinData()->PopupWindow, *WindowPicture, Width(), Height(), true);
    } else {
        C.Pen()->SetColor(clBtnShadow);
        C.Brush()->SetColor(clWindow);
        C.Rectangle(0, 0, Width(), Height());
    }
    DrawItems(C, MouseInItem, ImagesMenu->ShowSelectedItem ? ImagesMenu->ItemIndex : -1);
    Canvas()->Draw(0, 0, &B);
}

// ---- the menu component ----

TskSkinImagesMenu::TskSkinImagesMenu(TComponent* AOwner)
    : TComponent(AOwner), FDefaultFont(std::make_unique<TFont>()), FAlive(std::make_shared<bool>(true))
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
}

TskSkinImagesMenu::~TskSkinImagesMenu()
{
    *FAlive = false;
    if (TskSkinImagesMenuPopupWindow* window = FPopupWindow) {
        FPopupWindow = nullptr;
        window->Abandon();
    }
}

TskImagesMenuItem* TskSkinImagesMenu::Add()
{
    ImagesItems.push_back(std::make_unique<TskImagesMenuItem>());
    return ImagesItems.back().get();
}

void TskSkinImagesMenu::SetColumnsCount(int Value)
{
    if (Value >= 1 && Value <= 50)
        FColumnsCount = Value;
}

TskImagesMenuItem* TskSkinImagesMenu::SelectedItem() const
{
    return ItemIndex >= 0 && ItemIndex < int(ImagesItems.size()) ? ImagesItems[std::size_t(ItemIndex)].get() : nullptr;
}

void TskSkinImagesMenu::Popup(int X, int Y)
{
    PopupFromRect(Rect(X, Y, X, Y));
}

void TskSkinImagesMenu::PopupFromRect(TRect R)
{
    Hide();
    auto alive = FAlive;
    if (OnMenuPopup)
        OnMenuPopup(this);
    if (!*alive || !FImages || FImages->Count() == 0)
        return;
    FOldItemIndex = ItemIndex;
    FPopupWindow = new TskSkinImagesMenuPopupWindow(this);
    FPopupWindow->Show(R);
}

void TskSkinImagesMenu::Hide()
{
    if (FPopupWindow)
        FPopupWindow->Hide(false);
}

void TskSkinImagesMenu::CloseUp(bool AProcessEvents)
{
    FPopupWindow = nullptr;
    auto alive = FAlive;
    // Each handler may free the menu: nothing of it is touched after that.
    const auto fire = [&](const TNotifyEvent& event) {
        if (*alive && event) {
            const TNotifyEvent copy = event;
            copy(this);
        }
        return *alive;
    };
    if (!fire(OnInternalMenuClose) || !fire(OnMenuClose))
        return;
    if (!AProcessEvents || ItemIndex == -1)
        return;
    if (TskImagesMenuItem* item = SelectedItem(); item && !fire(item->OnClick))
        return;
    if (!fire(OnItemClick) || ItemIndex == FOldItemIndex)
        return;
    if (fire(OnInternalChange))
        fire(OnChange);
}

} // namespace tovrel
