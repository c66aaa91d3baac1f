#include "platform/gdi/Text.h"

#include "platform/gdi/TextLayout.h"
#include "platform/gdi/TextRender.h"
#include "platform/gdi/TextUtf8.h"

#include <optional>
#include <span>
#include <stdexcept>

namespace tovrel {

namespace {

struct TTextTarget {
    std::shared_ptr<TDeviceContext> Dc;
    std::shared_ptr<TFontInstance> Font;
};

std::optional<TTextTarget> TargetOf(HDC dc)
{
    auto context = FindDeviceContext(dc);
    if (!context)
        return std::nullopt;
    try {
        return TTextTarget{context, AcquireFont(FontRequestFrom(context->Font()))};
    } catch (const std::exception&) { // no usable font installed: the call fails like any GDI call
        return std::nullopt;
    }
}

// Clips drawing to a logical rectangle for the life of the object.
class TClipScope {
public:
    TClipScope(HDC dc, const RECT* clip) : dc_(clip ? dc : nullptr)
    {
        if (dc_) {
            SaveDC(dc_);
            IntersectClipRect(dc_, clip->Left, clip->Top, clip->Right, clip->Bottom);
        }
    }
    ~TClipScope()
    {
        if (dc_)
            RestoreDC(dc_, -1);
    }
    TClipScope(const TClipScope&) = delete;
    TClipScope& operator=(const TClipScope&) = delete;

private:
    HDC dc_;
};

// Draws one line whose cell starts at logical (x, y), honouring the DC's text
// alignment and background mode. Returns the pen advance.
int OutputLine(TTextTarget& t, const TLaidLine& line, int x, int y)
{
    const UINT align = t.Dc->TextAlign();
    const TEXTMETRIC& tm = t.Font->Metrics();
    if ((align & TA_CENTER) == TA_CENTER)
        x -= line.Width / 2;
    else if (align & TA_RIGHT)
        x -= line.Width;
    if ((align & TA_BASELINE) == TA_BASELINE)
        y -= tm.tmAscent;
    else if (align & TA_BOTTOM)
        y -= tm.tmHeight;
    const TPoint at = t.Dc->LogicalToSurface(Point(x, y));
    if (t.Dc->BkMode() == OPAQUE)
        PaintTextBackground(*t.Dc, Bounds(at.X, at.Y, line.Width, tm.tmHeight));
    PaintTextLine(*t.Dc, *t.Font, line, at.X, at.Y, t.Dc->TextColor());
    return line.Width;
}

BOOL OutputPlainText(HDC dc, int x, int y, UINT options, const RECT* rect, std::string_view text)
{
    auto target = TargetOf(dc);
    if (!target)
        return 0;
    if ((options & ETO_OPAQUE) && rect)
        PaintTextBackground(*target->Dc, target->Dc->LogicalToSurface(*rect));
    TClipScope clip(dc, (options & ETO_CLIPPED) ? rect : nullptr);
    TFontMeasurer measurer(*target->Font);
    const TLaidLine line = LayoutPlainLine(measurer, DecodeUtf8(text));
    const bool updatePen = target->Dc->TextAlign() & TA_UPDATECP;
    if (updatePen) {
        const TPoint pen = target->Dc->PenPosition();
        x = pen.X;
        y = pen.Y;
    }
    const int advance = OutputLine(*target, line, x, y);
    if (updatePen)
        target->Dc->SetPenPosition(Point(x + advance, y));
    return 1;
}

} // namespace

BOOL TextOut(HDC dc, int x, int y, std::string_view text)
{
    return OutputPlainText(dc, x, y, 0, nullptr, text);
}

BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, std::string_view text)
{
    return OutputPlainText(dc, x, y, options, rect, text);
}

namespace {

// Lays the text out, and draws it unless DT_CALCRECT only measures it.
std::optional<TTextLayout> DrawLaidText(HDC dc, std::string_view text, RECT* rect, UINT format,
                                        const TDrawTextParams& params)
{
    auto target = TargetOf(dc);
    if (!target || !rect)
        return std::nullopt;
    TFontMeasurer measurer(*target->Font);
    TTextLayout layout = LayoutDrawText(measurer, text, *rect, format, params);
    if (format & DT_CALCRECT) {
        rect->Right = layout.Bounds.Right;
        rect->Bottom = layout.Bounds.Bottom;
        return layout;
    }
    TClipScope clip(dc, (format & DT_NOCLIP) ? nullptr : rect);
    const int cellHeight = target->Font->Metrics().tmHeight;
    for (const TLaidLine& line : layout.Lines) {
        const TPoint at = target->Dc->LogicalToSurface(Point(line.Left, line.Top));
        if (target->Dc->BkMode() == OPAQUE)
            PaintTextBackground(*target->Dc, Bounds(at.X, at.Y, line.Width, cellHeight));
        PaintTextLine(*target->Dc, *target->Font, line, at.X, at.Y, target->Dc->TextColor());
    }
    return layout;
}

} // namespace

int DrawText(HDC dc, std::string_view text, RECT* rect, UINT format)
{
    TDrawTextParams params;
    if (format & DT_TABSTOP) {
        params.TabLength = int((format >> 8) & 0xFF);
        format &= ~0xFF00u; // the tab length, not flags
    }
    const auto layout = DrawLaidText(dc, text, rect, format, params);
    return layout ? layout->Result : 0;
}

int DrawTextEx(HDC dc, std::string_view text, RECT* rect, UINT format, DRAWTEXTPARAMS* params)
{
    if (params && params->cbSize != sizeof(DRAWTEXTPARAMS))
        return 0;
    TDrawTextParams extras;
    if (params)
        extras = {params->iTabLength, params->iLeftMargin, params->iRightMargin};
    const auto layout = DrawLaidText(dc, text, rect, format, extras);
    if (params)
        params->uiLengthDrawn = layout ? UINT(layout->LengthDrawn) : 0;
    return layout ? layout->Result : 0;
}

LONG TabbedTextOut(HDC dc, int x, int y, std::string_view text, int tabCount, const int* tabStops, int tabOrigin)
{
    auto target = TargetOf(dc);
    if (!target)
        return 0;
    std::span<const int> stops;
    if (tabStops && tabCount > 0)
        stops = std::span<const int>(tabStops, std::size_t(tabCount));
    TFontMeasurer measurer(*target->Font);
    const TLaidLine line = LayoutTabbedLine(measurer, text, stops, x, tabOrigin);
    const int width = OutputLine(*target, line, x, y);
    return LONG((std::uint32_t(target->Font->Metrics().tmHeight) << 16) | (std::uint32_t(width) & 0xFFFF));
}

BOOL GetTextExtentPoint32(HDC dc, std::string_view text, SIZE* size)
{
    auto target = TargetOf(dc);
    if (!target || !size)
        return 0;
    size->cx = target->Font->TextWidth(DecodeUtf8(text));
    size->cy = target->Font->Metrics().tmHeight;
    return 1;
}

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics)
{
    auto target = TargetOf(dc);
    if (!target || !metrics)
        return 0;
    *metrics = target->Font->Metrics();
    return 1;
}

int DrawTextScreen(HDC dc, const RECT& rect, std::string_view text)
{
    TEXTMETRIC tm;
    if (!GetTextMetrics(dc, &tm) || tm.tmHeight <= 0)
        return 0;
    int lines = 0;
    for (int top = rect.Top; top + tm.tmHeight <= rect.Bottom; top += tm.tmHeight, ++lines) {
        RECT row{rect.Left, top, rect.Right, top + tm.tmHeight};
        DrawText(dc, text, &row, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    return lines;
}

} // namespace tovrel
