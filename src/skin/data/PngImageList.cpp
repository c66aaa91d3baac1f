#include "skin/data/PngImageList.h"

#include <cmath>

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"

namespace tovrel {

// ---- items ----

TskPngImageItem::TskPngImageItem(TCollection* Collection)
    : TCollectionItem(Collection), FPngImage(std::make_unique<TskPngImage>())
{
    Name = "PngImage" + std::to_string(Index());
    if (TskPngImageList* list = ImageList()) {
        TBitmap placeholder(list->Width(), list->Height(), TPixelFormat::pf24bit);
        list->Insert(Index(), &placeholder, nullptr);
    }
}

TskPngImageItem::~TskPngImageItem()
{
    TskPngImageList* list = ImageList();
    const int index = Index();
    if (list && index >= 0 && index < list->Count())
        list->Delete(index);
}

TskPngImageList* TskPngImageItem::ImageList() const
{
    const auto* items = dynamic_cast<const TskPngImageItems*>(Collection());
    return items ? items->PngImageList() : nullptr;
}

void TskPngImageItem::SetPngImage(const TskPngImage* Value)
{
    FPngImage->Assign(Value);
    Changed(false);
}

void TskPngImageItem::Assign(const TPersistent* Source)
{
    const auto* item = dynamic_cast<const TskPngImageItem*>(Source);
    if (!item) {
        TCollectionItem::Assign(Source);
        return;
    }
    if (item->FPngImage->Empty())
        FPngImage = std::make_unique<TskPngImage>();
    else
        FPngImage->Assign(item->FPngImage.get());
    Name = item->Name;
}

std::string TskPngImageItem::GetDisplayName() const
{
    return Name.empty() ? TCollectionItem::GetDisplayName() : Name;
}

TskPngImageItems::TskPngImageItems(TskPngImageList* APngImageList)
    : TOwnedCollection(APngImageList, CollectionItemFactory<TskPngImageItem>()), FPngImageList(APngImageList)
{}

// ---- the list ----

TskPngImageList::TskPngImageList(TComponent* AOwner)
    : TCustomImageList(AOwner), FPngImages(std::make_unique<TskPngImageItems>(this))
{}

TskPngImageList::~TskPngImageList()
{
    FPngImages.reset();
}

void TskPngImageList::Resize(int width, int height)
{
    if (width == Width() && height == Height())
        return;
    SetSize(width, height);
    const bool reading =
        ComponentState().Contains(csReading) || (Owner() && Owner()->ComponentState().Contains(csReading));
    if (!reading)
        FPngImages->Clear();
}

void TskPngImageList::SetPngWidth(int Value)
{
    Resize(Value, Height());
}

void TskPngImageList::SetPngHeight(int Value)
{
    Resize(Width(), Value);
}

void TskPngImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, TDrawingStyle, bool Enabled)
{
    TskPngImageItem* item = FPngImages->Items(Index);
    const TRect r{X, Y, X + PngWidth(), Y + PngHeight()};
    if (item->PngImage()->Empty())
        return;
    if (Enabled) {
        Canvas->StretchDraw(r, item->PngImage());
        return;
    }
    TskPngImage translucent;
    translucent.Assign(item->PngImage());
    MakeBlendedPng(translucent, 127);
    Canvas->StretchDraw(r, &translucent);
}

// ---- translucency ----

void MakeBlendedPng(TskPngImage& Png, int Amount)
{
    const bool bitTransparency = Png.TransparencyMode() == ptmBit;
    const TColor transparentColor = Png.TransparentColor();
    const auto isTransparent = [&](const TskPngImage& image, int x, int y) {
        return bitTransparency && image.Pixels(x, y) == transparentColor;
    };
    const int width = Png.Width(), height = Png.Height();
    switch (Png.Header().ColorType) {
    case COLOR_GRAYSCALEALPHA:
    case COLOR_RGBALPHA: break;
    case COLOR_GRAYSCALE:
    case COLOR_PALETTE: {
        TskPngImage blended;
        blended.CreateBlank(COLOR_RGBALPHA, 8, width, height);
        for (int y = 0; y < height; ++y) {
            const TAlphaRow alpha = blended.AlphaScanline(y);
            for (int x = 0; x < width; ++x) {
                blended.SetPixel(x, y, Png.Pixels(x, y));
                alpha[x] = std::uint8_t(isTransparent(Png, x, y) ? 0 : Amount);
            }
        }
        Png.Assign(&blended);
        return;
    }
    default: Png.CreateAlpha(); break;
    }
    for (int y = 0; y < height; ++y) {
        const TAlphaRow alpha = Png.AlphaScanline(y);
        if (!alpha)
            continue;
        for (int x = 0; x < width; ++x) {
            // Default rounding mode: halves go to the even neighbour.
            alpha[x] = isTransparent(Png, x, y) ? 0 : std::uint8_t(std::nearbyint(alpha[x] / 256.0 * (Amount + 1)));
        }
    }
}

} // namespace tovrel
