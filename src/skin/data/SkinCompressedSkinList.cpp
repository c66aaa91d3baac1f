#include "skin/data/SkinCompressedSkinList.h"

#include <string>

namespace tovrel {

TskSkinListItem::TskSkinListItem(TCollection* Collection)
    : TCollectionItem(Collection), FSkin(std::make_unique<TskCompressedStoredSkin>(nullptr))
{
    Name = "skSkin" + std::to_string(Index());
}

TskSkinListItem::~TskSkinListItem() = default;

void TskSkinListItem::Assign(const TPersistent* Source)
{
    const auto* item = dynamic_cast<const TskSkinListItem*>(Source);
    if (!item) {
        TCollectionItem::Assign(Source);
        return;
    }
    Description = item->Description;
    FileName = item->FileName;
    CompressedFileName = item->CompressedFileName;
    Name = item->Name;
    FSkin->Assign(item->FSkin.get());
}

TskSkinListItems::TskSkinListItems(TskCompressedSkinList* ASkinList)
    : TOwnedCollection(ASkinList, CollectionItemFactory<TskSkinListItem>()), FSkinList(ASkinList)
{}

TskCompressedSkinList::TskCompressedSkinList(TComponent* AOwner)
    : TComponent(AOwner), FSkins(std::make_unique<TskSkinListItems>(this))
{}

TskCompressedSkinList::~TskCompressedSkinList() = default;

} // namespace tovrel
