#pragma once
// Quick buttons: small image buttons at the left end of a skinned form's
// caption, kept by the form component and laid out by the caption object.
#include <string>

#include "platform/rtl/Types.h"
#include "platform/vcl/Collection.h"
#include "platform/vcl/ControlTypes.h"

namespace tovrel {

class TskSkinForm;

class TskQuickButtonItem : public TCollectionItem {
public:
    explicit TskQuickButtonItem(TCollection* Collection);
    // Copies the image, hint and switches of another item; not its click.
    void Assign(const TPersistent* Source) override;

    int ImageIndex() const { return FImageIndex; }
    bool Enabled() const { return FEnabled; }
    bool Visible() const { return FVisible; }
    // Each stores the value and repaints the frame.
    virtual void SetImageIndex(int Value);
    virtual void SetEnabled(bool Value);
    virtual void SetVisible(bool Value);

    std::string Hint;
    TNotifyEvent OnClick;
    // Placed by the caption object, in window coordinates.
    TRect ItemRect;
    bool Active = false;
    bool Down = false;

private:
    int FImageIndex = -1;
    bool FEnabled = true;
    bool FVisible = true;
};

class TskQuickButtonItems : public TCollection {
public:
    explicit TskQuickButtonItems(TskSkinForm* ABSF);

    TskQuickButtonItem* Add() { return static_cast<TskQuickButtonItem*>(TCollection::Add()); }
    TskQuickButtonItem* Insert(int Index) { return static_cast<TskQuickButtonItem*>(TCollection::Insert(Index)); }
    TskQuickButtonItem* Items(int Index) const { return static_cast<TskQuickButtonItem*>(TCollection::Items(Index)); }
    TPersistent* GetOwner() const override;

    TskSkinForm* BSF;

protected:
    // The buttons are part of the frame: a change repaints it.
    void Update(TCollectionItem* Item) override;
};

} // namespace tovrel
