// The play thread's event loop, the refresh ticks, choosing the due picture
// (dropping late ones), and drawing it letterboxed into the player's surface.
#include "media/loader/FFmpegLoaderEntries.h"
#include "player/Playback.h"
#include "player/Player.h"
#include "player/PlayerState.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace tovrel {

namespace {

int EvenRound(double value)
{
    return int(std::lround(value)) & ~1;
}

void AdvanceReadIndex(TVideoState& is)
{
    is.pictq_rindex = (is.pictq_rindex.load() + 1) % player::PictureQueueSize;
    std::lock_guard lock(is.pictq_mutex);
    --is.pictq_size;
    is.pictq_cond.notify_all();
}

// The queued pictures move `by` seconds later, and the timer with the last of them
// (it may already have moved on, when a paused open was resumed).
void ShiftPictureTimes(TVideoState& is, double by)
{
    if (!(by > 0))
        return;
    std::lock_guard lock(is.pictq_mutex);
    double last = 0;
    for (int i = 0; i < is.pictq_size; ++i) {
        TPictureSlot& slot = is.pictq[(is.pictq_rindex.load() + i) % player::PictureQueueSize];
        slot.target = slot.target.load() + by;
        last = slot.target.load();
    }
    is.frame_timer = std::max(is.frame_timer.load(), last);
}

void NotifyHost(TVideoState& is, const TRect& area)
{
    if (TPlayerHost* host = is.Owner->ScreenHandle())
        host->PictureChanged(area);
}

void ReleaseShownSubtitles(TVideoState& is)
{
    std::lock_guard lock(is.subpq_mutex);
    if (is.subpq_size == 0)
        return;
    const double now = is.video_current_pts.load();
    const TSubtitleSlot& first = is.subpq[is.subpq_rindex];
    const bool ended = first.sub && now > first.pts + first.sub->end_display_time / 1000.0;
    bool nextStarted = false;
    if (is.subpq_size > 1) {
        const TSubtitleSlot& next = is.subpq[(is.subpq_rindex + 1) % player::SubtitleQueueSize];
        nextStarted = next.sub && now > next.pts + next.sub->start_display_time / 1000.0;
    }
    if (ended || nextStarted)
        ReleaseFirstSubtitle(is);
}

void BlendDueSubtitle(TVideoState& is, TPictureSlot& slot)
{
    std::lock_guard lock(is.subpq_mutex);
    if (is.subpq_size == 0)
        return;
    const TSubtitleSlot& sp = is.subpq[is.subpq_rindex];
    if (!sp.sub || slot.pts < sp.pts + sp.sub->start_display_time / 1000.0)
        return;
    for (unsigned i = 0; i < sp.sub->num_rects; ++i)
        BlendSubtitleRect(slot.picture, *sp.sub->rects[i], slot.width, slot.height);
}

void ShowPicture(TVideoState& is)
{
    TCustomPlayer& player = *is.Owner;
    TPlayerState& engine = player.Engine();
    TPictureSlot& slot = is.pictq[is.pictq_rindex.load()];
    std::lock_guard pixels(slot.pixelsLock);
    if (slot.buffer.empty() || slot.width <= 0 || slot.height <= 0)
        return;
    if (is.subtitle_st.load())
        BlendDueSubtitle(is, slot);
    const double aspect = DisplayAspect(player.options.AspectRatio.load(), slot.sampleAspect, slot.width, slot.height,
                                        is.width, is.height);
    TRect rect = LetterboxRect(is.width, is.height, aspect);
    rect.Left += is.xleft;
    rect.Right += is.xleft;
    rect.Top += is.ytop;
    rect.Bottom += is.ytop;
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return;
    is.display_sws = FF.sws_getCachedContext(is.display_sws, slot.width, slot.height, AV_PIX_FMT_YUV420P, rect.Width(),
                                             rect.Height(), AV_PIX_FMT_BGRA, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!is.display_sws)
        return;
    const std::int64_t pts = std::int64_t(std::llround(slot.pts * 1000000)) - is.StartTime;
    engine.surface.Write([&](TSurface& surface) {
        if (rect.Right > surface.Width() || rect.Bottom > surface.Height())
            return;
        std::uint8_t* dst[4] = {surface.ScanLine(rect.Top) + rect.Left * 4, nullptr, nullptr, nullptr};
        int dstStride[4] = {surface.Stride(), 0, 0, 0};
        FF.sws_scale(is.display_sws, slot.picture.data, slot.picture.linesize, 0, slot.height, dst, dstStride);
    });
    engine.surface.SetPicturePTS(pts);
    is.no_background = 0;
    NotifyHost(is, rect);
}

// The start index in the sample ring for this drawing.
int ScopeStart(TVideoState& is, int channels, int dataUsed)
{
    if (is.paused.load())
        return is.last_i_start;
    const int bytesPerFrame = 2 * channels;
    int delay = (is.audio_buf_size.load() - is.audio_buf_index.load()) / bytesPerFrame;
    const std::int64_t callback = is.Owner->Engine().audioCallbackTime.load();
    if (callback)
        delay -= int(std::int64_t(is.audio_tgt_freq) * (FF.av_gettime_relative() - callback) / 1000000);
    delay += 2 * dataUsed;
    delay = std::max(delay, dataUsed);
    constexpr int size = player::SampleArraySize;
    int start = ((is.sample_array_index - delay * channels) % size + size) % size;
    return start;
}

void ShowWave(TVideoState& is, TSurface& surface, int channels)
{
    const int w = is.width, h = is.height;
    FillSurfaceRect(surface, TRect{is.xleft, is.ytop, is.xleft + w, is.ytop + h}, 0);
    constexpr int size = player::SampleArraySize;
    const int band = h / channels;
    const int h2 = band * 9 / 20;
    for (int ch = 0; ch < channels; ++ch) {
        int i = (is.last_i_start + ch) % size;
        const int y1 = is.ytop + ch * band + band / 2;
        for (int x = 0; x < w; ++x) {
            const int y = (is.sample_array[i] * h2) >> 15;
            const int top = y < 0 ? y1 + y : y1, height = std::abs(y);
            FillSurfaceRect(surface, TRect{is.xleft + x, top, is.xleft + x + 1, top + height}, 0xFFFFFF);
            i = (i + channels) % size;
        }
    }
    for (int ch = 1; ch < channels; ++ch) {
        const int y = is.ytop + ch * band;
        FillSurfaceRect(surface, TRect{is.xleft, y, is.xleft + w, y + 1}, 0xFFFFFF);
    }
}

void ShowSpectrumColumn(TVideoState& is, TSurface& surface, int channels, int rdftBits, int nbFreq)
{
    channels = std::min(channels, 2);
    if (rdftBits != is.rdft_bits || !is.rdft) {
        if (is.rdft)
            FF.av_rdft_end(is.rdft);
        is.rdft = FF.av_rdft_init(rdftBits, DFT_R2C);
        is.rdft_bits = rdftBits;
        FF.av_freep(&is.rdft_data);
        is.rdft_data = static_cast<float*>(FF.av_mallocz(sizeof(float) * 4 * std::size_t(nbFreq)));
    }
    if (!is.rdft || !is.rdft_data)
        return;
    constexpr int size = player::SampleArraySize;
    for (int ch = 0; ch < channels; ++ch) {
        float* data = is.rdft_data + 2 * nbFreq * ch;
        int i = (is.last_i_start + ch) % size;
        for (int x = 0; x < 2 * nbFreq; ++x) {
            const double w = double(x - nbFreq) / nbFreq;
            data[x] = float(is.sample_array[i] * (1.0 - w * w));
            i = (i + channels) % size;
        }
        FF.av_rdft_calc(is.rdft, data);
    }
    // A mono stream has no second channel: both colour parts come from the first.
    const float* second = is.rdft_data + (channels > 1 ? 2 * nbFreq : 0);
    auto magnitude = [&](const float* data, int y) {
        const double re = data[2 * y], im = data[2 * y + 1];
        return std::min(255, int(std::lround(std::sqrt(std::sqrt(re * re + im * im) / std::sqrt(double(nbFreq))))));
    };
    for (int y = 0; y < is.height && y < nbFreq; ++y) {
        const int a = magnitude(is.rdft_data, y), b = magnitude(second, y);
        const std::uint32_t rgb = std::uint32_t(a) << 16 | std::uint32_t(b) << 8 | std::uint32_t((a + b) / 2);
        const int py = is.ytop + is.height - y;
        FillSurfaceRect(surface, TRect{is.xpos, py, is.xpos + 1, py + 1}, rgb);
    }
}

void ShowAudioScope(TVideoState& is)
{
    AVStream* st = is.audio_st.load();
    if (!st || is.width <= 0 || is.height <= 0)
        return;
    const int channels = std::max(is.audio_tgt_channels, 1);
    int rdftBits = 1;
    while ((1 << rdftBits) < 2 * is.height)
        ++rdftBits;
    const int nbFreq = 1 << (rdftBits - 1);
    const int mode = is.show_audio.load();
    const int dataUsed = mode == saWave ? is.width : 2 * nbFreq;
    TRect area{is.xleft, is.ytop, is.xleft + is.width, is.ytop + is.height};
    std::lock_guard samples(is.sampleLock);
    int start = ScopeStart(is, channels, dataUsed);
    if (mode == saWave && !is.paused.load()) {
        constexpr int size = player::SampleArraySize;
        int best = start, bestScore = -0x7FFFFFFF;
        for (int i = 0; i < 1000; i += channels) {
            const int idx = ((start - i) % size + size) % size;
            const int a = is.sample_array[idx], b = is.sample_array[(idx + 4 * channels) % size];
            const int c = is.sample_array[(idx + 5 * channels) % size],
                      d = is.sample_array[(idx + 9 * channels) % size];
            const int score = a - d;
            if (score > bestScore && (b ^ c) < 0) {
                bestScore = score;
                best = idx;
            }
        }
        start = best;
    }
    is.last_i_start = start;
    is.Owner->Engine().surface.Write([&](TSurface& surface) {
        if (mode == saWave)
            ShowWave(is, surface, channels);
        else
            ShowSpectrumColumn(is, surface, channels, rdftBits, nbFreq);
    });
    if (mode != saWave) {
        area = TRect{is.xpos, is.ytop, is.xpos + 1, is.ytop + is.height};
        if (++is.xpos >= is.xleft + is.width)
            is.xpos = is.xleft;
    }
    NotifyHost(is, area);
}

} // namespace

void RetimeQueuedPictures(TVideoState& is, double shownPts, double now)
{
    std::lock_guard lock(is.pictq_mutex);
    if (is.pictq_size == 0)
        return;
    double last = now;
    for (int i = 0; i < is.pictq_size; ++i) {
        TPictureSlot& slot = is.pictq[(is.pictq_rindex.load() + i) % player::PictureQueueSize];
        last = std::max(last, now + std::max(0.0, slot.pts - shownPts));
        slot.target = last;
    }
    is.frame_timer = last;
}

int QueuedPictures(TVideoState& is)
{
    std::lock_guard lock(is.pictq_mutex);
    return is.pictq_size;
}

TRect LetterboxRect(int areaWidth, int areaHeight, double aspect)
{
    if (!(aspect > 0))
        aspect = 1.0;
    int height = areaHeight;
    int width = EvenRound(height * aspect);
    if (width > areaWidth) {
        width = areaWidth;
        height = EvenRound(width / aspect);
    }
    const int x = (areaWidth - width) / 2, y = (areaHeight - height) / 2;
    return TRect{x, y, x + width, y + height};
}

double DisplayAspect(float aspectRatio, AVRational pixelAspect, int pictureWidth, int pictureHeight, int areaWidth,
                     int areaHeight)
{
    if (aspectRatio >= 0 || areaWidth <= 0 || areaHeight <= 0) {
        if (aspectRatio > 0)
            return aspectRatio;
        double pixel = pixelAspect.num == 0 ? 0 : av_q2d(pixelAspect);
        if (pixel <= 0)
            pixel = 1.0;
        return pixel * pictureWidth / pictureHeight;
    }
    return double(areaWidth) / areaHeight;
}

int OpenVideoSurface(TVideoState& is, bool force)
{
    TPlayerOptions& options = is.Owner->options;
    int w = player::DefaultScreenWidth, h = player::DefaultScreenHeight;
    if (options.ScreenWidth.load() > 0) {
        w = options.ScreenWidth.load();
        h = options.ScreenHeight.load();
    } else if (is.out_width.load() > 0) {
        w = is.out_width.load() & ~1;
        h = is.out_height.load() & ~1;
    }
    TVideoSurface& surface = is.Owner->Engine().surface;
    if (!force && surface.Exists() && is.width == w && is.height == h && surface.Size() == TSize{w, h})
        return 0;
    surface.Open(w, h);
    is.width = w;
    is.height = h;
    NotifyHost(is, TRect{0, 0, w, h});
    return 0;
}

void ShowFrame(TVideoState& is)
{
    if (!is.Owner->Engine().surface.Exists())
        OpenVideoSurface(is, false);
    if (is.audio_st.load() && is.show_audio.load())
        ShowAudioScope(is);
    else if (is.video_st.load())
        ShowPicture(is);
}

void RefreshPlayback(TVideoState& is, bool advance)
{
    TCustomPlayer& player = *is.Owner;
    if (!is.video_st.load()) {
        if (is.audio_st.load()) {
            ShowFrame(is);
            CheckPosition(player);
        }
        return;
    }
    bool dropped = false;
    bool shown = false;
    for (;;) {
        const bool forced = is.seek_done.load() != 0;
        const int queued = QueuedPictures(is);
        if (queued == 0) {
            if (!advance)
                ShowFrame(is);
            break;
        }
        const double now = NowSeconds();
        TPictureSlot& slot = is.pictq[is.pictq_rindex.load()];
        if (now < slot.target.load())
            return;
        const bool first = is.video_current_pts_drift.load() == 0;
        if (first && is.start_together_until.load() != 0) {
            // At the start the first picture waits for the sound, as the sound waited for it;
            // the pictures after it are timed from when it shows. Shown while paused (opened
            // paused), it is on the screen before play: the sound has nothing to wait for.
            if (!is.paused.load()) {
                if (now < is.start_together_until.load() && !SoundStarted(is))
                    return;
                ShiftPictureTimes(is, now - slot.target.load());
            }
            is.start_together_until = 0;
        }
        // The first picture shown and the one at the start are never dropped as late.
        const bool keep = first || std::llround(slot.pts * 1000000) <= is.StartTime;
        is.video_current_pts = slot.pts;
        is.video_current_pts_drift = slot.pts - now;
        is.video_current_pos = slot.pos;
        const double nextTarget = queued > 1
                                      ? is.pictq[(is.pictq_rindex.load() + 1) % player::PictureQueueSize].target.load()
                                      : slot.target.load() + is.video_clock.load() - slot.pts;
        if ((player.options.framedrop.load() && now > nextTarget && !is.IsDevice && !keep) || forced) {
            is.skip_frames = is.skip_frames.load() * 1.05f;
            // While paused there is nothing to catch up with: the last picture stays to be seen.
            const bool hopelesslyLate = now > nextTarget + 0.5 && !is.paused.load();
            if (queued > 1 || hopelesslyLate || forced) {
                AdvanceReadIndex(is);
                dropped = true;
                continue;
            }
        }
        shown = true;
        break;
    }
    if (shown) {
        if (is.subtitle_st.load())
            ReleaseShownSubtitles(is);
        ShowFrame(is);
        if (advance)
            AdvanceReadIndex(is);
    }
    if (!dropped)
        CheckPosition(player);
}

void RefreshTickThread(TVideoState& is)
{
    while (is.abort_request.load() != 1) {
        if (is.refresh.exchange(1) != 1)
            is.Owner->Engine().events.Push(TPlayerEvent::Refresh);
        const bool scope = is.audio_st.load() && is.show_audio.load();
        const int ms = scope ? is.Owner->options.rdftspeed.load() : player::RefreshTickMs;
        std::this_thread::sleep_for(std::chrono::milliseconds(std::max(ms, 1)));
    }
}

void PlayerEventLoop(TCustomPlayer& player)
{
    TPlayerState& engine = player.Engine();
    for (;;) {
        const TPlayerEvent event = engine.events.Wait();
        std::lock_guard lock(engine.dataLock);
        TVideoState* is = engine.videoState.load();
        if (!is) {
            QuitSDL(player);
            return;
        }
        switch (event) {
        case TPlayerEvent::Quit: EndPlayback(player); return;
        case TPlayerEvent::Resized:
            OpenVideoSurface(*is, true);
            if (is->paused.load())
                RefreshPlayback(*is, false);
            break;
        case TPlayerEvent::Exposed:
            if (is->paused.load())
                RefreshPlayback(*is, false);
            else
                ShowFrame(*is);
            break;
        case TPlayerEvent::AllocPicture:
            OpenVideoSurface(*is, false);
            PrepareOverlay(*is);
            break;
        case TPlayerEvent::Refresh:
            RefreshPlayback(*is, true);
            is->refresh = 0;
            break;
        case TPlayerEvent::Redraw:
            OpenVideoSurface(*is, true);
            ShowFrame(*is);
            break;
        }
    }
}

} // namespace tovrel
