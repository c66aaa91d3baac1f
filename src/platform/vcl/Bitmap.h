#pragma once
// TBitmap: a device-independent bitmap (24- or 32-bit, rows top-down) with its
// own canvas. Transparent drawing leaves out the transparent colour: a fixed
// one (tmFixed) or the bottom-left pixel's (tmAuto). Files are BMP.
#include "platform/gdi/GdiObject.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/Graphic.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace tovrel {

enum TTransparentMode : std::uint8_t { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf32bit);
    ~TBitmap() override;

    bool Empty() const override { return Width() == 0 || Height() == 0; }
    int Width() const override { return surface_ ? surface_->Width() : 0; }
    int Height() const override { return surface_ ? surface_->Height() : 0; }
    // Resizing keeps the pixels that still fit; new ones are 0.
    void SetWidth(int width) override { SetSize(width, Height()); }
    void SetHeight(int height) override { SetSize(Width(), height); }
    void SetSize(int width, int height);
    TPixelFormat PixelFormat() const { return format_; }
    // Converts the pixels (new alpha bytes are 0).
    void SetPixelFormat(TPixelFormat format);

    // Row y, top-down; EInvalidGraphicOperation outside the picture.
    std::uint8_t* ScanLine(int y);
    // The pixels; null while empty.
    TSurface* Surface() const { return surface_; }
    // Replaces the picture with a copy of the surface.
    void SetSurface(const TSurface& surface);

    TCanvas* Canvas();
    // Null while empty.
    HBITMAP Handle() const { return handle_; }
    // Adopts a DIB section (freed with the bitmap); the format follows its bits.
    void SetHandle(HBITMAP bitmap);
    // Gives the handle away; the bitmap becomes empty.
    HBITMAP ReleaseHandle();

    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);
    // tmAuto: the bottom-left pixel's colour (clDefault when empty).
    TColor TransparentColor() const;
    // Sets tmFixed.
    void SetTransparentColor(TColor color);

    // Kept for callers that release memory between draws; nothing to do here.
    void Dormant() {}
    void FreeImage() {}

    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    // From the bitmaps registered with RegisterBitmapResource; EResNotFound otherwise.
    void LoadFromResourceName(const std::string& name);

    void Assign(const TPersistent* source) override;
    std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TBitmap>(); }

protected:
    void Draw(TCanvas& canvas, const TRect& r) override;

private:
    class TBitmapCanvas;
    void Adopt(HBITMAP bitmap);

    HBITMAP handle_ = nullptr;
    TSurface* surface_ = nullptr;
    std::shared_ptr<TGdiBitmap> object_;
    TPixelFormat format_ = TPixelFormat::pf32bit;
    std::unique_ptr<TCanvas> canvas_;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clDefault;
};

// Named BMP files the program carries (the stand-in for bitmap resources).
void RegisterBitmapResource(const std::string& name, std::span<const std::uint8_t> bmpFile);

} // namespace tovrel
