#pragma once
// TStringList: the framework's concrete string list, optionally sorted, with
// duplicate rules, change events and objects it may own.
#include "platform/vcl/Strings.h"

#include <functional>
#include <vector>

namespace tovrel {

enum TDuplicates : std::uint8_t { dupIgnore, dupAccept, dupError };

class TStringList;
using TStringListSortCompare = std::function<int(TStringList& list, int index1, int index2)>;

class TStringList : public TStrings {
public:
    TStringList() = default;
    explicit TStringList(bool ownsObjects) : OwnsObjects(ownsObjects) {}
    ~TStringList() override;

    int Count() const override { return int(items_.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& text) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::string& text) override;
    void InsertObject(int index, const std::string& text, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const std::string& text) override { return AddObject(text, nullptr); }
    int AddObject(const std::string& text, TObject* object) override;
    void Exchange(int index1, int index2) override;
    int IndexOf(std::string_view text) const override;

    // Binary search of a sorted list: true and the first equal line's index, or
    // false and where the text would go.
    bool Find(std::string_view text, int& index) const;
    void Sort();
    void CustomSort(const TStringListSortCompare& compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value);
    // With Sorted: dupIgnore drops a duplicate Add (returning the existing
    // index), dupError raises EStringListError, dupAccept keeps both.
    TDuplicates Duplicates = dupIgnore;
    // Deleting or clearing a line frees its object.
    bool OwnsObjects = false;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool updating) override;
    int CompareStrings(std::string_view a, std::string_view b) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct TItem {
        std::string Text;
        TObject* Object = nullptr;
    };
    void InsertItem(int index, const std::string& text, TObject* object);
    void CheckNotSorted() const;

    std::vector<TItem> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
};

} // namespace tovrel
