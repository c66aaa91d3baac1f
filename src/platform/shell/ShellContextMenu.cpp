#include "platform/shell/ShellContextMenu.h"

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

void ShowItemContextMenu(IbsShellVerbHandler* Owner, const TskShellFolder* AFolder, TPoint screenPoint)
{
    if (!AFolder || !MenuPopup())
        return;
    const std::vector<TShellVerb> verbs = ItemVerbs(*AFolder);
    if (verbs.empty())
        return;
    const int chosen = MenuPopup()(verbs, screenPoint);
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
