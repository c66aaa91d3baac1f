#pragma once
// Asked of a shell view's handler for each item it is about to show.
#include <functional>

namespace tovrel {

class TObject;
class TskShellFolder;

// Sender, the candidate item, and whether to keep it (true on entry).
using TAddFolderEvent = std::function<void(TObject* Sender, TskShellFolder* AFolder, bool& CanAdd)>;

} // namespace tovrel
