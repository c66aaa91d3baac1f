#pragma once
// TskEffectBmp: a 24-bit top-down image for pixel effects (inactive-window
// looks, turned captions, morph transitions). Rows are Width * 3 bytes rounded
// up to a multiple of 4; pixels are B, G, R. An image that could not be made
// has size 0 x 0, and every effect leaves it alone.
#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <vector>

namespace tovrel {

// Declared without its values so that this header meets the component
// framework's headers (see SkinTypes.h for the values).
enum class TskMorphKind : std::uint8_t;

class TskEffectBmp {
public:
    TskEffectBmp(int cx, int cy);
    // Snapshot of a platform bitmap, converted to 24 bits.
    static TskEffectBmp CreateFromhWnd(HBITMAP bitmap);
    static TskEffectBmp CreateCopy(const TskEffectBmp& source) { return source; }

    int Width = 0;
    int Height = 0;
    int Size = 0; // pixel bytes
    std::uint8_t* Bits() { return bits_.data(); }
    const std::uint8_t* Bits() const { return bits_.data(); }
    const BITMAPINFO& BmpInfo() const { return info_; }
    int RowLength() const { return rowLength_; }
    std::uint8_t* Line(int y) { return bits_.data() + std::size_t(y) * std::size_t(rowLength_); }
    const std::uint8_t* Line(int y) const { return bits_.data() + std::size_t(y) * std::size_t(rowLength_); }
    // 0x00RRGGBB, unchecked.
    std::uint32_t GetPixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t color);
    void GetScanLine(int y, std::uint8_t* line) const;

    // Onto a device context: unscaled, stretched, and a part unscaled.
    void Draw(HDC dc, int x, int y) const;
    void Stretch(HDC dc, int x, int y, int cx, int cy) const;
    void DrawRect(HDC dc, int hx, int hy, int x, int y, int cx, int cy) const;
    // Nearest-neighbour enlargement into dst.
    void Resize(TskEffectBmp& dst) const;

    // Colour effects; every result is clamped to 0..255.
    void ChangeBrightness(double kf);
    void ChangeDarkness(double kf);
    void GrayScale();
    void Invert();
    void AddMonoNoise(int amount);
    void AddColorNoise(int amount);
    // In place, so pixels already replaced are read with their new values.
    void SplitBlur(int amount);
    void Mosaic(int size);
    void Wave(int xdiv, int ydiv, int ratio);
    void Rotate90_1(TskEffectBmp& dst) const; // anticlockwise
    void Rotate90_2(TskEffectBmp& dst) const; // clockwise
    void FlipVert(TskEffectBmp& dst) const;
    // Effects limited to pixels whose mask pixel is not white.
    void MaskAntialiasing(const TskEffectBmp& mask, int amount);
    void MaskBlur(const TskEffectBmp& mask, int amount);
    void MaskFillColor(const TskEffectBmp& mask, TColor color, double kf);

    // Morph transitions from this image (A) towards bmp (B); kf 0 is A.
    void Morph(const TskEffectBmp& bmp, double kf);
    void MorphRect(const TskEffectBmp& bmp, double kf, TRect rct, int startX, int startY);
    void CopyRect(const TskEffectBmp& bmp, TRect rct, int startX, int startY);
    void MorphHGrad(const TskEffectBmp& bmp, double kf);
    void MorphVGrad(const TskEffectBmp& bmp, double kf);
    void MorphGrad(const TskEffectBmp& bmp, double kf);
    void MorphLeftGrad(const TskEffectBmp& bmp, double kf);
    void MorphRightGrad(const TskEffectBmp& bmp, double kf);
    void MorphLeftSlide(const TskEffectBmp& bmp, double kf);
    void MorphRightSlide(const TskEffectBmp& bmp, double kf);
    void MorphPush(const TskEffectBmp& bmp, double kf);
    // The operation a skin entry's MorphKind selects.
    void MorphByKind(TskMorphKind kind, const TskEffectBmp& bmp, double kf);

    // The split-blur sample positions of (x, y), for the blur and mask effects.
    struct TSamples {
        int L, R, U, D;
    };
    TSamples SamplesOf(int x, int y, int amount, int height) const;

private:
    bool Allocate(int cx, int cy);
    void Slide(const TskEffectBmp& bmp, double kf, bool fromLeft);

    int rowLength_ = 0;
    BITMAPINFO info_{};
    std::vector<std::uint8_t> bits_;
};

} // namespace tovrel
