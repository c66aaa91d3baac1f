#include "media/output/FFmpegVideoOutDeinterlace.h"

#include "media/loader/FFmpegLoaderEntries.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tovrel {

namespace {

bool Deinterlaceable(int format)
{
    switch (format) {
    case AV_PIX_FMT_YUV420P:
    case AV_PIX_FMT_YUVJ420P:
    case AV_PIX_FMT_YUV422P:
    case AV_PIX_FMT_YUVJ422P:
    case AV_PIX_FMT_YUV444P:
    case AV_PIX_FMT_YUVJ444P:
    case AV_PIX_FMT_YUV411P:
    case AV_PIX_FMT_GRAY8: return true;
    default: return false;
    }
}

void DeinterlacePlane(std::uint8_t* dst, int dstStride, const std::uint8_t* src, int srcStride, int width, int height)
{
    // Lines beyond the edges are taken from the same field, two lines inwards.
    auto line = [&](int y) {
        while (y < 0)
            y += 2;
        while (y >= height)
            y -= 2;
        return src + std::ptrdiff_t(y) * srcStride;
    };
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = dst + std::ptrdiff_t(y) * dstStride;
        if (y % 2 == 0) {
            std::memcpy(out, line(y), std::size_t(width));
            continue;
        }
        const std::uint8_t* m2 = line(y - 2);
        const std::uint8_t* m1 = line(y - 1);
        const std::uint8_t* c0 = line(y);
        const std::uint8_t* p1 = line(y + 1);
        const std::uint8_t* p2 = line(y + 2);
        for (int x = 0; x < width; ++x) {
            const int sum = -m2[x] + 4 * m1[x] + 2 * c0[x] + 4 * p1[x] - p2[x];
            out[x] = std::uint8_t(std::clamp((sum + 4) >> 3, 0, 255));
        }
    }
}

} // namespace

bool DeinterlacePicture(AVFrame* dst, const AVFrame* src)
{
    if (!Deinterlaceable(src->format) || src->width % 4 != 0 || src->height % 4 != 0 || src->width <= 0 ||
        src->height <= 0)
        return false;
    const AVPixFmtDescriptor* desc = FF.av_pix_fmt_desc_get(AVPixelFormat(src->format));
    const int planes = src->format == AV_PIX_FMT_GRAY8 ? 1 : 3;
    for (int plane = 0; plane < planes; ++plane) {
        const int width = plane == 0 ? src->width : src->width >> desc->log2_chroma_w;
        const int height = plane == 0 ? src->height : src->height >> desc->log2_chroma_h;
        DeinterlacePlane(dst->data[plane], dst->linesize[plane], src->data[plane], src->linesize[plane], width, height);
    }
    return true;
}

} // namespace tovrel
