// Image and caption layout and drawing.
#include "skin/draw/GlyphLayout.h"

#include "platform/gdi/Gdi.h"
#include "platform/gdi/Text.h"
#include "skin/draw/TextHelpers.h"

namespace tovrel {

void CalcGlyphLayout(int layout, const RECT& r, int iw, int ih, int tw, int th, int spacing, int margin,
                     TskGlyphPositions& at)
{
    if (iw == 0)
        spacing = 0;
    const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    const int halfW = (tw + iw + spacing) / 2, halfH = (th + ih + spacing) / 2;
    const bool centred = margin == -1;
    auto centreYs = [&] {
        at.GlyphY = cy - ih / 2;
        at.TextY = cy - th / 2;
    };
    auto centreXs = [&] {
        at.GlyphX = cx - iw / 2;
        at.TextX = cx - tw / 2;
    };
    switch (layout) {
    case glLeft:
        at.GlyphX = centred ? cx - halfW : r.Left + margin;
        at.TextX = centred ? cx + halfW - tw : at.GlyphX + iw + spacing;
        centreYs();
        break;
    case glRight:
        at.GlyphX = centred ? cx + halfW - iw : r.Right - iw - margin;
        at.TextX = centred ? cx - halfW : at.GlyphX - spacing - tw;
        centreYs();
        break;
    case glTop:
        at.GlyphY = centred ? cy - halfH : r.Top + margin;
        at.TextY = centred ? cy + halfH - th : at.GlyphY + ih + spacing;
        centreXs();
        break;
    case glBottom:
        at.GlyphY = centred ? cy + halfH - ih : r.Bottom - ih - margin;
        at.TextY = centred ? cy - halfH : at.GlyphY - spacing - th;
        centreXs();
        break;
    default: break;
    }
}

void DrawGlyph(HDC dc, int x, int y, const TskBitmap& glyph, int numGlyphs, int glyphNum)
{
    if (glyph.Empty() || numGlyphs <= 0)
        return;
    const int gw = glyph.Width() / numGlyphs, h = glyph.Height();
    const int left = gw * (glyphNum - 1);
    if (gw <= 0 || left < 0 || left + gw > glyph.Width())
        return;
    const COLORREF key = ColorFromPixel(glyph.Pixel(left, h - 1));
    TransparentBlt(dc, x, y, gw, h, glyph.DC(), left, 0, gw, h, key);
}

namespace {

struct TImagePart {
    int Width = 0;
    int Height = 0;
    std::function<void(HDC, int, int)> Draw;
};

void HorizontalLine(HDC dc, int x1, int x2, int y, COLORREF color)
{
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(dc, ToGdiObj(pen));
    MoveToEx(dc, x1, y, nullptr);
    LineTo(dc, x2, y);
    SelectObject(dc, old);
    DeleteObject(ToGdiObj(pen));
}

void MarkerLines(HDC dc, int x1, int x2, int firstRow, COLORREF color)
{
    for (int i = 0; i < 3; ++i)
        HorizontalLine(dc, x1, x2, firstRow + i, color);
}

void CaptionWithImage(HDC dc, const RECT& r, const TskCaptionStyle& style, std::string_view caption,
                      const TImagePart& image, UINT textFormat, RECT markerFill)
{
    const int iw = image.Width, ih = image.Height;
    int tw = 0, th = 0;
    if (!caption.empty()) {
        const bool beside = style.Layout == glLeft || style.Layout == glRight;
        RECT measure = Rect(0, 0, r.Width() - (beside ? iw : 0), r.Height() - (beside ? 0 : ih));
        WideDrawText(dc, caption, measure, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
        tw = measure.Width();
        th = measure.Height();
        SetBkMode(dc, TRANSPARENT);
    }
    TskGlyphPositions at;
    CalcGlyphLayout(style.Layout, r, iw, ih, tw, th, style.Spacing, style.Margin, at);
    if (style.Down) {
        ++at.TextX, ++at.TextY, ++at.GlyphX, ++at.GlyphY;
    }
    RECT textRect = Rect(at.TextX, at.TextY, at.TextX + tw + 2, at.TextY + th);
    if (!caption.empty())
        WideDrawText(dc, caption, textRect, textFormat);
    if (iw > 0) {
        image.Draw(dc, at.GlyphX, at.GlyphY);
        if (style.DrawColorMarker)
            MarkerLines(dc, at.GlyphX, at.GlyphX + iw, at.GlyphY + ih - 2, style.ColorMarkerValue);
    } else if (style.DrawColorMarker) {
        if (!caption.empty()) {
            MarkerLines(dc, textRect.Left, textRect.Right, textRect.Bottom - 1, style.ColorMarkerValue);
        } else {
            HBRUSH brush = CreateSolidBrush(style.ColorMarkerValue);
            FillRect(dc, &markerFill, brush);
            DeleteObject(ToGdiObj(brush));
        }
    }
}

TImagePart ListImage(int imageIndex, const TskImageSource* images, bool enabled)
{
    if (images == nullptr || imageIndex < 0 || imageIndex >= images->Count || !images->Draw)
        return {};
    return {images->Width, images->Height,
            [images, imageIndex, enabled](HDC dc, int x, int y) { images->Draw(dc, x, y, imageIndex, enabled); }};
}

RECT MarkerFill(const RECT& r)
{
    return Rect(r.Left + 4, r.Top + 4, r.Right - 2, r.Bottom - 4);
}

} // namespace

void DrawImageAndText(HDC dc, const RECT& r, const TskCaptionStyle& style, std::string_view caption, int imageIndex,
                      const TskImageSource* images, bool enabled)
{
    CaptionWithImage(dc, r, style, caption, ListImage(imageIndex, images, enabled),
                     DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER, MarkerFill(r));
}

void DrawImageAndTextLeft(HDC dc, const RECT& r, const TskCaptionStyle& style, std::string_view caption, int imageIndex,
                          const TskImageSource* images, bool enabled)
{
    CaptionWithImage(dc, r, style, caption, ListImage(imageIndex, images, enabled),
                     DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER, MarkerFill(r));
}

void DrawGlyphAndText(HDC dc, const RECT& r, const TskCaptionStyle& style, std::string_view caption,
                      const TskBitmap& glyph, int numGlyphs, int glyphNum)
{
    TImagePart image;
    if (!glyph.Empty() && numGlyphs > 0) {
        image.Width = glyph.Width() / numGlyphs;
        image.Height = glyph.Height();
        image.Draw = [&glyph, numGlyphs, glyphNum](HDC target, int x, int y) {
            DrawGlyph(target, x, y, glyph, numGlyphs, glyphNum);
        };
    }
    const RECT fill = style.Down ? Rect(r.Left + 4, r.Top + 5, r.Right - 2, r.Bottom - 3) : MarkerFill(r);
    CaptionWithImage(dc, r, style, caption, image, DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER, fill);
}

} // namespace tovrel
