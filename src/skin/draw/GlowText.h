#pragma once
// Soft halos and fading mirror images behind text, built in a temporary skin
// bitmap used as an alpha mask (the text is drawn in pure red, and red becomes
// the alpha), and the triangular blur that softens them.
#include "platform/gdi/GdiTypes.h"
#include "skin/draw/SkinBitmap.h"

#include <string_view>

namespace tovrel {

// Triangular weights r + 1 - |k| both ways, edges repeated, each pass divided
// by (r + 1)^2 dropping the remainder; alpha is not blurred and becomes 255.
// Linear in the pixels whatever the radius. Nothing for radius <= 0.
void BlurBitmap(TskBitmap& bmp, int radius);

void DrawGlowText(HDC dc, RECT r, std::string_view text, int glowSize, TColor glowColor, int glowOffset, UINT format);
int WideDrawGlowText(HDC dc, RECT r, std::string_view text, int glowSize, TColor glowColor, int glowOffset,
                     UINT format);
// A fixed 12-pixel halo over a filled band behind the text.
int WideDrawVistaGlowText(HDC dc, RECT r, std::string_view text, TColor glowColor, UINT format);
void DrawReflectionText(HDC dc, RECT r, std::string_view text, TColor color, int reflectionOffset, UINT format);

} // namespace tovrel
