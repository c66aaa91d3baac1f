#include "media/probe/AVProbeFrames.h"

#include "media/loader/FFmpegLogger.h"
#include "media/loader/FFmpegUtilsText.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Text.h"

#include <cstring>
#include <mutex>

namespace tovrel {

namespace {

constexpr AVRational Microseconds{1, AV_TIME_BASE};
constexpr const char* StreamEOF = "stream eof reached.";

} // namespace

TAVProbe::~TAVProbe()
{
    CloseFile();
}

void TAVProbe::LogMessage(int avLevel, const std::string& message)
{
    GetFFLogger()->Log(this, LogLevelFromAV(avLevel), std::string_view(message));
}

void TAVProbe::UpdateFileInfo()
{
    TCustomAVProbe::UpdateFileInfo();
    FSeekIndex = FirstVideoStreamIndex() >= 0 ? FirstVideoStreamIndex() : FirstAudioStreamIndex();
    FStartTime = 0;
    if (!FileHandle())
        return;
    std::int64_t start = FSeekIndex >= 0 ? FileHandle()->streams[FSeekIndex]->start_time : FileHandle()->start_time;
    FStartTime = start == AV_NOPTS_VALUE ? 0 : start;
}

void TAVProbe::CloseFile()
{
    FSeekIndex = -1;
    FStartTime = -1;
    FDecodeIndex = -1;
    FEOF = false;
    ResetFrameRecord();
    FLastPTS = AV_NOPTS_VALUE;
    FLastPos = -1;
    FCodec.reset();
    codecStream_ = -1;
    draining_ = false;
    packet_.reset();
    frame_.reset();
    if (FF.sws_freeContext)
        ResetRGBConvertContext(FRGBContext);
    TCustomAVProbe::CloseFile();
}

void TAVProbe::ResetFrameRecord()
{
    if (FPicture.PTS != AV_NOPTS_VALUE)
        FLastPTS = FPicture.PTS;
    if (FPicture.Position != -1)
        FLastPos = FPicture.Position;
    FPicture.PixFmt = FPicture.Width = FPicture.Height = FPicture.StreamIndex = -1;
    FPicture.Position = -1;
    FPicture.IsKeyFrame = false;
    FPicture.PictureType = TPictureType::ptUnknown;
    FPicture.PTS = FPicture.OriginalDTS = FPicture.OriginalPTS = AV_NOPTS_VALUE;
    FPicture.Ready = false;
}

std::int64_t TAVProbe::IOPosition()
{
    AVIOContext* pb = FileHandle() ? FileHandle()->pb : nullptr;
    return pb ? FF.avio_seek(pb, 0, SEEK_CUR) : -1;
}

std::int64_t TAVProbe::GetPosition()
{
    if (!CheckFileLoaded())
        return -1;
    if (!FileHandle()->pb) {
        LogError(AV_LOG_WARNING, "cannot get position");
        return -1;
    }
    return IOPosition();
}

bool TAVProbe::CheckSeekable()
{
    if (!CheckFileLoaded())
        return false;
    if (!OwnsHandle()) {
        const std::string message = "file cannot be seeked, handle is readonly.";
        LogError(AV_LOG_WARNING, message);
        throw Exception(message);
    }
    return true;
}

bool TAVProbe::IsImage2()
{
    const AVInputFormat* format = FileHandle()->iformat;
    return format && format->name && SameText(format->name, "image2");
}

bool TAVProbe::CanSeek()
{
    if (!CheckSeekable())
        return false;
    if (IsImage2()) {
        LogError(AV_LOG_INFO, "\"image2\" format cannot to be seeked.");
        return false;
    }
    return true;
}

bool TAVProbe::Seek(std::int64_t pts, TSeekFlags seekFlags)
{
    if (!CanSeek())
        return false;
    AVFormatContext* context = FileHandle();
    const bool byBytes = (seekFlags & SeekFlag(TSeekFlag::sfByte)) != 0;
    if (context->pb)
        LogMessage(AV_LOG_DEBUG, Format("currunt position %d bytes", IOPosition()));
    std::int64_t target = pts < 0 ? 0 : pts;
    if (!byBytes) {
        if (FSeekIndex >= 0)
            target = FF.av_rescale_q(target, Microseconds, context->streams[FSeekIndex]->time_base);
        if (FStartTime > 0)
            target += FStartTime;
    }
    if (FCodec)
        FF.avcodec_flush_buffers(FCodec.get());
    draining_ = false;
    FEOF = false;
    ResetFrameRecord();
    const int flags = SeekFlagsToAVFlags(seekFlags);
    int result;
    if (pts > 0) {
        result = FF.av_seek_frame(context, FSeekIndex, target, flags);
    } else {
        result = FF.av_seek_frame(context, FSeekIndex, 0, flags | AVSEEK_FLAG_BACKWARD);
        if (result < 0)
            result = FF.av_seek_frame(context, FSeekIndex, target, flags & ~AVSEEK_FLAG_BACKWARD);
    }
    bool succeeded = result >= 0;
    if (!succeeded)
        LogError(AV_LOG_ERROR, byBytes ? Format("could not seek to position %d bytes", pts)
                                       : Format("could not seek to position %0.3f seconds", double(pts) / 1000000));
    if (context->pb) {
        LogMessage(AV_LOG_DEBUG, Format("seek to position %d bytes", IOPosition()));
        if (FF.avio_feof(context->pb)) {
            if (succeeded)
                LogError(AV_LOG_INFO, StreamEOF);
            FEOF = true;
            return false;
        }
    }
    return succeeded;
}

int TAVProbe::SelectDecodeStream(int streamIndex)
{
    if (!CheckSeekable())
        return -1;
    int index = streamIndex;
    if (streamIndex < 0) {
        index = FDecodeIndex >= 0 ? FDecodeIndex : FirstVideoStreamIndex();
        if (index < 0) {
            LogError(AV_LOG_ERROR, "no video stream.");
            return -1;
        }
    } else if (streamIndex >= StreamCount()) {
        LogError(AV_LOG_ERROR, Format("stream index #%d is invalid.", streamIndex));
        return -1;
    }
    if (FileHandle()->streams[index]->codecpar->codec_type != AVMEDIA_TYPE_VIDEO) {
        LogError(AV_LOG_ERROR, Format("stream #%d is not video stream.", index));
        return -1;
    }
    if (index != FDecodeIndex)
        ResetFrameRecord();
    FDecodeIndex = index;
    return index;
}

// The probe keeps its own decoder context for the stream it decodes; the
// stream's parameters stay as the demuxer found them.
AVCodecContext* TAVProbe::OpenDecoder(int streamIndex)
{
    AVStream* stream = FileHandle()->streams[streamIndex];
    const AVCodecParameters* parameters = stream->codecpar;
    if (parameters->width == 0 || parameters->height == 0) {
        LogError(AV_LOG_ERROR, "frame size of codec is invalid.");
        return nullptr;
    }
    if (FCodec && codecStream_ == streamIndex)
        return FCodec.get();
    FCodec.reset();
    codecStream_ = -1;
    const AVCodec* decoder = FF.avcodec_find_decoder(parameters->codec_id);
    if (!decoder) {
        LogError(AV_LOG_ERROR,
                 Format("Unsupported codec (id=%d) for input file stream #%d", int(parameters->codec_id), streamIndex));
        return nullptr;
    }
    TCodecContext context(FF.avcodec_alloc_context3(decoder));
    int result = context ? FF.avcodec_parameters_to_context(context.get(), parameters) : AVERROR(ENOMEM);
    if (result >= 0) {
        context->pkt_timebase = stream->time_base;
        std::lock_guard lock(CodecOpenLock());
        result = FF.avcodec_open2(context.get(), decoder, nullptr);
    }
    if (result < 0) {
        LogError(AV_LOG_ERROR, Format("Error while opening codec for input file stream #%d", streamIndex));
        return nullptr;
    }
    FCodec = std::move(context);
    codecStream_ = streamIndex;
    draining_ = false;
    return FCodec.get();
}

bool TAVProbe::Decode(int streamIndex)
{
    const int index = SelectDecodeStream(streamIndex);
    if (index < 0)
        return false;
    if (FPicture.Ready && IsImage2())
        return true;
    if (FEOF) {
        LogError(AV_LOG_INFO, StreamEOF);
        return false;
    }
    AVCodecContext* codec = OpenDecoder(index);
    if (!codec)
        return false;
    if (!packet_)
        packet_.reset(FF.av_packet_alloc());
    if (!frame_)
        frame_.reset(FF.av_frame_alloc());
    if (!packet_ || !frame_) {
        LogError(AV_LOG_ERROR, FormatAVError(FileName(), AVERROR(ENOMEM)));
        return false;
    }
    const std::int64_t readPosition = IOPosition();
    for (;;) {
        int result = FF.avcodec_receive_frame(codec, frame_.get());
        if (result >= 0) {
            bool stored = StorePicture(*frame_, index, readPosition);
            FF.av_frame_unref(frame_.get());
            if (stored)
                return true;
            continue;
        }
        // Once drained, the decoder has nothing more until a seek flushes it.
        if (result == AVERROR_EOF || draining_)
            break;
        // Anything but "needs input" is a damaged picture: read on.
        if (FF.av_read_frame(FileHandle(), packet_.get()) < 0) {
            // The decoder still holds the last pictures: drain them.
            FF.avcodec_send_packet(codec, nullptr);
            draining_ = true;
            continue;
        }
        // A packet the decoder refuses is damaged; the next one may decode.
        if (packet_->stream_index == index)
            FF.avcodec_send_packet(codec, packet_.get());
        FF.av_packet_unref(packet_.get());
    }
    LogError(AV_LOG_INFO, StreamEOF);
    FEOF = true;
    return false;
}

bool TAVProbe::StorePicture(const AVFrame& frame, int streamIndex, std::int64_t readPosition)
{
    const auto pixFmt = AVPixelFormat(frame.format);
    const int size = FF.av_image_get_buffer_size(pixFmt, frame.width, frame.height, 1);
    if (size <= 0)
        return false;
    if (FPicture.Size < size) {
        FPicture.Buffer.reset(static_cast<std::uint8_t*>(FF.av_malloc(std::size_t(size))));
        FPicture.Size = FPicture.Buffer ? size : 0;
        if (!FPicture.Buffer)
            return false;
    }
    const AVStream* stream = FileHandle()->streams[streamIndex];
    LogMessage(AV_LOG_DEBUG, Format("pkt.st_idx=%d, dts=%d, pts=%d, flags=%d, pict_type=%d", streamIndex,
                                    static_cast<long long>(frame.pkt_dts), static_cast<long long>(frame.pts),
                                    frame.key_frame ? AV_PKT_FLAG_KEY : 0, int(frame.pict_type)));
    FPicture.PixFmt = frame.format;
    FPicture.Width = frame.width;
    FPicture.Height = frame.height;
    FPicture.IsKeyFrame = frame.key_frame == 1;
    FPicture.PictureType =
        frame.pict_type >= 0 && frame.pict_type <= 7 ? TPictureType(frame.pict_type) : TPictureType::ptUnknown;
    // The picture's own time stamp: with send/receive decoding a picture no
    // longer belongs to the packet read last.
    std::int64_t raw = frame.best_effort_timestamp;
    if (raw == AV_NOPTS_VALUE)
        raw = frame.pts;
    if (raw == AV_NOPTS_VALUE)
        raw = frame.pkt_dts;
    if (FPicture.PTS != AV_NOPTS_VALUE)
        FLastPTS = FPicture.PTS;
    if (raw == AV_NOPTS_VALUE) {
        FPicture.PTS = AV_NOPTS_VALUE;
    } else {
        if (stream->start_time != AV_NOPTS_VALUE)
            raw -= stream->start_time;
        FPicture.PTS = FF.av_rescale_q(raw, stream->time_base, Microseconds);
        FF.av_log(nullptr, AV_LOG_DEBUG, "decode PTS: %0.3f\n", double(FPicture.PTS) / 1000000);
    }
    FPicture.OriginalDTS = frame.pkt_dts;
    FPicture.OriginalPTS = frame.pts;
    FPicture.StreamIndex = streamIndex;
    if (FPicture.Position != -1)
        FLastPos = FPicture.Position;
    FPicture.Position = frame.pkt_pos >= 0 ? frame.pkt_pos : readPosition;
    FF.av_image_fill_arrays(FPicture.Picture.data, FPicture.Picture.linesize, FPicture.Buffer.get(), pixFmt,
                            frame.width, frame.height, 1);
    FF.av_image_copy(FPicture.Picture.data, FPicture.Picture.linesize, const_cast<const std::uint8_t**>(frame.data),
                     frame.linesize, pixFmt, frame.width, frame.height);
    FPicture.Ready = true;
    return true;
}

std::int64_t TAVProbe::FrameDuration(int streamIndex)
{
    return FrameDurationOf(FileHandle()->streams[streamIndex]->r_frame_rate);
}

std::int64_t TAVProbe::ReferencePTS(std::int64_t fallback) const
{
    if (FPicture.PTS != AV_NOPTS_VALUE)
        return FPicture.PTS;
    return FLastPTS != AV_NOPTS_VALUE ? FLastPTS : fallback;
}

bool TAVProbe::DecodeNextKeyFrame(int streamIndex)
{
    const int index = SelectDecodeStream(streamIndex);
    if (index < 0)
        return false;
    std::int64_t target = FrameDuration(index);
    if (FPicture.PTS != AV_NOPTS_VALUE && FPicture.PTS > 0)
        target += FPicture.PTS;
    return Seek(target, 0) && Decode(index);
}

bool TAVProbe::DecodePreviousFrame(int streamIndex)
{
    const int index = SelectDecodeStream(streamIndex);
    if (index < 0)
        return false;
    const std::int64_t target = ReferencePTS(0) - 2 * FrameDuration(index);
    if (!DecodePreviousKeyFrame(index))
        return false;
    while (FPicture.PTS <= target)
        if (!Decode(index))
            return false;
    return true;
}

bool TAVProbe::DecodePreviousKeyFrame(int streamIndex)
{
    const int index = SelectDecodeStream(streamIndex);
    if (index < 0)
        return false;
    const std::int64_t duration = FileHandle()->duration;
    const std::int64_t ref = ReferencePTS(duration != AV_NOPTS_VALUE && duration >= 0 ? duration : 0);
    const std::int64_t refPos = FPicture.Position >= 0 ? FPicture.Position : FLastPos;
    const std::int64_t frameDuration = FrameDuration(index);
    // Once the target lies before the start, the seek lands on the earliest
    // picture; stepping further back would find the same picture for ever.
    for (std::int64_t stepsBack = 1;; ++stepsBack) {
        const bool beforeStart = ref < stepsBack * frameDuration;
        const std::int64_t before = IOPosition();
        Seek(ref - stepsBack * frameDuration, SeekFlag(TSeekFlag::sfBackward));
        // A seek that moved the I/O to or past the reference position did not
        // land before it. Demuxers that seek lazily do not move it: decode.
        const std::int64_t now = IOPosition();
        if (!beforeStart && refPos > 0 && now >= refPos && now != before)
            continue;
        if (Decode(index)) {
            if (FPicture.PTS < ref || FPicture.PTS <= 0 || beforeStart)
                return true;
        } else if (beforeStart) {
            break;
        }
    }
    SetLastErrMsg("Could not seek to the previous key-frame. " + LastErrMsg());
    return false;
}

bool TAVProbe::CopyToBitmap(TSurface& bitmap)
{
    if (!FPicture.Ready) {
        LogError(AV_LOG_ERROR, "picture not ready, please decode first");
        return false;
    }
    if (ConvertPictureToBitmap(FRGBContext, FPicture.Picture, AVPixelFormat(FPicture.PixFmt), FPicture.Height,
                               FPicture.Width)) {
        bitmap = *FRGBContext.Bitmap;
        return true;
    }
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    bitmap.SetSize(FPicture.Width, FPicture.Height);
    if (bitmap.SizeInBytes() > 0)
        std::memset(bitmap.Bits(), 0, bitmap.SizeInBytes());
    FF.av_log(nullptr, AV_LOG_ERROR, "convert picture to bitmap failed\n");
    return false;
}

} // namespace tovrel
