#pragma once
// The verbs of an item's context menu and how they run without a menu: open,
// cut, copy, paste, delete (to the trash), rename (left to the view, which
// starts its label edit) and properties (left to a presenter).
#include "platform/shell/ShellItems.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

// Implemented by the views that show a context menu: ExecuteCommand runs
// before a chosen verb (Handled := true keeps the verb from running),
// CommandCompleted after it.
class IbsShellVerbHandler {
public:
    virtual ~IbsShellVerbHandler() = default;
    virtual void ExecuteCommand(const std::string& Verb, bool& Handled) = 0;
    virtual void CommandCompleted(const std::string& Verb, bool Succeeded) = 0;
};

struct TShellVerb {
    int Id; // the menu command, 1 to 7
    std::string_view Verb;
    std::string_view Caption;
};

// Every verb, in menu order.
std::span<const TShellVerb> ShellVerbs();
// The verbs that apply to the item now (by its capabilities; paste only onto a
// folder while something was cut or copied).
std::vector<TShellVerb> ItemVerbs(const TskShellFolder& item);

// What cut or copy put aside for paste. Main thread only.
struct TShellClipboard {
    std::vector<std::string> Paths;
    bool Cut = false;
};
TShellClipboard& ShellClipboard();

// Shows an item's properties; true when it did. Without one, "properties" fails.
using TShellPropertiesPresenter = std::function<bool(const TskShellFolder&)>;
void SetShellPropertiesPresenter(TShellPropertiesPresenter presenter);

// Runs the verb (any case) on the item; true when it succeeded. An unknown
// verb fails.
bool RunShellVerb(const TskShellFolder& item, std::string_view verb);
// Runs a verb on an item without a menu; nothing for nullptr.
void InvokeItemVerb(const TskShellFolder* AFolder, std::string_view Verb);

} // namespace tovrel
