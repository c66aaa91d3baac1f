#pragma once
// The entries of an office-style list: a bold title, a picture and a caption,
// or a group header. Every change but that of the user pointer is reported
// to the collection, which repaints the owning list.
#include "platform/rtl/Types.h"
#include "platform/vcl/Collection.h"
#include "platform/vcl/Object.h"

#include <string>

namespace tovrel {

class TskSkinOfficeListBox;

class TskSkinOfficeItem : public TCollectionItem {
public:
    explicit TskSkinOfficeItem(TCollection* collection);

    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    const std::string& Title() const { return FTitle; }
    void SetTitle(std::string Value);
    const std::string& Caption() const { return FCaption; }
    void SetCaption(std::string Value);
    void* Data() const { return FData; }
    // Only stored: the list never reads it.
    void SetData(void* Value) { FData = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Header() const { return FHeader; }
    void SetHeader(bool Value);
    // Not header and enabled: keys and the mouse may make it current.
    bool Selectable() const { return !FHeader && FEnabled; }

    // Copies image, texts, enabling and the header flag (not the pointer, not OnClick).
    void Assign(const TPersistent* source) override;

    TNotifyEvent OnClick;
    // Set by the list's layout, in the list's client coordinates.
    TRect ItemRect;
    bool IsVisible = false;
    bool Active = false;

private:
    int FImageIndex = -1;
    std::string FTitle;
    std::string FCaption;
    bool FEnabled = true;
    void* FData = nullptr;
    bool FHeader = false;
};

class TskSkinOfficeItems : public TCollection {
public:
    explicit TskSkinOfficeItems(TskSkinOfficeListBox* AListBox);

    TskSkinOfficeItem* Items(int index) const { return static_cast<TskSkinOfficeItem*>(TCollection::Items(index)); }
    // Each repaints the list; none of them touches its current index.
    TskSkinOfficeItem* Add();
    TskSkinOfficeItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TPersistent* GetOwner() const override;

    TskSkinOfficeListBox* const OfficeListBox;

protected:
    void Update(TCollectionItem* item) override;
};

} // namespace tovrel
