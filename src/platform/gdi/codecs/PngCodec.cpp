#include "platform/gdi/codecs/PngCodec.h"

#include <png.h>

#include <cstdio>
#include <cstring>

namespace tovrel {

namespace {

// Releases libpng's read state on every path out.
class TPngImage {
public:
    TPngImage()
    {
        std::memset(&image_, 0, sizeof image_);
        image_.version = PNG_IMAGE_VERSION;
    }
    ~TPngImage() { png_image_free(&image_); }
    TPngImage(const TPngImage&) = delete;
    TPngImage& operator=(const TPngImage&) = delete;
    png_image* operator->() { return &image_; }
    png_image* get() { return &image_; }
    [[noreturn]] void Fail(const char* what) const
    {
        throw EImageError(std::string("PNG: ") + what + (image_.message[0] ? std::string(": ") + image_.message : ""));
    }

private:
    png_image image_;
};

// A copy of the surface in the channel order libpng writes from.
std::vector<std::uint8_t> PackedRows(const TSurface& surface, int channels)
{
    const std::size_t width = std::size_t(surface.Width());
    std::vector<std::uint8_t> rows(width * std::size_t(channels) * std::size_t(surface.Height()));
    std::uint8_t* dst = rows.data();
    for (int y = 0; y < surface.Height(); ++y) {
        const std::uint8_t* src = surface.ScanLine(y);
        for (std::size_t x = 0; x < width; ++x, src += surface.BytesPerPixel(), dst += channels) {
            std::memcpy(dst, src, 3);
            if (channels == 4)
                dst[3] = surface.BytesPerPixel() == 4 ? src[3] : 255;
        }
    }
    return rows;
}

// The low-level reader: 16-bit files keep their own values (the simplified
// interface would treat them as linear light and brighten them).
struct TPngReadState {
    std::span<const std::uint8_t> Data;
    std::size_t Position = 0;
    char Message[200] = {0};
    std::int64_t Width = 0;
    std::int64_t Height = 0;
    TSurface Surface;
    std::vector<png_bytep> Rows;
};

enum class TPngStep { Done, Failed, TooLarge };

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length)
{
    auto* state = static_cast<TPngReadState*>(png_get_io_ptr(png));
    if (length > state->Data.size() - state->Position)
        png_error(png, "file is truncated");
    std::memcpy(out, state->Data.data() + state->Position, length);
    state->Position += length;
}

// libpng requires this not to return; it jumps back to ReadPngInto.
[[noreturn]] void OnPngError(png_structp png, png_const_charp message)
{
    auto* state = static_cast<TPngReadState*>(png_get_error_ptr(png));
    std::snprintf(state->Message, sizeof state->Message, "%s", message ? message : "error");
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// Allocates the surface and row table held by `state` (outside this frame).
bool PrepareRows(TPngReadState& state, bool alpha)
{
    try {
        state.Surface =
            TSurface(int(state.Width), int(state.Height), alpha ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
        state.Rows.resize(std::size_t(state.Height));
        for (int y = 0; y < int(state.Height); ++y)
            state.Rows[std::size_t(y)] = state.Surface.ScanLine(y);
        return true;
    } catch (...) {
        std::snprintf(state.Message, sizeof state.Message, "out of memory");
        return false;
    }
}

// C-style: nothing with a destructor lives in this frame, so the error
// handler's longjmp skips no C++ cleanup.
TPngStep ReadPngInto(TPngReadState& state)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, OnPngError, OnPngWarning);
    if (!png)
        return TPngStep::Failed;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return TPngStep::Failed;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return TPngStep::Failed;
    }
    png_set_read_fn(png, &state, ReadFromMemory);
    png_read_info(png, info);
    state.Width = png_get_image_width(png, info);
    state.Height = png_get_image_height(png, info);
    if (state.Width < 1 || state.Height < 1 || state.Width > kMaxImageSide || state.Height > kMaxImageSide ||
        state.Width * state.Height > kMaxImagePixels) {
        png_destroy_read_struct(&png, &info, nullptr);
        return TPngStep::TooLarge;
    }
    png_set_expand(png); // palettes and small greys to 8 bits, tRNS to alpha
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const bool alpha = png_get_channels(png, info) == 4;
    if (!PrepareRows(state, alpha)) {
        png_destroy_read_struct(&png, &info, nullptr);
        return TPngStep::Failed;
    }
    png_read_image(png, state.Rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
    return TPngStep::Done;
}

} // namespace

TSurface DecodePng(std::span<const std::uint8_t> data)
{
    TPngReadState state;
    state.Data = data;
    switch (ReadPngInto(state)) {
    case TPngStep::Done: return std::move(state.Surface);
    case TPngStep::TooLarge: CheckImageSize("PNG", state.Width, state.Height); break;
    case TPngStep::Failed: break;
    }
    throw EImageError(std::string("PNG: ") + (state.Message[0] ? state.Message : "cannot decode the image"));
}

std::vector<std::uint8_t> EncodePng(const TSurface& surface, bool withAlpha)
{
    if (surface.Empty())
        throw EImageError("PNG: cannot write an empty image");
    const int channels = withAlpha ? 4 : 3;
    const std::vector<std::uint8_t> rows = PackedRows(surface, channels);
    TPngImage image;
    image->width = png_uint_32(surface.Width());
    image->height = png_uint_32(surface.Height());
    image->format = withAlpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    const png_int_32 stride = png_int_32(surface.Width() * channels);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(image.get(), nullptr, &size, 0, rows.data(), stride, nullptr))
        image.Fail("cannot encode the image");
    std::vector<std::uint8_t> out(size);
    if (!png_image_write_to_memory(image.get(), out.data(), &size, 0, rows.data(), stride, nullptr))
        image.Fail("cannot encode the image");
    out.resize(size);
    return out;
}

} // namespace tovrel
