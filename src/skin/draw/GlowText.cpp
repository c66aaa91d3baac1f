// Glow, soft glow and reflection text through a red-channel alpha mask.
#include "skin/draw/GlowText.h"

#include "platform/gdi/Gdi.h"
#include "platform/gdi/Text.h"
#include "platform/rtl/Numbers.h"
#include "skin/draw/TextHelpers.h"

namespace tovrel {

namespace {

constexpr int VistaGlowSize = 12;

// A mask bitmap of the given size that draws text in pure red with dc's font.
void PrepareMask(TskBitmap& mask, HDC dc, int width, int height)
{
    mask.SetSize(width, height);
    SelectObject(mask.DC(), GetCurrentObject(dc, OBJ_FONT));
    SetTextColor(mask.DC(), RGB(255, 0, 0));
    SetBkMode(mask.DC(), TRANSPARENT);
}

// Alpha := red; colour := the glow colour; then blended onto dc at (x, y).
void DrawMaskAsGlow(TskBitmap& mask, HDC dc, int x, int y, TColor color)
{
    const TskColor rgb = ColorToBsColor(color) & 0x00FFFFFF;
    for (int j = 0; j < mask.Height(); ++j)
        for (TskColor *p = mask.Row(j), *end = p + mask.Width(); p != end; ++p)
            *p = (TskColor(RedOf(*p)) << 24) | rgb;
    mask.AlphaBlend = true;
    mask.Draw(dc, x, y);
}

int DrawTextOver(HDC dc, RECT r, std::string_view text, UINT format)
{
    SetBkMode(dc, TRANSPARENT);
    return WideDrawText(dc, text, r, format);
}

void DrawTextShifted(HDC dc, std::string_view text, RECT r, int dx, int dy, UINT format)
{
    RECT shifted = Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
    WideDrawText(dc, text, shifted, format);
}

int GlowText(HDC dc, RECT r, std::string_view text, int glowSize, TColor glowColor, int glowOffset, UINT format,
             bool dilate)
{
    if (glowSize >= 0 && !r.IsEmpty()) {
        TskBitmap mask;
        PrepareMask(mask, dc, r.Width() + 2 * glowSize, r.Height() + 2 * glowSize);
        const RECT t = Rect(glowSize, glowSize, mask.Width() - glowSize, mask.Height() - glowSize);
        DrawTextShifted(mask.DC(), text, t, 0, 0, format);
        if (dilate) {
            const TPoint shifts[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
            for (const TPoint& s : shifts)
                DrawTextShifted(mask.DC(), text, t, s.X, s.Y, format);
        }
        BlurBitmap(mask, glowSize);
        DrawMaskAsGlow(mask, dc, r.Left + glowOffset - glowSize, r.Top + glowOffset - glowSize, glowColor);
    }
    return DrawTextOver(dc, r, text, format);
}

} // namespace

void DrawGlowText(HDC dc, RECT r, std::string_view text, int glowSize, TColor glowColor, int glowOffset, UINT format)
{
    GlowText(dc, r, text, glowSize, glowColor, glowOffset, format, true);
}

int WideDrawGlowText(HDC dc, RECT r, std::string_view text, int glowSize, TColor glowColor, int glowOffset, UINT format)
{
    return GlowText(dc, r, text, glowSize, glowColor, glowOffset, format, false);
}

int WideDrawVistaGlowText(HDC dc, RECT r, std::string_view text, TColor glowColor, UINT format)
{
    if (!r.IsEmpty()) {
        const int g = VistaGlowSize;
        TskBitmap mask;
        PrepareMask(mask, dc, r.Width() + 2 * g, r.Height() + 2 * g);
        const RECT t = Rect(g, g, mask.Width() - g, mask.Height() - g);
        const RECT band = Rect(t.Left - 3, t.Top + 2, t.Right + 3, t.Bottom - 2);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(mask.DC(), &band, red);
        DeleteObject(ToGdiObj(red));
        const TPoint shifts[] = {{-1, -1}, {-2, -2}, {-1, 0}, {-2, 0}, {1, 0}, {2, 0}, {1, 1}, {2, 2}, {0, 0}};
        for (const TPoint& s : shifts)
            DrawTextShifted(mask.DC(), text, t, s.X, s.Y, format);
        BlurBitmap(mask, 6);
        BlurBitmap(mask, 6);
        DrawMaskAsGlow(mask, dc, r.Left - g, r.Top - g, glowColor);
    }
    return DrawTextOver(dc, r, text, format);
}

void DrawReflectionText(HDC dc, RECT r, std::string_view text, TColor color, int reflectionOffset, UINT format)
{
    if (!r.IsEmpty()) {
        TskBitmap mask;
        PrepareMask(mask, dc, r.Width(), r.Height());
        RECT b = Rect(0, 0, r.Width(), r.Height());
        WideDrawText(mask.DC(), text, b, format);
        WideDrawText(mask.DC(), text, b, format | DT_CALCRECT);
        RECT measured = r;
        WideDrawText(mask.DC(), text, measured, format | DT_CALCRECT);
        if (b.Height() > 0) {
            const TskColor rgb = ColorToBsColor(color) & 0x00FFFFFF;
            for (int y = 0; y < mask.Height(); ++y) {
                TskColor* row = mask.Row(y);
                if (y < b.Top || y > b.Bottom) {
                    std::fill(row, row + mask.Width(), 0u);
                    continue;
                }
                float k = float(0.7 - double(b.Bottom + b.Top - y) / double(b.Bottom - b.Top));
                if (k < 0)
                    k = 0;
                for (TskColor *p = row, *end = row + mask.Width(); p != end; ++p)
                    *p = (TskColor(Trunc(RedOf(*p) * double(k))) << 24) | rgb;
            }
        }
        mask.FlipVert();
        mask.AlphaBlend = true;
        mask.Draw(dc, r.Left, measured.Bottom - (mask.Height() - b.Bottom) + reflectionOffset);
    }
    DrawTextOver(dc, r, text, format);
}

} // namespace tovrel
