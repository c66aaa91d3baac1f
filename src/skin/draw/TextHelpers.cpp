// Text measuring, shortening and drawing.
#include "skin/draw/TextHelpers.h"

#include "platform/gdi/Text.h"

#include <functional>

namespace tovrel {

namespace {

// Drops the last UTF-8 character.
void DropLastCharacter(std::string& text)
{
    while (!text.empty()) {
        const auto c = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((c & 0xC0) != 0x80)
            return;
    }
}

void FitText(std::string& text, int maxWidth, const std::function<int(std::string_view)>& widthOf)
{
    if (widthOf(text) <= maxWidth)
        return;
    do
        DropLastCharacter(text);
    while (!text.empty() && widthOf(text + "...") > maxWidth);
    text += "...";
}

SIZE Extent(HDC dc, std::string_view text)
{
    SIZE size{};
    GetTextExtentPoint32(dc, text, &size);
    return size;
}

} // namespace

int WideDrawText(HDC dc, std::string_view text, RECT& r, UINT format)
{
    return DrawText(dc, text, &r, format);
}

int WideTextWidth(HDC dc, std::string_view text)
{
    RECT r{};
    WideDrawText(dc, text, r, DT_CALCRECT);
    return r.Width();
}

int WideTextHeight(HDC dc, std::string_view text)
{
    RECT r{};
    WideDrawText(dc, text, r, DT_CALCRECT);
    return r.Height();
}

void WideFitTextToWidth(HDC dc, std::string& text, int maxWidth)
{
    FitText(text, maxWidth, [dc](std::string_view t) { return WideTextWidth(dc, t); });
}

void FitTextToWidth(HDC dc, std::string& text, int maxWidth)
{
    FitText(text, maxWidth, [dc](std::string_view t) { return int(Extent(dc, t).cx); });
}

void DrawSingleLineText(HDC dc, std::string_view text, const RECT& r)
{
    if (text.empty())
        return;
    RECT area = r;
    WideDrawText(dc, text, area, DT_SINGLELINE | DT_VCENTER);
}

void DrawItemTextIndent(HDC dc, std::string_view text, const RECT& r, int indent)
{
    if (text.empty())
        return;
    const int y = r.Top + r.Height() / 2 - Extent(dc, text).cy / 2;
    ExtTextOut(dc, r.Left + indent + 2, y, ETO_CLIPPED, &r, text);
}

void DrawItemText(HDC dc, std::string_view text, const RECT& r)
{
    DrawItemTextIndent(dc, text, r, 0);
}

} // namespace tovrel
