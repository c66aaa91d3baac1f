#include "platform/gdi/IconImage.h"

#include "platform/gdi/SurfaceDrawing.h"
#include "platform/gdi/SurfaceResample.h"

#include <cstdlib>
#include <cstring>
#include <tuple>

namespace tovrel {

namespace {

constexpr std::uint32_t kMaskTransparent = 0xFFFFFFFF, kMaskOpaque = 0;

template <class Transparent> TSurface MaskWhere(int width, int height, Transparent transparent)
{
    TSurface mask(width, height, TPixelFormat::pf32bit);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = mask.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t value = transparent(x, y) ? kMaskTransparent : kMaskOpaque;
            std::memcpy(row + x * 4, &value, 4);
        }
    }
    return mask;
}

const std::uint8_t* PixelOf(const TSurface& s, int x, int y)
{
    return s.ScanLine(y) + std::size_t(x) * std::size_t(s.BytesPerPixel());
}

} // namespace

TIconImage MakeIconImage(const TSurface& color, const TSurface* mask)
{
    TIconImage image;
    image.Color = ConvertSurface(color, TPixelFormat::pf32bit, 0);
    image.Bits = color.PixelFormat() == TPixelFormat::pf32bit ? 32 : 24;
    const int w = color.Width(), h = color.Height();
    if (mask && mask->Width() == w && mask->Height() == h) {
        image.Mask = MaskWhere(w, h, [&](int x, int y) {
            const std::uint8_t* p = PixelOf(*mask, x, y);
            return (p[0] | p[1] | p[2]) != 0;
        });
    } else {
        const bool alpha = HasAlphaChannel(image.Color);
        image.Mask = MaskWhere(w, h, [&](int x, int y) { return alpha && PixelOf(image.Color, x, y)[3] == 0; });
    }
    return image;
}

bool IconHasAlpha(const TIconImage& image)
{
    return HasAlphaChannel(image.Color);
}

int IconWidth(const TIconImage& image)
{
    return image.Color.Width();
}

int IconHeight(const TIconImage& image)
{
    return image.Color.Height();
}

TSurface IconPicture(const TIconImage& image)
{
    if (IconHasAlpha(image))
        return image.Color;
    TSurface picture = image.Color;
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* p = picture.ScanLine(y);
        const std::uint8_t* m = image.Mask.ScanLine(y);
        for (int x = 0; x < picture.Width(); ++x, p += 4, m += 4)
            p[3] = m[0] ? 0 : 255;
    }
    return picture;
}

TIconImage ScaleIconImage(const TIconImage& image, int width, int height)
{
    if (width == IconWidth(image) && height == IconHeight(image))
        return image;
    TIconImage scaled;
    scaled.Bits = image.Bits;
    scaled.Color = IconHasAlpha(image) ? Unpremultiplied(ResampleSurface(Premultiplied(image.Color), width, height))
                                       : ResampleSurface(image.Color, width, height);
    const TSurface coverage = ResampleSurface(image.Mask, width, height);
    scaled.Mask = MaskWhere(width, height, [&](int x, int y) { return PixelOf(coverage, x, y)[0] >= 128; });
    return scaled;
}

int BestIconImage(const std::vector<TIconImage>& images, int width, int height)
{
    // Ranked by: exact size, then larger before smaller, then the closest, then depth.
    auto rank = [&](const TIconImage& image) {
        const int w = IconWidth(image), h = IconHeight(image);
        const bool exact = w == width && h == height;
        const bool larger = w >= width && h >= height;
        const long distance = std::labs(long(w) * h - long(width) * height);
        return std::make_tuple(!exact, !larger, distance, -image.Bits);
    };
    int best = -1;
    for (int i = 0; i < int(images.size()); ++i)
        if (best < 0 || rank(images[std::size_t(i)]) < rank(images[std::size_t(best)]))
            best = i;
    return best;
}

} // namespace tovrel
