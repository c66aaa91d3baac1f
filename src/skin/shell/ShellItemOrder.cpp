#include "skin/shell/ShellItemOrder.h"

#include "platform/shell/FileNames.h"

#include <cstdint>

namespace tovrel {

namespace {

template <class T> int Sign(T a, T b)
{
    return a == b ? 0 : (a > b ? 1 : -1);
}

// The shell's own order of two items of one folder: folders first.
int KindOrder(const TskShellFolder& A, const TskShellFolder& B)
{
    const int kind = int(B.IsFolder()) - int(A.IsFolder());
    if (kind != 0)
        return kind;
    const auto parent = A.ParentShellFolder();
    return parent ? int(std::int16_t(parent->CompareIDs(A.RelativeID(), B.RelativeID()))) : 0;
}

// Items without file-system details (virtual places) keep the shell's order.
bool HasFileDetails(TskShellFolder& Item, const TShellSortOrder& Order)
{
    Item.LoadColumnDetails(Order.Folder, Order.ViewHandle, 4);
    return Item.Details(4).find(':') != std::string::npos;
}

int CompareByColumn(TskShellFolder& A, TskShellFolder& B, int R, const TShellSortOrder& Order)
{
    switch (Order.Column) {
    case slcName: return CompareEntryNames(A.DisplayName(), B.DisplayName());
    case slcSize: return A.IsFolder() ? R : Sign(FindDataSize(ReadFindData(A)), FindDataSize(ReadFindData(B)));
    case slcType: return CompareEntryNames(A.Details(2), B.Details(2));
    case slcModified: return Sign(double(FindDataModified(ReadFindData(A))), double(FindDataModified(ReadFindData(B))));
    default: return R;
    }
}

int CompareInOrder(TskShellFolder* A, TskShellFolder* B, const TShellSortOrder& Order)
{
    const int R = KindOrder(*A, *B);
    if (!Order.ByColumn)
        return R;
    if (Order.Column != slcName && (!HasFileDetails(*A, Order) || !HasFileDetails(*B, Order)))
        return R;
    return CompareByColumn(*A, *B, R, Order);
}

} // namespace

int CompareShellItems(TskShellFolder* A, TskShellFolder* B, const TShellSortOrder& Order)
{
    if (!A || !B)
        return 0;
    // Folders come first in both directions.
    if (A->IsFolder() != B->IsFolder())
        return A->IsFolder() ? -1 : 1;
    const int answer = CompareInOrder(A, B, Order);
    return Order.ByColumn && Order.Descending ? -answer : answer;
}

void SortShellItems(std::vector<std::unique_ptr<TskShellFolder>>& Rows, const TShellSortOrder& Order)
{
    // A merge sort over row numbers: it never reads outside the rows whatever
    // the comparer answers, and the rows move only once the order is known.
    const std::size_t count = Rows.size();
    std::vector<std::size_t> order(count), merged(count);
    for (std::size_t i = 0; i < count; ++i)
        order[i] = i;
    for (std::size_t width = 1; width < count; width *= 2) {
        for (std::size_t left = 0; left < count; left += 2 * width) {
            const std::size_t mid = std::min(left + width, count), right = std::min(left + 2 * width, count);
            std::size_t a = left, b = mid, out = left;
            while (a < mid && b < right)
                merged[out++] =
                    CompareShellItems(Rows[order[b]].get(), Rows[order[a]].get(), Order) < 0 ? order[b++] : order[a++];
            while (a < mid)
                merged[out++] = order[a++];
            while (b < right)
                merged[out++] = order[b++];
        }
        order.swap(merged);
    }
    std::vector<std::unique_ptr<TskShellFolder>> sorted(count);
    for (std::size_t i = 0; i < count; ++i)
        sorted[i] = std::move(Rows[order[i]]);
    Rows.swap(sorted);
}

} // namespace tovrel
