// The menu bar's keyboard menu mode: entered by Alt or F10 through the form
// component, moved by the arrows (wrapping, skipping disabled and hidden
// items), opened by Enter, Down or an accelerator letter, left by Esc.
#include "skin/forms/SkinForm.h"
#include "skin/forms/SkinMainMenuBar.h"

namespace tovrel {

namespace {

bool Reachable(const TskSkinMainMenuBarItem* item)
{
    return item && item->Enabled && item->Visible;
}

} // namespace

void TskSkinMainMenuBar::EnterMenuMode()
{
    MenuActive = true;
    TskSkinMainMenuBarItem* target = FindItem([](TskSkinMainMenuBarItem& item) { return item.Active; });
    if (!target)
        target = Item(0);
    if (!target)
        return;
    target->MouseEnter();
    if (TskSkinForm* form = SkinForm()) {
        form->HookApp();
        form->SetInMainMenu(true);
        if (form->OnMainMenuEnter)
            form->OnMainMenuEnter(this);
    }
}

bool TskSkinMainMenuBar::CheckAccelerator(WORD Key)
{
    TskSkinForm* form = SkinForm();
    if (!form || ObjectList.empty() || !form->Form()->Visible())
        return false;
    TskSkinMainMenuBarItem* item = FindItem([Key](TskSkinMainMenuBarItem& candidate) {
        return Reachable(&candidate) && candidate.MenuItem && IsAccel(Key, candidate.MenuItem->Caption());
    });
    if (!item)
        return false;
    item->MouseEnter();
    // With a menu open, entering an item with sub-items has already switched to it.
    if (!(form->InMenu() && item->HasSubItems()))
        item->MouseDown(0, 0, mbLeft);
    return true;
}

void TskSkinMainMenuBar::MoveHotItem(bool Forward)
{
    // The reachable items in the direction of travel.
    std::vector<TskSkinMainMenuBarItem*> reachable;
    for (int i = 0; i < ItemCount(); ++i)
        if (TskSkinMainMenuBarItem* item = Item(Forward ? i : ItemCount() - 1 - i); Reachable(item))
            reachable.push_back(item);
    if (reachable.empty())
        return;
    for (std::size_t i = 0; i < reachable.size(); ++i) {
        if (!reachable[i]->Active && !reachable[i]->FDown)
            continue;
        // The item left behind is still pressed: entering the next one switches an open menu to it.
        reachable[i]->MouseLeave();
        reachable[(i + 1) % reachable.size()]->MouseEnter();
        return;
    }
    reachable.front()->MouseEnter();
}

void TskSkinMainMenuBar::NextMainMenuItem()
{
    MoveHotItem(true);
}

void TskSkinMainMenuBar::PriorMainMenuItem()
{
    MoveHotItem(false);
}

bool TskSkinMainMenuBar::PressActiveItem()
{
    TskSkinForm* form = SkinForm();
    if (!form)
        return false;
    TskSkinMainMenuBarItem* item = FindItem([form](TskSkinMainMenuBarItem& candidate) {
        return (candidate.FDown && !candidate.HasSubItems()) || (candidate.Active && !form->InMenu());
    });
    if (!item)
        return false;
    item->Active = false;
    item->MouseDown(0, 0, mbLeft);
    return true;
}

void TskSkinMainMenuBar::ReleaseDownItem()
{
    if (TskSkinMainMenuBarItem* item = FindItem([](TskSkinMainMenuBarItem& candidate) { return candidate.FDown; })) {
        item->FDown = false;
        item->Active = true;
        DrawObject(*item);
    }
}

void TskSkinMainMenuBar::EndMenuMode()
{
    MenuActive = false;
    TskSkinMainMenuBarItem* item =
        FindItem([](TskSkinMainMenuBarItem& candidate) { return candidate.FDown || candidate.Active; });
    if (item) {
        item->Active = item->FMouseIn = item->FDown = false;
        if (item->EnableAnimation() && !item->InActiveAnimation) {
            item->CurrentFrame = 0;
            DrawObject(*item);
        } else {
            item->ReDraw();
        }
    }
    ActiveObject = OldActiveObject = -1;
}

} // namespace tovrel
