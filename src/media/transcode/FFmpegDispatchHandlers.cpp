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
    GetFFLogger()->Log(&call.Job, llInfo, text);
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
    if (call.Value.empty())
        return;
    std::string format = call.Value;
    if (format == "pgmyuv") {
        call.Job.Fpgmyuv_compatibility_hack = 1;
        LogInfo(call, "pgmyuv format is deprecated, use image2");
        format = "image2";
    }
    call.Job.Flast_asked_format = format;
}

void SetFrameRate(const TDispatchCall& call)
{
    if (!call.Value.empty() && FF.av_parse_video_rate(&call.Job.Fframe_rate, call.Value.c_str()) < 0)
        throw FFmpegException("Incorrect frame rate");
}

void SetFrameSize(const TDispatchCall& call)
{
    if (!call.Value.empty() &&
        FF.av_parse_video_size(&call.Job.Fframe_width, &call.Job.Fframe_height, call.Value.c_str()) < 0)
        throw FFmpegException("Incorrect frame size");
    call.Job.Fframe_size_asked = !call.Value.empty();
}

void SetAspectRatio(const TDispatchCall& call)
{
    if (call.Value.empty())
        return;
    double ratio = 0;
    if (const auto colon = call.Value.find(':'); colon != std::string::npos) {
        const int width = StrToIntDef(call.Value.substr(0, colon), 0);
        const int height = StrToIntDef(call.Value.substr(colon + 1), 0);
        ratio = height > 0 ? double(width) / height : 0;
    } else {
        ratio = StrToFloatDef(call.Value, 0);
    }
    if (ratio == 0)
        throw FFmpegException("Incorrect aspect ratio specification.");
    call.Job.Fframe_aspect_ratio = static_cast<float>(ratio);
}

void SetPixelFormat(const TDispatchCall& call)
{
    if (call.Value == "list") {
        LogFormatList(call, AV_PIX_FMT_NB, [](char* line, int size, int i) {
            FF.av_get_pix_fmt_string(line, size, static_cast<AVPixelFormat>(i));
        });
        return;
    }
    const AVPixelFormat format = FF.av_get_pix_fmt(call.Value.c_str());
    if (format == AV_PIX_FMT_NONE)
        throw FFmpegException(Format("Unknown pixel format requested: %s", call.Value));
    call.Job.Fframe_pix_fmt = format;
}

void SetSampleFormat(const TDispatchCall& call)
{
    if (call.Value == "list") {
        LogFormatList(call, AV_SAMPLE_FMT_NB, [](char* line, int size, int i) {
            FF.av_get_sample_fmt_string(line, size, static_cast<AVSampleFormat>(i));
        });
        return;
    }
    call.Job.Faudio_sample_fmt = FF.av_get_sample_fmt(call.Value.c_str());
}

void SetCropBand(const TDispatchCall& call)
{
    const int band = StrToInt(call.Value);
    if (band <= 0)
        return;
    TCustomFFmpeg& job = call.Job;
    const bool vertical = call.Name == "croptop" || call.Name == "cropbottom";
    if (vertical && band >= job.Fframe_height)
        throw FFmpegException("Vertical crop dimensions are outside the range of the original image.\n"
                              "Remember to crop first and scale second.");
    if (!vertical && band >= job.Fframe_width)
        throw FFmpegException("Horizontal crop dimensions are outside the range of the original image.\n"
                              "Remember to crop first and scale second.");
    GetFFLogger()->Log(&job, llWarning, "CropXXX is deprecated in favor of the crop avfilter");
    if (call.Name == "croptop")
        job.Fframe_topBand = band;
    else if (call.Name == "cropbottom")
        job.Fframe_bottomBand = band;
    else if (call.Name == "cropleft")
        job.Fframe_leftBand = band;
    else
        job.Fframe_rightBand = band;
    (vertical ? job.Fframe_height : job.Fframe_width) -= band;
}

void SetVideoQScale(const TDispatchCall& call)
{
    const double qscale = StrToFloat(call.Value);
    if (!(qscale > 0) || qscale > 255)
        throw FFmpegException("qscale must be > 0.0 and <= 255");
    call.Job.Fvideo_qscale = static_cast<float>(qscale);
}

void SetBitrate(const TDispatchCall& call)
{
    if (call.Name.empty() || call.Value.empty() || !SetAVOptionText(call.Job, call.Name, call.Value))
        return;
    const int type = call.Name[0] == 'a' ? AVMEDIA_TYPE_AUDIO : AVMEDIA_TYPE_VIDEO;
    std::int64_t bitrate = 0;
    AVCodecContext* options = call.Job.FOptions.avcodec_opts[type];
    if (options && FF.av_opt_get_int(options, "b", 0, &bitrate) >= 0 && bitrate < 1000)
        GetFFLogger()->Log(&call.Job, llWarning,
                           "WARNING: The bitrate parameter is set too low. It takes bits/s as argument, not kbits/s");
}

void SetCodec(const TDispatchCall& call)
{
    if (call.Value.empty())
        return;
    TCustomFFmpeg& job = call.Job;
    const char kind = call.Name[0];
    std::string& name = kind == 'v'   ? job.Fvideo_codec_name
                        : kind == 'a' ? job.Faudio_codec_name
                                      : job.Fsubtitle_codec_name;
    std::int32_t& copy = kind == 'v'   ? job.Fvideo_stream_copy
                         : kind == 'a' ? job.Faudio_stream_copy
                                       : job.Fsubtitle_stream_copy;
    name.clear();
    if (call.Value == "copy")
        copy = 1;
    else
        name = call.Value;
}

void SetCodecTag(const TDispatchCall& call)
{
    if (call.Value.empty())
        return;
    const char kind = call.Name[0];
    const char* word = kind == 'v' ? "video" : kind == 'a' ? "audio" : "subtitle";
    if (call.Value.size() != 4)
        throw EAssertionFailed(Format("%s tag parameter must be 4 chars", word));
    std::uint32_t tag = 0;
    for (int i = 3; i >= 0; --i)
        tag = (tag << 8) | static_cast<unsigned char>(call.Value[static_cast<std::size_t>(i)]);
    TCustomFFmpeg& job = call.Job;
    (kind == 'v' ? job.Fvideo_codec_tag : kind == 'a' ? job.Faudio_codec_tag : job.Fsubtitle_codec_tag) = tag;
}

void AddVideoHook(const TDispatchCall& call)
{
    AddJobHook(call.Job, call.Value);
}

void SetMatrix(const TDispatchCall& call)
{
    std::vector<std::uint16_t> matrix(64, 0);
    const char* field = call.Value.c_str();
    for (int i = 0; i < 64; ++i) {
        matrix[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(
            std::isdigit(static_cast<unsigned char>(*field)) ? std::strtoul(field, nullptr, 10) : 0);
        if (i == 63)
            break;
        const char* comma = std::strchr(field, ',');
        if (!comma)
            throw FFmpegException(Format("Syntax error in matrix \"%s\" at coeff %d", call.Value, i));
        field = comma + 1;
    }
    (call.Name == "intra_matrix" ? call.Job.Fintra_matrix : call.Job.Finter_matrix) = std::move(matrix);
}

void SetInputTSScale(const TDispatchCall& call)
{
    char* end = nullptr;
    const long stream = std::strtol(call.Value.c_str(), &end, 0);
    if (*end)
        ++end;
    const double scale = std::strtod(end, nullptr);
    if (!ValidStreamIndex(stream))
        throw FFmpegException(Format("stream index over MAX_STREAMS(%d)", kMaxStreamsPerFile));
    TCustomFFmpeg& job = call.Job;
    const auto file = static_cast<std::size_t>(job.Fnb_input_files);
    if (file < job.Finput_files_ts_scale.size())
        job.Finput_files_ts_scale[file][static_cast<std::size_t>(stream)] = scale;
}

void SetTimeOption(const TDispatchCall& call)
{
    const bool date = call.Name == "timestamp";
    std::int64_t microseconds = 0;
    if (FF.av_parse_time(&microseconds, call.Value.c_str(), date ? 0 : 1) < 0)
        throw FFmpegException(
            Format("Invalid %s specification for %s: %s", date ? "date" : "duration", call.Name, call.Value));
    TCustomFFmpeg& job = call.Job;
    if (call.Name == "t")
        job.SetRecordingTime(microseconds);
    else if (call.Name == "ss")
        job.Fstart_time = microseconds;
    else if (call.Name == "itsoffset")
        job.Finput_ts_offset = microseconds;
    else
        job.Frecording_timestamp = (microseconds + 500000) / 1000000;
}

void AddMetadataText(const TDispatchCall& call)
{
    const auto equals = call.Value.find('=');
    if (equals == std::string::npos)
        throw FFmpegException("Missing =");
    call.Job.AddMetadata(call.Value.substr(0, equals), call.Value.substr(equals + 1));
}

namespace {

// Reads "a<sep>b[<sep>c<sep>d]" as C's strtol does, one separator character each.
std::vector<int> ReadIndexes(const std::string& text, int most)
{
    std::vector<int> numbers;
    const char* cursor = text.c_str();
    while (static_cast<int>(numbers.size()) < most && *cursor) {
        char* end = nullptr;
        numbers.push_back(static_cast<int>(std::strtol(cursor, &end, 0)));
        cursor = *end ? end + 1 : end;
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
    const std::vector<int> numbers = ReadIndexes(call.Value, 4);
    TAVStreamMap& map = AppendRecord(call.Job.Fstream_maps, call.Job.Fnb_stream_maps);
    map.file_index = numbers.empty() ? 0 : numbers[0];
    map.stream_index = numbers.size() > 1 ? numbers[1] : 0;
    map.sync_file_index = numbers.size() > 3 ? numbers[2] : map.file_index;
    map.sync_stream_index = numbers.size() > 3 ? numbers[3] : map.stream_index;
}

void AddMetaDataMap(const TDispatchCall& call)
{
    const std::vector<int> numbers = ReadIndexes(call.Value, 2);
    TAVMetaDataMap& map = AppendRecord(call.Job.Fmeta_data_maps, call.Job.Fnb_meta_data_maps);
    map.out_file = numbers.empty() ? 0 : numbers[0];
    map.in_file = numbers.size() > 1 ? numbers[1] : 0;
}

void SetStreamId(const TDispatchCall& call)
{
    if (call.Name.empty() || call.Value.empty())
        return;
    const auto colon = call.Value.find(':');
    const std::string index = colon == std::string::npos ? call.Value : call.Value.substr(0, colon);
    const std::string id = colon == std::string::npos ? std::string() : call.Value.substr(colon + 1);
    int stream = -1;
    if (index.empty() || id.empty() || !TryStrToInt(index, stream) || !ValidStreamIndex(stream))
        throw FFmpegException(Format("Invalid value \"%s\" for option \"%s\", required syntax is \"index:value\"",
                                     call.Value, call.Name));
    call.Job.Fstreamid_map[static_cast<std::size_t>(stream)] = StrToInt(id);
}

} // namespace tovrel
