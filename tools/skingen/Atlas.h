#pragma once
// One picture of a skin, packed shelf by shelf: each image asks for its size,
// gets its rectangle at once (entries are filled from it) and is painted when
// the picture is rendered. Places depend only on the order of the requests.
#include <functional>
#include <string>
#include <vector>

#include "Painter.h"

namespace tovrel::skingen {

class TAtlas {
public:
    using TPaint = std::function<void(TPainter&, const TRect&)>;

    TAtlas(std::string fileName, int width, TRgb background)
        : FileName(std::move(fileName)), width_(width), background_(background)
    {}

    // A rectangle of w x h, one pixel apart from its neighbours.
    TRect Add(int w, int h, TPaint paint);
    // The painted picture; its height is that of the last shelf.
    TSurface Render() const;

    std::string FileName;

private:
    struct TItem {
        TRect Place;
        TPaint Paint;
    };
    int width_;
    TRgb background_;
    int shelfX_ = 0, shelfY_ = 0, shelfHeight_ = 0;
    std::vector<TItem> items_;
};

} // namespace tovrel::skingen
