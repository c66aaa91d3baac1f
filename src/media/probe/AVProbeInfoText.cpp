#include "media/probe/AVProbeInfoText.h"

#include "media/loader/FFmpegUtils.h"
#include "media/loader/FFmpegUtilsText.h"
#include "media/probe/AVProbeHandles.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Text.h"

#include <cmath>
#include <vector>

namespace tovrel {

namespace {

struct TID3KeyName {
    std::string_view Stored;
    std::string_view Shown;
};

constexpr TID3KeyName ID3KeyNames[] = {
    {"TALB", "album"},     {"TAL", "album"},     {"TCOM", "composer"}, {"TCON", "genre"},     {"TCO", "genre"},
    {"TCOP", "copyright"}, {"TDRL", "date"},     {"TENC", "encoder"},  {"TEN", "encoder"},    {"TIT2", "title"},
    {"TT2", "title"},      {"TLAN", "language"}, {"TPE1", "artist"},   {"TP1", "artist"},     {"TPOS", "disc"},
    {"TPUB", "publisher"}, {"TRCK", "track"},    {"TRK", "track"},     {"TSOA", "albumsort"}, {"TSOP", "authorsort"},
    {"TSOT", "titlesort"}, {"TYER", "year"},
};

constexpr AVRational Microseconds{1, AV_TIME_BASE};

using TLines = std::vector<std::string>;

const AVDictionaryEntry* NextTag(const AVDictionary* metadata, const AVDictionaryEntry* previous)
{
    return FF.av_dict_get(metadata, "", previous, AV_DICT_IGNORE_SUFFIX);
}

void AddMetadataBlock(TLines& lines, const std::string& indent, const AVDictionary* metadata)
{
    if (!metadata)
        return;
    const AVDictionaryEntry* first = NextTag(metadata, nullptr);
    if (!first || (std::string_view(first->key) == "language" && !NextTag(metadata, first)))
        return;
    lines.push_back(Format("%sMetadata:", indent));
    for (const AVDictionaryEntry* tag = first; tag; tag = NextTag(metadata, tag)) {
        if (std::string_view(tag->key) == "language")
            continue;
        lines.push_back(Format("%s  %-16s: %s", indent, ShownMetadataKey(tag->key), tag->value ? tag->value : ""));
    }
}

// FFmpeg's description of the stream's codec, as a decoder context made from
// the stream's parameters gives it.
std::string CodecDescription(const AVCodecParameters* parameters, AVRational& codecTimeBase)
{
    TCodecContext context(FF.avcodec_alloc_context3(nullptr));
    if (!context || FF.avcodec_parameters_to_context(context.get(), parameters) < 0)
        return "";
    codecTimeBase = context->time_base;
    char text[256] = {};
    FF.avcodec_string(text, sizeof text, context.get(), 0);
    return text;
}

void AddRate(std::string& line, AVRational rate, const char* label)
{
    if (rate.num != 0 && rate.den != 0)
        line += RateText(double(rate.num) / rate.den, label);
}

std::string StreamLine(const AVFormatContext& context, int index)
{
    const AVStream& stream = *context.streams[index];
    const AVCodecParameters& codec = *stream.codecpar;
    std::string line = Format("Stream #%d", index);
    if (context.iformat && (context.iformat->flags & AVFMT_SHOW_IDS))
        line += LowerCase(Format("[0x%x]", stream.id));
    std::string language = GetMetadataText(stream.metadata, "language", "");
    if (!language.empty())
        line += Format("(%s)", language);
    int divisor = int(FF.av_gcd(stream.time_base.num, stream.time_base.den));
    if (divisor == 0)
        divisor = 1;
    line += Format(", %d/%d", stream.time_base.num / divisor, stream.time_base.den / divisor);
    AVRational codecTimeBase{0, 1};
    line += ": " + CodecDescription(&codec, codecTimeBase);
    AVRational sar = stream.sample_aspect_ratio;
    if (sar.num != 0 && (sar.num != codec.sample_aspect_ratio.num || sar.den != codec.sample_aspect_ratio.den)) {
        int darNum = 0, darDen = 0;
        FF.av_reduce(&darNum, &darDen, std::int64_t(codec.width) * sar.num, std::int64_t(codec.height) * sar.den,
                     1024 * 1024);
        line = Format("%s, PAR %d:%d DAR %d:%d", line, sar.num, sar.den, darNum, darDen);
    }
    if (codec.codec_type == AVMEDIA_TYPE_VIDEO) {
        AddRate(line, stream.avg_frame_rate, "fps");
        AddRate(line, stream.r_frame_rate, "tbr");
        AddRate(line, AVRational{stream.time_base.den, stream.time_base.num}, "tbn");
        AddRate(line, AVRational{codecTimeBase.den, codecTimeBase.num}, "tbc");
    }
    if (stream.start_time != AV_NOPTS_VALUE)
        line += ", StartTime: " + SecondsText(FF.av_rescale_q(stream.start_time, stream.time_base, Microseconds));
    if (stream.duration != AV_NOPTS_VALUE)
        line += ", Duration: " + FormatDuration(FF.av_rescale_q(stream.duration, stream.time_base, Microseconds));
    else
        line += ", Duration: N/A";
    return line;
}

void AddStream(TLines& lines, const AVFormatContext& context, int index, std::vector<bool>& written)
{
    lines.push_back(StreamLine(context, index));
    AddMetadataBlock(lines, "  ", context.streams[index]->metadata);
    written[std::size_t(index)] = true;
}

void AddFileLines(TLines& lines, const AVFormatContext& context, std::int64_t fileSize)
{
    const AVInputFormat* format = context.iformat;
    lines.push_back(Format("File Name: %s", DecodeAVFileName(context.url ? context.url : "")));
    lines.push_back(Format("Format Name: %s", format && format->name ? format->name : ""));
    lines.push_back(Format("Format Long Name: %s", format && format->long_name ? format->long_name : ""));
    lines.push_back(Format("File Size: %s", FormatByteSize(fileSize)));
    lines.push_back(context.duration >= 0 ? Format("Duration: %s", FormatDuration(context.duration))
                                          : std::string("Duration: N/A"));
    if (context.start_time != AV_NOPTS_VALUE && context.start_time >= 0)
        lines.push_back("StartTime: " + SecondsText(context.start_time));
    lines.push_back(context.bit_rate >= 1 ? Format("Bit Rate: %d kb/s", static_cast<long long>(context.bit_rate / 1000))
                                          : std::string("Bit Rate: N/A"));
    std::int64_t timeStamp = MetadataTimeStamp(context.metadata);
    if (timeStamp > 0)
        lines.push_back(
            Format("Time Stamp: %s", FormatDateTimeText("yyyy-mm-dd hh:nn:ss", UnixTimeToDateTime(timeStamp))));
}

} // namespace

std::string_view ShownMetadataKey(std::string_view key)
{
    for (const TID3KeyName& name : ID3KeyNames)
        if (name.Stored == key)
            return name.Shown;
    return key;
}

std::string RateText(double value, const char* label)
{
    long long hundredths = std::llround(value * 100);
    if (hundredths % 100 != 0)
        return Format(", %3.2f %s", value, label);
    if (hundredths % 100000 != 0)
        return Format(", %1.0f %s", value, label);
    return Format(", %1.0fk %s", value / 1000, label);
}

std::string SecondsText(std::int64_t microseconds)
{
    // Whole seconds and the rest, each of the same sign, would print "0.-040000".
    std::string sign = microseconds < 0 ? "-" : "";
    std::uint64_t magnitude = microseconds < 0 ? 0 - std::uint64_t(microseconds) : std::uint64_t(microseconds);
    return sign + Format("%d.%.6d", static_cast<unsigned long long>(magnitude / 1000000),
                         static_cast<unsigned long long>(magnitude % 1000000));
}

std::int64_t MetadataTimeStamp(const AVDictionary* metadata)
{
    std::string text = GetMetadataText(metadata, "creation_time", "");
    std::int64_t microseconds = 0;
    if (text.empty() || FF.av_parse_time(&microseconds, text.c_str(), 0) < 0)
        return 0;
    return microseconds / 1000000;
}

std::string ProbeInfoText(const AVFormatContext& context, std::int64_t fileSize)
{
    TLines lines;
    AddFileLines(lines, context, fileSize);
    AddMetadataBlock(lines, "", context.metadata);
    std::vector<bool> written(context.nb_streams, false);
    for (unsigned programIndex = 0; programIndex < context.nb_programs; ++programIndex) {
        const AVProgram& program = *context.programs[programIndex];
        lines.push_back(Format("Program %d %s", program.id,
                               GetMetadataText(program.metadata, "provider_name", "N/A") + "@" +
                                   GetMetadataText(program.metadata, "name", "N/A")));
        AddMetadataBlock(lines, "  ", program.metadata);
        for (unsigned j = 0; j < program.nb_stream_indexes; ++j)
            if (program.stream_index[j] < context.nb_streams)
                AddStream(lines, context, int(program.stream_index[j]), written);
    }
    for (unsigned i = 0; i < context.nb_streams; ++i)
        if (!written[i])
            AddStream(lines, context, int(i), written);
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace tovrel
