#include "platform/gdi/codecs/PixelPalette.h"

#include <unordered_map>

namespace tovrel {

std::optional<TIndexedImage> IndexExactly(const TSurface& surface, int maxColours)
{
    TIndexedImage image;
    image.Indexes.reserve(std::size_t(surface.Width()) * std::size_t(surface.Height()));
    std::unordered_map<std::uint32_t, std::uint8_t> known;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            const std::uint32_t rgb = RgbAt(surface, x, y);
            auto it = known.find(rgb);
            if (it == known.end()) {
                if (int(image.Palette.size()) >= maxColours)
                    return std::nullopt;
                it = known.emplace(rgb, std::uint8_t(image.Palette.size())).first;
                image.Palette.push_back(rgb);
            }
            image.Indexes.push_back(it->second);
        }
    }
    return image;
}

} // namespace tovrel
