// The skinned engine as the framework's popup presenter. The presenter's
// caller may free the menu as soon as it returns, so the skinned popup is
// shown modally here, as the plain popup menu is: a nested loop runs until
// the menu has closed, then the chosen item goes back to TPopupMenu::Popup,
// which clicks it. The owner hears WM_ENTERIDLE when the loop goes idle.
#include "platform/vcl/Application.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/ModalLoop.h"
#include "skin/menus/SkinMenu.h"

namespace tovrel {

namespace {

TskSkinMenu* installedEngine = nullptr;

HWND IdleOwner(TPopupMenu& menu)
{
    auto* control = dynamic_cast<TControl*>(menu.PopupComponent.Get());
    if (TCustomForm* form = control ? GetParentForm(control) : nullptr; form && form->HandleAllocated())
        return form->Handle();
    return GetActiveWindow();
}

TMenuItem* PresentSkinned(TskSkinMenu& engine, TskSkinData* skinData, TPopupMenu& menu, TPoint screen)
{
    auto alive = engine.AliveFlag();
    auto* control = dynamic_cast<TControl*>(menu.PopupComponent.Get());
    const HWND owner = IdleOwner(menu);
    engine.Chosen = nullptr;
    engine.KeepChoice = true;
    engine.Popup(control, skinData, 0, Rect(screen.X, screen.Y, screen.X, screen.Y), menu.Items(), false);
    bool idleTold = false;
    MSG msg;
    while (*alive && engine.Visible()) {
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!idleTold) {
                idleTold = true;
                if (owner && IsWindow(owner))
                    SendMessage(owner, WM_ENTERIDLE, MSGF_MENU, 0);
                continue;
            }
            GetMessage(&msg, nullptr, 0, 0);
        }
        idleTold = false;
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam)); // for the loop outside
            engine.Hide();
            break;
        }
        if (CallMsgFilter(&msg, MSGF_MENU))
            continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    if (!*alive)
        return nullptr;
    engine.KeepChoice = false;
    TMenuItem* chosen = engine.Chosen;
    engine.Chosen = nullptr;
    return chosen;
}

} // namespace

void InstallSkinPopupPresenter(TskSkinMenu* engine, TskSkinData* skinData)
{
    installedEngine = engine;
    if (!engine) {
        SetPopupPresenter(nullptr);
        return;
    }
    SetPopupPresenter([engine, skinData](TPopupMenu& menu, TPoint screen) {
        return PresentSkinned(*engine, skinData, menu, screen);
    });
}

void InstalledPresenterGone(TskSkinMenu* engine)
{
    if (installedEngine == engine)
        InstallSkinPopupPresenter(nullptr, nullptr);
}

} // namespace tovrel
