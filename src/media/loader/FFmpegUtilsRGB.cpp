#include "media/loader/FFmpegUtilsRGB.h"

#include "media/loader/FFmpegLoaderEntries.h"

#include <algorithm>
#include <cstring>

namespace tovrel {

TRGBConvertContext::~TRGBConvertContext()
{
    if (FF.sws_freeContext)
        ResetRGBConvertContext(*this);
}

void ResetRGBConvertContext(TRGBConvertContext& context)
{
    context.Bitmap.reset();
    if (context.toRGB_convert_ctx)
        FF.sws_freeContext(context.toRGB_convert_ctx);
    if (context.fromRGB_convert_ctx)
        FF.sws_freeContext(context.fromRGB_convert_ctx);
    context.toRGB_convert_ctx = nullptr;
    context.fromRGB_convert_ctx = nullptr;
    context.RGBPixFmt = AV_PIX_FMT_BGR24;
    context.BMPPixFmt = TPixelFormat::pf24bit;
    context.RGBPictureRef = TAVPicture();
}

std::unique_ptr<TSurface> CreateFrameBitmap(int width, int height, TPixelFormat format)
{
    return std::make_unique<TSurface>(width, height, format);
}

bool ConvertPictureToBitmap(TRGBConvertContext& context, const TAVPicture& picture, AVPixelFormat pixFmt, int height,
                            int width)
{
    if (width <= 0 || height <= 0 || !picture.data[0] || pixFmt <= AV_PIX_FMT_NONE || pixFmt >= AV_PIX_FMT_NB)
        return false;
    if (!context.Bitmap)
        context.Bitmap = CreateFrameBitmap(width, height, context.BMPPixFmt);
    TSurface& bitmap = *context.Bitmap;
    if (bitmap.Width() != width || bitmap.Height() != height || bitmap.PixelFormat() != context.BMPPixFmt) {
        bitmap.SetPixelFormat(context.BMPPixFmt);
        bitmap.SetSize(width, height);
    }
    bool needsScaling = pixFmt != context.RGBPixFmt || width % 2 != 0 || height % 2 != 0 ||
                        picture.linesize[0] != bitmap.Stride() || context.BMPPixFmt != TPixelFormat::pf24bit;
    if (!needsScaling) {
        context.RGBPictureRef = picture;
        std::size_t rowBytes = std::size_t(std::min(picture.linesize[0], bitmap.Stride()));
        for (int y = 0; y < height; ++y)
            std::memcpy(bitmap.ScanLine(y), picture.data[0] + std::ptrdiff_t(y) * picture.linesize[0], rowBytes);
        return true;
    }
    AVPixelFormat target = context.BMPPixFmt == TPixelFormat::pf24bit ? context.RGBPixFmt : AV_PIX_FMT_BGRA;
    context.toRGB_convert_ctx = FF.sws_getCachedContext(context.toRGB_convert_ctx, width, height, pixFmt, width, height,
                                                        target, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!context.toRGB_convert_ctx)
        return false;
    TAVPicture rows;
    rows.data[0] = bitmap.ScanLine(0);
    rows.linesize[0] = bitmap.Stride();
    FF.sws_scale(context.toRGB_convert_ctx, picture.data, picture.linesize, 0, height, rows.data, rows.linesize);
    context.RGBPictureRef = rows;
    return true;
}

bool ConvertPictureToBitmap(TRGBConvertContext& context, const AVFrame* frame)
{
    if (!frame)
        return false;
    TAVPicture picture;
    for (int i = 0; i < 4; ++i) {
        picture.data[i] = frame->data[i];
        picture.linesize[i] = frame->linesize[i];
    }
    return ConvertPictureToBitmap(context, picture, AVPixelFormat(frame->format), frame->height, frame->width);
}

} // namespace tovrel
