#pragma once
// Decoded pictures into 24-bit bitmaps (top-down BGR, rows padded to four
// bytes), for the probe, the player, the frame hooks and the preview.
#include "platform/gdi/Surface.h"

#include <cstdint>
#include <memory>

extern "C" {
#include <libavutil/pixfmt.h>
}

struct AVFrame;
struct SwsContext;

namespace tovrel {

// Four planes and their line sizes, as a decoded picture carries them.
struct TAVPicture {
    std::uint8_t* data[4] = {};
    int linesize[4] = {};
};

struct TRGBConvertContext {
    AVPixelFormat RGBPixFmt = AV_PIX_FMT_BGR24;
    TPixelFormat BMPPixFmt = TPixelFormat::pf24bit;
    std::unique_ptr<TSurface> Bitmap;
    // The picture last copied into the bitmap: the caller's own when it was
    // already in the bitmap's layout, else the bitmap's rows themselves (the
    // scaler writes straight into them, so a hook can scale them back).
    TAVPicture RGBPictureRef;
    SwsContext* toRGB_convert_ctx = nullptr;
    SwsContext* fromRGB_convert_ctx = nullptr; // made by the users that write bitmaps back

    TRGBConvertContext() = default;
    TRGBConvertContext(const TRGBConvertContext&) = delete;
    TRGBConvertContext& operator=(const TRGBConvertContext&) = delete;
    ~TRGBConvertContext();
};

void ResetRGBConvertContext(TRGBConvertContext& context);
std::unique_ptr<TSurface> CreateFrameBitmap(int width, int height, TPixelFormat format);
// False when the picture or size is unusable or no scaler can be had (the
// bitmap then has the new size but not the picture).
bool ConvertPictureToBitmap(TRGBConvertContext& context, const TAVPicture& picture, AVPixelFormat pixFmt, int height,
                            int width);
bool ConvertPictureToBitmap(TRGBConvertContext& context, const AVFrame* frame);

} // namespace tovrel
