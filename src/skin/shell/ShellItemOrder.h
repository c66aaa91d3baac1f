#pragma once
// The order of a shell list's rows: folders first, then the shell's own order,
// or by a column in either direction.
#include "platform/shell/ShellItems.h"

#include <memory>
#include <vector>

namespace tovrel {

// Columns of a file-system folder's report view.
enum TShellListColumn { slcName, slcSize, slcType, slcModified };

struct TShellSortOrder {
    TskShellFolder* Folder = nullptr; // the folder shown, whose columns are read
    bool ByColumn = false;            // false: the order after reading a folder
    int Column = slcName;
    bool Descending = false;
    std::uint32_t ViewHandle = 0;
};

// Negative when A comes first. Folders precede files in either direction; columns compare
// by name, size, type text or last-write time. Size and time read the entry
// from disk (EInvalidPath when it is gone).
int CompareShellItems(TskShellFolder* A, TskShellFolder* B, const TShellSortOrder& Order);

// Sorts Rows stably. The comparer may raise: the rows then keep the order
// they had, none is lost, and the error goes on to the caller.
void SortShellItems(std::vector<std::unique_ptr<TskShellFolder>>& Rows, const TShellSortOrder& Order);

} // namespace tovrel
