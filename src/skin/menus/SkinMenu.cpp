#include "skin/menus/SkinMenu.h"

#include "platform/vcl/Forms.h"
#include "platform/vcl/GraphicsObjects.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Timer.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Monitors.h"
#include "skin/data/SkinData.h"
#include "skin/draw/MonitorAreas.h"
#include "skin/menus/MenuMessageHook.h"
#include "skin/menus/SkinMenuItem.h"
#include "skin/menus/SkinPopupWindow.h"

namespace tovrel {

namespace {

void TellControl(TControl* control, unsigned message)
{
    if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && windowed->HandleAllocated())
        SendMessage(windowed->Handle(), message, 0, 0);
    else if (control)
        control->Perform(message, 0, 0);
}

bool IsButtonDown(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: return true;
    default: return false;
    }
}

TRect WorkAreaAt(TForm* form, TPoint p)
{
    RECT r{};
    if (form && form->HandleAllocated()) {
        GetMonitorWorkArea(form->Handle(), true, r);
        return r;
    }
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfo(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &info))
        return info.rcWork;
    GetScreenWorkArea(true, r);
    return r;
}

} // namespace

bool IsSkinMenuCloseMessage(unsigned Msg)
{
    switch (Msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_KILLFOCUS:
    case WM_CANCELMODE:
    case WM_MOUSEACTIVATE:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_PARENTNOTIFY: return true;
    default: return false;
    }
}

TskSkinMenu::TskSkinMenu(TComponent* AOwner, TForm* AForm)
    : TComponent(AOwner), FDefaultMenuItemFont(std::make_unique<TFont>()), FForm(AForm),
      WaitTimer(std::make_unique<TTimer>(nullptr)), FAlive(std::make_shared<bool>(true))
{
    FDefaultMenuItemFont->SetName("Arial");
    FDefaultMenuItemFont->SetHeight(14);
    WaitTimer->SetEnabled(false);
    WaitTimer->SetInterval(kSubMenuDelayMs);
    WaitTimer->SetOnTimer([this](TObject*) { WaitTimerProc(); });
}

TskSkinMenu::~TskSkinMenu()
{
    *FAlive = false;
    CloseLevels(0);
    InstalledPresenterGone(this);
}

void TskSkinMenu::Popup(TControl* APopupCtrl, TskSkinData* ASkinData, int StartIndex, TRect R, TMenuItem* AItem,
                        bool PopupUp)
{
    FFirst = !FVisible;
    // The menu still open tells its own control before the new one is recorded.
    if (FVisible || !FPopupList.empty())
        CloseLevels(0);
    PopupCtrl = APopupCtrl;
    WorkArea = WorkAreaAt(FForm, Point(R.Left, R.Top));
    SkinData = ASkinData;
    if (AItem && StartIndex >= 0 && StartIndex < AItem->Count()) {
        FVisible = true;
        FOpenMenu = AItem->GetParentMenu();
        HookApp();
        OpenLevel(R, AItem, StartIndex, false, PopupUp);
    }
    FFirst = false;
}

void TskSkinMenu::OpenLevel(TRect R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp)
{
    TskDataSkinPopupWindow* entry = SkinData && !SkinData->Empty ? &SkinData->PopupWindow : nullptr;
    auto* level = new TskSkinPopupWindow(nullptr, this, entry);
    FPopupList.push_back(level);
    level->Show(R, AItem, StartIndex, PopupByItem, PopupUp);
}

void TskSkinMenu::ReleaseLevel(TskSkinPopupWindow* level)
{
    if (WItem && WItem->Parent == level) {
        WaitTimer->SetEnabled(false);
        WItem = nullptr;
    }
    level->Hide();
    // The level may be inside its own mouse or key handler: it frees itself after it.
    PostMessage(level->Handle(), CM_RELEASE, 0, 0);
}

void TskSkinMenu::CloseLevels(int FromIndex)
{
    FromIndex = std::max(FromIndex, 0);
    while (int(FPopupList.size()) > FromIndex) {
        TskSkinPopupWindow* level = FPopupList.back();
        FPopupList.pop_back();
        ReleaseLevel(level);
    }
    if (FromIndex != 0)
        return;
    FVisible = false;
    FOpenMenu = nullptr;
    WaitTimer->SetEnabled(false);
    WItem = nullptr;
    UnHookApp();
    DCtrl = PopupCtrl.Get();
    if (TControl* control = PopupCtrl) {
        PopupCtrl = nullptr;
        TellControl(control, SkinMenuClosedMessage);
    }
    if (OnMenuClose) {
        TNotifyEvent fire = std::move(OnMenuClose);
        OnMenuClose = nullptr;
        fire(this);
    }
}

void TskSkinMenu::Hide()
{
    auto alive = FAlive;
    CloseLevels(0);
    if (!*alive)
        return;
    WaitTimer->SetEnabled(false);
    WItem = nullptr;
    // While the form tears down (its components freed, the shown menu among
    // them) it is no longer a window to tell.
    if (FForm && !ComponentState().Contains(csDestroying) && FForm->HandleAllocated())
        SendMessage(FForm->Handle(), SkinMenuClosedMessage, 0, 0);
}

int TskSkinMenu::IndexOfWindow(const TskSkinPopupWindow* AWindow) const
{
    for (std::size_t i = 0; i < FPopupList.size(); ++i)
        if (FPopupList[i] == AWindow)
            return int(i);
    return int(FPopupList.size());
}

void TskSkinMenu::CancelWait(const TskSkinMenuItem* AItem)
{
    if (WItem == AItem) {
        WaitTimer->SetEnabled(false);
        WItem = nullptr;
    }
}

void TskSkinMenu::WaitTimerProc()
{
    WaitTimer->SetEnabled(false);
    TskSkinMenuItem* item = WItem;
    WItem = nullptr;
    if (item)
        ProcessItem(item->Parent, item, true, false);
}

void TskSkinMenu::ProcessItem(TskSkinPopupWindow* AWindow, TskSkinMenuItem* AItem, bool AClick, bool AKb)
{
    const int L = IndexOfWindow(AWindow);
    if (L >= LevelCount())
        return; // a level already closed
    TMenuItem* menuItem = AItem->MenuItem;
    const bool subMenu = menuItem->Count() > 0;
    if (subMenu && !AClick && AKb)
        return; // opens with Right or Enter
    if (!AClick || !subMenu) {
        WaitTimer->SetEnabled(false);
        WItem = nullptr;
    }
    if (!AClick) {
        if (L + 1 < LevelCount())
            CloseLevels(L + 1);
        if (subMenu) {
            WItem = AItem;
            WaitTimer->SetEnabled(true);
        }
        return;
    }
    auto alive = FAlive;
    FCommandMenu = menuItem->GetParentMenu();
    const WORD command = menuItem->Command();
    if (!subMenu && KeepChoice) {
        Chosen = menuItem;
        Hide();
        return;
    }
    if (!subMenu) {
        // The menu vanishes first; the command runs on what is still alive afterwards.
        Hide();
        if (!*alive)
            return;
        if (TMenu* menu = FCommandMenu)
            menu->DispatchCommand(command);
        if (!*alive)
            return;
        FCommandMenu = nullptr;
        if (TControl* control = DCtrl) {
            DCtrl = nullptr;
            TellControl(control, SkinMenuCommandDoneMessage);
        }
        return;
    }
    // A sub-menu's own OnClick runs first and may change its items.
    if (TMenu* menu = FCommandMenu)
        menu->DispatchCommand(command);
    if (!*alive || IndexOfWindow(AWindow) >= LevelCount() || !FCommandMenu)
        return;
    FCommandMenu = nullptr;
    WaitTimer->SetEnabled(false);
    WItem = nullptr;
    if (L + 1 < LevelCount())
        CloseLevels(L + 1);
    AItem->Down = true;
    AItem->RedrawItem();
    TRect R = AItem->ObjectRect;
    R.Left += AWindow->Left();
    R.Right += AWindow->Left();
    R.Top += AWindow->Top();
    R.Bottom += AWindow->Top();
    OpenLevel(R, menuItem, 0, true, false);
}

bool TskSkinMenu::IsLevelWindow(HWND wnd) const
{
    for (TskSkinPopupWindow* level : FPopupList)
        if (level->HandleAllocated() && level->Handle() == wnd)
            return true;
    return false;
}

void TskSkinMenu::HookApp()
{
    if (FInAppHook)
        return;
    FInAppHook = true;
    PushMenuMessageHook(this, [this](MSG& msg, bool& handled) { AppMessage(msg, handled); });
}

void TskSkinMenu::UnHookApp()
{
    if (!FInAppHook)
        return;
    FInAppHook = false;
    RemoveMenuMessageHook(this);
}

void TskSkinMenu::AppMessage(MSG& msg, bool& handled)
{
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        const WORD key = WORD(msg.wParam);
        msg.message = WM_NULL;
        handled = true;
        if (KeyFilter && KeyFilter(key))
            return;
        if (TskSkinPopupWindow* top = TopLevel())
            top->PopupKeyDown(key);
    } else if (msg.message == WM_MOUSEWHEEL || msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
        msg.message = WM_NULL;
        handled = true;
    } else if (IsButtonDown(msg.message) && !IsLevelWindow(msg.hwnd)) {
        // A press anywhere else closes every level and goes on to its window.
        Hide();
    }
}

} // namespace tovrel
