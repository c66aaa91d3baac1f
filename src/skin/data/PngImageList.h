#pragma once
// TskPngImageList: an image list whose images are PNG pictures with alpha,
// kept as a collection of named items. Position i of the image list belongs
// to item i; the list's own images are placeholders and every drawing comes
// from the item's PNG, a disabled image at about half opacity.
#include <memory>
#include <string>

#include "platform/vcl/Collection.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/PngImage.h"

namespace tovrel {

using TskPngImage = TPngImage;

class TskPngImageList;

class TskPngImageItem : public TCollectionItem {
public:
    // Named "PngImage%d" with its position; inserts a placeholder image into
    // the owning image list at that position.
    explicit TskPngImageItem(TCollection* Collection);
    // Deletes the image list's image at the item's position, when there is one.
    ~TskPngImageItem() override;

    TskPngImage* PngImage() const { return FPngImage.get(); }
    void SetPngImage(const TskPngImage* Value);
    std::string Name;

    // From another item: its PNG and its name.
    void Assign(const TPersistent* Source) override;

protected:
    std::string GetDisplayName() const override;

private:
    TskPngImageList* ImageList() const;
    std::unique_ptr<TskPngImage> FPngImage;
};

class TskPngImageItems : public TOwnedCollection {
public:
    explicit TskPngImageItems(TskPngImageList* APngImageList);

    // Raises EListError out of range.
    TskPngImageItem* Items(int Index) const { return static_cast<TskPngImageItem*>(TCollection::Items(Index)); }
    TskPngImageItem* Add() { return static_cast<TskPngImageItem*>(TCollection::Add()); }
    TskPngImageList* PngImageList() const { return FPngImageList; }

private:
    TskPngImageList* FPngImageList;
};

class TskPngImageList : public TCustomImageList {
public:
    explicit TskPngImageList(TComponent* AOwner);
    // Frees the items (and their placeholders) before the image list.
    ~TskPngImageList() override;

    TskPngImageItems* PngImages() const { return FPngImages.get(); }
    // Copies the given items.
    void SetPngImages(const TskPngImageItems* Value) { FPngImages->Assign(Value); }
    int PngWidth() const { return Width(); }
    int PngHeight() const { return Height(); }
    // A new size removes every image and, unless the owner is being read,
    // every item.
    void SetPngWidth(int Value);
    void SetPngHeight(int Value);

protected:
    // Draws item Index into X, Y, X + PngWidth, Y + PngHeight; a disabled
    // item translucent (MakeBlendedPng with 127). Style plays no part.
    void DoDraw(int Index, TCanvas* Canvas, int X, int Y, TDrawingStyle Style, bool Enabled) override;

private:
    void Resize(int width, int height);
    std::unique_ptr<TskPngImageItems> FPngImages;
};

// Makes the picture translucent by Amount (0..255): pixels of the ptmBit
// colour become transparent; grey and palette pictures become colour with
// alpha Amount; pictures with alpha scale it by (Amount + 1) / 256, rounding
// halves to even (an opaque pixel ends at 128 for Amount 127).
void MakeBlendedPng(TskPngImage& Png, int Amount);

} // namespace tovrel
