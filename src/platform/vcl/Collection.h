#pragma once
// TCollection and TCollectionItem: an owned, ordered list of items of one
// class. The collection frees its items; an item freed alone leaves it.
#include "platform/vcl/Object.h"

#include <functional>
#include <string>
#include <vector>

namespace tovrel {

class TCollection;

class TCollectionItem : public TPersistent {
public:
    // Joins the collection (at the end) when one is given.
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    void SetCollection(TCollection* collection);
    int ID() const { return id_; }
    int Index() const;
    // Moves the item within its collection.
    void SetIndex(int index);
    std::string DisplayName() const { return GetDisplayName(); }
    TPersistent* GetOwner() const override;

protected:
    virtual std::string GetDisplayName() const { return ClassName(); }
    // Tells the collection: allItems = every item may have changed.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

enum TCollectionNotification : std::uint8_t { cnAdded, cnExtracting, cnDeleting };

class TCollection : public TPersistent {
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
    // The factory makes an item of the collection's class (it must pass the
    // collection to the item's constructor).
    explicit TCollection(TItemFactory factory);
    ~TCollection() override;

    int Count() const { return int(items_.size()); }
    // Raises EListError for an index out of range.
    TCollectionItem* Items(int index) const;
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Clears, then adds one item per source item and assigns it.
    void Assign(const TPersistent* source) override;

protected:
    // Called after a change while no update is open; null = many items.
    virtual void Update(TCollectionItem* /*item*/) {}
    virtual void Notify(TCollectionItem* /*item*/, TCollectionNotification /*action*/) {}
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);
    void ItemChanged(TCollectionItem* item);

    TItemFactory factory_;
    std::vector<TCollectionItem*> items_;
    int updateCount_ = 0;
    int nextId_ = 0;
};

// A collection whose GetOwner is the given persistent (a component, usually).
class TOwnedCollection : public TCollection {
public:
    TOwnedCollection(TPersistent* owner, TItemFactory factory) : TCollection(std::move(factory)), owner_(owner) {}
    TPersistent* GetOwner() const override { return owner_; }

private:
    TPersistent* owner_;
};

// Factory for item class T.
template <class T> TCollection::TItemFactory CollectionItemFactory()
{
    return [](TCollection* collection) -> TCollectionItem* { return new T(collection); };
}

} // namespace tovrel
