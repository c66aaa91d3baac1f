#include "platform/shell/ShellContextMenu.h"

#include "platform/vcl/Menus.h"

#include <algorithm>

namespace tovrel {

namespace {

TShellMenuPopup& MenuPopup()
{
    static TShellMenuPopup popup;
    return popup;
}

} // namespace

void SetShellMenuPopup(TShellMenuPopup popup)
{
    MenuPopup() = std::move(popup);
}

int PopupShellVerbMenu(const std::vector<TShellVerb>& verbs, TPoint screenPoint)
{
    TPopupMenu menu(nullptr);
    int chosen = 0;
    for (const TShellVerb& verb : verbs) {
        auto* item = new TMenuItem(&menu);
        item->SetCaption(std::string(verb.Caption));
        item->OnClick = [&chosen, id = verb.Id](TObject*) { chosen = id; };
        menu.Items()->Add(item);
    }
    menu.Popup(screenPoint.X, screenPoint.Y);
    return chosen;
}

void ShowItemContextMenu(IbsShellVerbHandler* Owner, const TskShellFolder* AFolder, TPoint screenPoint)
{
    if (!AFolder)
        return;
    const std::vector<TShellVerb> verbs = ItemVerbs(*AFolder);
    if (verbs.empty())
        return;
    const int chosen = MenuPopup() ? MenuPopup()(verbs, screenPoint) : PopupShellVerbMenu(verbs, screenPoint);
    const auto verb = std::find_if(verbs.begin(), verbs.end(), [&](const TShellVerb& v) { return v.Id == chosen; });
    if (chosen == 0 || verb == verbs.end())
        return;
    const std::string name(verb->Verb);
    bool handled = false;
    if (Owner)
        Owner->ExecuteCommand(name, handled);
    const bool succeeded = handled || RunShellVerb(*AFolder, name);
    if (Owner)
        Owner->CommandCompleted(name, succeeded);
}

} // namespace tovrel
