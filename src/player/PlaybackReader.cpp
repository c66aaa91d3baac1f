// The read thread: opens the input, chooses and opens the streams, then feeds
// the packet queues, serves seeks and notices the end of the file.
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLogger.h"
#include "media/loader/FFmpegUtilsMainThread.h"
#include "media/loader/FFmpegUtilsText.h"
#include "media/loader/UnicodeProtocol.h"
#include "platform/rtl/MainThread.h"
#include "player/Playback.h"
#include "player/Player.h"
#include "player/PlayerState.h"
#include "player/PlayerText.h"

#include <chrono>
#include <limits>

namespace tovrel {

namespace {

void SleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// FFmpeg's I/O interrupt: a blocking read gives up once the playback is being destroyed.
int AbortCheck(void* opaque)
{
    return static_cast<TVideoState*>(opaque)->abort_request.load() == 1 ? 1 : 0;
}

void SetOpened(TVideoState& is, int value)
{
    is.Opened = value;
    TMainThread::WakeWaiters();
}

// The stream chosen per media type: the wanted number among the type's streams,
// else the one FFmpeg rates best (the analysed frame count is no longer public).
void ChooseStreams(TVideoState& is, int chosen[AVMEDIA_TYPE_NB])
{
    TPlayerOptions& options = is.Owner->options;
    int counter[AVMEDIA_TYPE_NB] = {};
    for (int t = 0; t < AVMEDIA_TYPE_NB; ++t)
        chosen[t] = -1;
    for (unsigned i = 0; i < is.ic->nb_streams; ++i) {
        AVStream* st = is.ic->streams[i];
        st->discard = AVDISCARD_ALL;
        const int type = st->codecpar->codec_type;
        if (type < 0 || type >= AVMEDIA_TYPE_NB)
            continue;
        const bool allowed = type == AVMEDIA_TYPE_AUDIO                                      ? !options.DisableAudio
                             : (type == AVMEDIA_TYPE_VIDEO || type == AVMEDIA_TYPE_SUBTITLE) ? !options.DisableVideo
                                                                                             : false;
        const int wanted = options.wanted(type);
        if (allowed && wanted >= 0 && wanted == counter[type])
            chosen[type] = int(i);
        ++counter[type];
    }
    const AVMediaType types[] = {AVMEDIA_TYPE_AUDIO, AVMEDIA_TYPE_VIDEO, AVMEDIA_TYPE_SUBTITLE};
    for (AVMediaType type : types) {
        const bool allowed = type == AVMEDIA_TYPE_AUDIO ? !options.DisableAudio : !options.DisableVideo;
        if (!allowed || options.wanted(type) >= 0)
            continue;
        const int related = type == AVMEDIA_TYPE_SUBTITLE ? chosen[AVMEDIA_TYPE_VIDEO] : -1;
        const int best = FF.av_find_best_stream(is.ic, type, -1, related, nullptr, 0);
        if (best >= 0)
            chosen[type] = best;
    }
}

// Returns 0 when the input and a stream are open, else -1 with LastErrMsg set.
int OpenInput(TVideoState& is)
{
    TCustomPlayer& player = *is.Owner;
    TPlayerOptions& options = player.options;
    is.ic = FF.avformat_alloc_context();
    if (!is.ic) {
        SetLastErrMsg(player, "av_mallocz() failed.");
        return -1;
    }
    is.ic->interrupt_callback.callback = AbortCheck;
    is.ic->interrupt_callback.opaque = &is;
    AVDictionary* dict = nullptr;
    if (options.FrameWidth > 0 && options.FrameHeight > 0)
        FF.av_dict_set(&dict, "video_size", PlayerText("%dx%d", options.FrameWidth, options.FrameHeight).c_str(), 0);
    FF.av_dict_set(&dict, "framerate", "25", 0);
    if (options.frame_pix_fmt >= 0)
        FF.av_dict_set(&dict, "pixel_format", FF.av_get_pix_fmt_name(AVPixelFormat(options.frame_pix_fmt)), 0);
    const int err = UnicodeOpenInput(&is.ic, EncodeAVFileName(is.filename), is.iformat, &dict);
    FF.av_dict_free(&dict);
    if (err < 0) {
        is.ic = nullptr; // freed by the failed open
        SetLastErrMsg(player, FormatAVError(is.filename, err));
        return -1;
    }
    if (options.genpts)
        is.ic->flags |= AVFMT_FLAG_GENPTS;
    if (FF.avformat_find_stream_info(is.ic, nullptr) < 0) {
        SetLastErrMsg(player, PlayerText("%s: could not find codec parameters", is.filename.c_str()));
        return -1;
    }
    if (is.ic->pb)
        is.ic->pb->eof_reached = 0;
    if (options.seek_by_bytes < 0)
        options.seek_by_bytes = (is.ic->iformat->flags & AVFMT_TS_DISCONT) ? 1 : 0;
    const std::string shortName = is.ic->iformat->name ? is.ic->iformat->name : "";
    is.IsImage2 = shortName == "image2";
    is.IsDevice = shortName == "vfwcap" || shortName == "vfwcapture";
    if (is.ic->start_time != AV_NOPTS_VALUE)
        is.StartTime = is.ic->start_time;
    is.Duration = is.ic->duration != AV_NOPTS_VALUE ? is.ic->duration : -1;

    const std::int64_t startTime = options.start_time.load();
    if (startTime != NoPTS) {
        std::int64_t target = startTime;
        if (is.ic->start_time != AV_NOPTS_VALUE)
            target += is.ic->start_time;
        if (FF.avformat_seek_file(is.ic, -1, std::numeric_limits<std::int64_t>::min(), target,
                                  std::numeric_limits<std::int64_t>::max(), 0) < 0)
            ReportError(
                player,
                PlayerText("%s: could not seek to position %0.3f", is.filename.c_str(), double(target) / AV_TIME_BASE),
                false);
    }
    int chosen[AVMEDIA_TYPE_NB];
    ChooseStreams(is, chosen);
    // The first picture of a large video can take far longer than the first sound:
    // they start together, or the pictures would be dropped to catch the sound up.
    // A cover picture is one picture only: the sound does not wait for it.
    if (chosen[AVMEDIA_TYPE_AUDIO] >= 0 && chosen[AVMEDIA_TYPE_VIDEO] >= 0 &&
        !(is.ic->streams[chosen[AVMEDIA_TYPE_VIDEO]]->disposition & AV_DISPOSITION_ATTACHED_PIC))
        is.start_together_until = NowSeconds() + player::StartTogetherSeconds;
    if (chosen[AVMEDIA_TYPE_AUDIO] >= 0)
        OpenStreamComponent(is, chosen[AVMEDIA_TYPE_AUDIO]);
    if (chosen[AVMEDIA_TYPE_VIDEO] >= 0)
        OpenStreamComponent(is, chosen[AVMEDIA_TYPE_VIDEO]);
    if (chosen[AVMEDIA_TYPE_SUBTITLE] >= 0)
        OpenStreamComponent(is, chosen[AVMEDIA_TYPE_SUBTITLE]);
    if (is.video_stream.load() < 0 || is.audio_stream.load() < 0)
        is.start_together_until = 0;
    if (is.video_stream.load() < 0 && is.audio_stream.load() < 0) {
        SetLastErrMsg(player, PlayerText("%s: could not open codecs, no stream to play.", is.filename.c_str()));
        return -1;
    }
    return 0;
}

void ServeSeek(TVideoState& is, bool& eof)
{
    TCustomPlayer& player = *is.Owner;
    TPlayerState& engine = player.Engine();
    std::int64_t minimum, maximum;
    SeekWindow(is.seek_pos, is.seek_rel, minimum, maximum);
    int ret = FF.avformat_seek_file(is.ic, -1, minimum, is.seek_pos, maximum, is.seek_flags);
    if (ret < 0)
        ret = FF.av_seek_frame(is.ic, -1, is.seek_pos, is.seek_flags);
    if (ret < 0)
        ret = FF.av_seek_frame(is.ic, -1, is.seek_pos, is.seek_flags ^ AVSEEK_FLAG_BACKWARD);
    if (ret < 0) {
        ReportError(player, PlayerText("%s: error while seeking", is.filename.c_str()), false);
        if (is.video_st.load())
            engine.pictEvent.SetEvent();
    } else {
        if (is.audio_stream.load() >= 0) {
            is.audio_clock_unknown = 1;
            is.audioq.Flush();
            is.audioq.PutFlush();
        }
        if (is.subtitle_stream.load() >= 0) {
            is.subtitleq.Flush();
            is.subtitleq.PutFlush();
        }
        if (is.video_stream.load() >= 0) {
            is.seek_flushed = 0;
            is.videoq.Flush();
            is.videoq.PutFlush();
            engine.pictEvent.ResetEvent();
        }
    }
    is.ErrorEOF = 0;
    is.ReachEOF = 0;
    is.seek_req = 0;
    is.seek_done = 1;
    engine.seekEvent.SetEvent();
    if (!is.video_st.load()) {
        engine.seeking = false;
        is.EventEOF = 0; // without pictures the seek itself ends the reported end
    }
    eof = false;
}

bool QueuesFull(TVideoState& is)
{
    const int total = is.audioq.Size() + is.videoq.Size() + is.subtitleq.Size();
    if (total > player::MaxQueueSize)
        return true;
    const bool audioNeeds = is.audio_stream.load() >= 0 && is.audioq.Size() <= player::MinAudioQueueSize;
    const bool videoNeeds = is.video_stream.load() >= 0 && is.videoq.Count() <= player::MinFrames;
    const bool subtitleNeeds = is.subtitle_stream.load() >= 0 && is.subtitleq.Count() <= player::MinFrames;
    const bool anyOpen = is.audio_stream.load() >= 0 || is.video_stream.load() >= 0 || is.subtitle_stream.load() >= 0;
    return anyOpen && !audioNeeds && !videoNeeds && !subtitleNeeds;
}

// Returns when the playback is aborted or the input reports an I/O error.
void ReadLoop(TVideoState& is)
{
    TCustomPlayer& player = *is.Owner;
    TPlayerState& engine = player.Engine();
    bool eof = false;
    AVPacket* packet = FF.av_packet_alloc();
    if (!packet)
        return;
    while (!is.abort_request.load()) {
        const int paused = is.paused.load();
        if (paused != is.last_paused) {
            is.last_paused = paused;
            if (paused)
                is.read_pause_return = FF.av_read_pause(is.ic);
            else
                FF.av_read_play(is.ic);
        }
        if (is.seek_req.load())
            ServeSeek(is, eof);
        if (QueuesFull(is)) {
            SleepMs(10);
            continue;
        }
        if (eof || (is.ic->pb && FF.avio_feof(is.ic->pb))) {
            if (is.video_stream.load() >= 0) {
                is.videoq.PutEnd();
                engine.pictEvent.SetEvent();
            }
            SleepMs(10);
            if (is.audioq.Size() + is.videoq.Size() + is.subtitleq.Size() == 0)
                is.ReachEOF = 1;
            continue;
        }
        is.Reading = 1;
        const int ret = FF.av_read_frame(is.ic, packet);
        is.Reading = 0;
        if (is.abort_request.load())
            break;
        if (ret < 0) {
            if (ret == AVERROR(EAGAIN)) {
                SleepMs(10);
                continue;
            }
            if (is.video_st.load())
                engine.pictEvent.SetEvent();
            if (!is.IsImage2 && !is.ErrorEOF.load()) {
                is.ErrorEOF = 1;
                if (ret == AVERROR_EOF)
                    GetFFLogger()->Log(&player, llInfo, "reach end of file: %s", is.filename.c_str());
                else
                    ReportError(player, PlayerText("error #%d while reading file: %s", ret, is.filename.c_str()),
                                false);
            }
            if (ret == AVERROR_EOF)
                eof = true;
            if (is.ic->pb && is.ic->pb->error)
                break;
            if (!eof)
                SleepMs(100);
            continue;
        }
        if (packet->stream_index == is.audio_stream.load())
            is.audioq.PutPacket(packet);
        else if (packet->stream_index == is.video_stream.load())
            is.videoq.PutPacket(packet);
        else if (packet->stream_index == is.subtitle_stream.load())
            is.subtitleq.PutPacket(packet);
        FF.av_packet_unref(packet);
    }
    FF.av_packet_free(&packet);
}

// The probe is the main thread's: it lets go of the context there, before the context closes.
void DropFromProbe(TCustomPlayer& player, AVFormatContext* ic)
{
    const auto drop = [&] {
        if (player.AVProbe().FileHandle() == ic)
            player.AVProbe().SetFileHandle(nullptr);
    };
    try {
        CallInMainThread(drop);
    } catch (const EMainThreadStopped&) {
        drop();
    }
}

} // namespace

void ReadThreadMain(TVideoState& is)
{
    TCustomPlayer& player = *is.Owner;
    int result = OpenInput(is);
    if (result == 0) {
        SetOpened(is, 1);
        ReadLoop(is);
        while (!is.abort_request.load())
            SleepMs(10);
    }
    if (is.Opened.load() != 1)
        SetOpened(is, -1);
    if (is.audio_stream.load() >= 0)
        CloseStreamComponent(is, is.audio_stream.load());
    if (is.video_stream.load() >= 0)
        CloseStreamComponent(is, is.video_stream.load());
    if (is.subtitle_stream.load() >= 0)
        CloseStreamComponent(is, is.subtitle_stream.load());
    if (is.ic)
        DropFromProbe(player, is.ic);
    if (is.ic)
        UnicodeCloseInput(&is.ic);
    if (result != 0)
        PostQuitRequest(is); // no play thread yet: the next Open clears it
    if (is.Opened.load() == -1)
        SetOpened(is, -2);
}

} // namespace tovrel
