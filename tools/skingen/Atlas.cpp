#include "Atlas.h"

#include <algorithm>
#include <stdexcept>

namespace tovrel::skingen {

namespace {
constexpr int kGap = 1;
}

TRect TAtlas::Add(int w, int h, TPaint paint)
{
    if (w <= 0 || h <= 0 || w > width_)
        throw std::invalid_argument(FileName + ": an image of " + std::to_string(w) + "x" + std::to_string(h) +
                                    " does not fit a picture " + std::to_string(width_) + " wide");
    if (shelfX_ + w > width_) {
        shelfY_ += shelfHeight_ + kGap;
        shelfX_ = 0;
        shelfHeight_ = 0;
    }
    const TRect place{shelfX_, shelfY_, shelfX_ + w, shelfY_ + h};
    shelfX_ += w + kGap;
    shelfHeight_ = std::max(shelfHeight_, h);
    items_.push_back({place, std::move(paint)});
    return place;
}

TSurface TAtlas::Render() const
{
    TSurface surface(width_, std::max(1, shelfY_ + shelfHeight_), TPixelFormat::pf24bit);
    TPainter painter(surface);
    painter.FillRect(TRect{0, 0, surface.Width(), surface.Height()}, background_);
    for (const TItem& item : items_)
        item.Paint(painter, item.Place);
    return surface;
}

} // namespace tovrel::skingen
