// TskEffectBmp: its pixels, drawing onto device contexts, and the colour effects.
#include "skin/draw/EffectBmp.h"

#include "platform/gdi/Gdi.h"
#include "platform/rtl/Numbers.h"
#include "skin/draw/EffectRandom.h"

#include <algorithm>
#include <climits>
#include <new>

namespace tovrel {

namespace {

std::uint8_t Clamp255(std::int64_t v)
{
    return std::uint8_t(std::clamp<std::int64_t>(v, 0, 255));
}

// Applies change to the three channels of every pixel, row by row.
template <class Fn> void ForEachPixel(TskEffectBmp& bmp, Fn change)
{
    for (int y = 0; y < bmp.Height; ++y) {
        std::uint8_t* p = bmp.Line(y);
        for (int x = 0; x < bmp.Width; ++x, p += 3)
            change(p);
    }
}

template <class Fn> void ForEachChannel(TskEffectBmp& bmp, Fn change)
{
    ForEachPixel(bmp, [&](std::uint8_t* p) {
        for (int c = 0; c < 3; ++c)
            p[c] = Clamp255(change(int(p[c])));
    });
}

} // namespace

TskEffectBmp::TskEffectBmp(int cx, int cy)
{
    Allocate(cx, cy);
}

bool TskEffectBmp::Allocate(int cx, int cy)
{
    Width = Height = Size = rowLength_ = 0;
    bits_.clear();
    if (cx <= 0 || cy <= 0)
        return false;
    const long long row = (long long)cx * 3 + cx % 4;
    if (row * cy > INT_MAX)
        return false;
    try {
        bits_.assign(std::size_t(row * cy), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    Width = cx;
    Height = cy;
    rowLength_ = int(row);
    Size = int(row * cy);
    info_ = BITMAPINFO{};
    info_.bmiHeader.biWidth = cx;
    info_.bmiHeader.biHeight = -cy;
    info_.bmiHeader.biBitCount = 24;
    return true;
}

TskEffectBmp TskEffectBmp::CreateFromhWnd(HBITMAP bitmap)
{
    BITMAP description{};
    if (GetObject(ToGdiObj(bitmap), int(sizeof(description)), &description) == 0)
        return TskEffectBmp(0, 0);
    TskEffectBmp snapshot(description.bmWidth, description.bmHeight < 0 ? -description.bmHeight : description.bmHeight);
    if (snapshot.Width == 0)
        return snapshot;
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = snapshot.info_;
    if (GetDIBits(dc, bitmap, 0, UINT(snapshot.Height), snapshot.Bits(), &info, DIB_RGB_COLORS) != snapshot.Height)
        snapshot.Allocate(0, 0);
    DeleteDC(dc);
    return snapshot;
}

std::uint32_t TskEffectBmp::GetPixel(int x, int y) const
{
    const std::uint8_t* p = Line(y) + 3 * x;
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
}

void TskEffectBmp::SetPixel(int x, int y, std::uint32_t color)
{
    std::uint8_t* p = Line(y) + 3 * x;
    p[0] = std::uint8_t(color);
    p[1] = std::uint8_t(color >> 8);
    p[2] = std::uint8_t(color >> 16);
}

void TskEffectBmp::GetScanLine(int y, std::uint8_t* line) const
{
    if (y >= 0 && y < Height)
        std::copy_n(Line(y), std::size_t(Width) * 3, line);
}

void TskEffectBmp::Draw(HDC dc, int x, int y) const
{
    if (Width > 0)
        SetDIBitsToDevice(dc, x, y, DWORD(Width), DWORD(Height), 0, 0, 0, UINT(Height), Bits(), &info_, DIB_RGB_COLORS);
}

void TskEffectBmp::Stretch(HDC dc, int x, int y, int cx, int cy) const
{
    if (Width > 0)
        StretchDIBits(dc, x, y, cx, cy, 0, 0, Width, Height, Bits(), &info_, DIB_RGB_COLORS, SRCCOPY);
}

void TskEffectBmp::DrawRect(HDC dc, int hx, int hy, int x, int y, int cx, int cy) const
{
    // The part (x, y, cx, cy) at (hx, hy), the right way up.
    if (Width > 0)
        StretchDIBits(dc, hx, hy, cx, cy, x, y, cx, cy, Bits(), &info_, DIB_RGB_COLORS, SRCCOPY);
}

void TskEffectBmp::ChangeBrightness(double kf)
{
    kf = std::clamp(kf, 0.0, 1.0);
    ForEachChannel(*this, [kf](int c) { return Round((1 - kf) * c + kf * 255); });
}

void TskEffectBmp::ChangeDarkness(double kf)
{
    kf = std::clamp(kf, 0.0, 1.0);
    ForEachChannel(*this, [kf](int c) { return Round((1 - kf) * c); });
}

void TskEffectBmp::Invert()
{
    ForEachChannel(*this, [](int c) { return 255 - c; });
}

void TskEffectBmp::GrayScale()
{
    ForEachPixel(*this, [](std::uint8_t* p) {
        const std::uint8_t grey = Clamp255(Round(0.3 * p[2] + 0.59 * p[1] + 0.11 * p[0]));
        p[0] = p[1] = p[2] = grey;
    });
}

void TskEffectBmp::AddMonoNoise(int amount)
{
    ForEachPixel(*this, [amount](std::uint8_t* p) {
        const int d = EffectRandom(amount) - amount / 2;
        for (int c = 0; c < 3; ++c)
            p[c] = Clamp255(p[c] + d);
    });
}

void TskEffectBmp::AddColorNoise(int amount)
{
    ForEachPixel(*this, [amount](std::uint8_t* p) {
        for (int c = 2; c >= 0; --c) // red, green, blue
            p[c] = Clamp255(p[c] + EffectRandom(amount) - amount / 2);
    });
}

} // namespace tovrel
