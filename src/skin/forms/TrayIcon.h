#pragma once
// TskTrayIcon: an icon in the desktop's notification area (the tray). It
// delivers the icon's mouse actions as events (a click and a double click
// told apart by the double-click time), pops up a skinned menu at the
// cursor, cycles through an image list's icons, shows balloon notes, and
// hides and shows the application's main form (minimize to tray). The tray
// is a capability: where the desktop has none, adding the icon fails, and
// minimizing to the tray leaves the form reachable.
#include <functional>
#include <memory>
#include <string>

#include "platform/vcl/Component.h"
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/ControlTypes.h"
#include "platform/wm/NotifyIcon.h"
#include "skin/menus/SkinPopupMenu.h"

namespace tovrel {

class TCustomImageList;
class THintWindow;
class TIcon;
class TTimer;
class TWinControl;

enum class TskBalloonHintIconType : std::uint8_t { skbitNone, skbitInfo, skbitWarning, skbitError };
using TskCycleEvent = std::function<void(TObject* Sender, int NextIndex)>;

// The callback message the icon's window hears from the tray.
constexpr UINT TrayIconCallbackMessage = 2048;

class TskTrayIcon : public TComponent {
public:
    explicit TskTrayIcon(TComponent* AOwner);
    ~TskTrayIcon() override;

    // After the owner set the properties: the start in the tray
    // (MinimizedOnStart) and the icon as IconVisible says.
    void Loaded();

    TCustomImageList* IconList() const { return FIconList; }
    // The list's first icon becomes current.
    void SetIconList(TCustomImageList* Value);
    bool CycleIcons() const { return FCycleIcons; }
    void SetCycleIcons(bool Value);
    unsigned AnimateTimerInterval() const { return FAnimateTimerInterval; }
    void SetAnimateTimerInterval(unsigned Value);
    // The icon's mouse actions reach the events.
    bool Enabled = true;
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(TIcon* Value);
    bool IconVisible() const { return FIconVisible; }
    void SetIconVisible(bool Value);
    int IconIndex() const { return FIconIndex; }
    // Held within the list's icons; without a list 0.
    void SetIconIndex(int Value);
    TskSkinPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TskSkinPopupMenu* Value) { FPopupMenu = Value; }
    bool PopupByLeftButton = false;
    bool MinimizedOnStart = false;
    // Minimizing the owner form hides it in the tray.
    bool MinimizeToTray = true;

    TNotifyEvent OnClick, OnDblClick, OnBalloonHintClick;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TskCycleEvent OnCycle;

    // Each answers whether the tray took the call.
    virtual bool AddNotifyIcon();
    virtual bool DeleteNotifyIcon();
    virtual bool ModifyNotifyIcon();
    bool Refresh() { return ModifyNotifyIcon(); }
    // Title cut to 63 characters, text to 255; a second note replaces the
    // first. Where the desktop shows no notes, the note joins the tooltip
    // until it is hidden.
    bool ShowBalloonHint(const std::string& Title, const std::string& Text, TskBalloonHintIconType IconType);
    bool HideBalloonHint();

    void ShowMainForm();
    void HideMainForm();
    // Hides the main form only when the icon could be shown: without a tray
    // the form stays (false).
    virtual bool DoMinimizeToTray();

    // The hidden window the tray reports to.
    HWND Handle() const { return FWindowHandle; }
    // The tooltip shown while the pointer rests on the icon (the tray draws none).
    THintWindow* TipWindow() const { return FTipWindow.get(); }

protected:
    virtual bool UseApplicationIcon() { return true; }
    virtual void Click();
    virtual void DblClick();
    virtual void Cycle();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);

private:
    static LRESULT IconWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void TrayCallback(LPARAM Action);
    bool PrepareIconData();
    void PopupAtCursor();
    void ClickTimerProc();
    void CycleTimerProc();
    void HookParent();
    void ShowTip();
    void HideTip();
    TWinControl* OwnerControl() const;
    // The hint and a note the desktop could not show.
    std::string TipText() const;

    TComponentRef<TCustomImageList> FIconList{*this};
    TComponentRef<TskSkinPopupMenu> FPopupMenu{*this};
    std::unique_ptr<TIcon> FIcon;
    std::string FHint;
    std::string FNoteTip;
    bool FShowHint = true;
    bool FIconVisible = false;
    bool FCycleIcons = false;
    unsigned FAnimateTimerInterval = 0;
    int FIconIndex = 0;
    bool FClickStart = false, FClickReady = false, IsDblClick = false;
    TTimer* AnimateTimer = nullptr;
    TTimer* ClickTimer = nullptr;
    HWND FWindowHandle = nullptr;
    NOTIFYICONDATA IconData;
    std::unique_ptr<THintWindow> FTipWindow;
    // Cleared at destruction: the owner's window procedure then only forwards.
    std::shared_ptr<bool> FHooked;
};

} // namespace tovrel
