// The skinned engine as the framework's popup presenter: every TPopupMenu
// opens as a skinned popup and runs its command after the menu has closed.
#include "platform/vcl/Menus.h"
#include "skin/menus/SkinMenu.h"

namespace tovrel {

namespace {

TskSkinMenu* installedEngine = nullptr;

} // namespace

void InstallSkinPopupPresenter(TskSkinMenu* engine, TskSkinData* skinData)
{
    installedEngine = engine;
    if (!engine) {
        SetPopupPresenter(nullptr);
        return;
    }
    SetPopupPresenter([engine, skinData](TPopupMenu& menu, TPoint screen) -> TMenuItem* {
        auto* control = dynamic_cast<TControl*>(menu.PopupComponent.Get());
        engine->Popup(control, skinData, 0, Rect(screen.X, screen.Y, screen.X, screen.Y), menu.Items(), false);
        return nullptr;
    });
}

void InstalledPresenterGone(TskSkinMenu* engine)
{
    if (installedEngine == engine)
        InstallSkinPopupPresenter(nullptr, nullptr);
}

} // namespace tovrel
