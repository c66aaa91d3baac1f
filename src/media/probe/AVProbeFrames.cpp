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
    seekIndex_ = FirstVideoStreamIndex() >= 0 ? FirstVideoStreamIndex() : FirstAudioStreamIndex();
    startTime_ = 0;
    if (!FileHandle())
        return;
    std::int64_t start = seekIndex_ >= 0 ? FileHandle()->streams[seekIndex_]->start_time : FileHandle()->start_time;
    startTime_ = start == AV_NOPTS_VALUE ? 0 : start;
}

void TAVProbe::CloseFile()
{
    seekIndex_ = -1;
    startTime_ = -1;
    decodeIndex_ = -1;
    eof_ = false;
    ResetFrameRecord();
    lastPTS_ = AV_NOPTS_VALUE;
    lastPos_ = -1;
    codec_.reset();
    codecStream_ = -1;
    draining_ = false;
    packet_.reset();
    frame_.reset();
    if (FF.sws_freeContext)
        ResetRGBConvertContext(rgbContext_);
    TCustomAVProbe::CloseFile();
}

void TAVProbe::ResetFrameRecord()
{
    if (picture_.PTS != AV_NOPTS_VALUE)
        lastPTS_ = picture_.PTS;
    if (picture_.Position != -1)
        lastPos_ = picture_.Position;
    picture_.PixFmt = picture_.Width = picture_.Height = picture_.StreamIndex = -1;
    picture_.Position = -1;
    picture_.IsKeyFrame = false;
    picture_.PictureType = TPictureType::ptUnknown;
    picture_.PTS = picture_.OriginalDTS = picture_.OriginalPTS = AV_NOPTS_VALUE;
    picture_.Ready = false;
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
        if (seekIndex_ >= 0)
            target = FF.av_rescale_q(target, Microseconds, context->streams[seekIndex_]->time_base);
        if (startTime_ > 0)
            target += startTime_;
    }
    if (codec_)
        FF.avcodec_flush_buffers(codec_.get());
    draining_ = false;
    eof_ = false;
    ResetFrameRecord();
    const int flags = SeekFlagsToAVFlags(seekFlags);
    int result;
    if (pts > 0) {
        result = FF.av_seek_frame(context, seekIndex_, target, flags);
    } else {
        result = FF.av_seek_frame(context, seekIndex_, 0, flags | AVSEEK_FLAG_BACKWARD);
        if (result < 0)
            result = FF.av_seek_frame(context, seekIndex_, target, flags & ~AVSEEK_FLAG_BACKWARD);
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
            eof_ = true;
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
        index = decodeIndex_ >= 0 ? decodeIndex_ : FirstVideoStreamIndex();
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
    if (index != decodeIndex_)
        ResetFrameRecord();
    decodeIndex_ = index;
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
    if (codec_ && codecStream_ == streamIndex)
        return codec_.get();
    codec_.reset();
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
    codec_ = std::move(context);
    codecStream_ = streamIndex;
    draining_ = false;
    return codec_.get();
}

bool TAVProbe::Decode(int streamIndex)
{
    const int index = SelectDecodeStream(streamIndex);
    if (index < 0)
        return false;
    if (picture_.Ready && IsImage2())
        return true;
    if (eof_) {
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
    eof_ = true;
    return false;
}

bool TAVProbe::StorePicture(const AVFrame& frame, int streamIndex, std::int64_t readPosition)
{
    const auto pixFmt = AVPixelFormat(frame.format);
    const int size = FF.av_image_get_buffer_size(pixFmt, frame.width, frame.height, 1);
    if (size <= 0)
        return false;
    if (picture_.Size < size) {
        picture_.Buffer.reset(static_cast<std::uint8_t*>(FF.av_malloc(std::size_t(size))));
        picture_.Size = picture_.Buffer ? size : 0;
        if (!picture_.Buffer)
            return false;
    }
    const AVStream* stream = FileHandle()->streams[streamIndex];
    LogMessage(AV_LOG_DEBUG, Format("pkt.st_idx=%d, dts=%d, pts=%d, flags=%d, pict_type=%d", streamIndex,
                                    static_cast<long long>(frame.pkt_dts), static_cast<long long>(frame.pts),
                                    frame.key_frame ? AV_PKT_FLAG_KEY : 0, int(frame.pict_type)));
    picture_.PixFmt = frame.format;
    picture_.Width = frame.width;
    picture_.Height = frame.height;
    picture_.IsKeyFrame = frame.key_frame == 1;
    picture_.PictureType =
        frame.pict_type >= 0 && frame.pict_type <= 7 ? TPictureType(frame.pict_type) : TPictureType::ptUnknown;
    // The picture's own time stamp: with send/receive decoding a picture no
    // longer belongs to the packet read last.
    std::int64_t raw = frame.best_effort_timestamp;
    if (raw == AV_NOPTS_VALUE)
        raw = frame.pts;
    if (raw == AV_NOPTS_VALUE)
        raw = frame.pkt_dts;
    if (picture_.PTS != AV_NOPTS_VALUE)
        lastPTS_ = picture_.PTS;
    if (raw == AV_NOPTS_VALUE) {
        picture_.PTS = AV_NOPTS_VALUE;
    } else {
        if (stream->start_time != AV_NOPTS_VALUE)
            raw -= stream->start_time;
        picture_.PTS = FF.av_rescale_q(raw, stream->time_base, Microseconds);
        FF.av_log(nullptr, AV_LOG_DEBUG, "decode PTS: %0.3f\n", double(picture_.PTS) / 1000000);
    }
    picture_.OriginalDTS = frame.pkt_dts;
    picture_.OriginalPTS = frame.pts;
    picture_.StreamIndex = streamIndex;
    if (picture_.Position != -1)
        lastPos_ = picture_.Position;
    picture_.Position = frame.pkt_pos >= 0 ? frame.pkt_pos : readPosition;
    FF.av_image_fill_arrays(picture_.Picture.data, picture_.Picture.linesize, picture_.Buffer.get(), pixFmt,
                            frame.width, frame.height, 1);
    FF.av_image_copy(picture_.Picture.data, picture_.Picture.linesize, const_cast<const std::uint8_t**>(frame.data),
                     frame.linesize, pixFmt, frame.width, frame.height);
    picture_.Ready = true;
    return true;
}

std::int64_t TAVProbe::FrameDuration(int streamIndex)
{
    return FrameDurationOf(FileHandle()->streams[streamIndex]->r_frame_rate);
}

std::int64_t TAVProbe::ReferencePTS(std::int64_t fallback) const
{
    if (picture_.PTS != AV_NOPTS_VALUE)
        return picture_.PTS;
    return lastPTS_ != AV_NOPTS_VALUE ? lastPTS_ : fallback;
}

bool TAVProbe::DecodeNextKeyFrame(int streamIndex)
{
    const int index = SelectDecodeStream(streamIndex);
    if (index < 0)
        return false;
    std::int64_t target = FrameDuration(index);
    if (picture_.PTS != AV_NOPTS_VALUE && picture_.PTS > 0)
        target += picture_.PTS;
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
    while (picture_.PTS <= target)
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
    const std::int64_t refPos = picture_.Position >= 0 ? picture_.Position : lastPos_;
    const std::int64_t frameDuration = FrameDuration(index);
    // Once the target lies before the start, the seek lands on the earliest
    // picture; stepping further back would find the same picture for ever.
    for (std::int64_t h = 1;; ++h) {
        const bool beforeStart = ref < h * frameDuration;
        const std::int64_t before = IOPosition();
        Seek(ref - h * frameDuration, SeekFlag(TSeekFlag::sfBackward));
        // A seek that moved the I/O to or past the reference position did not
        // land before it. Demuxers that seek lazily do not move it: decode.
        const std::int64_t now = IOPosition();
        if (!beforeStart && refPos > 0 && now >= refPos && now != before)
            continue;
        if (Decode(index)) {
            if (picture_.PTS < ref || picture_.PTS <= 0 || beforeStart)
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
    if (!picture_.Ready) {
        LogError(AV_LOG_ERROR, "picture not ready, please decode first");
        return false;
    }
    if (ConvertPictureToBitmap(rgbContext_, picture_.Picture, AVPixelFormat(picture_.PixFmt), picture_.Height,
                               picture_.Width)) {
        bitmap = *rgbContext_.Bitmap;
        return true;
    }
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    bitmap.SetSize(picture_.Width, picture_.Height);
    if (bitmap.SizeInBytes() > 0)
        std::memset(bitmap.Bits(), 0, bitmap.SizeInBytes());
    FF.av_log(nullptr, AV_LOG_ERROR, "convert picture to bitmap failed\n");
    return false;
}

} // namespace tovrel
