#include "platform/gdi/TextLayout.h"

#include "platform/gdi/TextFlags.h"
#include "platform/gdi/TextLineBreak.h"
#include "platform/gdi/TextUtf8.h"

#include <algorithm>

namespace tovrel {

namespace {

constexpr int kTabChars = 8;

bool IsLineBreak(char32_t c)
{
    return c == U'\r' || c == U'\n';
}

// A line before ellipses and placing, with the code point it starts at (an
// empty line has no character to tell).
struct TSourceLine {
    TCharRun Chars;
    std::size_t Start = 0;
};

// Paragraphs split at CR LF, LF CR (the hint window's separator), LF or CR;
// a final line break adds no empty line.
std::vector<TSourceLine> SplitParagraphs(const TCharRun& text)
{
    std::vector<TSourceLine> paragraphs(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i].Char;
        if (IsLineBreak(c)) {
            if (i + 1 < text.size() && IsLineBreak(text[i + 1].Char) && text[i + 1].Char != c)
                ++i;
            if (i + 1 < text.size())
                paragraphs.push_back({{}, text[i + 1].Source});
            continue;
        }
        paragraphs.back().Chars.push_back(text[i]);
    }
    return paragraphs;
}

TCharRun WithoutLineBreaks(TCharRun text)
{
    std::erase_if(text, [](const TLaidChar& c) { return IsLineBreak(c.Char); });
    return text;
}

std::vector<TSourceLine> SplitLines(ITextMeasurer& measurer, TCharRun chars, unsigned flags, int width, int tabWidth)
{
    if (flags & DT_SINGLELINE)
        return {{WithoutLineBreaks(std::move(chars)), 0}};
    std::vector<TSourceLine> lines;
    for (auto& paragraph : SplitParagraphs(chars)) {
        if (!(flags & DT_WORDBREAK)) {
            lines.push_back(std::move(paragraph));
            continue;
        }
        for (auto& run : BreakLines(measurer, paragraph.Chars, width, tabWidth)) {
            const std::size_t start = run.empty() ? paragraph.Start : run.front().Source;
            lines.push_back({std::move(run), start});
        }
    }
    return lines;
}

int AlignedLeft(const TRect& rect, int width, unsigned flags)
{
    if (flags & DT_CENTER)
        return rect.Left + (rect.Width() - width) / 2;
    if (flags & DT_RIGHT)
        return rect.Right - width;
    return rect.Left;
}

// The first line that starts below the rectangle, where drawing stops taking
// in text; lines.size() when every line is taken.
std::size_t FirstLineBelow(const std::vector<TLaidLine>& lines, const TRect& rect, unsigned flags)
{
    if (flags & (DT_NOCLIP | DT_CALCRECT | DT_SINGLELINE))
        return lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].Top >= rect.Bottom)
            return i;
    return lines.size();
}

} // namespace

TTextLayout LayoutDrawText(ITextMeasurer& measurer, std::string_view text, const TRect& rect, unsigned flags,
                           const TDrawTextParams& params)
{
    TTextLayout layout;
    layout.LengthDrawn = text.size();
    std::vector<std::size_t> offsets;
    TCharRun chars = ParsePrefixes(DecodeUtf8(text, &offsets), !(flags & DT_NOPREFIX));
    if (flags & DT_HIDEPREFIX)
        for (auto& c : chars)
            c.Prefixed = false;
    layout.Bounds = TRect{rect.Left, rect.Top, rect.Left, rect.Top};
    if (chars.empty())
        return layout;

    const TRect area{rect.Left + params.LeftMargin, rect.Top, rect.Right - params.RightMargin, rect.Bottom};
    const int tabChars = (flags & DT_TABSTOP) && params.TabLength > 0 ? params.TabLength : kTabChars;
    const int tabWidth = (flags & DT_EXPANDTABS) ? tabChars * std::max(0, measurer.AveCharWidth()) : 0;
    const bool singleLine = flags & DT_SINGLELINE;
    std::vector<TSourceLine> lines = SplitLines(measurer, std::move(chars), flags, area.Width(), tabWidth);

    const int lineHeight = measurer.LineHeight() + ((flags & DT_EXTERNALLEADING) ? measurer.ExternalLeading() : 0);
    const int totalHeight = lineHeight * int(lines.size());
    int top = rect.Top;
    if (singleLine && (flags & DT_VCENTER))
        top = rect.Top + (rect.Height() - totalHeight) / 2;
    else if (singleLine && (flags & DT_BOTTOM))
        top = rect.Bottom - totalHeight;

    int widest = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        TCharRun& run = lines[i].Chars;
        if (flags & DT_PATH_ELLIPSIS)
            ApplyPathEllipsis(measurer, run, area.Width(), tabWidth);
        else if (flags & DT_END_ELLIPSIS)
            ApplyEndEllipsis(measurer, run, area.Width(), tabWidth);
        TLaidLine line;
        line.Width = PlaceChars(measurer, run, tabWidth);
        line.Chars = std::move(run);
        line.Left = AlignedLeft(area, line.Width, flags);
        line.Top = top + int(i) * lineHeight;
        widest = std::max(widest, line.Width);
        layout.Lines.push_back(std::move(line));
    }
    layout.Bounds =
        TRect{rect.Left, rect.Top, rect.Left + params.LeftMargin + widest + params.RightMargin, rect.Top + totalHeight};
    layout.Result = (singleLine && (flags & (DT_VCENTER | DT_BOTTOM))) ? top + totalHeight - rect.Top : totalHeight;
    if (const std::size_t below = FirstLineBelow(layout.Lines, rect, flags); below < lines.size())
        layout.LengthDrawn = lines[below].Start < offsets.size() ? offsets[lines[below].Start] : text.size();
    return layout;
}

TLaidLine LayoutTabbedLine(ITextMeasurer& measurer, std::string_view text, std::span<const int> tabStops, int x,
                           int tabOrigin)
{
    TLaidLine line;
    line.Left = x;
    TCharRun run = ParsePrefixes(DecodeUtf8(text), false);
    const int defaultStep = tabStops.size() == 1 ? tabStops[0] : kTabChars * measurer.AveCharWidth();
    int pen = 0;
    for (auto& c : run) {
        c.X = pen;
        if (c.Char != U'\t') {
            c.Width = measurer.CharWidth(c.Char);
        } else {
            // Stops are measured from the tab origin; the pen from x.
            const int absolute = x + pen - tabOrigin;
            int next = -1;
            if (tabStops.size() > 1) {
                for (int stop : tabStops) {
                    if (stop > absolute) {
                        next = stop;
                        break;
                    }
                }
            } else if (defaultStep > 0) {
                next = (absolute / defaultStep + 1) * defaultStep;
            }
            c.Width = next >= 0 ? next - absolute : measurer.CharWidth(U' ');
        }
        pen += c.Width;
    }
    line.Width = pen;
    line.Chars = std::move(run);
    return line;
}

TLaidLine LayoutPlainLine(ITextMeasurer& measurer, std::u32string_view text)
{
    TLaidLine line;
    TCharRun run = ParsePrefixes(text, false);
    line.Width = PlaceChars(measurer, run, 0);
    line.Chars = std::move(run);
    return line;
}

} // namespace tovrel
