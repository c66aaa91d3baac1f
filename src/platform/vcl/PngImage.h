#pragma once
// TPngImage: a PNG picture that keeps its header's colour type, an optional
// alpha channel with per-row access, and single-colour transparency (ptmBit)
// with its transparent colour; it draws blending by alpha. Writing stores RGB,
// or RGBA when the picture has any transparency.
#include "platform/vcl/GraphicsTypes.h"
#include "platform/vcl/RasterImage.h"

namespace tovrel {

constexpr std::uint8_t COLOR_GRAYSCALE = 0, COLOR_RGB = 2, COLOR_PALETTE = 3, COLOR_GRAYSCALEALPHA = 4,
                       COLOR_RGBALPHA = 6;

enum TPngTransparencyMode : std::uint8_t { ptmNone, ptmBit, ptmPartial };

struct TPngHeader {
    int Width = 0;
    int Height = 0;
    std::uint8_t BitDepth = 8;
    std::uint8_t ColorType = COLOR_RGB;
};

// Alpha values of one row: row[x] is pixel x's alpha; false when the
// picture has no alpha channel.
class TAlphaRow {
public:
    explicit TAlphaRow(std::uint8_t* pixels = nullptr) : pixels_(pixels) {}
    explicit operator bool() const { return pixels_ != nullptr; }
    std::uint8_t& operator[](int x) const { return pixels_[std::size_t(x) * 4 + 3]; }

private:
    std::uint8_t* pixels_;
};

class TPngImage : public TRasterImage {
public:
    const TPngHeader& Header() const { return header_; }
    TPngTransparencyMode TransparencyMode() const;
    // The ptmBit colour; clNone otherwise.
    TColor TransparentColor() const { return transparencyMode_ == ptmBit ? transparentColor_ : clNone; }
    // Makes an image without an alpha channel use single-colour transparency.
    void SetTransparentColor(TColor color);

    // Null for colour types without alpha (0, 2, 3) and rows out of range.
    TAlphaRow AlphaScanline(int y);
    TColor Pixels(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Grey becomes grey with alpha, the others colour with alpha; every pixel
    // opaque (a palette picture keeps its transparency). ptmBit ends.
    void CreateAlpha();
    // An all-zero picture of that type and size (alpha 0 where there is alpha).
    void CreateBlank(std::uint8_t colorType, int bitDepth, int width, int height);

    std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TPngImage>(); }

protected:
    TSurface Decode(std::span<const std::uint8_t> data) override;
    std::vector<std::uint8_t> Encode() const override;
    void ImageReplaced(const TBitmap* from) override;
    void CopySettings(const TRasterImage& from) override;
    void AssignTo(TPersistent* dest) const override;
    void Draw(TCanvas& canvas, const TRect& r) override;

private:
    bool HasAlphaChannel() const;
    // The picture as straight alpha, with the ptmBit colour cut out.
    TSurface WithTransparency() const;

    TPngHeader header_;
    TPngTransparencyMode transparencyMode_ = ptmNone;
    TColor transparentColor_ = clNone;
};

} // namespace tovrel
