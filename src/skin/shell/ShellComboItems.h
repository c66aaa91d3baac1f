#pragma once
// The entries of a shell combo box: one folder of its outline each, with the
// text shown, the outline level and the icon. The entries own their folders.
#include "platform/shell/ShellItems.h"

#include <memory>
#include <string>
#include <vector>

namespace tovrel {

struct TskItemEx {
    std::string Caption;
    std::unique_ptr<TskShellFolder> Data;
    int Indent = 0;
    int ImageIndex = -1;
    int SelectedImageIndex = -1;
};

class TskItemsEx {
public:
    int Count() const { return int(FItems.size()); }
    TskItemEx& Item(int Index) { return *FItems.at(std::size_t(Index)); }
    const TskItemEx& Item(int Index) const { return *FItems.at(std::size_t(Index)); }
    TskItemEx& Add() { return Insert(Count()); }
    TskItemEx& Insert(int Index);
    TskItemEx& AddItem(const std::string& ACaption, int AImageIndex, int ASelectedIndex, int AIndent,
                       std::unique_ptr<TskShellFolder> AFolder);
    // Frees every entry and its folder.
    void Clear() { FItems.clear(); }

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate() { --FUpdateCount; }
    int UpdateCount() const { return FUpdateCount; }

private:
    std::vector<std::unique_ptr<TskItemEx>> FItems;
    int FUpdateCount = 0;
};

// One update of the entries for the span of a scope, ended also on an exception.
class TItemsExUpdate {
public:
    explicit TItemsExUpdate(TskItemsEx& Items) : FItems(Items) { FItems.BeginUpdate(); }
    ~TItemsExUpdate() { FItems.EndUpdate(); }
    TItemsExUpdate(const TItemsExUpdate&) = delete;
    TItemsExUpdate& operator=(const TItemsExUpdate&) = delete;

private:
    TskItemsEx& FItems;
};

} // namespace tovrel
