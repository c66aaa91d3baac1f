#pragma once
// TskBitmap: a 32-bit top-down image with straight alpha that owns a memory
// device context with its pixels selected, so it can be written pixel by pixel
// and be the source or target of the drawing layer's block transfers.
//
// Pixel (x, y) is Bits()[y * Width() + x]; rows have no padding.
#include "platform/gdi/GdiTypes.h"
#include "platform/rtl/Exceptions.h"
#include "skin/draw/SkinColor.h"

#include <istream>
#include <memory>
#include <ostream>
#include <string>

namespace tovrel {

class TBitmap;
class TCanvas;
class TGraphic;
class TPicture;
class TStream;

// A skin bitmap or stream that cannot be made or read.
class EskBitmapError : public Exception {
public:
    using Exception::Exception;
};

class TskBitmap {
public:
    TskBitmap();
    ~TskBitmap();
    TskBitmap(const TskBitmap&) = delete;
    TskBitmap& operator=(const TskBitmap&) = delete;

    HBITMAP Handle() const { return handle_; }
    HDC DC() const { return dc_; }
    TskColor* Bits() { return bits_; }
    const TskColor* Bits() const { return bits_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    TskColor* Row(int y) { return bits_ + std::ptrdiff_t(y) * width_; }
    TskColor& Pixel(int x, int y) { return Row(y)[x]; }
    TskColor Pixel(int x, int y) const { return bits_[std::ptrdiff_t(y) * width_ + x]; }

    bool AlphaBlend = false;  // pixels carry partial alpha: drawing blends them
    bool Transparent = false; // TransparentKeyColor pixels are holes
    bool NewFormat = false;   // kept for callers
    std::string Name;

    // Absolute values are taken; 0 or the current size changes nothing. New
    // pixels are 0; old ones are not kept. Raises EskBitmapError on failure.
    void SetSize(int width, int height);
    bool Empty() const { return handle_ == nullptr; }
    // A canvas on DC(), made on first use and following every resize.
    TCanvas* Canvas();
    // Frees the pixels: the bitmap becomes empty with size 0 x 0 (for images
    // that are built at a size without area).
    void SetEmpty();
    void Clear(TskColor color);

    // Copies size, pixels, Name, Transparent and AlphaBlend.
    void Assign(const TskBitmap& source);
    // A platform bitmap: 32-bit sections keep their alpha (then CheckingAlphaBlend),
    // anything else is copied with a block transfer and made opaque.
    void AssignBitmap(HBITMAP source);
    // The component framework's images: a bitmap as above; another graphic
    // drawn in (DrawGraphic) and made opaque; a picture by its graphic.
    void Assign(const TBitmap* source);
    void Assign(const TGraphic* source);
    void Assign(const TPicture* source);
    // dest becomes 32-bit of this size with this bitmap drawn on it at (0, 0).
    void AssignTo(TBitmap* dest);
    // Renders graphic into dstRect; pixels it leaves magenta are not copied.
    void DrawGraphic(const TGraphic* graphic, TRect dstRect);
    // A bitmap the program carries under name; nothing when there is none.
    void LoadFromResource(const std::string& name);

    void CheckingAlphaBlend();
    void CheckingTransparent(TskColor color);
    void SetAlpha(std::uint8_t alpha);
    void SetAlpha(std::uint8_t alpha, TRect rect);
    void FillRect(TRect rect, TskColor color);

    // Colour adjustments of every pixel with alpha above 0 (HSL model).
    void SetBitmapHue(int hue);
    void ChangeBitmapSat(int deltaSat);
    void ChangeBitmapHue(int deltaHue);
    void ChangeBitmapBrightness(int deltaBrightness);

    void FlipVert();
    void Reflection();  // alpha fades to the middle, divided by 3
    void Reflection2(); // divided by 4
    void Reflection3(); // divided by 2

    // Drawing: rectangles have right and bottom excluded.
    void Draw(HDC dc, int x, int y);
    void Draw(HDC dc, int x, int y, TRect srcRect);
    void Draw(HDC dc, TRect dstRect);
    void Draw(HDC dc, TRect dstRect, TRect srcRect);
    void Draw(TCanvas* canvas, int x, int y);
    void Draw(TCanvas* canvas, int x, int y, TRect srcRect);
    void Draw(TCanvas* canvas, TRect dstRect);
    void Draw(TCanvas* canvas, TRect dstRect, TRect srcRect);
    void Draw(TskBitmap& target, int x, int y);
    void Draw(TskBitmap& target, int x, int y, TRect srcRect);
    void Draw(TskBitmap& target, TRect dstRect);
    void Draw(TskBitmap& target, TRect dstRect, TRect srcRect);
    void Tile(HDC dc, TRect dstRect, TRect srcRect);
    void Tile(TskBitmap& target, TRect dstRect, TRect srcRect);
    void Tile(TCanvas* canvas, TRect dstRect, TRect srcRect);
    void TileClip(HDC dc, TRect dstRect, TRect dstClip, TRect srcRect);
    void TileClip(TCanvas* canvas, TRect dstRect, TRect dstClip, TRect srcRect);
    void TileClip(TskBitmap& target, TRect dstRect, TRect dstClip, TRect srcRect);
    // Puts source's srcRect behind this bitmap's pixels at (x, y).
    void MergeDraw(const TskBitmap& source, int x, int y, TRect srcRect);

    // Stream format: name (stream string), int32 width, int32 height, pixels.
    void SaveToStream(std::ostream& stream) const;
    // A stream that is cut short or whose sizes lie raises EskBitmapError and
    // leaves the bitmap as it was.
    void LoadFromStream(std::istream& stream);
    // 8-bit one-plane PCX; an unknown manufacturer byte loads nothing. Damaged
    // data raises EskBitmapError and leaves the bitmap as it was.
    void LoadFromPcxStream(std::istream& stream);
    // The same on the component framework's streams.
    void SaveToStream(TStream& stream) const;
    void LoadFromStream(TStream& stream);
    void LoadFromPcxStream(TStream& stream);

    // The registered bitmap whose DC is dc, or null.
    static TskBitmap* FindBitmapByDC(HDC dc);

private:
    void ReleaseSection();
    void ScaleAlphaRows(int divisor);

    TskColor* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    HBITMAP handle_ = nullptr;
    HDC dc_ = nullptr;
    bool registered_ = false;
    std::unique_ptr<TCanvas> canvas_;
};

// Alpha of every pixel of bmp := mean of red, green, blue (truncated) of mask
// at the same place; mask must be at least as large (else nothing happens).
void SetAlphaFromMask(TskBitmap& bmp, const TskBitmap& mask);

} // namespace tovrel
