// The shell list's columns, its owner-data rows and its header sort.
#include "platform/rtl/Text.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/shell/ShellListView.h"
#include "skin/shell/UpdateScope.h"

#include <algorithm>

namespace tovrel {

namespace {

struct TDefaultColumn {
    const char* Key;
    const char* Caption;
    TAlignment Alignment;
    int WidthInX;
};

constexpr TDefaultColumn DefaultColumns[] = {
    {"FLV_NAME", "Name", taLeftJustify, 25},
    {"FLV_SIZE", "Size", taRightJustify, 10},
    {"FLV_TYPE", "Type", taLeftJustify, 10},
    {"FLV_MODIFIED", "Modified", taLeftJustify, 14},
};

} // namespace

std::string TskCustomShellListView::ColumnCaption(const char* Key, const char* BuiltIn) const
{
    if (SkinData() && SkinData()->ResourceStrData())
        return SkinData()->ResourceStrData()->GetResStr(Key);
    return BuiltIn;
}

void TskCustomShellListView::AddDefaultColumns(int Count)
{
    const int xWidth = Canvas()->TextWidth("X");
    for (int i = 0; i < Count && i < int(std::size(DefaultColumns)); ++i) {
        const TDefaultColumn& column = DefaultColumns[i];
        TListColumn* added = Columns()->Add();
        added->SetCaption(ColumnCaption(column.Key, column.Caption));
        added->SetAlignment(column.Alignment);
        added->SetWidth(column.WidthInX * xWidth);
    }
}

void TskCustomShellListView::BuildColumns()
{
    if (!FRootFolder || !FRootFolder->ShellFolder() || !HandleAllocated())
        return;
    TUpdateScope<TListColumns> update(*Columns());
    Columns()->Clear();
    FRootFolder->SetViewHandle(ShellViewHandle());
    // Every folder of this namespace answers the same four file columns; a
    // folder of places (the desktop, Computer) has names only.
    AddDefaultColumns(FRootFolder->Properties().Contains(TskShellFolderProperty::fpFileSystem) ? 4 : 1);
}

void TskCustomShellListView::SetViewStyle(TViewStyle Value)
{
    TskSkinCustomListView::SetViewStyle(Value);
    if (Value == vsReport)
        BuildColumns();
}

bool TskCustomShellListView::OwnerDataFetch(TListItem* Item, TItemRequests Request)
{
    TskShellFolder* folder = GetFolder(Item->Index());
    if (!folder)
        return true;
    if (Request.Contains(irText))
        Item->SetCaption(folder->DisplayName());
    if (Request.Contains(irImage))
        Item->SetImageIndex(folder->ImageIndex(ViewStyle() == vsIcon));
    if (ViewStyle() == vsReport) {
        const int columns = Columns()->Count();
        folder->LoadColumnDetails(FRootFolder.get(), ShellViewHandle(), columns);
        Item->SubItems()->Clear();
        for (int i = 1; i < columns; ++i)
            Item->SubItems()->Add(folder->Details(i));
    }
    return true;
}

int TskCustomShellListView::OwnerDataFind(TItemFind Find, const std::string& FindString, TPoint, void*, int StartIndex,
                                          TSearchDirection, bool Wrap)
{
    if ((Find != ifPartialString && Find != ifExactString) || StartIndex < 0)
        return -1;
    const std::string prefix = UpperCase(FindString);
    const int count = FolderCount();
    const int tested = Wrap ? count : count - std::min(StartIndex, count);
    for (int n = 0; n < tested; ++n) {
        const int row = (StartIndex + n) % count;
        if (UpperCase(GetFolder(row)->DisplayName()).starts_with(prefix))
            return row;
    }
    return -1;
}

void TskCustomShellListView::ColClick(TListColumn* Column)
{
    TskSkinCustomListView::ColClick(Column);
    if (Columns()->Count() < 4 && Column->Index() != 0)
        return;
    FOldSortColumn = FSortColumn;
    FSortColumn = Column->Index();
    FSortDirection = FOldSortColumn == FSortColumn && FSortColumn != -1 ? !FSortDirection : false;
    TUpdateScope<TListItems> update(*Items());
    try {
        SortRows(TShellSortOrder{FRootFolder.get(), true, FSortColumn, FSortDirection, ShellViewHandle()});
    } catch (...) {
        // The rows keep their order; the next click starts a fresh sort.
        FSortColumn = FOldSortColumn = -1;
        FSortDirection = false;
        throw;
    }
}

} // namespace tovrel
