#include "skin/dialogs/NewFolderGlyph.h"

#include "platform/shell/ShellIcons.h"
#include "platform/vcl/Bitmap.h"

namespace tovrel {

namespace {

constexpr int kSize = 16;
// The key colour (magenta) and the star's yellow, as B, G, R.
constexpr std::uint8_t kKey[3] = {0xFF, 0x00, 0xFF};
constexpr std::uint8_t kStar[3] = {0x00, 0xC8, 0xFF};

void SetPixel(TBitmap& bitmap, int x, int y, const std::uint8_t (&bgr)[3])
{
    std::uint8_t* p = bitmap.ScanLine(y) + x * 3;
    p[0] = bgr[0], p[1] = bgr[1], p[2] = bgr[2];
}

} // namespace

std::unique_ptr<TBitmap> NewFolderGlyph()
{
    auto glyph = std::make_unique<TBitmap>(kSize, kSize, TPixelFormat::pf24bit);
    // The picture is premultiplied: a pixel at least half covered shows its
    // own colour, the rest is the key.
    const TSurface folder = DrawShellIcon(siFolder, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const std::uint8_t* s = folder.ScanLine(y) + x * 4;
            const int alpha = s[3];
            if (alpha < 128) {
                SetPixel(*glyph, x, y, kKey);
                continue;
            }
            const std::uint8_t colour[3] = {std::uint8_t(s[0] * 255 / alpha), std::uint8_t(s[1] * 255 / alpha),
                                            std::uint8_t(s[2] * 255 / alpha)};
            SetPixel(*glyph, x, y, colour);
        }
    // A plus-shaped star in the top-right corner.
    for (int d = -2; d <= 2; ++d) {
        SetPixel(*glyph, 12 + d, 3, kStar);
        SetPixel(*glyph, 12, 3 + d, kStar);
    }
    SetPixel(*glyph, 0, kSize - 1, kKey);
    return glyph;
}

} // namespace tovrel
