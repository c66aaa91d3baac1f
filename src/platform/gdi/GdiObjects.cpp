#include "platform/gdi/GdiObjects.h"

#include "platform/gdi/DeviceContext.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace tovrel {

namespace {

// Bitmaps beyond this many pixels are refused rather than risking a failed allocation.
constexpr std::int64_t kMaxBitmapPixels = std::int64_t(1) << 28;

bool SizeAcceptable(std::int64_t width, std::int64_t height)
{
    return width > 0 && height > 0 && width * height <= kMaxBitmapPixels;
}

template <class T> int CopyRecord(const T& record, int size, void* out)
{
    if (!out)
        return int(sizeof(T));
    if (size < int(sizeof(T)))
        return 0;
    std::memcpy(out, &record, sizeof(T));
    return int(sizeof(T));
}

BITMAP BitmapRecord(TGdiBitmap& b)
{
    BITMAP bm;
    bm.bmWidth = b.Surface().Width();
    bm.bmHeight = b.Surface().Height();
    bm.bmWidthBytes = b.Surface().Stride();
    bm.bmBitsPixel = WORD(b.Surface().BytesPerPixel() * 8);
    bm.bmBits = b.IsDibSection() ? b.Surface().Bits() : nullptr;
    return bm;
}

int GetBitmapObject(TGdiBitmap& b, int size, void* out)
{
    if (b.IsDibSection() && (size >= int(sizeof(DIBSECTION)) || !out)) {
        DIBSECTION ds;
        ds.dsBm = BitmapRecord(b);
        ds.dsBmih.biWidth = b.Surface().Width();
        ds.dsBmih.biHeight = b.BottomUp() ? b.Surface().Height() : -b.Surface().Height();
        ds.dsBmih.biBitCount = ds.dsBm.bmBitsPixel;
        ds.dsBmih.biSizeImage = DWORD(b.Surface().SizeInBytes());
        return CopyRecord(ds, size, out);
    }
    return CopyRecord(BitmapRecord(b), size, out);
}

HGDIOBJ Register(std::shared_ptr<TGdiObject> object)
{
    return RegisterGdiObject(std::move(object));
}

} // namespace

HPEN CreatePen(int style, int width, COLORREF colour)
{
    const LOGPEN lp{UINT(style), {width, 0}, colour};
    return CreatePenIndirect(&lp);
}

HPEN CreatePenIndirect(const LOGPEN* lp)
{
    if (!lp || lp->lopnStyle > PS_INSIDEFRAME)
        return nullptr;
    return HandleCast<HPEN>(Register(std::make_shared<TGdiPen>(*lp)));
}

HBRUSH CreateSolidBrush(COLORREF colour)
{
    const LOGBRUSH lb{BS_SOLID, colour, 0};
    return CreateBrushIndirect(&lb);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb)
{
    if (!lb)
        return nullptr;
    if (lb->lbStyle == BS_PATTERN)
        return CreatePatternBrush(reinterpret_cast<HBITMAP>(lb->lbHatch));
    if (lb->lbStyle != BS_SOLID && lb->lbStyle != BS_NULL)
        return nullptr;
    return HandleCast<HBRUSH>(Register(std::make_shared<TGdiBrush>(*lb)));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap)
{
    auto source = FindBitmap(bitmap);
    if (!source || source->Surface().Empty())
        return nullptr;
    auto brush = std::make_shared<TGdiBrush>(LOGBRUSH{BS_PATTERN, 0, reinterpret_cast<std::uintptr_t>(bitmap)});
    const TPixelView from = source->Pixels();
    brush->Pattern = std::make_shared<TSurface>(from.Width, from.Height, TPixelFormat::pf32bit);
    const TPixelView to = TPixelView::Of(*brush->Pattern);
    for (int y = 0; y < from.Height; ++y)
        for (int x = 0; x < from.Width; ++x)
            to.Write(x, y, from.Read(x, y));
    return HandleCast<HBRUSH>(Register(std::move(brush)));
}

HFONT CreateFontIndirect(const LOGFONT* lf)
{
    if (!lf)
        return nullptr;
    return HandleCast<HFONT>(Register(std::make_shared<TGdiFont>(*lf)));
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* bmi, UINT usage, void** bits, void* section, DWORD)
{
    if (bits)
        *bits = nullptr;
    if (!bmi || usage != DIB_RGB_COLORS || section)
        return nullptr;
    const BITMAPINFOHEADER& h = bmi->bmiHeader;
    const std::int64_t height = std::llabs(std::int64_t(h.biHeight));
    if (h.biCompression != BI_RGB || (h.biBitCount != 24 && h.biBitCount != 32) || !SizeAcceptable(h.biWidth, height))
        return nullptr;
    auto bitmap = std::make_shared<TGdiBitmap>(int(h.biWidth), int(height),
                                               h.biBitCount == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit,
                                               h.biHeight > 0, true);
    if (bits)
        *bits = bitmap->Surface().Bits();
    return HandleCast<HBITMAP>(Register(std::move(bitmap)));
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height)
{
    if (width < 0 || height < 0)
        return nullptr;
    if (width == 0 || height == 0)
        width = height = 1;
    if (!SizeAcceptable(width, height))
        return nullptr;
    return HandleCast<HBITMAP>(
        Register(std::make_shared<TGdiBitmap>(width, height, TPixelFormat::pf32bit, false, false)));
}

std::shared_ptr<TGdiBitmap> FindBitmap(HBITMAP bitmap)
{
    return FindGdiObjectAs<TGdiBitmap>(ToGdiObj(bitmap));
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    auto context = FindDeviceContext(dc);
    if (!context)
        return nullptr;
    return context->Select(object);
}

BOOL DeleteObject(HGDIOBJ object)
{
    auto found = FindGdiObject(object);
    // Device contexts have calls of their own; icons (type 0) are no drawing objects.
    if (!found || found->ObjectType() == 0 || found->ObjectType() == OBJ_DC || found->ObjectType() == OBJ_MEMDC)
        return false;
    return UnregisterGdiObject(object) || found->Stock;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type)
{
    auto context = FindDeviceContext(dc);
    return context ? context->CurrentHandle(type) : nullptr;
}

DWORD GetObjectType(HGDIOBJ object)
{
    auto found = FindGdiObject(object);
    return found ? found->ObjectType() : 0;
}

int GetObject(HGDIOBJ object, int size, void* out)
{
    auto found = FindGdiObject(object);
    if (!found || size < 0)
        return 0;
    if (auto bitmap = std::dynamic_pointer_cast<TGdiBitmap>(found))
        return GetBitmapObject(*bitmap, size, out);
    if (auto pen = std::dynamic_pointer_cast<TGdiPen>(found))
        return CopyRecord(pen->Log, size, out);
    if (auto brush = std::dynamic_pointer_cast<TGdiBrush>(found))
        return CopyRecord(brush->Log, size, out);
    if (auto font = std::dynamic_pointer_cast<TGdiFont>(found)) {
        // LOGFONT holds a string: assigned, never copied bytewise.
        if (!out)
            return int(sizeof(LOGFONT));
        if (size < int(sizeof(LOGFONT)))
            return 0;
        *static_cast<LOGFONT*>(out) = font->Log;
        return int(sizeof(LOGFONT));
    }
    return 0;
}

} // namespace tovrel
