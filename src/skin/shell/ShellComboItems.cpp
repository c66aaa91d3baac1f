#include "skin/shell/ShellComboItems.h"

#include <algorithm>

namespace tovrel {

TskItemEx& TskItemsEx::Insert(int Index)
{
    Index = std::clamp(Index, 0, Count());
    return **FItems.insert(FItems.begin() + Index, std::make_unique<TskItemEx>());
}

TskItemEx& TskItemsEx::AddItem(const std::string& ACaption, int AImageIndex, int ASelectedIndex, int AIndent,
                               std::unique_ptr<TskShellFolder> AFolder)
{
    TskItemEx& item = Add();
    item.Caption = ACaption;
    item.ImageIndex = AImageIndex;
    item.SelectedImageIndex = ASelectedIndex;
    item.Indent = AIndent;
    item.Data = std::move(AFolder);
    return item;
}

} // namespace tovrel
