#include "platform/gdi/TextLineBreak.h"

#include <algorithm>
#include <string_view>

namespace tovrel {

namespace {

bool IsBreakSpace(char32_t c)
{
    return c == U' ' || c == U'\t' || c == 0x3000;
}

bool IsIdeographic(char32_t c)
{
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x2FFFF);
}

// Punctuation that must not start a line, and that must not end one.
bool IsClosingPunctuation(char32_t c)
{
    static constexpr std::u32string_view closing = U"，。、；：？！）》」』】〕〉”’%,.;:?!)]}";
    return closing.find(c) != std::u32string_view::npos;
}

bool IsOpeningPunctuation(char32_t c)
{
    static constexpr std::u32string_view opening = U"（《「『【〔〈“‘([{";
    return opening.find(c) != std::u32string_view::npos;
}

bool CanBreakBefore(const TCharRun& run, std::size_t i)
{
    const char32_t prev = run[i - 1].Char;
    const char32_t cur = run[i].Char;
    if (IsBreakSpace(cur))
        return false;
    if (IsBreakSpace(prev))
        return true;
    if (IsClosingPunctuation(cur) || IsOpeningPunctuation(prev))
        return false;
    return IsIdeographic(cur) || IsIdeographic(prev);
}

int TabAdvance(int x, int tabWidth)
{
    return (x / tabWidth + 1) * tabWidth - x;
}

int CharAdvance(ITextMeasurer& measurer, char32_t c, int x, int tabWidth)
{
    if (c == U'\t' && tabWidth > 0)
        return TabAdvance(x, tabWidth);
    return measurer.CharWidth(c);
}

TCharRun Dots()
{
    TCharRun dots(3);
    for (auto& d : dots)
        d.Char = U'.';
    return dots;
}

} // namespace

TCharRun ParsePrefixes(std::u32string_view text, bool processPrefixes)
{
    TCharRun run;
    run.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        TLaidChar c;
        c.Char = text[i];
        c.Source = i; // a prefixed character starts at its "&"
        if (processPrefixes && text[i] == U'&') {
            if (i + 1 >= text.size())
                break;
            ++i;
            c.Char = text[i];
            c.Prefixed = text[i] != U'&';
        }
        run.push_back(c);
    }
    return run;
}

int PlaceChars(ITextMeasurer& measurer, TCharRun& run, int tabWidth)
{
    int x = 0;
    for (auto& c : run) {
        c.X = x;
        c.Width = CharAdvance(measurer, c.Char, x, tabWidth);
        x += c.Width;
    }
    return x;
}

std::vector<TCharRun> BreakLines(ITextMeasurer& measurer, const TCharRun& paragraph, int maxWidth, int tabWidth)
{
    std::vector<TCharRun> lines;
    const std::size_t n = paragraph.size();
    std::size_t start = 0;
    do {
        std::size_t end = n;
        std::size_t lastBreak = 0; // 0 = none yet (a break at the line start is meaningless)
        bool overflowing = false;
        int x = 0;
        for (std::size_t i = start; i < n; ++i) {
            if (i > start && CanBreakBefore(paragraph, i)) {
                if (overflowing) {
                    end = i;
                    break;
                }
                lastBreak = i;
            }
            const char32_t c = paragraph[i].Char;
            const int w = CharAdvance(measurer, c, x, tabWidth);
            if (!IsBreakSpace(c) && x + w > maxWidth && i > start) {
                if (lastBreak > start) {
                    end = lastBreak;
                    break;
                }
                overflowing = true;
            }
            x += w;
        }
        std::size_t last = end;
        while (last > start && IsBreakSpace(paragraph[last - 1].Char))
            --last;
        lines.emplace_back(paragraph.begin() + std::ptrdiff_t(start), paragraph.begin() + std::ptrdiff_t(last));
        start = end;
        while (start < n && IsBreakSpace(paragraph[start].Char))
            ++start;
    } while (start < n);
    return lines;
}

void ApplyEndEllipsis(ITextMeasurer& measurer, TCharRun& run, int maxWidth, int tabWidth)
{
    if (PlaceChars(measurer, run, tabWidth) <= maxWidth)
        return;
    TCharRun dots = Dots();
    const int dotsWidth = PlaceChars(measurer, dots, 0);
    std::size_t keep = 0;
    while (keep < run.size() && run[keep].X + run[keep].Width + dotsWidth <= maxWidth)
        ++keep;
    run.resize(keep);
    run.insert(run.end(), dots.begin(), dots.end());
    PlaceChars(measurer, run, tabWidth);
}

void ApplyPathEllipsis(ITextMeasurer& measurer, TCharRun& run, int maxWidth, int tabWidth)
{
    if (PlaceChars(measurer, run, tabWidth) <= maxWidth)
        return;
    auto separator =
        std::find_if(run.rbegin(), run.rend(), [](const TLaidChar& c) { return c.Char == U'/' || c.Char == U'\\'; });
    if (separator == run.rend()) {
        ApplyEndEllipsis(measurer, run, maxWidth, tabWidth);
        return;
    }
    // Keep the longest start of the folder part that fits before "..." and the last component.
    const std::size_t tailStart = std::size_t(run.rend() - separator) - 1;
    TCharRun ending = Dots();
    ending.insert(ending.end(), run.begin() + std::ptrdiff_t(tailStart), run.end());
    const int endingWidth = PlaceChars(measurer, ending, tabWidth);
    std::size_t keep = 0;
    while (keep < tailStart && run[keep].X + run[keep].Width + endingWidth <= maxWidth)
        ++keep;
    TCharRun candidate(run.begin(), run.begin() + std::ptrdiff_t(keep));
    candidate.insert(candidate.end(), ending.begin(), ending.end());
    if (PlaceChars(measurer, candidate, tabWidth) <= maxWidth)
        run = std::move(candidate);
    else // the last component alone is too wide: cut the whole path at its end
        ApplyEndEllipsis(measurer, run, maxWidth, tabWidth);
}

} // namespace tovrel
