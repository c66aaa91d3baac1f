// The form component's side of the main menu bar: the open and close
// protocol of its menus, the application hook that hands the keys to the
// menus while they are open, Alt and F10 (SC_KEYMENU) and the accelerators.
#include "platform/vcl/Menus.h"
#include "platform/wm/Keys.h"
#include "skin/forms/AnimateObject.h"
#include "skin/forms/SkinForm.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/menus/MenuMessageHook.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinMenuItem.h"
#include "skin/menus/SkinPopupWindow.h"

namespace tovrel {

namespace {

// A row of the open popup answers the key as its accelerator.
bool PopupHasAccel(const TskSkinMenu& engine, WORD Key)
{
    const TskSkinPopupWindow* top = engine.Visible() ? engine.TopLevel() : nullptr;
    if (!top)
        return false;
    for (const auto& row : top->ItemList)
        if (IsAccel(Key, row->MenuItem->Caption()))
            return true;
    return false;
}

} // namespace

void TskSkinForm::SetMainMenuBar(TskSkinMainMenuBar* Value)
{
    FMainMenuBar = Value;
}

void TskSkinForm::HookApp()
{
    if (FInAppHook)
        return;
    FInAppHook = true;
    PushMenuMessageHook(this, [this](MSG& msg, bool& handled) {
        if (msg.message == WM_KEYDOWN) {
            const WORD key = WORD(msg.wParam);
            msg.message = WM_NULL;
            handled = true;
            MenuKeyDown(key);
        } else if (msg.message == WM_MOUSEWHEEL) {
            msg.message = WM_NULL;
            handled = true;
        }
    });
}

void TskSkinForm::UnHookApp()
{
    if (!FInAppHook)
        return;
    FInAppHook = false;
    RemoveMenuMessageHook(this);
}

void TskSkinForm::SkinMenuOpen()
{
    if (!FInMainMenu)
        HookApp();
    if (!FInMenu) {
        FInMenu = true;
        if (OnSkinMenuOpen)
            OnSkinMenuOpen(this);
    }
}

void TskSkinForm::SkinMenuClose()
{
    FInMenu = false;
    UnHookApp();
    // The animated button whose menu was open plays back to its first frame.
    for (auto& object : ObjectList)
        if (auto* a = dynamic_cast<TskSkinAnimateObject*>(object.get()); a && a->MenuItem && a->FMenuTracking) {
            a->MenuClosed();
            break;
        }
    if (OnSkinMenuClose)
        OnSkinMenuClose(this);
    if (FInMainMenu) {
        FInMainMenu = false;
        if (TskSkinMainMenuBar* bar = FMainMenuBar)
            bar->EndMenuMode();
        if (OnMainMenuExit)
            OnMainMenuExit(this);
    }
}

void TskSkinForm::EndMainMenu()
{
    FInMainMenu = false;
    if (FSkinMenu->Visible())
        FSkinMenu->Hide();
    if (TskSkinMainMenuBar* bar = FMainMenuBar)
        bar->EndMenuMode();
    UnHookApp();
    if (OnMainMenuExit)
        OnMainMenuExit(this);
}

void TskSkinForm::EndSkinMenu()
{
    FInMenu = false;
    if (TskSkinMainMenuBar* bar = FMainMenuBar)
        bar->ReleaseDownItem();
    if (OnSkinMenuClose)
        OnSkinMenuClose(this);
}

bool TskSkinForm::CheckMainMenuAccel(WORD Key)
{
    TskSkinMainMenuBar* bar = FMainMenuBar;
    return bar && bar->CheckAccelerator(Key);
}

bool TskSkinForm::RightMovesAlongBar() const
{
    const TskSkinPopupWindow* top = FSkinMenu->Visible() ? FSkinMenu->TopLevel() : nullptr;
    return !top || top->ActiveItem == -1 || !top->ItemList[std::size_t(top->ActiveItem)]->HasSubMenu();
}

void TskSkinForm::MenuKeyDown(WORD Key)
{
    TskSkinMainMenuBar* bar = FMainMenuBar;
    // A letter of the open popup's rows picks its row before the bar's items.
    if (FInMainMenu && !PopupHasAccel(*FSkinMenu, Key) && CheckMainMenuAccel(Key))
        return;
    if (Key == VK_ESCAPE && FInMainMenu && !FInMenu) {
        EndMainMenu();
        return;
    }
    if (bar && FInMainMenu && Key == VK_LEFT && FSkinMenu->LevelCount() <= 1) {
        bar->PriorMainMenuItem();
        return;
    }
    if (bar && FInMainMenu && Key == VK_RIGHT && RightMovesAlongBar()) {
        bar->NextMainMenuItem();
        return;
    }
    if ((Key == VK_RETURN || Key == VK_DOWN) && bar && bar->PressActiveItem())
        return;
    if (!FSkinMenu->Visible())
        return;
    // A row's command may free the form: nothing is touched after it but for Esc, which runs none.
    const bool escape = Key == VK_ESCAPE;
    FSkinMenu->TopLevel()->PopupKeyDown(Key);
    if (!escape || FSkinMenu->LevelCount() != 0)
        return;
    if (FInMainMenu)
        EndSkinMenu();
    else
        SkinMenuClose();
}

bool TskSkinForm::KeyMenu(LPARAM Char)
{
    TskSkinMainMenuBar* bar = FMainMenuBar;
    if (!bar)
        return false;
    // Alt with a letter was an accelerator, handled as a short cut.
    if (Char != 0)
        return true;
    if (FInMainMenu) {
        EndMainMenu();
        return true;
    }
    if (FSkinMenu->Visible())
        FSkinMenu->Hide();
    bar->EnterMenuMode();
    return true;
}

bool TskSkinForm::FormShortCut(WORD Key, TShiftState Shift)
{
    TskSkinMainMenuBar* bar = FMainMenuBar;
    TMainMenu* menu = bar ? bar->MainMenu() : nullptr;
    if (!menu)
        return false;
    if (Shift == TShiftState{ssAlt} && Key != VK_F4 && CheckMainMenuAccel(Key))
        return true;
    return menu->IsShortCut(Key, Shift);
}

} // namespace tovrel
