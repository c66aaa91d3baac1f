#include "media/probe/AVProbe.h"

#include "media/loader/FFmpegLogger.h"
#include "media/loader/FFmpegUtilsText.h"
#include "media/probe/AVProbeInfoText.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Numbers.h"

#include <algorithm>
#include <cerrno>

namespace tovrel {

namespace {

constexpr int AVLevelError = AV_LOG_ERROR;
constexpr int AVLevelWarning = AV_LOG_WARNING;
constexpr const char* FileNotLoaded = "file not loaded.";

// 0.6 kept year, track and a time stamp in the context; 5.1 keeps them only
// as metadata texts. 0 when absent, as those fields were.
int LeadingNumber(const std::string& text)
{
    std::size_t end = 0;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    return end == 0 || end > 9 ? 0 : StrToIntDef(text.substr(0, end), 0);
}

// Every stream record starts with the stream's language and decoder.
template <class TInfo> void FillNames(TInfo& info, const AVStream& stream)
{
    info.Language = GetMetadataText(stream.metadata, "language", "");
    info.CodecName = GetCodecText(stream.codecpar, TCodecRole::Decoder);
}

std::int64_t NoValueAsMinusOne(std::int64_t value)
{
    return value == AV_NOPTS_VALUE ? -1 : value;
}

} // namespace

TCustomAVProbe::TCustomAVProbe()
{
    UpdateFileInfo();
}

TCustomAVProbe::~TCustomAVProbe()
{
    // Only the base part is left here; a descendant closes its own state first.
    ownedHandle_.reset();
    FFileHandle = nullptr;
}

bool TCustomAVProbe::AVLibLoaded() const
{
    return GlobalFFmpegLoader().Loaded(ProbeLibraries);
}

bool TCustomAVProbe::LoadAVLib(const std::string& path)
{
    return GlobalFFmpegLoader().LoadAVLib(ProbeLibraries, path, FLastErrMsg);
}

void TCustomAVProbe::UnloadAVLib()
{
    // What the probe holds is freed through the libraries: free it first.
    if (AVLibLoaded())
        CloseFile();
    GlobalFFmpegLoader().Unload(ProbeLibraries);
}

void TCustomAVProbe::CheckLibraries()
{
    const struct {
        TLibrary Library;
        const char* Message;
    } required[] = {{TLibrary::avCodec, "LibAVCodec not loaded."},
                    {TLibrary::avFormat, "LibAVFormat not loaded."},
                    {TLibrary::avUtil, "LibAVUtil not loaded."},
                    {TLibrary::swScale, "LibSwScale not loaded."}};
    for (const auto& entry : required)
        if (!GlobalFFmpegLoader().Loaded(entry.Library))
            throw Exception(entry.Message);
}

bool TCustomAVProbe::LoadFile(const std::string& fileName, const std::string& formatName)
{
    CheckLibraries();
    CloseFile();
    const AVInputFormat* format = nullptr;
    if (!formatName.empty()) {
        format = FF.av_find_input_format(formatName.c_str());
        if (!format) {
            FLastErrMsg = Format("Unknown input format: %s", formatName);
            return false;
        }
    }
    // No non-blocking flag: a read that could answer "try again" would end the
    // probe's read loops as if the file had ended.
    AVFormatContext* context = FF.avformat_alloc_context();
    if (!context) {
        LogError(AVLevelError, FormatAVError(fileName, AVERROR(ENOMEM)));
        return false;
    }
    // A failed open frees the context.
    int result = UnicodeOpenInput(&context, EncodeAVFileName(fileName), format, nullptr);
    if (result < 0) {
        LogError(AVLevelError, FormatAVError(fileName, result));
        CloseFile();
        return false;
    }
    ownedHandle_.reset(context);
    FFileHandle = context;
    if (FF.avformat_find_stream_info(context, nullptr) < 0) {
        FLastErrMsg = Format("%s: could not find codec parameters", fileName);
        CloseFile();
        return false;
    }
    UpdateFileInfo();
    FForceFormat = formatName;
    return true;
}

void TCustomAVProbe::CloseFile()
{
    FForceFormat.clear();
    ownedHandle_.reset();
    FFileHandle = nullptr;
    UpdateFileInfo();
}

void TCustomAVProbe::SetFileHandle(AVFormatContext* context)
{
    CheckLibraries();
    CloseFile();
    FFileHandle = context;
    UpdateFileInfo();
}

void TCustomAVProbe::UpdateFileInfo()
{
    FFileSize = -1;
    FStreamCount = FProgramCount = -1;
    FAudioStreamCount = FVideoStreamCount = FSubtitleStreamCount = -1;
    FFirstAudioStreamIndex = FFirstVideoStreamIndex = FFirstSubtitleStreamIndex = -1;
    if (!FFileHandle)
        return;

    // An I/O context that cannot tell its size answers with an error code.
    std::int64_t contextSize = FFileHandle->pb ? std::max<std::int64_t>(FF.avio_size(FFileHandle->pb), 0) : 0;
    std::string onDisk = DecodeAVFileName(FFileHandle->url ? FFileHandle->url : "");
    if (contextSize > 0)
        FFileSize = contextSize;
    else if (!onDisk.empty() && FileExists(onDisk))
        FFileSize = GetFileSizeByName(onDisk);
    else
        FFileSize = contextSize;

    FStreamCount = int(FFileHandle->nb_streams);
    FProgramCount = int(FFileHandle->nb_programs);
    FAudioStreamCount = FVideoStreamCount = FSubtitleStreamCount = 0;
    for (int i = 0; i < FStreamCount; ++i) {
        switch (FFileHandle->streams[i]->codecpar->codec_type) {
        case AVMEDIA_TYPE_VIDEO:
            ++FVideoStreamCount;
            if (FFirstVideoStreamIndex < 0)
                FFirstVideoStreamIndex = i;
            break;
        case AVMEDIA_TYPE_AUDIO:
            ++FAudioStreamCount;
            if (FFirstAudioStreamIndex < 0)
                FFirstAudioStreamIndex = i;
            break;
        case AVMEDIA_TYPE_SUBTITLE:
            ++FSubtitleStreamCount;
            if (FFirstSubtitleStreamIndex < 0)
                FFirstSubtitleStreamIndex = i;
            break;
        default: break;
        }
    }
}

void TCustomAVProbe::LogError(int avLevel, const std::string& message)
{
    GetFFLogger()->Log(this, LogLevelFromAV(avLevel), std::string_view(message));
    FLastErrMsg = message;
}

bool TCustomAVProbe::CheckFileLoaded()
{
    if (FFileHandle)
        return true;
    LogError(AVLevelWarning, FileNotLoaded);
    return false;
}

int TCustomAVProbe::StreamCodecType(int streamIndex)
{
    if (!CheckFileLoaded())
        return -1;
    if (streamIndex < 0 || streamIndex >= FStreamCount) {
        LogError(AVLevelError, Format("stream index #%d is invalid.", streamIndex));
        return -1;
    }
    return FFileHandle->streams[streamIndex]->codecpar->codec_type;
}

bool TCustomAVProbe::IsAudioStream(int streamIndex)
{
    return StreamCodecType(streamIndex) == AVMEDIA_TYPE_AUDIO;
}
bool TCustomAVProbe::IsVideoStream(int streamIndex)
{
    return StreamCodecType(streamIndex) == AVMEDIA_TYPE_VIDEO;
}
bool TCustomAVProbe::IsSubtitleStream(int streamIndex)
{
    return StreamCodecType(streamIndex) == AVMEDIA_TYPE_SUBTITLE;
}

std::string TCustomAVProbe::FileName()
{
    return CheckFileLoaded() ? DecodeAVFileName(FFileHandle->url ? FFileHandle->url : "") : "";
}

std::string TCustomAVProbe::FormatName()
{
    if (!CheckFileLoaded())
        return "";
    return FFileHandle->iformat && FFileHandle->iformat->name ? FFileHandle->iformat->name : "";
}

std::string TCustomAVProbe::FormatLongName()
{
    if (!CheckFileLoaded())
        return "";
    return FFileHandle->iformat && FFileHandle->iformat->long_name ? FFileHandle->iformat->long_name : "";
}

TFileStreamInfo TCustomAVProbe::GetFileStreamInfo()
{
    TFileStreamInfo info;
    if (!CheckFileLoaded())
        return info;
    const AVDictionary* metadata = FFileHandle->metadata;
    info.StartTime = NoValueAsMinusOne(FFileHandle->start_time);
    info.Duration = NoValueAsMinusOne(FFileHandle->duration);
    info.BitRate = std::int32_t(FFileHandle->bit_rate);
    info.TimeStamp = MetadataTimeStamp(metadata);
    std::string year = GetMetadataText(metadata, "year", "");
    info.Year = LeadingNumber(year.empty() ? GetMetadataText(metadata, "date", "") : year);
    info.Track = LeadingNumber(GetMetadataText(metadata, "track", ""));
    info.Title = GetMetadataText(metadata, "title", "");
    info.Author = GetMetadataText(metadata, "author", "");
    info.Copyright = GetMetadataText(metadata, "copyright", "");
    info.Comment = GetMetadataText(metadata, "comment", "");
    info.Album = GetMetadataText(metadata, "album", "");
    info.Genre = GetMetadataText(metadata, "genre", "");
    return info;
}

AVStream* TCustomAVProbe::StreamOfKind(int& streamIndex, int codecType, int firstIndex, const char* kindName)
{
    if (!CheckFileLoaded())
        return nullptr;
    if (streamIndex < 0) {
        if (firstIndex < 0) {
            LogError(AVLevelError, Format("no %s stream.", kindName));
            return nullptr;
        }
        streamIndex = firstIndex;
    }
    if (streamIndex >= FStreamCount) {
        LogError(AVLevelError, Format("stream index #%d is invalid.", streamIndex));
        return nullptr;
    }
    AVStream* stream = FFileHandle->streams[streamIndex];
    if (stream->codecpar->codec_type != codecType) {
        LogError(AVLevelError, Format("stream #%d is not %s stream.", streamIndex, kindName));
        return nullptr;
    }
    return stream;
}

void TCustomAVProbe::RepairTimeBase(AVStream* stream)
{
    if (stream->time_base.den == 0)
        stream->time_base.den = stream->time_base.num;
    if (stream->time_base.den == 0)
        stream->time_base.den = 1;
}

template <class TInfo> void TCustomAVProbe::FillTimes(TInfo& info, AVStream* stream)
{
    RepairTimeBase(stream);
    const AVRational microseconds{1, AV_TIME_BASE};
    info.StartTime = stream->start_time;
    info.Duration = stream->duration;
    if (stream->start_time != AV_NOPTS_VALUE)
        info.StartTimeScaled = FF.av_rescale_q(stream->start_time, stream->time_base, microseconds);
    if (stream->duration != AV_NOPTS_VALUE)
        info.DurationScaled = FF.av_rescale_q(stream->duration, stream->time_base, microseconds);
    info.BitRate = std::int32_t(stream->codecpar->bit_rate);
}

TAudioStreamInfo TCustomAVProbe::GetAudioStreamInfo(int streamIndex)
{
    TAudioStreamInfo info;
    AVStream* stream = StreamOfKind(streamIndex, AVMEDIA_TYPE_AUDIO, FFirstAudioStreamIndex, "audio");
    if (!stream)
        return info;
    const AVCodecParameters* codec = stream->codecpar;
    FillNames(info, *stream);
    FillTimes(info, stream);
    info.Channels = codec->ch_layout.nb_channels;
    info.SampleRate = codec->sample_rate;
    info.SampleFormat = codec->format;
    return info;
}

TVideoStreamInfo TCustomAVProbe::GetVideoStreamInfo(int streamIndex)
{
    TVideoStreamInfo info;
    AVStream* stream = StreamOfKind(streamIndex, AVMEDIA_TYPE_VIDEO, FFirstVideoStreamIndex, "video");
    if (!stream)
        return info;
    const AVCodecParameters* codec = stream->codecpar;
    FillNames(info, *stream);
    FillTimes(info, stream);
    info.Height = codec->height;
    info.Width = codec->width;
    info.PixFmt = codec->format;
    AVRational sar = codec->sample_aspect_ratio;
    info.AspectRatio = sar.num == 0 || sar.den == 0 || codec->height == 0
                           ? 0.0f
                           : float(double(codec->width) * sar.num / sar.den / codec->height);
    info.FrameRate = stream->r_frame_rate;
    return info;
}

TSubtitleStreamInfo TCustomAVProbe::GetSubtitleStreamInfo(int streamIndex)
{
    TSubtitleStreamInfo info;
    AVStream* stream = StreamOfKind(streamIndex, AVMEDIA_TYPE_SUBTITLE, FFirstSubtitleStreamIndex, "subtitle");
    if (!stream)
        return info;
    FillNames(info, *stream);
    return info;
}

std::string TCustomAVProbe::GetFileInfoText()
{
    if (!CheckFileLoaded())
        return "";
    return ProbeInfoText(*FFileHandle, FFileSize);
}

} // namespace tovrel
