#pragma once
// System colours and metrics with fixed values (the classic desktop scheme and a
// 96-dpi screen), so drawing is the same on every machine and in tests.
// TColor system colours are 0x80000000 | index; ColorToRGB also accepts any
// other negative TColor (0xFF0000nn) by its low byte.
#include "platform/gdi/GdiTypes.h"

namespace tovrel {

constexpr int COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2, COLOR_INACTIVECAPTION = 3,
              COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7, COLOR_WINDOWTEXT = 8,
              COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11, COLOR_APPWORKSPACE = 12,
              COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15, COLOR_BTNSHADOW = 16,
              COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19, COLOR_BTNHIGHLIGHT = 20,
              COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23, COLOR_INFOBK = 24, COLOR_HOTLIGHT = 26,
              COLOR_GRADIENTACTIVECAPTION = 27, COLOR_GRADIENTINACTIVECAPTION = 28, COLOR_MENUHILIGHT = 29,
              COLOR_MENUBAR = 30, COLOR_3DFACE = COLOR_BTNFACE, COLOR_3DSHADOW = COLOR_BTNSHADOW,
              COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT;

constexpr TColor clSystemColor = TColor(0x80000000u);
constexpr TColor SystemColor(int index)
{
    return TColor(0x80000000u | unsigned(index));
}
constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR), clBackground = SystemColor(COLOR_BACKGROUND),
                 clActiveCaption = SystemColor(COLOR_ACTIVECAPTION),
                 clInactiveCaption = SystemColor(COLOR_INACTIVECAPTION), clMenu = SystemColor(COLOR_MENU),
                 clWindow = SystemColor(COLOR_WINDOW), clWindowFrame = SystemColor(COLOR_WINDOWFRAME),
                 clMenuText = SystemColor(COLOR_MENUTEXT), clWindowText = SystemColor(COLOR_WINDOWTEXT),
                 clCaptionText = SystemColor(COLOR_CAPTIONTEXT), clActiveBorder = SystemColor(COLOR_ACTIVEBORDER),
                 clInactiveBorder = SystemColor(COLOR_INACTIVEBORDER), clAppWorkSpace = SystemColor(COLOR_APPWORKSPACE),
                 clHighlight = SystemColor(COLOR_HIGHLIGHT), clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT),
                 clBtnFace = SystemColor(COLOR_BTNFACE), clBtnShadow = SystemColor(COLOR_BTNSHADOW),
                 clGrayText = SystemColor(COLOR_GRAYTEXT), clBtnText = SystemColor(COLOR_BTNTEXT),
                 clInactiveCaptionText = SystemColor(COLOR_INACTIVECAPTIONTEXT),
                 clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT), cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW),
                 cl3DLight = SystemColor(COLOR_3DLIGHT), clInfoText = SystemColor(COLOR_INFOTEXT),
                 clInfoBk = SystemColor(COLOR_INFOBK), clHotLight = SystemColor(COLOR_HOTLIGHT),
                 clGradientActiveCaption = SystemColor(COLOR_GRADIENTACTIVECAPTION),
                 clGradientInactiveCaption = SystemColor(COLOR_GRADIENTINACTIVECAPTION),
                 clMenuHighlight = SystemColor(COLOR_MENUHILIGHT), clMenuBar = SystemColor(COLOR_MENUBAR);
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;

// Unknown indexes give 0 (black); GetSysColorBrush gives a stock brush (never deleted).
COLORREF GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);
// System colours resolved; other values pass through as 0x00BBGGRR.
COLORREF ColorToRGB(TColor colour);

constexpr int SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3, SM_CYCAPTION = 4, SM_CXBORDER = 5,
              SM_CYBORDER = 6, SM_CXDLGFRAME = 7, SM_CYDLGFRAME = 8, SM_CYVTHUMB = 9, SM_CXHTHUMB = 10, SM_CXICON = 11,
              SM_CYICON = 12, SM_CXCURSOR = 13, SM_CYCURSOR = 14, SM_CYMENU = 15, SM_CXFULLSCREEN = 16,
              SM_CYFULLSCREEN = 17, SM_CYVSCROLL = 20, SM_CXHSCROLL = 21, SM_CXMIN = 28, SM_CYMIN = 29, SM_CXSIZE = 30,
              SM_CYSIZE = 31, SM_CXFRAME = 32, SM_CYFRAME = 33, SM_CXDOUBLECLK = 36, SM_CYDOUBLECLK = 37,
              SM_CXEDGE = 45, SM_CYEDGE = 46, SM_CXSMICON = 49, SM_CYSMICON = 50, SM_CYSMCAPTION = 51, SM_CXSMSIZE = 52,
              SM_CYSMSIZE = 53, SM_CXMENUSIZE = 54, SM_CYMENUSIZE = 55, SM_CXMAXIMIZED = 61, SM_CYMAXIMIZED = 62,
              SM_CXDRAG = 68, SM_CYDRAG = 69, SM_CXMENUCHECK = 71, SM_CYMENUCHECK = 72, SM_CXVIRTUALSCREEN = 78,
              SM_CYVIRTUALSCREEN = 79, SM_CMONITORS = 80;

// Fixed values for a single 1920 x 1080 monitor (the window layer answers the
// live monitor queries); unknown indexes give 0.
int GetSystemMetrics(int index);

} // namespace tovrel
