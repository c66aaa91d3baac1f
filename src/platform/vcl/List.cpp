#include "platform/vcl/List.h"

#include "platform/vcl/Errors.h"

#include <algorithm>

namespace tovrel {

void TList::Check(int index) const
{
    if (index < 0 || index >= Count())
        ListIndexError(index);
}

void* TList::Items(int index) const
{
    Check(index);
    return items_[std::size_t(index)];
}

void TList::SetItem(int index, void* item)
{
    Check(index);
    items_[std::size_t(index)] = item;
}

int TList::Add(void* item)
{
    items_.push_back(item);
    return Count() - 1;
}

void TList::Insert(int index, void* item)
{
    if (index < 0 || index > Count())
        ListIndexError(index);
    items_.insert(items_.begin() + index, item);
}

void TList::Delete(int index)
{
    Check(index);
    items_.erase(items_.begin() + index);
}

int TList::Remove(void* item)
{
    const int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
    return index;
}

void* TList::Extract(void* item)
{
    return Remove(item) >= 0 ? item : nullptr;
}

int TList::IndexOf(void* item) const
{
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

void TList::Exchange(int index1, int index2)
{
    Check(index1);
    Check(index2);
    std::swap(items_[std::size_t(index1)], items_[std::size_t(index2)]);
}

void TList::Move(int curIndex, int newIndex)
{
    if (curIndex == newIndex)
        return;
    Check(curIndex);
    Check(newIndex);
    void* item = items_[std::size_t(curIndex)];
    items_.erase(items_.begin() + curIndex);
    items_.insert(items_.begin() + newIndex, item);
}

void TList::Pack()
{
    std::erase(items_, nullptr);
}

void TList::Sort(const TListSortCompare& compare)
{
    std::stable_sort(items_.begin(), items_.end(), [&](void* a, void* b) { return compare(a, b) < 0; });
}

} // namespace tovrel
