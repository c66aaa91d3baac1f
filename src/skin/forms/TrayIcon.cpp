#include "skin/forms/TrayIcon.h"

#include <algorithm>

#include "platform/rtl/Text.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/HintWindow.h"
#include "platform/vcl/Icon.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/Menus.h"
#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Messages.h"
#include "platform/wm/Styles.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/Wm.h"
#include "skin/forms/DisabledTimer.h"
#include "skin/forms/PlainWindowClass.h"
#include "skin/menus/SkinPopupMenu.h"

namespace tovrel {

namespace {

constexpr const char* kIconWindowClass = "TskTrayIconWindow";
constexpr UINT kIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

TPoint Cursor()
{
    POINT p{};
    GetCursorPos(&p);
    return {p.X, p.Y};
}

} // namespace

TskTrayIcon::TskTrayIcon(TComponent* AOwner) : TComponent(AOwner), FIcon(std::make_unique<TIcon>())
{
    RegisterPlainWindowClass(kIconWindowClass, &IconWndProc);
    FWindowHandle = CreateWindowEx(WS_EX_TOOLWINDOW, kIconWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   nullptr, nullptr);
    SetWindowLongPtr(FWindowHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    IconData.hWnd = FWindowHandle;
    IconData.uID = 1;
    IconData.uFlags = kIconFlags;
    IconData.uCallbackMessage = TrayIconCallbackMessage;
    AnimateTimer = DisabledTimer(this, 0, [this] { CycleTimerProc(); });
    ClickTimer = DisabledTimer(this, GetDoubleClickTime(), [this] { ClickTimerProc(); });
    if (FIcon->Empty() && UseApplicationIcon() && Application && Application->Icon() && !Application->Icon()->Empty())
        FIcon->Assign(Application->Icon());
    HookParent();
}

TskTrayIcon::~TskTrayIcon()
{
    SetIconVisible(false);
    if (FHooked)
        *FHooked = false;
    SetWindowLongPtr(FWindowHandle, GWLP_USERDATA, 0);
    DestroyWindow(FWindowHandle);
}

TWinControl* TskTrayIcon::OwnerControl() const
{
    return dynamic_cast<TWinControl*>(Owner());
}

void TskTrayIcon::HookParent()
{
    TWinControl* owner = OwnerControl();
    if (!owner)
        return;
    FHooked = std::make_shared<bool>(true);
    // The old procedure keeps running whatever happens to this component.
    owner->WindowProc = [this, hooked = FHooked, old = owner->WindowProc](TMessage& message) {
        if (*hooked && message.Msg == WM_SIZE && message.WParam == SIZE_MINIMIZED && MinimizeToTray)
            DoMinimizeToTray();
        old(message);
    };
}

void TskTrayIcon::Loaded()
{
    auto* owner = dynamic_cast<TCustomForm*>(Owner());
    if (owner && MinimizedOnStart) {
        MinimizeToTray = true;
        if (Application)
            Application->ShowMainForm = false;
        // Without a tray the form starts shown: it has to stay reachable.
        if (!AddNotifyIcon() && Application)
            Application->ShowMainForm = true;
    }
    ModifyNotifyIcon();
    SetIconVisible(FIconVisible);
}

bool TskTrayIcon::PrepareIconData()
{
    IconData.hIcon = FIcon->Empty() ? nullptr : FIcon->Handle();
    IconData.szTip = Utf8Copy(TipText(), 1, 127);
    return true;
}

std::string TskTrayIcon::TipText() const
{
    std::string tip = FShowHint ? FHint : std::string();
    if (!FNoteTip.empty())
        tip += (tip.empty() ? "" : "\n") + FNoteTip;
    return tip;
}

bool TskTrayIcon::AddNotifyIcon()
{
    FIconVisible = true;
    return PrepareIconData() && Shell_NotifyIcon(NIM_ADD, &IconData);
}

bool TskTrayIcon::DeleteNotifyIcon()
{
    FIconVisible = false;
    HideTip();
    return PrepareIconData() && Shell_NotifyIcon(NIM_DELETE, &IconData);
}

bool TskTrayIcon::ModifyNotifyIcon()
{
    return PrepareIconData() && Shell_NotifyIcon(NIM_MODIFY, &IconData);
}

void TskTrayIcon::SetIcon(TIcon* Value)
{
    FIcon->Assign(Value);
    ModifyNotifyIcon();
}

void TskTrayIcon::SetIconVisible(bool Value)
{
    if (Value)
        AddNotifyIcon();
    else
        DeleteNotifyIcon();
}

void TskTrayIcon::SetCycleIcons(bool Value)
{
    FCycleIcons = Value;
    if (Value)
        SetIconIndex(0);
    AnimateTimer->SetEnabled(Value);
}

void TskTrayIcon::SetAnimateTimerInterval(unsigned Value)
{
    FAnimateTimerInterval = Value;
    AnimateTimer->SetInterval(Value);
}

void TskTrayIcon::SetIconList(TCustomImageList* Value)
{
    FIconList = Value;
    SetIconIndex(0);
}

void TskTrayIcon::SetIconIndex(int Value)
{
    TCustomImageList* list = FIconList;
    if (!list) {
        FIconIndex = 0;
    } else if (list->Count() > 0) {
        // A negative index or one past the list names no icon.
        FIconIndex = std::clamp(Value, 0, list->Count() - 1);
        list->GetIcon(FIconIndex, FIcon.get());
    }
    ModifyNotifyIcon();
}

void TskTrayIcon::SetHint(const std::string& Value)
{
    FHint = Value;
    ModifyNotifyIcon();
}

void TskTrayIcon::SetShowHint(bool Value)
{
    FShowHint = Value;
    ModifyNotifyIcon();
}

bool TskTrayIcon::ShowBalloonHint(const std::string& Title, const std::string& Text, TskBalloonHintIconType IconType)
{
    HideBalloonHint();
    IconData.uFlags |= NIF_INFO;
    IconData.szInfo = Utf8Copy(Text, 1, 255);
    IconData.szInfoTitle = Utf8Copy(Title, 1, 63);
    IconData.dwInfoFlags = DWORD(IconType);
    bool shown = ModifyNotifyIcon();
    IconData.uFlags = kIconFlags;
    // A desktop without notes: the note goes into the icon's tooltip.
    if (!shown && FIconVisible && !Text.empty()) {
        FNoteTip = IconData.szInfoTitle.empty() ? IconData.szInfo : IconData.szInfoTitle + ": " + IconData.szInfo;
        shown = ModifyNotifyIcon();
    }
    return shown;
}

bool TskTrayIcon::HideBalloonHint()
{
    if (!FNoteTip.empty()) {
        FNoteTip.clear();
        ModifyNotifyIcon();
    }
    IconData.uFlags |= NIF_INFO;
    IconData.szInfo.clear();
    return ModifyNotifyIcon();
}

void TskTrayIcon::ShowMainForm()
{
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!OwnerControl() || !main)
        return;
    main->Show();
    if (main->WindowState() == wsMinimized)
        main->SetWindowState(wsNormal);
    main->Tag = -10000;
    SetForegroundWindow(main->Handle());
}

void TskTrayIcon::HideMainForm()
{
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!OwnerControl() || !main)
        return;
    main->Hide();
    main->Tag = -10000;
}

bool TskTrayIcon::DoMinimizeToTray()
{
    // No tray: the form stays on the desktop where it can be found.
    const bool wasVisible = FIconVisible;
    if (!AddNotifyIcon()) {
        FIconVisible = wasVisible;
        return false;
    }
    HideMainForm();
    return true;
}

// ---- the tray's reports ----

LRESULT TskTrayIcon::IconWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* icon = reinterpret_cast<TskTrayIcon*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!icon)
        return DefWindowProc(hwnd, message, wParam, lParam);
    if (message == TrayIconCallbackMessage) {
        if (icon->Enabled)
            icon->TrayCallback(lParam);
        return 0;
    }
    // A tray that appeared (or came back) has none of the icons.
    if (message == TaskbarCreatedMessage()) {
        if (icon->FIconVisible)
            icon->AddNotifyIcon();
        return 0;
    }
    switch (message) {
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_NCDESTROY: return 1;
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

void TskTrayIcon::TrayCallback(LPARAM Action)
{
    const TPoint at = Cursor();
    const TShiftState shift = GetShiftState();
    const auto with = [shift](TShiftStateFlag button) {
        TShiftState s = shift;
        s.Include(button);
        return s;
    };
    if (Action != WM_MOUSEMOVE)
        HideTip();
    switch (UINT(Action)) {
    case WM_MOUSEMOVE:
        MouseMove(shift, at.X, at.Y);
        ShowTip();
        break;
    case WM_MOUSELEAVE: break;
    case WM_LBUTTONDOWN:
        ClickTimer->SetEnabled(true);
        MouseDown(mbLeft, with(ssLeft), at.X, at.Y);
        FClickStart = true;
        if (PopupByLeftButton)
            PopupAtCursor();
        break;
    case WM_LBUTTONUP:
        if (FClickStart) {
            FClickReady = true;
            if (!ClickTimer->Enabled()) {
                FClickStart = FClickReady = false;
                Click();
            }
        }
        FClickStart = false;
        MouseUp(mbLeft, with(ssLeft), at.X, at.Y);
        break;
    case WM_LBUTTONDBLCLK:
        FClickReady = false;
        IsDblClick = true;
        DblClick();
        if (TskSkinPopupMenu* menu = FPopupMenu; menu && menu->AutoPopup && !PopupByLeftButton)
            for (int i = 0; i < menu->Items()->Count(); ++i)
                if (TMenuItem* item = menu->Items()->Items(i); item->Default()) {
                    item->Click();
                    break;
                }
        break;
    case WM_RBUTTONDOWN:
        MouseDown(mbRight, with(ssRight), at.X, at.Y);
        PopupAtCursor();
        break;
    case WM_RBUTTONUP: MouseUp(mbRight, with(ssRight), at.X, at.Y); break;
    case WM_MBUTTONDOWN: MouseDown(mbMiddle, with(ssMiddle), at.X, at.Y); break;
    case WM_MBUTTONUP: MouseUp(mbMiddle, with(ssMiddle), at.X, at.Y); break;
    case NIN_BALLOONUSERCLICK:
        if (OnBalloonHintClick)
            OnBalloonHintClick(this);
        break;
    default: break;
    }
}

void TskTrayIcon::ClickTimerProc()
{
    ClickTimer->SetEnabled(false);
    if (!IsDblClick && FClickReady) {
        FClickReady = false;
        Click();
    }
    IsDblClick = false;
}

void TskTrayIcon::CycleTimerProc()
{
    TCustomImageList* list = FIconList;
    if (!list || list->Count() == 0)
        return;
    list->GetIcon(FIconIndex, FIcon.get());
    Cycle();
    ModifyNotifyIcon();
    SetIconIndex(FIconIndex < list->Count() - 1 ? FIconIndex + 1 : 0);
}

void TskTrayIcon::PopupAtCursor()
{
    TskSkinPopupMenu* menu = FPopupMenu;
    if (!menu || !menu->AutoPopup)
        return;
    POINT p{};
    if (!GetCursorPos(&p))
        return;
    if (Application)
        Application->ProcessMessages();
    TWinControl* owner = OwnerControl();
    if (owner && owner->HandleAllocated())
        SetForegroundWindow(owner->Handle());
    menu->PopupComponent = this;
    menu->Popup(p.X, p.Y);
    if (owner && owner->HandleAllocated())
        PostMessage(owner->Handle(), WM_NULL, 0, 0);
}

// The tray draws no tooltip for the icon: it shows at the pointer while it
// rests on the icon.
void TskTrayIcon::ShowTip()
{
    const std::string tip = TipText();
    if (tip.empty())
        return;
    if (!FTipWindow)
        FTipWindow = std::make_unique<THintWindow>(nullptr);
    const TPoint at = Cursor();
    TRect r = FTipWindow->CalcHintRect(300, tip, nullptr);
    r = {at.X, at.Y + 20, at.X + r.Width(), at.Y + 20 + r.Height()};
    FTipWindow->ActivateHint(r, tip);
}

void TskTrayIcon::HideTip()
{
    if (FTipWindow && FTipWindow->HandleAllocated())
        FTipWindow->ReleaseHandle();
}

// ---- events ----

void TskTrayIcon::Click()
{
    if (OnClick)
        OnClick(this);
}

void TskTrayIcon::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TskTrayIcon::Cycle()
{
    if (!OnCycle)
        return;
    TCustomImageList* list = FIconList;
    OnCycle(this, list && FIconIndex < list->Count() - 1 ? FIconIndex + 1 : 0);
}

void TskTrayIcon::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TskTrayIcon::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TskTrayIcon::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

} // namespace tovrel
