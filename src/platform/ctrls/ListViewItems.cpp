// Items and columns of the list view.
#include "platform/ctrls/ListView.h"

#include "platform/vcl/Errors.h"

namespace tovrel {

TListItem::TListItem(TCustomListView& owner) : owner_(owner), subItems_(std::make_unique<TStringList>())
{
    subItems_->OnChange = [this](TObject*) { owner_.ItemsChanged(); };
}

TListItem::~TListItem() = default;

void TListItem::SetCaption(const std::string& text)
{
    caption_ = text;
    owner_.ItemsChanged();
}

void TListItem::SetImageIndex(int index)
{
    imageIndex_ = index;
    owner_.ItemsChanged();
}

int TListItem::Index() const
{
    return owner_.Items()->IndexOf(this);
}

bool TListItem::Selected() const
{
    return (state_ & LVIS_SELECTED) != 0;
}

void TListItem::SetSelected(bool value)
{
    owner_.SetItemState(Index(), LVIS_SELECTED, value ? LVIS_SELECTED : 0);
}

bool TListItem::Focused() const
{
    return (state_ & LVIS_FOCUSED) != 0;
}

void TListItem::SetFocused(bool value)
{
    owner_.SetItemState(Index(), LVIS_FOCUSED, value ? LVIS_FOCUSED : 0);
}

TListItem* TListItems::Item(int index) const
{
    if (index < 0 || index >= Count())
        ListIndexError(index);
    return items_[std::size_t(index)].get();
}

TListItem* TListItems::Insert(int index)
{
    if (index < 0 || index > Count())
        ListIndexError(index);
    items_.insert(items_.begin() + index, std::make_unique<TListItem>(owner_));
    owner_.ItemsChanged();
    return items_[std::size_t(index)].get();
}

void TListItems::Delete(int index)
{
    Item(index);
    items_.erase(items_.begin() + index);
    owner_.ItemsChanged();
}

void TListItems::Clear()
{
    items_.clear();
    owner_.ItemsChanged();
}

int TListItems::IndexOf(const TListItem* item) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[std::size_t(i)].get() == item)
            return i;
    return -1;
}

void TListColumn::SetCaption(const std::string& text)
{
    caption_ = text;
    owner_.ColumnChanged(*this);
}

void TListColumn::SetWidth(int width)
{
    width_ = std::max(0, width);
    owner_.ColumnChanged(*this);
}

void TListColumn::SetAlignment(TAlignment value)
{
    alignment_ = value;
    owner_.ColumnChanged(*this);
}

TListColumn* TListColumns::Items(int index) const
{
    if (index < 0 || index >= Count())
        ListIndexError(index);
    return columns_[std::size_t(index)].get();
}

TListColumn* TListColumns::Add()
{
    columns_.push_back(std::make_unique<TListColumn>(owner_, Count()));
    owner_.ColumnAdded(*columns_.back());
    return columns_.back().get();
}

} // namespace tovrel
