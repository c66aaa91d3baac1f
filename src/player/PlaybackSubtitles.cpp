// Bitmap subtitles: the decode thread fills the four-slot subtitle queue with
// palettes turned into alpha+YUV; the display blends them into the picture.
#include "media/loader/FFmpegLoaderEntries.h"
#include "player/Playback.h"
#include "player/Player.h"

#include <algorithm>
#include <chrono>

namespace tovrel {

std::uint32_t SubtitleColourToYUVA(std::uint32_t argb)
{
    const int r = int((argb >> 16) & 0xFF), g = int((argb >> 8) & 0xFF), b = int(argb & 0xFF);
    const std::uint32_t a = argb >> 24;
    // Right shifts of negative values floor (arithmetic shift), as the formulas expect.
    const int y = (263 * r + 517 * g + 101 * b + 16896) >> 10;
    const int u = ((-152 * r - 298 * g + 450 * b + 511) >> 10) + 128;
    const int v = ((450 * r - 377 * g - 74 * b + 511) >> 10) + 128;
    return a << 24 | std::uint32_t(y) << 16 | std::uint32_t(u) << 8 | std::uint32_t(v);
}

void ReleaseSubtitle(TSubtitleSlot& slot)
{
    if (!slot.sub)
        return;
    FF.avsubtitle_free(slot.sub);
    delete slot.sub;
    slot.sub = nullptr;
}

void ReleaseFirstSubtitle(TVideoState& is)
{
    ReleaseSubtitle(is.subpq[is.subpq_rindex]);
    is.subpq_rindex = (is.subpq_rindex + 1) % player::SubtitleQueueSize;
    --is.subpq_size;
    is.subpq_cond.notify_all();
}

namespace {

void ConvertPalettes(AVSubtitle& sub)
{
    for (unsigned i = 0; i < sub.num_rects; ++i) {
        AVSubtitleRect* rect = sub.rects[i];
        auto* palette = reinterpret_cast<std::uint32_t*>(rect->data[1]);
        for (int c = 0; palette && c < rect->nb_colors; ++c)
            palette[c] = SubtitleColourToYUVA(palette[c]);
    }
}

} // namespace

void SubtitleDecodeThread(TVideoState& is)
{
    for (;;) {
        while (is.paused.load() && !is.subtitleq.Aborted() && !is.seek_paused.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        TQueuedPacket queued;
        if (is.subtitleq.GetPacket(queued, true) < 0)
            return;
        if (queued.flush) {
            FF.avcodec_flush_buffers(is.subtitle_dec);
            continue;
        }
        AVPacket* packet = queued.packet;
        {
            std::unique_lock lock(is.subpq_mutex);
            is.subpq_cond.wait(lock,
                               [&] { return is.subpq_size < player::SubtitleQueueSize || is.subtitleq.Aborted(); });
        }
        if (is.subtitleq.Aborted()) {
            FF.av_packet_free(&packet);
            return;
        }
        AVStream* st = is.subtitle_st.load();
        const double pts = packet->pts != AV_NOPTS_VALUE ? double(packet->pts) * av_q2d(st->time_base) : 0;
        auto* sub = new AVSubtitle{};
        int got = 0;
        FF.avcodec_decode_subtitle2(is.subtitle_dec, sub, &got, packet);
        FF.av_packet_free(&packet);
        if (got && sub->format == 0) {
            ConvertPalettes(*sub);
            std::lock_guard lock(is.subpq_mutex);
            TSubtitleSlot& slot = is.subpq[is.subpq_windex];
            ReleaseSubtitle(slot);
            slot.pts = pts;
            slot.sub = sub;
            is.subpq_windex = (is.subpq_windex + 1) % player::SubtitleQueueSize;
            ++is.subpq_size;
        } else {
            // Text subtitles are not shown; they are released at once.
            if (got)
                FF.avsubtitle_free(sub);
            delete sub;
        }
    }
}

void BlendSubtitleRect(TAVPicture& picture, const AVSubtitleRect& rect, int pictureWidth, int pictureHeight)
{
    const int w = std::clamp(rect.w, 0, pictureWidth);
    const int h = std::clamp(rect.h, 0, pictureHeight);
    const int x0 = std::clamp(rect.x, 0, pictureWidth - w);
    const int y0 = std::clamp(rect.y, 0, pictureHeight - h);
    const auto* palette = reinterpret_cast<const std::uint32_t*>(rect.data[1]);
    if (!palette || !rect.data[0])
        return;
    auto colour = [&](int x, int y) { return palette[rect.data[0][y * rect.linesize[0] + x]]; };
    for (int y = 0; y < h; ++y) {
        std::uint8_t* luma = picture.data[0] + (y0 + y) * picture.linesize[0] + x0;
        for (int x = 0; x < w; ++x) {
            const std::uint32_t c = colour(x, y);
            const int a = int(c >> 24), yy = int((c >> 16) & 0xFF);
            luma[x] = std::uint8_t((luma[x] * (255 - a) + yy * a) / 255);
        }
    }
    // Chroma per 2x2 block of the 4:2:0 planes, partial blocks at odd edges.
    for (int by = (y0 >> 1); by <= ((y0 + h - 1) >> 1) && h > 0; ++by) {
        for (int bx = (x0 >> 1); bx <= ((x0 + w - 1) >> 1) && w > 0; ++bx) {
            int n = 0, alphaSum = 0, uSum = 0, vSum = 0;
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    const int px = bx * 2 + dx - x0, py = by * 2 + dy - y0;
                    if (px < 0 || py < 0 || px >= w || py >= h)
                        continue;
                    const std::uint32_t c = colour(px, py);
                    ++n;
                    alphaSum += int(c >> 24);
                    uSum += int((c >> 8) & 0xFF);
                    vSum += int(c & 0xFF);
                }
            }
            if (n == 0)
                continue;
            const int a = alphaSum >> 2;
            std::uint8_t* u = picture.data[1] + by * picture.linesize[1] + bx;
            std::uint8_t* v = picture.data[2] + by * picture.linesize[2] + bx;
            *u = std::uint8_t((*u * n * (255 - a) + uSum * a) / (255 * n));
            *v = std::uint8_t((*v * n * (255 - a) + vSum * a) / (255 * n));
        }
    }
}

} // namespace tovrel
