#pragma once
// Window regions from mask pictures: black pixels (blue, green and red all 0)
// belong to the shape, every other pixel is cut away.
#include "platform/gdi/GdiTypes.h"
#include "skin/draw/SkinImageBuilders.h"

#include <cstdint>
#include <vector>

namespace tovrel {

// A top-down 24-bit copy of a bitmap with direct row access.
class TskFBitmap {
public:
    explicit TskFBitmap(HBITMAP bitmap);
    int Width = 0;
    int Height = 0;
    int Gap = 0;    // padding bytes at the end of each row
    int RowInc = 0; // bytes per row
    int Size = 0;
    const std::uint8_t* Row(int y) const { return bits_.data() + std::size_t(y) * std::size_t(RowInc); }

private:
    std::vector<std::uint8_t> bits_;
};

// Region data (a 32-byte header and one rectangle per run of black pixels, in
// scan order, offset by x, y); empty for an empty mask. Runs are not merged
// across rows, and there is no limit on their number.
std::vector<std::uint8_t> CreateRgnDataFromMask(HBITMAP mask, int x, int y);
std::vector<std::uint8_t> CreateRgnDataFromMask(const TskBitmap& mask, int x, int y);

// The region of mask's black pixels; null for an empty mask. The caller owns it.
HRGN CreateMaskRegion(HBITMAP mask);
HRGN CreateMaskRegion(const TskBitmap& mask);
HRGN CreateMaskRegion(const TBitmap& mask);

struct TskMaskStrips {
    TskBitmap& Top;
    TskBitmap& Left;
    TskBitmap& Right;
    TskBitmap& Bottom;
};

namespace regions {
void SkinMask(const TskSkinCorners& skin, const TskSkinCorners& fresh, const TskImageRef& mask,
              const TskMaskStrips& strips, int newWidth);
HRGN SkinRegion(const TskSkinCorners& skin, const TskSkinCorners& fresh, const TskImageRef& mask, int newWidth);
} // namespace regions

// The four border strips of mask resized to the new geometry; edges are tiled,
// never stretched. A strip whose condition fails is left as it was given; a
// built strip starts white, so pixels no piece covers are outside the shape.
// newHeight is not used.
template <class P>
void CreateSkinMask(const TskSkinCorners& skin, const TskSkinCorners& fresh, P& mask, const TskMaskStrips& strips,
                    int newWidth, int)
{
    regions::SkinMask(skin, fresh, RefOf(mask), strips, newWidth);
}

// The region of a frame resized to the new geometry: the new client rectangle
// and the black pixels of the four resized strips. Null when the new size is
// smaller than the corners or nothing is inside. The caller owns it.
template <class P>
HRGN CreateSkinRegion(const TskSkinCorners& skin, const TskSkinCorners& fresh, P& mask, int newWidth, int)
{
    return regions::SkinRegion(skin, fresh, RefOf(mask), newWidth);
}

} // namespace tovrel
