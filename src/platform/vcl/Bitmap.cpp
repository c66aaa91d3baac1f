#include "platform/vcl/Bitmap.h"

#include "platform/gdi/Blits.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SurfaceDrawing.h"
#include "platform/gdi/codecs/BmpCodec.h"
#include "platform/rtl/Text.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Streams.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

namespace tovrel {

namespace {

struct TResourceTable {
    std::mutex Lock;
    std::map<std::string, std::vector<std::uint8_t>> Files; // upper-case names
};

TResourceTable& Resources()
{
    static TResourceTable table;
    return table;
}

} // namespace

void RegisterBitmapResource(const std::string& name, std::span<const std::uint8_t> bmpFile)
{
    TResourceTable& table = Resources();
    std::lock_guard lock(table.Lock);
    table.Files[UpperCase(name)] = std::vector<std::uint8_t>(bmpFile.begin(), bmpFile.end());
}

// The canvas of a bitmap: a memory context with the bitmap selected.
class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
    ~TBitmapCanvas() override
    {
        if (HDC dc = Handle_()) {
            SetHandle(nullptr);
            DeleteDC(dc);
        }
    }
    void Reselect()
    {
        if (dc_)
            SelectObject(dc_, bitmap_.handle_ ? bitmap_.handle_ : StockBitmap());
    }

protected:
    void CreateHandle() override
    {
        dc_ = CreateCompatibleDC(nullptr);
        SetHandle(dc_);
        Reselect();
    }

private:
    HDC Handle_() const { return dc_; }
    TBitmap& bitmap_;
    HDC dc_ = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) : format_(format)
{
    SetSize(width, height);
}

TBitmap::~TBitmap()
{
    canvas_.reset();
    if (handle_)
        DeleteObject(handle_);
}

void TBitmap::Adopt(HBITMAP bitmap)
{
    HBITMAP old = handle_;
    handle_ = bitmap;
    object_ = bitmap ? FindBitmap(bitmap) : nullptr;
    surface_ = object_ ? &object_->Surface() : nullptr;
    if (surface_)
        format_ = surface_->PixelFormat();
    if (canvas_)
        static_cast<TBitmapCanvas*>(canvas_.get())->Reselect();
    if (old)
        DeleteObject(old);
}

void TBitmap::SetSurface(const TSurface& surface)
{
    format_ = surface.PixelFormat();
    Adopt(CreateBitmapOf(surface));
    Changed();
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height())
        return;
    TSurface resized(width, height, format_);
    if (surface_) {
        const int rows = std::min(height, surface_->Height());
        const std::size_t bytes = std::size_t(std::min(width, surface_->Width()) * surface_->BytesPerPixel());
        // An empty side has no rows to copy (and null scan lines).
        for (int y = 0; bytes > 0 && y < rows; ++y)
            std::memcpy(resized.ScanLine(y), surface_->ScanLine(y), bytes);
    }
    SetSurface(resized);
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == format_)
        return;
    if (!surface_) {
        format_ = format;
        return;
    }
    SetSurface(ConvertSurface(*surface_, format));
}

std::uint8_t* TBitmap::ScanLine(int y)
{
    if (!surface_ || y < 0 || y >= surface_->Height())
        throw EInvalidGraphicOperation("Scan line index out of range");
    return surface_->ScanLine(y);
}

TCanvas* TBitmap::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TBitmapCanvas>(*this);
    return canvas_.get();
}

void TBitmap::SetHandle(HBITMAP bitmap)
{
    if (bitmap == handle_)
        return;
    if (bitmap && !FindBitmap(bitmap))
        throw EInvalidGraphic("Invalid bitmap handle");
    Adopt(bitmap);
    Changed();
}

HBITMAP TBitmap::ReleaseHandle()
{
    HBITMAP released = handle_;
    handle_ = nullptr;
    object_.reset();
    surface_ = nullptr;
    if (canvas_)
        static_cast<TBitmapCanvas*>(canvas_.get())->Reselect();
    Changed();
    return released;
}

void TBitmap::SetTransparentMode(TTransparentMode mode)
{
    if (mode == transparentMode_)
        return;
    transparentMode_ = mode;
    if (mode == tmAuto)
        transparentColor_ = clDefault;
    Changed();
}

TColor TBitmap::TransparentColor() const
{
    if (transparentMode_ == tmFixed)
        return transparentColor_;
    if (Empty())
        return clDefault;
    const std::uint8_t* p = surface_->ScanLine(Height() - 1);
    return TColor(RGB(p[2], p[1], p[0]));
}

void TBitmap::SetTransparentColor(TColor color)
{
    transparentColor_ = color;
    transparentMode_ = color == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& r)
{
    HDC dst = canvas.Handle();
    HDC src = Canvas()->Handle();
    if (!dst || !src || Empty())
        return;
    if (Transparent()) {
        TransparentBlt(dst, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, Width(), Height(),
                       ColorToRGB(TransparentColor()));
        return;
    }
    SetStretchBltMode(dst, COLORONCOLOR);
    StretchBlt(dst, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, Width(), Height(), canvas.CopyMode);
}

void TBitmap::LoadFromStream(TStream& stream)
{
    const std::vector<std::uint8_t> bytes = stream.ReadAll();
    try {
        SetSurface(DecodeBmp(bytes));
    } catch (const std::exception& error) {
        throw EInvalidGraphic(std::string("Bitmap image is not valid: ") + error.what());
    }
}

void TBitmap::SaveToStream(TStream& stream)
{
    if (Empty())
        return;
    TBmpWriteOptions options;
    options.BitsPerPixel = format_ == TPixelFormat::pf32bit ? 32 : 24;
    const std::vector<std::uint8_t> bytes = EncodeBmp(*surface_, options);
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

void TBitmap::LoadFromResourceName(const std::string& name)
{
    std::vector<std::uint8_t> bytes;
    {
        TResourceTable& table = Resources();
        std::lock_guard lock(table.Lock);
        const auto it = table.Files.find(UpperCase(name));
        if (it == table.Files.end())
            throw EResNotFound("Resource " + name + " not found");
        bytes = it->second;
    }
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    stream.SetPosition(0);
    LoadFromStream(stream);
}

void TBitmap::Assign(const TPersistent* source)
{
    const auto* bitmap = dynamic_cast<const TBitmap*>(source);
    if (!bitmap) {
        if (!source) {
            Adopt(nullptr);
            Changed();
            return;
        }
        TGraphic::Assign(source);
        return;
    }
    if (bitmap == this)
        return;
    transparentMode_ = bitmap->transparentMode_;
    transparentColor_ = bitmap->transparentColor_;
    SetTransparent(bitmap->Transparent());
    format_ = bitmap->format_;
    if (bitmap->surface_)
        SetSurface(*bitmap->surface_);
    else
        Adopt(nullptr);
}

} // namespace tovrel
