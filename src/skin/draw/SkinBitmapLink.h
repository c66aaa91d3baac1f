#pragma once
// TskBitmapLink: a named rectangle inside a TskBitmap, drawn as a sub-image.
#include "skin/draw/SkinBitmap.h"

#include <memory>

namespace tovrel {

class TskBitmapLink {
public:
    TskBitmap* Image = nullptr; // not owned
    TRect Rect;                 // right and bottom excluded
    std::string Name;
    bool Masked = false;
    bool MaskedBorder = false;
    bool MaskedAngles = false;

    bool Assigned() const { return Image != nullptr && Rect.Width() * Rect.Height() > 0; }

    // Name (stream string), then Left, Top, Right, Bottom as int32 values.
    void SaveToStream(std::ostream& stream) const;
    void LoadFromStream(std::istream& stream);

    // Masked: any pixel of the rectangle is a hole or not opaque.
    void CheckingMasked();
    // By region: corners set MaskedAngles, edges MaskedBorder, the middle Masked.
    void CheckingMasked(TRect margin);

    void Draw(HDC dc, int x, int y);
    void Draw(TskBitmap& target, int x, int y);

private:
    bool Drawable() const;
    bool MaskedAt(int x, int y) const; // link coordinates
};

// A new link over rect of bitmap, named after it.
std::unique_ptr<TskBitmapLink> GetBitmapLink(TskBitmap& bitmap, TRect rect);
// The rectangle given as text (a malformed text gives the empty rectangle).
std::unique_ptr<TskBitmapLink> GetBitmapLink(TskBitmap& bitmap, std::string_view rect);

} // namespace tovrel
