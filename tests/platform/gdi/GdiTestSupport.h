#pragma once
// A memory DC over a small DIB section, with pixel access and a character
// picture of the pixels for readable expectations.
#include "platform/gdi/Gdi.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tovrel::test {

class TTestCanvas {
public:
    TTestCanvas(int width, int height, int bitCount = 32, bool bottomUp = false,
                COLORREF background = RGB(255, 255, 255))
        : width_(width), height_(height)
    {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biWidth = width;
        bmi.bmiHeader.biHeight = bottomUp ? height : -height;
        bmi.bmiHeader.biBitCount = WORD(bitCount);
        Bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &Bits, nullptr, 0);
        Dc = CreateCompatibleDC(nullptr);
        old_ = SelectObject(Dc, ToGdiObj(Bitmap));
        Fill(background);
    }
    ~TTestCanvas()
    {
        SelectObject(Dc, old_);
        DeleteDC(Dc);
        DeleteObject(ToGdiObj(Bitmap));
    }
    TTestCanvas(const TTestCanvas&) = delete;
    TTestCanvas& operator=(const TTestCanvas&) = delete;

    void Fill(COLORREF c)
    {
        HBRUSH b = CreateSolidBrush(c);
        RECT r{0, 0, width_, height_};
        FillRect(Dc, &r, b);
        DeleteObject(ToGdiObj(b));
    }
    // The raw pixel, alpha included, read straight from the bitmap.
    TPixel Raw(int x, int y) const { return FindBitmap(Bitmap)->Pixels().Read(x, y); }
    void SetRaw(int x, int y, TPixel v) { FindBitmap(Bitmap)->Pixels().Write(x, y, v); }
    COLORREF At(int x, int y) const { return ColorFromPixel(Raw(x, y)); }

    // One character per pixel, rows separated by '\n'; colours not in the legend give '?'.
    std::string Picture(const std::map<COLORREF, char>& legend) const
    {
        std::string out;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                auto it = legend.find(At(x, y));
                out += it == legend.end() ? '?' : it->second;
            }
            out += '\n';
        }
        return out;
    }

    HBITMAP Bitmap = nullptr;
    HDC Dc = nullptr;
    void* Bits = nullptr;

private:
    int width_;
    int height_;
    HGDIOBJ old_ = nullptr;
};

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = 0, kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255),
                   kGreen = RGB(0, 255, 0);
inline const std::map<COLORREF, char> kLegend = {
    {kWhite, '.'}, {kBlack, '#'}, {kRed, 'r'}, {kBlue, 'b'}, {kGreen, 'g'}};

// Joins picture rows written one per string.
inline std::string Rows(std::initializer_list<const char*> rows)
{
    std::string out;
    for (const char* r : rows)
        (out += r) += '\n';
    return out;
}

} // namespace tovrel::test
