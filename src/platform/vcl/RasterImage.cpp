#include "platform/vcl/RasterImage.h"

#include "platform/gdi/SurfaceDrawing.h"
#include "platform/gdi/codecs/GifCodec.h"
#include "platform/gdi/codecs/JpegCodec.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Streams.h"

#include <algorithm>
#include <typeinfo>

namespace tovrel {

void TRasterImage::SetImage(TSurface image)
{
    image_ = std::move(image);
    Changed();
}

void TRasterImage::LoadFromStream(TStream& stream)
{
    const std::vector<std::uint8_t> bytes = stream.ReadAll();
    TSurface decoded;
    RaiseCodecErrors([&] { decoded = Decode(bytes); });
    image_ = std::move(decoded);
    ImageReplaced(nullptr);
    Changed();
}

void TRasterImage::SaveToStream(TStream& stream)
{
    SaveEncoded(stream, [this] { return Encode(); });
}

void TRasterImage::Assign(const TPersistent* source)
{
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        image_ = bitmap->Surface() ? ConvertSurface(*bitmap->Surface(), TPixelFormat::pf24bit) : TSurface();
        ImageReplaced(bitmap);
        Changed();
        return;
    }
    const auto* image = dynamic_cast<const TRasterImage*>(source);
    if (image && typeid(*image) == typeid(*this)) {
        if (image == this)
            return;
        image_ = image->image_;
        CopySettings(*image);
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TRasterImage::AssignTo(TPersistent* dest) const
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
        bitmap->SetSurface(image_);
        return;
    }
    TGraphic::AssignTo(dest);
}

void TRasterImage::Draw(TCanvas& canvas, const TRect& r)
{
    DrawSurface(canvas.Handle(), r, image_, true);
}

void TJPEGImage::SetCompressionQuality(int quality)
{
    quality_ = std::clamp(quality, 1, 100);
}

TSurface TJPEGImage::Decode(std::span<const std::uint8_t> data)
{
    return DecodeJpeg(data);
}

std::vector<std::uint8_t> TJPEGImage::Encode() const
{
    return EncodeJpeg(ConvertSurface(image_, TPixelFormat::pf24bit), quality_);
}

void TJPEGImage::CopySettings(const TRasterImage& from)
{
    quality_ = static_cast<const TJPEGImage&>(from).quality_;
}

TSurface TGIFImage::Decode(std::span<const std::uint8_t> data)
{
    return DecodeGif(data);
}

std::vector<std::uint8_t> TGIFImage::Encode() const
{
    return EncodeGif(image_);
}

} // namespace tovrel
