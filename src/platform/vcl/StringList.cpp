#include "platform/vcl/StringList.h"

#include "platform/rtl/Text.h"
#include "platform/vcl/Errors.h"

#include <algorithm>

namespace tovrel {

TStringList::~TStringList()
{
    OnChange = nullptr;
    OnChanging = nullptr;
    Clear();
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}

void TStringList::SetUpdateState(bool updating)
{
    if (updating) {
        if (OnChanging)
            OnChanging(this);
    } else if (OnChange) {
        OnChange(this);
    }
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const
{
    if (caseSensitive_)
        return a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;
    return CompareText(a, b);
}

void TStringList::CheckNotSorted() const
{
    if (sorted_)
        throw EStringListError("Operation not allowed on sorted list");
}

std::string TStringList::Get(int index) const
{
    CheckIndex(index);
    return items_[std::size_t(index)].Text;
}

void TStringList::Put(int index, const std::string& text)
{
    CheckNotSorted();
    CheckIndex(index);
    Changing();
    items_[std::size_t(index)].Text = text;
    Changed();
}

TObject* TStringList::GetObject(int index) const
{
    CheckIndex(index);
    return items_[std::size_t(index)].Object;
}

void TStringList::PutObject(int index, TObject* object)
{
    CheckIndex(index);
    Changing();
    items_[std::size_t(index)].Object = object;
    Changed();
}

void TStringList::InsertItem(int index, const std::string& text, TObject* object)
{
    Changing();
    items_.insert(items_.begin() + index, TItem{text, object});
    Changed();
}

void TStringList::Insert(int index, const std::string& text)
{
    InsertObject(index, text, nullptr);
}

void TStringList::InsertObject(int index, const std::string& text, TObject* object)
{
    CheckNotSorted();
    if (index < 0 || index > Count())
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    InsertItem(index, text, object);
}

int TStringList::AddObject(const std::string& text, TObject* object)
{
    if (!sorted_) {
        InsertItem(Count(), text, object);
        return Count() - 1;
    }
    int index = 0;
    if (Find(text, index)) {
        if (Duplicates == dupIgnore)
            return index;
        if (Duplicates == dupError)
            throw EStringListError("String list does not allow duplicates");
    }
    InsertItem(index, text, object);
    return index;
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    Changing();
    TObject* object = items_[std::size_t(index)].Object;
    items_.erase(items_.begin() + index);
    if (OwnsObjects)
        Free(object);
    Changed();
}

void TStringList::Clear()
{
    if (items_.empty())
        return;
    Changing();
    std::vector<TItem> old;
    old.swap(items_);
    if (OwnsObjects)
        for (TItem& item : old)
            Free(item.Object);
    Changed();
}

void TStringList::Exchange(int index1, int index2)
{
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(items_[std::size_t(index1)], items_[std::size_t(index2)]);
    Changed();
}

int TStringList::IndexOf(std::string_view text) const
{
    if (!sorted_)
        return TStrings::IndexOf(text);
    int index = 0;
    return Find(text, index) ? index : -1;
}

bool TStringList::Find(std::string_view text, int& index) const
{
    int low = 0, high = Count() - 1;
    bool found = false;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int order = CompareStrings(items_[std::size_t(middle)].Text, text);
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (order == 0)
                found = true;
        }
    }
    index = low;
    return found;
}

void TStringList::CustomSort(const TStringListSortCompare& compare)
{
    if (Count() < 2)
        return;
    Changing();
    // The comparison sees indexes into the list, so sort an index permutation.
    std::vector<int> order(items_.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<TItem> sorted;
    sorted.reserve(items_.size());
    for (int i : order)
        sorted.push_back(std::move(items_[std::size_t(i)]));
    items_ = std::move(sorted);
    Changed();
}

void TStringList::Sort()
{
    CustomSort([](TStringList& list, int a, int b) {
        return list.CompareStrings(list.items_[std::size_t(a)].Text, list.items_[std::size_t(b)].Text);
    });
}

void TStringList::SetSorted(bool value)
{
    if (sorted_ == value)
        return;
    if (value)
        Sort();
    sorted_ = value;
}

void TStringList::SetCaseSensitive(bool value)
{
    if (caseSensitive_ == value)
        return;
    caseSensitive_ = value;
    if (sorted_)
        Sort();
}

} // namespace tovrel
