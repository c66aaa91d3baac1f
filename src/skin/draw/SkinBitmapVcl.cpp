// TskBitmap with the component framework: canvases, its bitmaps, graphics and
// pictures, bitmap resources and streams.
#include "platform/gdi/Gdi.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Picture.h"
#include "platform/vcl/Streams.h"
#include "skin/draw/SkinBitmap.h"

#include <cstring>
#include <sstream>

namespace tovrel {

void TskBitmap::Draw(TCanvas* canvas, int x, int y)
{
    Draw(canvas->Handle(), x, y);
}
void TskBitmap::Draw(TCanvas* canvas, int x, int y, TRect srcRect)
{
    Draw(canvas->Handle(), x, y, srcRect);
}
void TskBitmap::Draw(TCanvas* canvas, TRect dstRect)
{
    Draw(canvas->Handle(), dstRect);
}
void TskBitmap::Draw(TCanvas* canvas, TRect dstRect, TRect srcRect)
{
    Draw(canvas->Handle(), dstRect, srcRect);
}
void TskBitmap::Tile(TCanvas* canvas, TRect dstRect, TRect srcRect)
{
    Tile(canvas->Handle(), dstRect, srcRect);
}
void TskBitmap::TileClip(TCanvas* canvas, TRect dstRect, TRect dstClip, TRect srcRect)
{
    TileClip(canvas->Handle(), dstRect, dstClip, srcRect);
}

void TskBitmap::Assign(const TBitmap* source)
{
    // 32-bit sections keep their alpha; everything else is made opaque.
    if (source != nullptr)
        AssignBitmap(source->Handle());
}

void TskBitmap::Assign(const TGraphic* source)
{
    if (source == nullptr)
        return;
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        Assign(bitmap);
        return;
    }
    SetSize(source->Width(), source->Height());
    if (Empty())
        return;
    DrawGraphic(source, Rect(0, 0, width_, height_));
    SetAlpha(255);
}

void TskBitmap::Assign(const TPicture* source)
{
    if (source != nullptr)
        Assign(source->Graphic());
}

void TskBitmap::AssignTo(TBitmap* dest)
{
    if (dest == nullptr)
        return;
    dest->SetPixelFormat(TPixelFormat::pf32bit);
    dest->SetSize(width_, height_);
    if (!Empty() && !dest->Empty())
        Draw(dest->Canvas(), 0, 0);
}

void TskBitmap::DrawGraphic(const TGraphic* graphic, TRect dstRect)
{
    if (graphic == nullptr || Empty())
        return;
    constexpr TskColor Magenta = 0x00FF00FF;
    TBitmap scratch(width_, height_, TPixelFormat::pf32bit);
    TCanvas* canvas = scratch.Canvas();
    canvas->Brush()->SetColor(TColor(RGB(255, 0, 255)));
    canvas->FillRect(Rect(-1, -1, width_ + 1, height_ + 1));
    canvas->StretchDraw(dstRect, const_cast<TGraphic*>(graphic));
    for (int y = 0; y < height_; ++y) {
        const auto* row = reinterpret_cast<const std::uint8_t*>(scratch.ScanLine(y));
        for (int x = 0; x < width_; ++x) {
            TskColor p;
            std::memcpy(&p, row + 4 * x, 4);
            if (!SameRgb(p, Magenta))
                Pixel(x, y) = p;
        }
    }
}

void TskBitmap::LoadFromResource(const std::string& name)
{
    TBitmap resource;
    try {
        resource.LoadFromResourceName(name);
    } catch (const EResNotFound&) {
        return;
    }
    Assign(&resource);
}

namespace {

// The rest of a framework stream as a standard one; the framework stream then
// moves past what was read.
template <class Fn> void ReadThrough(TStream& stream, Fn read)
{
    const std::int64_t start = stream.Position();
    const std::int64_t left = stream.Size() - start;
    std::string bytes(std::size_t(left > 0 ? left : 0), '\0');
    if (!bytes.empty())
        stream.ReadBuffer(bytes.data(), std::int64_t(bytes.size()));
    std::istringstream in(bytes);
    try {
        read(in);
    } catch (...) {
        stream.SetPosition(start);
        throw;
    }
    const auto used = in.tellg();
    stream.SetPosition(start + (used < 0 ? std::int64_t(bytes.size()) : std::int64_t(used)));
}

} // namespace

void TskBitmap::SaveToStream(TStream& stream) const
{
    std::ostringstream out;
    SaveToStream(out);
    const std::string bytes = out.str();
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

void TskBitmap::LoadFromStream(TStream& stream)
{
    ReadThrough(stream, [this](std::istream& in) { LoadFromStream(in); });
}

void TskBitmap::LoadFromPcxStream(TStream& stream)
{
    ReadThrough(stream, [this](std::istream& in) { LoadFromPcxStream(in); });
}

} // namespace tovrel
