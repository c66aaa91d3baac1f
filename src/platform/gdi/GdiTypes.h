#pragma once
// Handles, records and constants of the drawing interface, under the names and
// numeric values the window and skin code is written against.
//
// Handles are opaque ids, never pointers: an id is not reused, so a deleted
// object's handle is simply unknown and every call given it fails harmlessly.
#include "platform/rtl/Types.h"

#include <cstdint>
#include <string>

namespace tovrel {

struct HDC__;
struct HBITMAP__;
struct HPEN__;
struct HBRUSH__;
struct HFONT__;
struct HRGN__;
struct HICON__;
// Every typed handle converts to HGDIOBJ implicitly, as with the platform's
// strict handle types; converting back takes a cast (HandleCast).
using HGDIOBJ = void*;
using HDC = HDC__*;
using HBITMAP = HBITMAP__*;
using HPEN = HPEN__*;
using HBRUSH = HBRUSH__*;
using HFONT = HFONT__*;
using HRGN = HRGN__*;
using HICON = HICON__*; // not a drawing object, but kept in the same handle table
using HANDLE = void*;
using HINSTANCE = void*;

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using BOOL = int;

template <class To, class From> To HandleCast(From h)
{
    return reinterpret_cast<To>(h);
}
template <class From> HGDIOBJ ToGdiObj(From h)
{
    return h;
}

// Object types (GetObjectType).
constexpr DWORD OBJ_PEN = 1, OBJ_BRUSH = 2, OBJ_DC = 3, OBJ_FONT = 6, OBJ_BITMAP = 7, OBJ_REGION = 8, OBJ_MEMDC = 10;

// Stock objects.
constexpr int WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3, BLACK_BRUSH = 4, NULL_BRUSH = 5,
              HOLLOW_BRUSH = NULL_BRUSH, WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8, OEM_FIXED_FONT = 10,
              ANSI_FIXED_FONT = 11, ANSI_VAR_FONT = 12, SYSTEM_FONT = 13, DEVICE_DEFAULT_FONT = 14,
              SYSTEM_FIXED_FONT = 16, DEFAULT_GUI_FONT = 17, DC_BRUSH = 18, DC_PEN = 19;

// Pens.
constexpr int PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5, PS_INSIDEFRAME = 6;
struct LOGPEN {
    UINT lopnStyle = PS_SOLID;
    POINT lopnWidth{1, 0}; // only X counts
    COLORREF lopnColor = 0;
};

// Brushes.
constexpr UINT BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = BS_NULL, BS_PATTERN = 3;
struct LOGBRUSH {
    UINT lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    std::uintptr_t lbHatch = 0; // BS_PATTERN: the HBITMAP
};

// Fonts: plain data; the text code resolves the face. The face name is UTF-8.
constexpr LONG FW_DONTCARE = 0, FW_NORMAL = 400, FW_BOLD = 700;
constexpr BYTE ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SHIFTJIS_CHARSET = 128, GB2312_CHARSET = 134,
               CHINESEBIG5_CHARSET = 136;
constexpr BYTE DEFAULT_QUALITY = 0, ANTIALIASED_QUALITY = 4, CLEARTYPE_QUALITY = 5;
struct LOGFONT {
    LONG lfHeight = 0; // < 0: character (em) height; > 0: cell height; 0: default size
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = FW_NORMAL;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = DEFAULT_CHARSET;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = DEFAULT_QUALITY;
    BYTE lfPitchAndFamily = 0;
    std::string lfFaceName;
    friend bool operator==(const LOGFONT&, const LOGFONT&) = default;
};
using LOGFONTW = LOGFONT;

// Bitmaps and device-independent bitmaps.
constexpr DWORD BI_RGB = 0, BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0;
struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 0;
    void* bmBits = nullptr; // DIB sections only
};
struct BITMAPINFOHEADER {
    DWORD biSize = 40;
    LONG biWidth = 0;
    LONG biHeight = 0; // > 0: rows stored bottom-up; < 0: top-down
    WORD biPlanes = 1;
    WORD biBitCount = 0; // 24 or 32
    DWORD biCompression = BI_RGB;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};
struct RGBQUAD {
    BYTE rgbBlue = 0, rgbGreen = 0, rgbRed = 0, rgbReserved = 0;
};
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};
struct DIBSECTION {
    BITMAP dsBm;
    BITMAPINFOHEADER dsBmih;
    DWORD dsBitfields[3] = {0, 0, 0};
    void* dshSection = nullptr;
    DWORD dsOffset = 0;
};

// Regions.
constexpr int ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3;
constexpr int RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5;
constexpr int ALTERNATE = 1, WINDING = 2;
constexpr DWORD RDH_RECTANGLES = 1;
// The region-data header as stored: 32 bytes, followed by nCount RECTs of 16 bytes.
struct RGNDATAHEADER {
    DWORD dwSize = 32;
    DWORD iType = RDH_RECTANGLES;
    DWORD nCount = 0;
    DWORD nRgnSize = 0;
    RECT rcBound;
};
static_assert(sizeof(RGNDATAHEADER) == 32 && sizeof(RECT) == 16, "region data layout");
struct RGNDATA {
    RGNDATAHEADER rdh;
    char Buffer[1];
};

// Raster operations (BitBlt: the ternary code in bits 16-23) and mix modes (SetROP2).
constexpr DWORD SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6, SRCINVERT = 0x00660046,
                SRCERASE = 0x00440328, NOTSRCCOPY = 0x00330008, NOTSRCERASE = 0x001100A6, MERGECOPY = 0x00C000CA,
                MERGEPAINT = 0x00BB0226, PATCOPY = 0x00F00021, PATPAINT = 0x00FB0A09, PATINVERT = 0x005A0049,
                DSTINVERT = 0x00550009, BLACKNESS = 0x00000042, WHITENESS = 0x00FF0062;
constexpr int R2_BLACK = 1, R2_NOTMERGEPEN = 2, R2_MASKNOTPEN = 3, R2_NOTCOPYPEN = 4, R2_MASKPENNOT = 5, R2_NOT = 6,
              R2_XORPEN = 7, R2_NOTMASKPEN = 8, R2_MASKPEN = 9, R2_NOTXORPEN = 10, R2_NOP = 11, R2_MERGENOTPEN = 12,
              R2_COPYPEN = 13, R2_MERGEPENNOT = 14, R2_MERGEPEN = 15, R2_WHITE = 16;

// Device-context modes.
constexpr int TRANSPARENT = 1, OPAQUE = 2;
constexpr int BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4;
constexpr UINT TA_LEFT = 0, TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_TOP = 0, TA_BOTTOM = 8, TA_BASELINE = 24;
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
constexpr int GDI_ERROR = -1;

// Device capabilities (GetDeviceCaps).
constexpr int HORZRES = 8, VERTRES = 10, BITSPIXEL = 12, PLANES = 14, LOGPIXELSX = 88, LOGPIXELSY = 90;

// Alpha blending.
constexpr BYTE AC_SRC_OVER = 0, AC_SRC_ALPHA = 1;
struct BLENDFUNCTION {
    BYTE BlendOp = AC_SRC_OVER;
    BYTE BlendFlags = 0;
    BYTE SourceConstantAlpha = 255;
    BYTE AlphaFormat = 0;
};

// Edges (DrawEdge).
constexpr UINT BDR_RAISEDOUTER = 0x1, BDR_SUNKENOUTER = 0x2, BDR_RAISEDINNER = 0x4, BDR_SUNKENINNER = 0x8,
               BDR_OUTER = 0x3, BDR_INNER = 0xC, BDR_RAISED = 0x5, BDR_SUNKEN = 0xA;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER, EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
               EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER, EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr UINT BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8, BF_TOPLEFT = BF_TOP | BF_LEFT,
               BF_TOPRIGHT = BF_TOP | BF_RIGHT, BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT,
               BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT, BF_RECT = 0xF, BF_MIDDLE = 0x800, BF_SOFT = 0x1000,
               BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000;

} // namespace tovrel
