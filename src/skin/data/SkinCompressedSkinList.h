#pragma once
// A list of stored skins: a component holding a collection of named items,
// each with its own stored skin. A skin data object loads the item its
// SkinIndex chooses.
#include <memory>
#include <string>

#include "platform/vcl/Collection.h"
#include "platform/vcl/Component.h"
#include "skin/data/SkinCompressedSkin.h"

namespace tovrel {

class TskCompressedSkinList;

class TskSkinListItem : public TCollectionItem {
public:
    // Named "skSkin%d" with its position in the collection.
    explicit TskSkinListItem(TCollection* Collection);
    ~TskSkinListItem() override;

    TskCompressedStoredSkin* Skin() const { return FSkin.get(); }
    std::string Description;
    std::string FileName;
    std::string CompressedFileName;
    std::string Name;

    // From another item: the texts and a copy of the stored skin's data.
    void Assign(const TPersistent* Source) override;

protected:
    std::string GetDisplayName() const override { return Name; }

private:
    std::unique_ptr<TskCompressedStoredSkin> FSkin;
};

class TskSkinListItems : public TOwnedCollection {
public:
    explicit TskSkinListItems(TskCompressedSkinList* ASkinList);

    TskSkinListItem* Items(int Index) const { return static_cast<TskSkinListItem*>(TCollection::Items(Index)); }
    TskSkinListItem* Add() { return static_cast<TskSkinListItem*>(TCollection::Add()); }
    TskCompressedSkinList* SkinList() const { return FSkinList; }

private:
    TskCompressedSkinList* FSkinList;
};

class TskCompressedSkinList : public TComponent {
public:
    explicit TskCompressedSkinList(TComponent* AOwner);
    ~TskCompressedSkinList() override;

    TskSkinListItems* Skins() const { return FSkins.get(); }
    // Copies the given items, stored skins included.
    void SetSkins(const TskSkinListItems* Value) { FSkins->Assign(Value); }

private:
    std::unique_ptr<TskSkinListItems> FSkins;
};

} // namespace tovrel
