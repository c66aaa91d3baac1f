#pragma once
// A pixel buffer in memory: the device-independent bitmap every drawing call
// works on. Rows run top-down; 32-bit pixels are B,G,R,A bytes, 24-bit pixels
// B,G,R; every row is padded to a multiple of four bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tovrel {

enum class TPixelFormat { pf24bit, pf32bit };

class TSurface {
public:
    TSurface() = default;
    TSurface(int width, int height, TPixelFormat format = TPixelFormat::pf32bit);

    // Reallocates; the contents are cleared to zero. Negative sizes count as 0.
    void SetSize(int width, int height);
    void SetPixelFormat(TPixelFormat format);

    int Width() const { return width_; }
    int Height() const { return height_; }
    TPixelFormat PixelFormat() const { return format_; }
    int BytesPerPixel() const { return format_ == TPixelFormat::pf32bit ? 4 : 3; }
    int Stride() const { return stride_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    std::uint8_t* ScanLine(int y) { return bits_.data() + std::size_t(y) * std::size_t(stride_); }
    const std::uint8_t* ScanLine(int y) const { return bits_.data() + std::size_t(y) * std::size_t(stride_); }
    std::uint8_t* Bits() { return bits_.data(); }
    const std::uint8_t* Bits() const { return bits_.data(); }
    std::size_t SizeInBytes() const { return bits_.size(); }

    static int StrideFor(int width, TPixelFormat format);

private:
    void Allocate();

    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = TPixelFormat::pf32bit;
    int stride_ = 0;
    std::vector<std::uint8_t> bits_;
};

} // namespace tovrel
