#pragma once
// Pictures kept as one pixel surface and stored through an image codec: the
// base TRasterImage, and the JPEG and GIF classes. A 24-bit surface is opaque;
// a 32-bit one carries straight alpha (255 = opaque) and draws blended.
#include "platform/gdi/Surface.h"
#include "platform/vcl/Graphic.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tovrel {

class TBitmap;

class TRasterImage : public TGraphic {
public:
    bool Empty() const override { return image_.Empty(); }
    int Width() const override { return image_.Width(); }
    int Height() const override { return image_.Height(); }
    const TSurface& Image() const { return image_; }

    // Damaged data raises EInvalidGraphic.
    void LoadFromStream(TStream& stream) override;
    // An empty picture raises EInvalidGraphic.
    void SaveToStream(TStream& stream) override;
    // From the same class, or from a TBitmap (its colours; alpha is not taken).
    void Assign(const TPersistent* source) override;

protected:
    // To a TBitmap: the same pixels (32-bit with alpha when the image has it).
    void AssignTo(TPersistent* dest) const override;
    void Draw(TCanvas& canvas, const TRect& r) override;
    virtual TSurface Decode(std::span<const std::uint8_t> data) = 0;
    virtual std::vector<std::uint8_t> Encode() const = 0;
    // After the surface was replaced by loading or assigning a bitmap.
    virtual void ImageReplaced(const TBitmap* /*from*/) {}
    // Copies the class's own settings from another image of the same class.
    virtual void CopySettings(const TRasterImage& /*from*/) {}
    void SetImage(TSurface image);

    TSurface image_;
};

class TJPEGImage : public TRasterImage {
public:
    // 1..100, clamped.
    int CompressionQuality() const { return quality_; }
    void SetCompressionQuality(int quality);
    std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TJPEGImage>(); }

protected:
    TSurface Decode(std::span<const std::uint8_t> data) override;
    std::vector<std::uint8_t> Encode() const override;
    void CopySettings(const TRasterImage& from) override;

private:
    int quality_ = 90;
};

class TGIFImage : public TRasterImage {
public:
    std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TGIFImage>(); }

protected:
    TSurface Decode(std::span<const std::uint8_t> data) override;
    std::vector<std::uint8_t> Encode() const override;
};

} // namespace tovrel
