#include "skin/menus/SkinPopupMenu.h"

#include "platform/vcl/Forms.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinMenuHost.h"

namespace tovrel {

TskSkinMenuHost* FindSkinMenuHost(const TComponent* AForm)
{
    if (AForm == nullptr)
        return nullptr;
    for (int i = 0; i < AForm->ComponentCount(); ++i)
        if (auto* host = dynamic_cast<TskSkinMenuHost*>(AForm->Components(i)))
            return host;
    return nullptr;
}

TskSkinPopupMenu::TskSkinPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner)
{
    SetPopupPoint(Point(-1, -1));
}

TskSkinMenuHost* TskSkinPopupMenu::FindHost() const
{
    if (TForm* form = ComponentForm)
        return FindSkinMenuHost(form);
    TComponent* owner = Owner();
    auto* form = dynamic_cast<TForm*>(owner);
    if (form == nullptr && owner != nullptr)
        form = dynamic_cast<TForm*>(owner->Owner());
    if (form == nullptr)
        return nullptr;
    // An MDI child's menus open through the main form.
    if (form->FormStyle() == fsMDIChild && Application->MainForm() != nullptr)
        return FindSkinMenuHost(Application->MainForm());
    return FindSkinMenuHost(form);
}

bool TskSkinPopupMenu::Show(TControl* ACtrl, TRect R, bool APopupUp, bool NeedsSkin)
{
    if (OnPopup)
        OnPopup(this);
    TskSkinMenuHost* host = FindHost();
    if (host == nullptr || host->SkinMenu() == nullptr)
        return false;
    if (FSD == nullptr)
        FSD = host->MenusSkinData() != nullptr ? host->MenusSkinData() : host->SkinData();
    if (NeedsSkin && FSD == nullptr)
        return false;
    SetPopupPoint(Point(R.Left, R.Top));
    TskSkinMenu* engine = host->SkinMenu();
    engine->Popup(ACtrl, FSD, 0, R, Items(), APopupUp);
    // Only a menu that opened may fire it; otherwise a later menu's close would.
    if (OnMenuClose && engine->Visible())
        engine->OnMenuClose = OnMenuClose;
    return engine->Visible();
}

void TskSkinPopupMenu::Popup(int X, int Y)
{
    Show(nullptr, Rect(X, Y, X, Y), false, false);
}

bool TskSkinPopupMenu::PopupFromRect(TRect R, bool APopupUp)
{
    return Show(nullptr, R, APopupUp, false);
}

bool TskSkinPopupMenu::Popup2(TControl* ACtrl, int X, int Y)
{
    return Show(ACtrl, Rect(X, Y, X, Y), false, true);
}

bool TskSkinPopupMenu::PopupFromRect2(TControl* ACtrl, TRect R, bool APopupUp)
{
    return Show(ACtrl, R, APopupUp, false);
}

} // namespace tovrel
