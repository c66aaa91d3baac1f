#pragma once
// Raster operations on whole 32-bit pixels (all four bytes). A ternary code is
// the truth table of the result over pattern P, source S and destination D,
// bit (P<<2 | S<<1 | D); mix modes (SetROP2) are the same with S left out.
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/PixelView.h"

namespace tovrel {

constexpr BYTE kRopPatCopy = 0xF0, kRopSrcCopy = 0xCC, kRopNop = 0xAA;

constexpr BYTE Rop3Code(DWORD rop)
{
    return BYTE(rop >> 16);
}

constexpr BYTE Rop3FromRop2(int mix)
{
    if (mix < R2_BLACK || mix > R2_WHITE)
        mix = R2_COPYPEN;
    const int table = mix - 1; // bit (P<<1 | D)
    BYTE code = 0;
    for (int i = 0; i < 8; ++i) {
        const int p = (i >> 2) & 1, d = i & 1;
        if ((table >> (p * 2 + d)) & 1)
            code = BYTE(code | (1 << i));
    }
    return code;
}

constexpr bool RopUsesSource(BYTE code)
{
    return ((code >> 2) & 0x33) != (code & 0x33);
}
constexpr bool RopUsesPattern(BYTE code)
{
    return (code >> 4) != (code & 0x0F);
}

inline TPixel ApplyRop(BYTE code, TPixel p, TPixel s, TPixel d)
{
    switch (code) {
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFFFFu;
    case kRopPatCopy: return p;
    case kRopSrcCopy: return s;
    case kRopNop: return d;
    case 0x55: return ~d;
    case 0x5A: return p ^ d;
    case 0x66: return s ^ d;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    default: break;
    }
    TPixel result = 0;
    for (int i = 0; i < 8; ++i)
        if ((code >> i) & 1)
            result |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    return result;
}

} // namespace tovrel
