#include "platform/gdi/TextRender.h"

#include <vector>

namespace tovrel {

namespace {

void FillBar(TDeviceContext& dc, int left, int top, int width, int height, COLORREF colour)
{
    if (width > 0 && height > 0)
        dc.FillSurfaceRegion(TRegion(Bounds(left, top, width, height)), PixelFromColor(colour));
}

} // namespace

TFontRequest FontRequestFrom(const LOGFONT& lf)
{
    TFontRequest request;
    request.Family = lf.lfFaceName;
    request.Height = lf.lfHeight;
    request.Weight = lf.lfWeight;
    request.Italic = lf.lfItalic != 0;
    request.Underline = lf.lfUnderline != 0;
    request.StrikeOut = lf.lfStrikeOut != 0;
    return request;
}

void PaintTextLine(TDeviceContext& dc, TFontInstance& font, const TLaidLine& line, int left, int top, COLORREF colour)
{
    const int baseline = top + font.Metrics().tmAscent;
    std::u32string text;
    text.reserve(line.Chars.size());
    for (const auto& c : line.Chars)
        text.push_back(c.Char);
    std::vector<const TGlyph*> glyphs;
    font.Glyphs(text, glyphs);
    const TFaceMetrics& face = font.FaceMetrics();
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const TGlyph& g = *glyphs[i];
        const TLaidChar& c = line.Chars[i];
        if (g.Width > 0 && g.Height > 0)
            dc.BlendCoverage(left + c.X + g.Left, baseline - g.Top, g.Coverage.data(), g.Width, g.Height, g.Width,
                             colour);
        if (c.Prefixed)
            FillBar(dc, left + c.X, baseline + face.UnderlinePosition, c.Width, face.UnderlineThickness, colour);
    }
    if (font.Request().Underline)
        FillBar(dc, left, baseline + face.UnderlinePosition, line.Width, face.UnderlineThickness, colour);
    if (font.Request().StrikeOut)
        FillBar(dc, left, baseline - face.StrikeoutPosition, line.Width, face.StrikeoutThickness, colour);
}

void PaintTextBackground(TDeviceContext& dc, const TRect& surfaceRect)
{
    if (!surfaceRect.IsEmpty())
        dc.FillSurfaceRegion(TRegion(surfaceRect), PixelFromColor(dc.BkColor()));
}

} // namespace tovrel
