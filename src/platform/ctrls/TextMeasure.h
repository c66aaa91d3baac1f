#pragma once
// Measuring text in a control's font on a screen-compatible context.
#include "platform/gdi/TextMetric.h"
#include "platform/vcl/GraphicsObjects.h"

#include <string_view>
#include <vector>

namespace tovrel {

class TTextMeasure {
public:
    explicit TTextMeasure(TFont& font);
    ~TTextMeasure();
    TTextMeasure(const TTextMeasure&) = delete;
    TTextMeasure& operator=(const TTextMeasure&) = delete;

    int Width(std::string_view utf8) const;
    int Width(std::u32string_view text) const;
    int LineHeight() const { return metrics_.tmHeight; }
    const TEXTMETRIC& Metrics() const { return metrics_; }
    // Offsets[i]: where character i starts; Offsets[size]: the whole width.
    std::vector<int> Offsets(std::u32string_view text) const;

private:
    HDC dc_;
    HGDIOBJ oldFont_;
    TEXTMETRIC metrics_;
};

} // namespace tovrel
