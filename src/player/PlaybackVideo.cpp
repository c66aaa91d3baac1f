// The video decode thread: packets to pictures (send/receive), frame dropping,
// the filter graph, and storing pictures with their due times in the
// two-slot picture queue.
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLogger.h"
#include "player/Playback.h"
#include "player/Player.h"
#include "player/PlayerState.h"
#include "player/VideoFilterGraph.h"
#include "player/VideoRotation.h"

#include <algorithm>
#include <chrono>

namespace tovrel {

namespace {

// After a flush marker: no picture from before the seek may be shown after it.
void FlushPictures(TVideoState& is)
{
    {
        std::unique_lock lock(is.pictq_mutex);
        for (TPictureSlot& slot : is.pictq)
            slot.target = 0;
        is.pictq_cond.wait(lock, [&] { return is.pictq_size == 0 || is.videoq.Aborted(); });
    }
    is.video_current_pos = -1;
    is.frame_last_pts = double(AV_NOPTS_VALUE);
    is.frame_last_delay = 0;
    is.frame_timer = NowSeconds();
    is.skip_frames = 1;
    is.skip_frames_index = 0;
    is.seek_flushed = 1;
}

std::int64_t PictureTime(const TVideoState& is, const AVFrame* frame)
{
    switch (is.Owner->options.decoder_reorder_pts) {
    case 1: return frame->pts;
    case 0: return frame->pkt_dts;
    default: return frame->best_effort_timestamp;
    }
}

// 1 a picture to show is in `frame`, -1 the queue was aborted.
int DecodeVideoPacket(TVideoState& is, AVFrame* frame, bool& drained)
{
    for (;;) {
        const int ret = FF.avcodec_receive_frame(is.video_dec, frame);
        if (ret >= 0) {
            frame->pts = PictureTime(is, frame);
            is.skip_frames_index += 1;
            const float skip = is.skip_frames.load();
            if (is.skip_frames_index >= skip) {
                is.skip_frames_index -= std::max(skip, 1.0f);
                return 1;
            }
            FF.av_frame_unref(frame);
            continue;
        }
        TQueuedPacket queued;
        if (is.videoq.GetPacket(queued, true) < 0)
            return -1;
        if (queued.flush) {
            FF.avcodec_flush_buffers(is.video_dec);
            drained = false;
            FlushPictures(is);
            continue;
        }
        if (queued.end) {
            // The end of the file: drain the decoder once, then only check the position.
            if (!drained)
                FF.avcodec_send_packet(is.video_dec, nullptr);
            drained = true;
            is.pictures_ready = 1;
            if (!is.EventEOF.load())
                CheckPosition(*is.Owner);
            continue;
        }
        if (drained)
            FF.avcodec_flush_buffers(is.video_dec);
        drained = false;
        FF.avcodec_send_packet(is.video_dec, queued.packet); // errors leave the packet without picture
        FF.av_packet_free(&queued.packet);
    }
}

// Waits for a free slot of the right size; False when the queue was aborted.
bool WaitForSlot(TVideoState& is, int width, int height)
{
    std::unique_lock lock(is.pictq_mutex);
    if (is.pictq_size >= player::PictureQueueSize && !is.refresh.load())
        is.skip_frames = std::max(0.95f, 0.95f * is.skip_frames.load());
    is.pictq_cond.wait(lock, [&] { return is.pictq_size < player::PictureQueueSize || is.videoq.Aborted(); });
    if (is.videoq.Aborted())
        return false;
    TPictureSlot& slot = is.pictq[is.pictq_windex];
    if (slot.allocated && slot.width == width && slot.height == height)
        return true;
    slot.allocated = false;
    is.out_width = width;
    is.out_height = height;
    is.Owner->Engine().events.Push(TPlayerEvent::AllocPicture);
    is.pictq_cond.wait(lock, [&] { return slot.allocated || is.videoq.Aborted(); });
    return !is.videoq.Aborted();
}

int StorePicture(TVideoState& is, AVFrame* frame, double t, std::int64_t pos)
{
    const int width = frame->width & ~1, height = frame->height & ~1;
    if (!WaitForSlot(is, width, height))
        return -1;
    TCustomPlayer& player = *is.Owner;
    TPictureSlot& slot = is.pictq[is.pictq_windex];
    {
        std::lock_guard pixels(slot.pixelsLock);
        slot.sampleAspect = frame->sample_aspect_ratio;
        const std::uint8_t* planes[4] = {frame->data[0], frame->data[1], frame->data[2], nullptr};
        int lines[4] = {frame->linesize[0], frame->linesize[1], frame->linesize[2], 0};
        if (player.options.VerticalFlip.load()) {
            planes[0] += lines[0] * (height - 1);
            lines[0] = -lines[0];
            for (int p = 1; p < 3; ++p) {
                planes[p] += lines[p] * (height / 2 - 1);
                lines[p] = -lines[p];
            }
        }
        FF.av_image_copy(slot.picture.data, slot.picture.linesize, planes, lines, AV_PIX_FMT_YUV420P, width, height);
        DoHook(player, is.hook_context, slot.picture, width, height,
               std::int64_t(std::llround(t * 1000000)) - is.StartTime);
        slot.pts = t;
        slot.pos = pos;
        slot.filled = true;
    }
    is.pictq_windex = (is.pictq_windex + 1) % player::PictureQueueSize;
    std::lock_guard lock(is.pictq_mutex);
    slot.target = NextFrameTime(is, t);
    ++is.pictq_size;
    if (is.pictq_size >= player::PictureQueueSize)
        is.pictures_ready = 1;
    return 0;
}

// A picture without a time takes the predicted clock. A time of 0 is a time: after a
// seek back to the start the first picture must not take the clock from before the seek.
int PostPicture(TVideoState& is, AVFrame* frame, std::int64_t pos)
{
    double t;
    if (frame->pts != AV_NOPTS_VALUE) {
        t = double(frame->pts) * av_q2d(is.video_st.load()->time_base);
        is.video_clock = t;
    } else {
        t = is.video_clock.load();
    }
    AVStream* st = is.video_st.load();
    const AVRational rate = FF.av_guess_frame_rate(is.ic, st, frame);
    double frameDelay = rate.num && rate.den ? double(rate.den) / rate.num : 1.0 / 25;
    frameDelay += frame->repeat_pict * frameDelay * 0.5;
    is.video_clock = is.video_clock.load() + frameDelay;
    return StorePicture(is, frame, t, pos);
}

// The steps after a picture was stored: hand-shakes, paused open, stepping.
// `stepping` is the stepping state when the picture's decoding began: a picture
// already on its way when a step is asked for must not end that step.
void PictureStored(TVideoState& is, bool stepping)
{
    TCustomPlayer& player = *is.Owner;
    TPlayerState& engine = player.Engine();
    engine.pictEvent.SetEvent();
    is.EventEOF = 0;
    if (engine.seeking.load() && !is.seek_req.load())
        engine.seeking = false;
    if (is.open_paused.load() == 2) {
        is.open_paused = 0;
        SetPlayState(player, psPause);
    } else if (is.open_paused.load() == 1) {
        is.open_paused = 2;
    }
    if (stepping && engine.step.load() && engine.videoState.load() == &is)
        TogglePlaybackPause(is);
}

} // namespace

void VideoDecodeThread(TVideoState& is)
{
    TCustomPlayer& player = *is.Owner;
    AVFrame* frame = FF.av_frame_alloc();
    AVFrame* filtered = FF.av_frame_alloc();
    TVideoFilterGraph graph;
    const int rotation = UprightRotation(is.video_st.load());
    bool drained = false;
    // A graph that cannot be built shows no pictures, but the packets are still
    // taken, so the sound plays on and the end of the file is reached.
    bool graphFailed = false;
    while (frame && filtered) {
        while (is.paused.load() && !is.videoq.Aborted() && !is.seek_paused.load() && !is.open_paused.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const bool stepping = player.Engine().step.load();
        const int got = DecodeVideoPacket(is, frame, drained);
        if (got < 0)
            break;
        if (!graphFailed && !graph.Fits(frame)) {
            if (graph.Built())
                GetFFLogger()->Log(&player, llError, "Picture properties changed.\n");
            graphFailed = !graph.Configure(frame, is.video_st.load()->time_base, rotation, player.options.VideoFilters,
                                           player.options.sws_flags);
        }
        if (graphFailed) {
            FF.av_frame_unref(frame);
            continue;
        }
        const std::int64_t pos = frame->pkt_pos;
        if (!graph.Push(frame)) {
            FF.av_frame_unref(frame);
            continue;
        }
        bool stored = true;
        while (stored && graph.Pull(filtered)) {
            if (is.seek_done.load() && is.seek_flushed.load()) {
                is.seek_done = 0;
                is.seek_paused = 0;
            }
            stored = PostPicture(is, filtered, pos) == 0;
            FF.av_frame_unref(filtered);
            if (stored)
                PictureStored(is, stepping);
        }
        if (!stored)
            break;
    }
    FF.av_frame_free(&filtered);
    FF.av_frame_free(&frame);
}

void PrepareOverlay(TVideoState& is)
{
    std::lock_guard lock(is.pictq_mutex);
    const int width = is.out_width.load(), height = is.out_height.load();
    for (TPictureSlot& slot : is.pictq) {
        if (slot.allocated)
            continue;
        {
            std::lock_guard pixels(slot.pixelsLock);
            const int size = FF.av_image_get_buffer_size(AV_PIX_FMT_YUV420P, width, height, 1);
            slot.buffer.assign(std::size_t(std::max(size, 0)), 0);
            FF.av_image_fill_arrays(slot.picture.data, slot.picture.linesize, slot.buffer.data(), AV_PIX_FMT_YUV420P,
                                    width, height, 1);
            slot.width = width;
            slot.height = height;
            slot.filled = false;
        }
        slot.allocated = true;
    }
    is.pictq_cond.notify_all();
}

} // namespace tovrel
