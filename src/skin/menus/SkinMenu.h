#pragma once
// TskSkinMenu: the skinned popup menu engine. It keeps the stack of open
// level windows, opens a sub-menu after the hover delay (at once on a click
// or key), turns a click on a plain item into its command once every level
// has closed, and tells the control that dropped the menu when the menu has
// closed (SkinMenuClosedMessage) and when the command has run
// (SkinMenuCommandDoneMessage). While open it takes the application's keys
// (the topmost level answers them) and closes on a button press outside its
// levels or when the application loses the desktop.
#include "platform/vcl/Application.h"
#include "platform/vcl/Component.h"
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/Control.h"
#include "skin/menus/SkinMenuMessages.h"

#include <memory>
#include <vector>

namespace tovrel {

class TFont;
class TMenu;
class TForm;
class TMenuItem;
class TPopupMenu;
class TTimer;
class TskSkinData;
class TskSkinMenuItem;
class TskSkinPopupWindow;

constexpr unsigned kSubMenuDelayMs = 500;

// The messages on which a form closes its open skinned menu.
bool IsSkinMenuCloseMessage(unsigned Msg);

class TskSkinMenu : public TComponent {
public:
    TskSkinMenu(TComponent* AOwner, TForm* AForm);
    ~TskSkinMenu() override;

    // Opens the first level with AItem's sub-items from StartIndex against the
    // screen rectangle R (below it, or above with PopupUp). Nothing opens for an
    // item without sub-items.
    void Popup(TControl* APopupCtrl, TskSkinData* ASkinData, int StartIndex, TRect R, TMenuItem* AItem, bool PopupUp);
    // Closes every level; the control and the form are told.
    void Hide();
    bool Visible() const { return FVisible; }
    bool First() const { return FFirst; }

    bool UseSkinFont = true;
    int DefaultMenuItemHeight = 20;
    TFont* DefaultMenuItemFont() const { return FDefaultMenuItemFont.get(); }
    int MaxMenuItemsInWindow = 0;
    // Where the desktop has layered windows: levels at AlphaBlendValue, and
    // the first level of a popup fading in from clear with AlphaBlendAnimation.
    bool AlphaBlend = false;
    std::uint8_t AlphaBlendValue = 150;
    bool AlphaBlendAnimation = false;
    TNotifyEvent OnMenuClose;

    // ---- used by the levels and their rows ----
    void ProcessItem(TskSkinPopupWindow* AWindow, TskSkinMenuItem* AItem, bool AClick, bool AKb);
    // Closes the levels from FromIndex up; from 0 the menu closes.
    void CloseLevels(int FromIndex);
    // Its position in the level list, or the count when absent.
    int IndexOfWindow(const TskSkinPopupWindow* AWindow) const;
    int LevelCount() const { return int(FPopupList.size()); }
    TskSkinPopupWindow* Level(int index) const { return FPopupList[std::size_t(index)]; }
    TskSkinPopupWindow* TopLevel() const { return FPopupList.empty() ? nullptr : FPopupList.back(); }
    // Stops a waiting sub-menu when it belongs to AItem.
    void CancelWait(const TskSkinMenuItem* AItem);
    // The wait timer's tick: the waiting sub-menu opens.
    void WaitTimerProc();
    TskSkinData* SkinData = nullptr;
    TRect WorkArea;
    TskSkinMenuItem* WItem = nullptr;
    // While set, a clicked plain item is kept in Chosen instead of run: the
    // caller runs it (the popup presenter hands it back to TPopupMenu).
    bool KeepChoice = false;
    TComponentRef<TMenuItem> Chosen{*this};
    std::shared_ptr<bool> AliveFlag() const { return FAlive; }

private:
    void OpenLevel(TRect R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp);
    void HookApp();
    void UnHookApp();
    void AppMessage(MSG& msg, bool& handled);
    bool IsLevelWindow(HWND wnd) const;
    // Hides the level at once; it frees itself once its own handlers have returned.
    void ReleaseLevel(TskSkinPopupWindow* level);

    bool FFirst = false;
    bool FVisible = false;
    std::unique_ptr<TFont> FDefaultMenuItemFont;
    TComponentRef<TControl> PopupCtrl{*this};
    TComponentRef<TControl> DCtrl{*this};
    TForm* FForm;
    std::unique_ptr<TTimer> WaitTimer;
    std::vector<TskSkinPopupWindow*> FPopupList;
    bool FInAppHook = false;
    // The menu whose item command runs; cleared when a handler frees it.
    TComponentRef<TMenu> FCommandMenu{*this};
    // The menu shown: freeing it closes the levels that show its items.
    TComponentRef<TMenu> FOpenMenu{*this, [this] { Hide(); }};
    // False once the engine is freed, for code that runs handlers which may free it.
    std::shared_ptr<bool> FAlive;
};

// Every TPopupMenu::Popup of the program opens through `engine` with `skinData`
// (null: built-in look) until the presenter is removed; null removes it.
void InstallSkinPopupPresenter(TskSkinMenu* engine, TskSkinData* skinData);
// A freed engine takes its presenter with it.
void InstalledPresenterGone(TskSkinMenu* engine);

} // namespace tovrel
