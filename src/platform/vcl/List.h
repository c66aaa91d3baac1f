#pragma once
// TList: an ordered list of untyped pointers, as the framework keeps them.
#include "platform/vcl/Object.h"

#include <functional>
#include <vector>

namespace tovrel {

using TListSortCompare = std::function<int(void* a, void* b)>;

class TList : public TObject {
public:
    int Count() const { return int(items_.size()); }
    // Raises EListError for an index out of range.
    void* Items(int index) const;
    void SetItem(int index, void* item);
    void* operator[](int index) const { return Items(index); }

    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    // Index the item had, or -1.
    int Remove(void* item);
    void* Extract(void* item);
    int IndexOf(void* item) const;
    void Clear() { items_.clear(); }
    void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }
    // Removes null items.
    void Pack();
    // Stable, so equal items keep their order.
    void Sort(const TListSortCompare& compare);

private:
    void Check(int index) const;
    std::vector<void*> items_;
};

} // namespace tovrel
