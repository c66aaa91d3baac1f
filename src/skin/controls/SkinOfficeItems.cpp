#include "skin/controls/SkinOfficeItems.h"

#include "skin/controls/SkinOfficeListBox.h"

namespace tovrel {

TskSkinOfficeItem::TskSkinOfficeItem(TCollection* collection) : TCollectionItem(collection)
{
    // An entry created at the list's remembered index starts out current.
    if (auto* items = dynamic_cast<TskSkinOfficeItems*>(collection); items && items->OfficeListBox)
        Active = Index() == items->OfficeListBox->ItemIndex();
}

void TskSkinOfficeItem::SetImageIndex(int Value)
{
    FImageIndex = Value;
    Changed(false);
}

void TskSkinOfficeItem::SetTitle(std::string Value)
{
    FTitle = std::move(Value);
    Changed(false);
}

void TskSkinOfficeItem::SetCaption(std::string Value)
{
    FCaption = std::move(Value);
    Changed(false);
}

void TskSkinOfficeItem::SetEnabled(bool Value)
{
    FEnabled = Value;
    Changed(false);
}

void TskSkinOfficeItem::SetHeader(bool Value)
{
    FHeader = Value;
    Changed(false);
}

void TskSkinOfficeItem::Assign(const TPersistent* source)
{
    const auto* other = dynamic_cast<const TskSkinOfficeItem*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    FImageIndex = other->FImageIndex;
    FCaption = other->FCaption;
    FTitle = other->FTitle;
    FEnabled = other->FEnabled;
    FHeader = other->FHeader;
    Changed(false);
}

TskSkinOfficeItems::TskSkinOfficeItems(TskSkinOfficeListBox* AListBox)
    : TCollection(CollectionItemFactory<TskSkinOfficeItem>()), OfficeListBox(AListBox)
{}

TPersistent* TskSkinOfficeItems::GetOwner() const
{
    return OfficeListBox;
}

TskSkinOfficeItem* TskSkinOfficeItems::Add()
{
    auto* item = static_cast<TskSkinOfficeItem*>(TCollection::Add());
    if (OfficeListBox)
        OfficeListBox->Repaint();
    return item;
}

TskSkinOfficeItem* TskSkinOfficeItems::Insert(int index)
{
    auto* item = static_cast<TskSkinOfficeItem*>(TCollection::Insert(index));
    if (OfficeListBox)
        OfficeListBox->Repaint();
    return item;
}

void TskSkinOfficeItems::Delete(int index)
{
    TCollection::Delete(index);
    if (OfficeListBox)
        OfficeListBox->Repaint();
}

void TskSkinOfficeItems::Clear()
{
    TCollection::Clear();
    if (OfficeListBox)
        OfficeListBox->Repaint();
}

void TskSkinOfficeItems::Update(TCollectionItem* /*item*/)
{
    if (!OfficeListBox)
        return;
    OfficeListBox->Repaint();
    OfficeListBox->UpdateScrollInfo();
}

} // namespace tovrel
