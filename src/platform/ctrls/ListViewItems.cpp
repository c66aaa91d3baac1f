// Items and columns of the list view.
#include "platform/ctrls/ListView.h"

#include "platform/vcl/Errors.h"

#include <algorithm>

namespace tovrel {

TListItem::TListItem(TCustomListView& owner) : owner_(owner), subItems_(std::make_unique<TStringList>())
{
    subItems_->OnChange = [this](TObject*) {
        if (!filling_)
            owner_.ItemsChanged();
    };
}

TListItem::~TListItem() = default;

void TListItem::SetCaption(const std::string& text)
{
    caption_ = text;
    if (!filling_)
        owner_.ItemsChanged();
}

void TListItem::SetImageIndex(int index)
{
    imageIndex_ = index;
    if (!filling_)
        owner_.ItemsChanged();
}

int TListItem::Index() const
{
    return dataIndex_ >= 0 ? dataIndex_ : owner_.Items()->IndexOf(this);
}

bool TListItem::Selected() const
{
    return (owner_.ItemState(Index(), LVIS_SELECTED)) != 0;
}

void TListItem::SetSelected(bool value)
{
    owner_.SetItemState(Index(), LVIS_SELECTED, value ? LVIS_SELECTED : 0);
}

bool TListItem::Focused() const
{
    return (owner_.ItemState(Index(), LVIS_FOCUSED)) != 0;
}

void TListItem::SetFocused(bool value)
{
    owner_.SetItemState(Index(), LVIS_FOCUSED, value ? LVIS_FOCUSED : 0);
}

TRect TListItem::DisplayRect(TDisplayCode code) const
{
    RECT r{};
    r.Left = code == drIcon ? LVIR_ICON : code == drLabel ? LVIR_LABEL : LVIR_BOUNDS;
    owner_.Perform(LVM_GETITEMRECT, WPARAM(Index()), ToLParam(&r));
    return r;
}

void TListItem::MakeVisible(bool partialOK)
{
    owner_.Perform(LVM_ENSUREVISIBLE, WPARAM(Index()), partialOK);
}

bool TCustomListView::OwnerDataFetch(TListItem* item, TItemRequests /*request*/)
{
    if (OnData)
        OnData(this, item);
    return true;
}

int TCustomListView::OwnerDataFind(TItemFind find, const std::string& findString, TPoint findPosition, void* findData,
                                   int startIndex, TSearchDirection direction, bool wrap)
{
    int index = -1;
    if (OnDataFind)
        OnDataFind(this, find, findString, findPosition, findData, startIndex, direction, wrap, index);
    return index;
}

TListItems::TListItems(TCustomListView& owner) : owner_(owner), dataItem_(std::make_unique<TListItem>(owner)) {}

TListItems::~TListItems() = default;

void TListItems::CheckOwnItems() const
{
    if (ownerData_)
        throw EInvalidOperation("The items of an owner-data list view come from OnData");
}

void TListItems::SetOwnerData(bool value)
{
    if (ownerData_ == value)
        return;
    items_.clear();
    ownerData_ = value;
    count_ = 0;
    states_.clear();
    owner_.ItemsChanged();
}

void TListItems::SetCount(int count)
{
    if (!ownerData_)
        throw EInvalidOperation("Only an owner-data list view takes an item count");
    count_ = std::max(0, count);
    states_.assign(std::size_t(count_), 0);
    owner_.ItemsChanged();
}

UINT TListItems::State(int index) const
{
    if (index < 0 || index >= Count())
        return 0;
    return ownerData_ ? states_[std::size_t(index)] : items_[std::size_t(index)]->state_;
}

void TListItems::SetState(int index, UINT state)
{
    if (index < 0 || index >= Count())
        return;
    if (ownerData_)
        states_[std::size_t(index)] = state;
    else
        items_[std::size_t(index)]->state_ = state;
}

TListItem* TListItems::Item(int index) const
{
    if (index < 0 || index >= Count())
        ListIndexError(index);
    if (!ownerData_)
        return items_[std::size_t(index)].get();
    // One item, filled afresh for the row asked for.
    TListItem& item = *dataItem_;
    item.filling_ = true;
    item.dataIndex_ = index;
    item.caption_.clear();
    item.subItems_->Clear();
    item.imageIndex_ = -1;
    item.Data = nullptr;
    owner_.OwnerDataFetch(&item, TItemRequests{irText, irImage});
    item.filling_ = false;
    return &item;
}

TListItem* TListItems::Insert(int index)
{
    CheckOwnItems();
    if (index < 0 || index > Count())
        ListIndexError(index);
    items_.insert(items_.begin() + index, std::make_unique<TListItem>(owner_));
    owner_.ItemsChanged();
    return items_[std::size_t(index)].get();
}

void TListItems::Delete(int index)
{
    CheckOwnItems();
    Item(index);
    items_.erase(items_.begin() + index);
    owner_.ItemsChanged();
}

void TListItems::Clear()
{
    if (ownerData_) {
        SetCount(0);
        return;
    }
    items_.clear();
    owner_.ItemsChanged();
}

void TListItems::BeginUpdate()
{
    owner_.BeginUpdate();
}

void TListItems::EndUpdate()
{
    owner_.EndUpdate();
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

int TListColumn::ClampWidth(int width) const
{
    width = std::max({0, width, minWidth_});
    return maxWidth_ > 0 ? std::min(width, maxWidth_) : width;
}

void TListColumn::SetWidth(int width)
{
    width_ = ClampWidth(width);
    owner_.ColumnChanged(*this);
}

void TListColumn::SetMinWidth(int value)
{
    minWidth_ = std::max(0, value);
    SetWidth(width_);
}

void TListColumn::SetMaxWidth(int value)
{
    maxWidth_ = std::max(0, value);
    SetWidth(width_);
}

void TListColumn::SetAlignment(TAlignment value)
{
    alignment_ = value;
    owner_.ColumnChanged(*this);
}

void TListColumn::SetImageIndex(int value)
{
    imageIndex_ = value;
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

void TListColumns::Delete(int index)
{
    Items(index);
    columns_.erase(columns_.begin() + index);
    for (int i = index; i < Count(); ++i)
        columns_[std::size_t(i)]->index_ = i;
    owner_.ColumnDeleted(index);
}

void TListColumns::Clear()
{
    BeginUpdate();
    columns_.clear();
    EndUpdate();
}

void TListColumns::BeginUpdate()
{
    ++updateCount_;
}

void TListColumns::EndUpdate()
{
    if (updateCount_ == 0 || --updateCount_ > 0)
        return;
    owner_.ColumnsUpdated();
}

} // namespace tovrel
