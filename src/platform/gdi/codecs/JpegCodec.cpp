#include "platform/gdi/codecs/JpegCodec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace tovrel {

namespace {

// libjpeg reports errors by calling error_exit, which must not return. We
// longjmp back to the function that called setjmp; the frames in between are
// libjpeg's C frames only, and the jumping functions below hold nothing with a
// destructor, so no C++ cleanup is skipped. Warnings (corrupt or truncated
// data, which libjpeg would otherwise paper over) jump too.
struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnJpegError(j_common_ptr info)
{
    auto* error = reinterpret_cast<TJpegError*>(info->err);
    (*info->err->format_message)(info, error->Message);
    std::longjmp(error->Jump, 1);
}

void OnJpegMessage(j_common_ptr info, int level)
{
    if (level < 0) // a warning: the data is damaged
        OnJpegError(info);
}

// A progressive file may hold any number of scans, each a pass over the whole
// image: a small file could keep the decoder busy for minutes.
constexpr int kMaxJpegScans = 1000;

void OnJpegProgress(j_common_ptr info)
{
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (info->is_decompressor && decompress->input_scan_number > kMaxJpegScans) {
        auto* error = reinterpret_cast<TJpegError*>(info->err);
        std::snprintf(error->Message, sizeof error->Message, "too many scans");
        std::longjmp(error->Jump, 1);
    }
}

void InstallErrorHandler(TJpegError& error)
{
    jpeg_std_error(&error.Manager);
    error.Manager.error_exit = OnJpegError;
    error.Manager.emit_message = OnJpegMessage;
    error.Message[0] = '\0';
}

enum class TStep { Done, Failed, TooLarge };

// Files with an Adobe marker store CMYK inverted (255 = no ink), as the
// programs that write CMYK JPEGs do.
void CmykToBgr(const std::uint8_t* cmyk, std::uint8_t* bgr, unsigned width, bool inverted)
{
    for (unsigned x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        const int c = inverted ? cmyk[0] : 255 - cmyk[0];
        const int m = inverted ? cmyk[1] : 255 - cmyk[1];
        const int y = inverted ? cmyk[2] : 255 - cmyk[2];
        const int k = inverted ? cmyk[3] : 255 - cmyk[3];
        bgr[0] = std::uint8_t((y * k + 127) / 255);
        bgr[1] = std::uint8_t((m * k + 127) / 255);
        bgr[2] = std::uint8_t((c * k + 127) / 255);
    }
}

// Reads the header, sizes the surface and decodes into it. C-style: no object
// with a destructor lives in this frame across a jump.
TStep DecodeInto(const std::uint8_t* data, std::size_t size, TJpegError& error, TSurface& surface)
{
    jpeg_decompress_struct info;
    std::memset(&info, 0, sizeof info);
    info.err = &error.Manager;
    jpeg_progress_mgr progress;
    std::memset(&progress, 0, sizeof progress);
    progress.progress_monitor = OnJpegProgress;
    if (setjmp(error.Jump)) {
        jpeg_destroy_decompress(&info);
        return TStep::Failed;
    }
    jpeg_create_decompress(&info);
    info.progress = &progress;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_calc_output_dimensions(&info);
    if (info.output_width < 1 || info.output_height < 1 || info.output_width > unsigned(kMaxImageSide) ||
        info.output_height > unsigned(kMaxImageSide) ||
        std::int64_t(info.output_width) * info.output_height > kMaxImagePixels) {
        jpeg_destroy_decompress(&info);
        return TStep::TooLarge;
    }
    try {
        surface.SetPixelFormat(TPixelFormat::pf24bit);
        surface.SetSize(int(info.output_width), int(info.output_height));
    } catch (...) { // out of memory: leave nothing open behind the exception
        jpeg_destroy_decompress(&info);
        throw;
    }
    jpeg_start_decompress(&info);
    // CMYK rows go through a scratch row from libjpeg's own pool (freed with it).
    JSAMPARRAY scratch =
        cmyk ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.output_width * 4, 1)
             : nullptr;
    while (info.output_scanline < info.output_height) {
        std::uint8_t* out = surface.ScanLine(int(info.output_scanline));
        JSAMPROW row = cmyk ? scratch[0] : out;
        jpeg_read_scanlines(&info, &row, 1);
        if (cmyk)
            CmykToBgr(scratch[0], out, info.output_width, info.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return TStep::Done;
}

// Compresses into a buffer libjpeg allocates with malloc; the caller frees it.
bool EncodeInto(const TSurface& surface, int quality, TJpegError& error, unsigned char** buffer, unsigned long* size)
{
    jpeg_compress_struct info;
    std::memset(&info, 0, sizeof info);
    info.err = &error.Manager;
    if (setjmp(error.Jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = JDIMENSION(surface.Width());
    info.image_height = JDIMENSION(surface.Height());
    info.input_components = surface.BytesPerPixel();
    info.in_color_space = surface.BytesPerPixel() == 4 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(surface.ScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

TSurface DecodeJpeg(std::span<const std::uint8_t> data)
{
    if (data.empty())
        throw EImageError("JPEG: no data");
    TJpegError error;
    InstallErrorHandler(error);
    TSurface surface;
    switch (DecodeInto(data.data(), data.size(), error, surface)) {
    case TStep::Done: return surface;
    case TStep::TooLarge: throw EImageError("JPEG: image is empty or too large");
    case TStep::Failed: break;
    }
    throw EImageError(std::string("JPEG: ") + error.Message);
}

std::vector<std::uint8_t> EncodeJpeg(const TSurface& surface, int quality)
{
    if (surface.Empty())
        throw EImageError("JPEG: cannot write an empty image");
    if (surface.Width() > 65500 || surface.Height() > 65500)
        throw EImageError("JPEG: image too large");
    TJpegError error;
    InstallErrorHandler(error);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = EncodeInto(surface, std::clamp(quality, 0, 100), error, &buffer, &size);
    std::vector<std::uint8_t> out;
    if (ok && buffer)
        out.assign(buffer, buffer + size);
    std::free(buffer);
    if (!ok)
        throw EImageError(std::string("JPEG: ") + error.Message);
    return out;
}

} // namespace tovrel
