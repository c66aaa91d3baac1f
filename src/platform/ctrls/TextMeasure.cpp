#include "platform/ctrls/TextMeasure.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Text.h"
#include "platform/gdi/TextUtf8.h"
#include "platform/wm/Paint.h"

namespace tovrel {

TTextMeasure::TTextMeasure(TFont& font) : dc_(GetDC(nullptr)), oldFont_(SelectObject(dc_, font.Handle()))
{
    GetTextMetrics(dc_, &metrics_);
}

TTextMeasure::~TTextMeasure()
{
    SelectObject(dc_, oldFont_);
    ReleaseDC(nullptr, dc_);
}

int TTextMeasure::Width(std::string_view utf8) const
{
    if (utf8.empty())
        return 0;
    SIZE size{};
    GetTextExtentPoint32(dc_, utf8, &size);
    return size.cx;
}

int TTextMeasure::Width(std::u32string_view text) const
{
    return Width(EncodeUtf8(text));
}

std::vector<int> TTextMeasure::Offsets(std::u32string_view text) const
{
    std::vector<int> offsets(text.size() + 1, 0);
    std::string prefix;
    for (std::size_t i = 0; i < text.size(); ++i) {
        prefix += EncodeUtf8(text.substr(i, 1));
        offsets[i + 1] = Width(prefix);
    }
    return offsets;
}

} // namespace tovrel
