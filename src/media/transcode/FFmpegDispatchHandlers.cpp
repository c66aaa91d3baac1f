#include "media/transcode/FFmpegDispatchHandlers.h"

#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLogger.h"
#include "media/targets/FFmpegHookWiring.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace tovrel {

namespace {

void LogInfo(const TDispatchCall& call, const std::string& text)
{
    GetFFLogger()->Log(&call.job, llInfo, text);
}

template <class Describe> void LogFormatList(const TDispatchCall& call, int count, Describe describe)
{
    char line[128];
    for (int i = -1; i < count; ++i) {
        describe(line, static_cast<int>(sizeof line), i);
        LogInfo(call, Trim(line));
    }
}

// A stream index addressed by the per-stream option tables.
bool ValidStreamIndex(long index)
{
    return index >= 0 && index < kMaxStreamsPerFile;
}

} // namespace

void SetFormatOption(const TDispatchCall& call)
{
    if (call.value.empty())
        return;
    std::string format = call.value;
    if (format == "pgmyuv") {
        call.job.Fpgmyuv_compatibility_hack = 1;
        LogInfo(call, "pgmyuv format is deprecated, use image2");
        format = "image2";
    }
    call.job.Flast_asked_format = format;
}

void SetFrameRate(const TDispatchCall& call)
{
    if (!call.value.empty() && FF.av_parse_video_rate(&call.job.Fframe_rate, call.value.c_str()) < 0)
        throw FFmpegException("Incorrect frame rate");
}

void SetFrameSize(const TDispatchCall& call)
{
    if (!call.value.empty() &&
        FF.av_parse_video_size(&call.job.Fframe_width, &call.job.Fframe_height, call.value.c_str()) < 0)
        throw FFmpegException("Incorrect frame size");
}

void SetAspectRatio(const TDispatchCall& call)
{
    if (call.value.empty())
        return;
    double ratio = 0;
    if (const auto colon = call.value.find(':'); colon != std::string::npos) {
        const int width = StrToIntDef(call.value.substr(0, colon), 0);
        const int height = StrToIntDef(call.value.substr(colon + 1), 0);
        ratio = height > 0 ? double(width) / height : 0;
    } else {
        ratio = StrToFloatDef(call.value, 0);
    }
    if (ratio == 0)
        throw FFmpegException("Incorrect aspect ratio specification.");
    call.job.Fframe_aspect_ratio = static_cast<float>(ratio);
}

void SetPixelFormat(const TDispatchCall& call)
{
    if (call.value == "list") {
        LogFormatList(call, AV_PIX_FMT_NB, [](char* line, int size, int i) {
            FF.av_get_pix_fmt_string(line, size, static_cast<AVPixelFormat>(i));
        });
        return;
    }
    const AVPixelFormat format = FF.av_get_pix_fmt(call.value.c_str());
    if (format == AV_PIX_FMT_NONE)
        throw FFmpegException(Format("Unknown pixel format requested: %s", call.value));
    call.job.Fframe_pix_fmt = format;
}

void SetSampleFormat(const TDispatchCall& call)
{
    if (call.value == "list") {
        LogFormatList(call, AV_SAMPLE_FMT_NB, [](char* line, int size, int i) {
            FF.av_get_sample_fmt_string(line, size, static_cast<AVSampleFormat>(i));
        });
        return;
    }
    call.job.Faudio_sample_fmt = FF.av_get_sample_fmt(call.value.c_str());
}

void SetCropBand(const TDispatchCall& call)
{
    const int band = StrToInt(call.value);
    if (band <= 0)
        return;
    TCustomFFmpeg& job = call.job;
    const bool vertical = call.name == "croptop" || call.name == "cropbottom";
    if (vertical && band >= job.Fframe_height)
        throw FFmpegException("Vertical crop dimensions are outside the range of the original image.\n"
                              "Remember to crop first and scale second.");
    if (!vertical && band >= job.Fframe_width)
        throw FFmpegException("Horizontal crop dimensions are outside the range of the original image.\n"
                              "Remember to crop first and scale second.");
    GetFFLogger()->Log(&job, llWarning, "CropXXX is deprecated in favor of the crop avfilter");
    if (call.name == "croptop")
        job.Fframe_topBand = band;
    else if (call.name == "cropbottom")
        job.Fframe_bottomBand = band;
    else if (call.name == "cropleft")
        job.Fframe_leftBand = band;
    else
        job.Fframe_rightBand = band;
    (vertical ? job.Fframe_height : job.Fframe_width) -= band;
}

void SetVideoQScale(const TDispatchCall& call)
{
    const double qscale = StrToFloat(call.value);
    if (!(qscale > 0) || qscale > 255)
        throw FFmpegException("qscale must be > 0.0 and <= 255");
    call.job.Fvideo_qscale = static_cast<float>(qscale);
}

void SetBitrate(const TDispatchCall& call)
{
    if (call.name.empty() || call.value.empty() || !SetAVOptionText(call.job, call.name, call.value))
        return;
    const int type = call.name[0] == 'a' ? AVMEDIA_TYPE_AUDIO : AVMEDIA_TYPE_VIDEO;
    std::int64_t bitrate = 0;
    AVCodecContext* options = call.job.FOptions.avcodec_opts[type];
    if (options && FF.av_opt_get_int(options, "b", 0, &bitrate) >= 0 && bitrate < 1000)
        GetFFLogger()->Log(&call.job, llWarning,
                           "WARNING: The bitrate parameter is set too low. It takes bits/s as argument, not kbits/s");
}

void SetCodec(const TDispatchCall& call)
{
    if (call.value.empty())
        return;
    TCustomFFmpeg& job = call.job;
    const char kind = call.name[0];
    std::string& name = kind == 'v'   ? job.Fvideo_codec_name
                        : kind == 'a' ? job.Faudio_codec_name
                                      : job.Fsubtitle_codec_name;
    std::int32_t& copy = kind == 'v'   ? job.Fvideo_stream_copy
                         : kind == 'a' ? job.Faudio_stream_copy
                                       : job.Fsubtitle_stream_copy;
    name.clear();
    if (call.value == "copy")
        copy = 1;
    else
        name = call.value;
}

void SetCodecTag(const TDispatchCall& call)
{
    if (call.value.empty())
        return;
    const char kind = call.name[0];
    const char* word = kind == 'v' ? "video" : kind == 'a' ? "audio" : "subtitle";
    if (call.value.size() != 4)
        throw EAssertionFailed(Format("%s tag parameter must be 4 chars", word));
    std::uint32_t tag = 0;
    for (int i = 3; i >= 0; --i)
        tag = (tag << 8) | static_cast<unsigned char>(call.value[static_cast<std::size_t>(i)]);
    TCustomFFmpeg& job = call.job;
    (kind == 'v' ? job.Fvideo_codec_tag : kind == 'a' ? job.Faudio_codec_tag : job.Fsubtitle_codec_tag) = tag;
}

void AddVideoHook(const TDispatchCall& call)
{
    AddJobHook(call.job, call.value);
}

void SetMatrix(const TDispatchCall& call)
{
    std::vector<std::uint16_t> matrix(64, 0);
    const char* field = call.value.c_str();
    for (int i = 0; i < 64; ++i) {
        matrix[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(
            std::isdigit(static_cast<unsigned char>(*field)) ? std::strtoul(field, nullptr, 10) : 0);
        if (i == 63)
            break;
        const char* comma = std::strchr(field, ',');
        if (!comma)
            throw FFmpegException(Format("Syntax error in matrix \"%s\" at coeff %d", call.value, i));
        field = comma + 1;
    }
    (call.name == "intra_matrix" ? call.job.Fintra_matrix : call.job.Finter_matrix) = std::move(matrix);
}

void SetInputTSScale(const TDispatchCall& call)
{
    const char* p = call.value.c_str();
    char* end = nullptr;
    const long stream = std::strtol(p, &end, 0);
    if (*end)
        ++end;
    const double scale = std::strtod(end, nullptr);
    if (!ValidStreamIndex(stream))
        throw FFmpegException(Format("stream index over MAX_STREAMS(%d)", kMaxStreamsPerFile));
    TCustomFFmpeg& job = call.job;
    const auto file = static_cast<std::size_t>(job.Fnb_input_files);
    if (file < job.Finput_files_ts_scale.size())
        job.Finput_files_ts_scale[file][static_cast<std::size_t>(stream)] = scale;
}

void SetTimeOption(const TDispatchCall& call)
{
    const bool date = call.name == "timestamp";
    std::int64_t microseconds = 0;
    if (FF.av_parse_time(&microseconds, call.value.c_str(), date ? 0 : 1) < 0)
        throw FFmpegException(
            Format("Invalid %s specification for %s: %s", date ? "date" : "duration", call.name, call.value));
    TCustomFFmpeg& job = call.job;
    if (call.name == "t")
        job.SetRecordingTime(microseconds);
    else if (call.name == "ss")
        job.Fstart_time = microseconds;
    else if (call.name == "itsoffset")
        job.Finput_ts_offset = microseconds;
    else
        job.Frecording_timestamp = (microseconds + 500000) / 1000000;
}

void AddMetadataText(const TDispatchCall& call)
{
    const auto equals = call.value.find('=');
    if (equals == std::string::npos)
        throw FFmpegException("Missing =");
    call.job.AddMetadata(call.value.substr(0, equals), call.value.substr(equals + 1));
}

namespace {

// Reads "a<sep>b[<sep>c<sep>d]" as C's strtol does, one separator character each.
std::vector<int> ReadIndexes(const std::string& text, int most)
{
    std::vector<int> numbers;
    const char* p = text.c_str();
    while (static_cast<int>(numbers.size()) < most && *p) {
        char* end = nullptr;
        numbers.push_back(static_cast<int>(std::strtol(p, &end, 0)));
        p = *end ? end + 1 : end;
    }
    return numbers;
}

template <class Record> Record& AppendRecord(std::vector<Record>& records, int& count)
{
    const auto index = static_cast<std::size_t>(count);
    if (index >= records.size())
        records.resize(index + 1);
    ++count;
    return records[index];
}

} // namespace

void AddStreamMap(const TDispatchCall& call)
{
    const std::vector<int> numbers = ReadIndexes(call.value, 4);
    TAVStreamMap& map = AppendRecord(call.job.Fstream_maps, call.job.Fnb_stream_maps);
    map.file_index = numbers.empty() ? 0 : numbers[0];
    map.stream_index = numbers.size() > 1 ? numbers[1] : 0;
    map.sync_file_index = numbers.size() > 3 ? numbers[2] : map.file_index;
    map.sync_stream_index = numbers.size() > 3 ? numbers[3] : map.stream_index;
}

void AddMetaDataMap(const TDispatchCall& call)
{
    const std::vector<int> numbers = ReadIndexes(call.value, 2);
    TAVMetaDataMap& map = AppendRecord(call.job.Fmeta_data_maps, call.job.Fnb_meta_data_maps);
    map.out_file = numbers.empty() ? 0 : numbers[0];
    map.in_file = numbers.size() > 1 ? numbers[1] : 0;
}

void SetStreamId(const TDispatchCall& call)
{
    if (call.name.empty() || call.value.empty())
        return;
    const auto colon = call.value.find(':');
    const std::string index = colon == std::string::npos ? call.value : call.value.substr(0, colon);
    const std::string id = colon == std::string::npos ? std::string() : call.value.substr(colon + 1);
    int stream = -1;
    if (index.empty() || id.empty() || !TryStrToInt(index, stream) || !ValidStreamIndex(stream))
        throw FFmpegException(Format("Invalid value \"%s\" for option \"%s\", required syntax is \"index:value\"",
                                     call.value, call.name));
    call.job.Fstreamid_map[static_cast<std::size_t>(stream)] = StrToInt(id);
}

} // namespace tovrel
