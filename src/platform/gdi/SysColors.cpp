#include "platform/gdi/SysColors.h"

#include "platform/gdi/GdiObject.h"

#include <array>
#include <utility>

namespace tovrel {

namespace {

// The classic desktop scheme, by colour index.
constexpr std::array<COLORREF, COLOR_MENUBAR + 1> kSysColors = {
    RGB(212, 208, 200), // COLOR_SCROLLBAR
    RGB(58, 110, 165),  // COLOR_BACKGROUND
    RGB(10, 36, 106),   // COLOR_ACTIVECAPTION
    RGB(128, 128, 128), // COLOR_INACTIVECAPTION
    RGB(212, 208, 200), // COLOR_MENU
    RGB(255, 255, 255), // COLOR_WINDOW
    RGB(0, 0, 0),       // COLOR_WINDOWFRAME
    RGB(0, 0, 0),       // COLOR_MENUTEXT
    RGB(0, 0, 0),       // COLOR_WINDOWTEXT
    RGB(255, 255, 255), // COLOR_CAPTIONTEXT
    RGB(212, 208, 200), // COLOR_ACTIVEBORDER
    RGB(212, 208, 200), // COLOR_INACTIVEBORDER
    RGB(128, 128, 128), // COLOR_APPWORKSPACE
    RGB(10, 36, 106),   // COLOR_HIGHLIGHT
    RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200), // COLOR_BTNFACE
    RGB(128, 128, 128), // COLOR_BTNSHADOW
    RGB(128, 128, 128), // COLOR_GRAYTEXT
    RGB(0, 0, 0),       // COLOR_BTNTEXT
    RGB(212, 208, 200), // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),    // COLOR_3DDKSHADOW
    RGB(212, 208, 200), // COLOR_3DLIGHT
    RGB(0, 0, 0),       // COLOR_INFOTEXT
    RGB(255, 255, 225), // COLOR_INFOBK
    RGB(181, 181, 181), // 25: unnamed
    RGB(0, 0, 128),     // COLOR_HOTLIGHT
    RGB(166, 202, 240), // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192), // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),   // COLOR_MENUHILIGHT
    RGB(212, 208, 200), // COLOR_MENUBAR
};

// A 1920 x 1080 screen at 96 dpi with a 40-pixel panel at the bottom.
constexpr std::pair<int, int> kMetrics[] = {
    {SM_CXSCREEN, 1920},
    {SM_CYSCREEN, 1080},
    {SM_CXVSCROLL, 16},
    {SM_CYHSCROLL, 16},
    {SM_CYCAPTION, 18},
    {SM_CXBORDER, 1},
    {SM_CYBORDER, 1},
    {SM_CXDLGFRAME, 3},
    {SM_CYDLGFRAME, 3},
    {SM_CYVTHUMB, 16},
    {SM_CXHTHUMB, 16},
    {SM_CXICON, 32},
    {SM_CYICON, 32},
    {SM_CXCURSOR, 32},
    {SM_CYCURSOR, 32},
    {SM_CYMENU, 19},
    {SM_CXFULLSCREEN, 1920},
    {SM_CYFULLSCREEN, 1022},
    {SM_CYVSCROLL, 16},
    {SM_CXHSCROLL, 16},
    {SM_CXMIN, 112},
    {SM_CYMIN, 27},
    {SM_CXSIZE, 18},
    {SM_CYSIZE, 18},
    {SM_CXFRAME, 4},
    {SM_CYFRAME, 4},
    {SM_CXDOUBLECLK, 4},
    {SM_CYDOUBLECLK, 4},
    {SM_CXEDGE, 2},
    {SM_CYEDGE, 2},
    {SM_CXSMICON, 16},
    {SM_CYSMICON, 16},
    {SM_CYSMCAPTION, 15},
    {SM_CXSMSIZE, 12},
    {SM_CYSMSIZE, 15},
    {SM_CXMENUSIZE, 18},
    {SM_CYMENUSIZE, 18},
    {SM_CXMAXIMIZED, 1928},
    {SM_CYMAXIMIZED, 1048},
    {SM_CXDRAG, 4},
    {SM_CYDRAG, 4},
    {SM_CXMENUCHECK, 13},
    {SM_CYMENUCHECK, 13},
    {SM_CXVIRTUALSCREEN, 1920},
    {SM_CYVIRTUALSCREEN, 1080},
    {SM_CMONITORS, 1},
};

bool ValidIndex(int index)
{
    return index >= 0 && index < int(kSysColors.size());
}

} // namespace

COLORREF GetSysColor(int index)
{
    return ValidIndex(index) ? kSysColors[std::size_t(index)] : 0;
}

HBRUSH GetSysColorBrush(int index)
{
    static const std::array<HGDIOBJ, kSysColors.size()> brushes = [] {
        std::array<HGDIOBJ, kSysColors.size()> made{};
        for (std::size_t i = 0; i < made.size(); ++i) {
            auto brush = std::make_shared<TGdiBrush>(LOGBRUSH{BS_SOLID, kSysColors[i], 0});
            brush->Stock = true;
            made[i] = RegisterGdiObject(std::move(brush));
        }
        return made;
    }();
    return ValidIndex(index) ? HandleCast<HBRUSH>(brushes[std::size_t(index)]) : nullptr;
}

COLORREF ColorToRGB(TColor colour)
{
    if (colour < 0)
        return GetSysColor(colour & 0xFF);
    return COLORREF(colour) & 0x00FFFFFF;
}

int GetSystemMetrics(int index)
{
    for (const auto& [key, value] : kMetrics)
        if (key == index)
            return value;
    return 0;
}

} // namespace tovrel
