// Run-length region data from mask pictures, resized mask strips, frame regions.
#include "skin/draw/MaskRegions.h"

#include "platform/gdi/Gdi.h"
#include "platform/vcl/Bitmap.h"
#include "skin/draw/SkinDrawTargets.h"

#include <cstring>

namespace tovrel {

TskFBitmap::TskFBitmap(HBITMAP bitmap)
{
    BITMAP info{};
    if (bitmap == nullptr || GetObject(ToGdiObj(bitmap), int(sizeof(info)), &info) == 0 || info.bmWidth <= 0 ||
        info.bmHeight == 0)
        return;
    const int width = info.bmWidth, height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    BITMAPINFO header{};
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biBitCount = 24;
    const int gap = width % 4;
    const int rowInc = width * 3 + gap;
    std::vector<std::uint8_t> bits(std::size_t(rowInc) * std::size_t(height));
    HDC dc = CreateCompatibleDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, UINT(height), bits.data(), &header, DIB_RGB_COLORS);
    DeleteDC(dc);
    if (rows != height)
        return;
    Width = width;
    Height = height;
    Gap = gap;
    RowInc = rowInc;
    Size = rowInc * height;
    bits_ = std::move(bits);
}

std::vector<std::uint8_t> CreateRgnDataFromMask(HBITMAP mask, int x, int y)
{
    const TskFBitmap pixels(mask);
    if (pixels.Width == 0 || pixels.Height == 0)
        return {};
    std::vector<RECT> runs;
    for (int row = 0; row < pixels.Height; ++row) {
        const std::uint8_t* p = pixels.Row(row);
        auto black = [p](int col) { return p[3 * col] == 0 && p[3 * col + 1] == 0 && p[3 * col + 2] == 0; };
        for (int col = 0; col < pixels.Width;) {
            if (!black(col)) {
                ++col;
                continue;
            }
            const int start = col;
            while (col < pixels.Width && black(col))
                ++col;
            runs.push_back(Rect(x + start, y + row, x + col, y + row + 1));
        }
    }
    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT), 0);
    RGNDATAHEADER header;
    header.nCount = DWORD(runs.size());
    header.rcBound = Rect(x, y, x + pixels.Width, y + pixels.Height);
    std::memcpy(data.data(), &header, sizeof(header));
    if (!runs.empty())
        std::memcpy(data.data() + sizeof(header), runs.data(), runs.size() * sizeof(RECT));
    return data;
}

std::vector<std::uint8_t> CreateRgnDataFromMask(const TskBitmap& mask, int x, int y)
{
    return CreateRgnDataFromMask(mask.Handle(), x, y);
}

namespace {

HRGN RegionFromData(const std::vector<std::uint8_t>& data)
{
    if (data.empty())
        return nullptr;
    return ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
}

// A side strip: the edge tiled down from row 0, then the rows between the
// client rectangle's top and the upper point, and between the lower point and
// the client rectangle's bottom, over the ends.
void SideStrip(TskBitmap& strip, const TskImageRef& mask, int left, int right, TPoint upper, TPoint lower, TRect cl,
               int height)
{
    const int width = right - left;
    if (width <= 0 || height <= 0)
        return;
    strip.SetSize(width, height);
    strip.Clear(0xFFFFFFFF);
    if (lower.Y != upper.Y)
        TileSpan(RefOf(strip), mask, Rect(left, upper.Y, right, lower.Y), TskTileDirection::Vertical, 0, height, 0,
                 width);
    const int head = upper.Y - cl.Top, tail = cl.Bottom - lower.Y;
    if (head > 0)
        CopyPiece(RefOf(strip), Rect(0, 0, width, head), mask, Rect(left, cl.Top, right, upper.Y));
    if (tail > 0)
        CopyPiece(RefOf(strip), Rect(0, height - tail, width, height), mask, Rect(left, lower.Y, right, cl.Bottom));
}

// A band across: the edge tiled between the new points, the corners at both ends.
void BandStrip(TskBitmap& strip, const TskImageRef& mask, int top, int bottom, TPoint left, TPoint right,
               TPoint newLeft, TPoint newRight, int newWidth)
{
    strip.SetSize(newWidth, bottom - top);
    strip.Clear(0xFFFFFFFF);
    const TskImageRef target = RefOf(strip);
    if (right.X != left.X)
        TileSpan(target, mask, Rect(left.X, top, right.X, bottom), TskTileDirection::Horizontal, newLeft.X, newRight.X,
                 0, bottom - top);
    CopyPiece(target, Rect(0, 0, left.X, bottom - top), mask, Rect(0, top, left.X, bottom));
    CopyPiece(target, Rect(newRight.X, 0, newWidth, bottom - top), mask, Rect(right.X, top, mask.Width, bottom));
}

} // namespace

HRGN CreateMaskRegion(HBITMAP mask)
{
    return RegionFromData(CreateRgnDataFromMask(mask, 0, 0));
}
HRGN CreateMaskRegion(const TskBitmap& mask)
{
    return CreateMaskRegion(mask.Handle());
}
HRGN CreateMaskRegion(const TBitmap& mask)
{
    return CreateMaskRegion(mask.Handle());
}

namespace regions {

void SkinMask(const TskSkinCorners& g, const TskSkinCorners& n, const TskImageRef& mask, const TskMaskStrips& strips,
              int newWidth)
{
    if (mask.Empty())
        return;
    const TRect& cl = g.ClRect;
    const int h = n.ClRect.Height();
    if (cl.Left > 0 && h > 0)
        SideStrip(strips.Left, mask, 0, cl.Left, g.LTPt, g.LBPt, cl, h);
    if (mask.Width - cl.Right > 0 && h > 0)
        SideStrip(strips.Right, mask, cl.Right, mask.Width, g.RTPt, g.RBPt, cl, h);
    if (newWidth > 0 && cl.Top > 0)
        BandStrip(strips.Top, mask, 0, cl.Top, g.LTPt, g.RTPt, n.LTPt, n.RTPt, newWidth);
    if (newWidth >= 1 && mask.Height - cl.Bottom >= 1)
        BandStrip(strips.Bottom, mask, cl.Bottom, mask.Height, g.LBPt, g.RBPt, n.LBPt, n.RBPt, newWidth);
}

HRGN SkinRegion(const TskSkinCorners& g, const TskSkinCorners& n, const TskImageRef& mask, int newWidth)
{
    if (n.RTPt.X < n.LTPt.X || n.LBPt.Y < n.LTPt.Y)
        return nullptr;
    TskBitmap top, left, right, bottom;
    SkinMask(g, n, mask, {top, left, right, bottom}, newWidth);
    const TRect& ncl = n.ClRect;
    HRGN result = ncl.IsEmpty() ? nullptr : CreateRectRgn(ncl.Left, ncl.Top, ncl.Right, ncl.Bottom);
    const struct {
        const TskBitmap& Strip;
        TPoint At;
    } placed[] = {{top, {0, 0}}, {bottom, {0, ncl.Bottom}}, {left, {0, ncl.Top}}, {right, {ncl.Right, ncl.Top}}};
    for (const auto& p : placed) {
        if (p.Strip.Empty())
            continue;
        HRGN part = RegionFromData(CreateRgnDataFromMask(p.Strip, p.At.X, p.At.Y));
        if (part == nullptr)
            continue;
        if (result == nullptr) {
            result = part;
            continue;
        }
        CombineRgn(result, result, part, RGN_OR);
        DeleteObject(ToGdiObj(part));
    }
    return result;
}

} // namespace regions

} // namespace tovrel
