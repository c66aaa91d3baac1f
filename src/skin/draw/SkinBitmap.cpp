// TskBitmap: its section, device context, registry, flags, fills and alpha.
#include "skin/draw/SkinBitmap.h"

#include "platform/gdi/Gdi.h"
#include "platform/vcl/Canvas.h"
#include "skin/draw/BitmapStretch.h"
#include "skin/draw/PixelRoutines.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tovrel {

namespace {

// Bitmaps that own a DC, in registration order. Main thread only.
std::vector<TskBitmap*>& Registry()
{
    static std::vector<TskBitmap*> registry;
    return registry;
}

int ChannelDistance(std::uint8_t a, std::uint8_t b)
{
    return std::abs(int(a) - int(b));
}

} // namespace

TskBitmap::TskBitmap() = default;

TskBitmap::~TskBitmap()
{
    if (canvas_)
        canvas_->SetHandle(nullptr);
    ReleaseSection();
}

TCanvas* TskBitmap::Canvas()
{
    if (!canvas_) {
        canvas_ = std::make_unique<TCanvas>();
        canvas_->SetHandle(dc_);
    }
    return canvas_.get();
}

TskBitmap* TskBitmap::FindBitmapByDC(HDC dc)
{
    if (dc == nullptr)
        return nullptr;
    for (TskBitmap* b : Registry())
        if (b->dc_ == dc)
            return b;
    return nullptr;
}

void TskBitmap::ReleaseSection()
{
    if (registered_) {
        auto& r = Registry();
        r.erase(std::find(r.begin(), r.end(), this));
        registered_ = false;
    }
    if (canvas_)
        canvas_->SetHandle(nullptr);
    if (dc_ != nullptr)
        DeleteDC(dc_);
    if (handle_ != nullptr)
        DeleteObject(ToGdiObj(handle_));
    dc_ = nullptr;
    handle_ = nullptr;
    bits_ = nullptr;
}

void TskBitmap::SetEmpty()
{
    ReleaseSection();
    width_ = height_ = 0;
}

void TskBitmap::SetSize(int width, int height)
{
    const long long w = std::llabs(width), h = std::llabs(height);
    if (w == 0 || h == 0 || (w == width_ && h == height_ && !Empty()))
        return;
    ReleaseSection();
    if (w > INT_MAX || h > INT_MAX)
        throw EskBitmapError("Can't allocate the DIB handle");
    BITMAPINFO info{};
    info.bmiHeader.biWidth = LONG(w);
    info.bmiHeader.biHeight = -LONG(h);
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (handle == nullptr || bits == nullptr) {
        if (handle != nullptr)
            DeleteObject(ToGdiObj(handle));
        throw EskBitmapError("Can't allocate the DIB handle");
    }
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) {
        DeleteObject(ToGdiObj(handle));
        throw EskBitmapError("Can't create compatible DC");
    }
    if (SelectObject(dc, ToGdiObj(handle)) == nullptr) {
        DeleteDC(dc);
        DeleteObject(ToGdiObj(handle));
        throw EskBitmapError("Can't bslect an object into DC");
    }
    handle_ = handle;
    dc_ = dc;
    bits_ = static_cast<TskColor*>(bits);
    Registry().push_back(this);
    registered_ = true;
    if (canvas_)
        canvas_->SetHandle(dc_);
    width_ = int(w);
    height_ = int(h);
}

void TskBitmap::Clear(TskColor color)
{
    if (!Empty())
        PixelRoutines().FillLongword(bits_, width_ * height_, color);
}

void TskBitmap::Assign(const TskBitmap& source)
{
    if (&source == this)
        return;
    SetSize(source.Width(), source.Height());
    if (Empty() || source.Empty())
        return;
    PixelRoutines().MoveLongword(source.Bits(), bits_, width_ * height_);
    Name = source.Name;
    Transparent = source.Transparent;
    AlphaBlend = source.AlphaBlend;
}

void TskBitmap::AssignBitmap(HBITMAP source)
{
    const auto bitmap = FindBitmap(source);
    if (!bitmap)
        return;
    const TPixelView view = bitmap->Pixels();
    SetSize(view.Width, view.Height);
    if (Empty() || view.Empty())
        return;
    const bool keepAlpha = bitmap->IsDibSection() && view.BytesPerPixel == 4;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            Pixel(x, y) = view.Read(x, y) | (keepAlpha ? 0u : 0xFF000000u);
    if (keepAlpha)
        CheckingAlphaBlend();
}

void TskBitmap::CheckingAlphaBlend()
{
    AlphaBlend = false;
    if (Empty())
        return;
    TskColor* end = bits_ + std::ptrdiff_t(width_) * height_;
    AlphaBlend = std::any_of(bits_, end, [](TskColor c) { return AlphaOf(c) != 0 && AlphaOf(c) != 255; });
}

void TskBitmap::CheckingTransparent(TskColor color)
{
    Transparent = false;
    if (Empty())
        return;
    for (TskColor *p = bits_, *end = bits_ + std::ptrdiff_t(width_) * height_; p != end; ++p) {
        if (ChannelDistance(RedOf(*p), RedOf(color)) < 6 && ChannelDistance(GreenOf(*p), GreenOf(color)) < 6 &&
            ChannelDistance(BlueOf(*p), BlueOf(color)) < 6) {
            *p = TransparentKeyColor;
            Transparent = true;
        }
    }
}

void TskBitmap::SetAlpha(std::uint8_t alpha)
{
    if (!Empty())
        PixelRoutines().SetAlphaLongword(bits_, width_ * height_, alpha);
}

void TskBitmap::SetAlpha(std::uint8_t alpha, TRect rect)
{
    if (Empty() || rect.Width() == 0 || rect.Height() == 0)
        return;
    const TRect r = IntersectRects(rect, Rect(0, 0, width_, height_));
    if (r.IsEmpty())
        return;
    PixelRoutines().SetAlphaRectLongword(bits_, width_, height_, alpha, r.Bottom - 1, r.Right - 1, r.Top, r.Left);
}

void TskBitmap::FillRect(TRect rect, TskColor color)
{
    if (Empty())
        return;
    const TRect r = IntersectRects(rect, Rect(0, 0, width_, height_));
    if (r.IsEmpty())
        return;
    const TskPixelRoutines& t = PixelRoutines();
    if (AlphaBlend) {
        std::vector<TskColor> row(std::size_t(r.Width()), color);
        for (int y = r.Top; y < r.Bottom; ++y)
            t.BlendLine(row.data(), Row(y) + r.Left, r.Width());
        EndMMX();
    } else {
        t.FillRectLongword(bits_, width_, height_, color, r.Bottom - 1, r.Right - 1, r.Top, r.Left);
    }
}

void SetAlphaFromMask(TskBitmap& bmp, const TskBitmap& mask)
{
    if (bmp.Empty() || mask.Empty() || mask.Width() < bmp.Width() || mask.Height() < bmp.Height())
        return;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) {
            const TskColor m = mask.Pixel(x, y);
            const TskColor a = (TskColor(RedOf(m)) + GreenOf(m) + BlueOf(m)) / 3;
            bmp.Pixel(x, y) = (bmp.Pixel(x, y) & 0x00FFFFFF) | (a << 24);
        }
}

} // namespace tovrel
