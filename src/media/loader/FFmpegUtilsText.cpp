#include "media/loader/FFmpegUtilsText.h"

#include "media/loader/FFmpegLoaderEntries.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Text.h"

#include <cerrno>
#include <cstdio>

namespace tovrel {

namespace {

struct TErrorText {
    int Code;
    const char* Text;
};

// The texts keep their meaning on 5.1: end of file is a tag now, an
// unprobeable file gives INVALIDDATA, and a missing demuxer or protocol has
// its own code.
constexpr TErrorText ErrorTexts[] = {
    {AVERROR(ENOENT), "No such file or directory"},
    {AVERROR(EIO), "I/O error"},
    {AVERROR(ENOMEM), "Not enough memory"},
    {AVERROR(EINVAL), "Invalid data found when processing input"},
    {AVERROR_INVALIDDATA, "Invalid data found when processing input"},
    {AVERROR_EOF, "End of file"},
    {AVERROR(EDOM), "Number syntax expected in filename"},
    {AVERROR(EILSEQ), "Unknown format"},
    {AVERROR_DEMUXER_NOT_FOUND, "Unknown format"},
    {AVERROR_PROTOCOL_NOT_FOUND, "Unsupported network protocol"},
    {AVERROR_PATCHWELCOME, "Not yet implemented in FFmpeg"},
};

constexpr const char* MediaTypeNames[] = {"Video", "Audio", "Data", "Subtitle", "Attachment"};

bool Printable(unsigned byte)
{
    return byte >= 32 && byte <= 126;
}

} // namespace

std::string FormatDuration(std::int64_t microseconds)
{
    if (microseconds == AV_NOPTS_VALUE)
        return "N/A";
    std::int64_t seconds = microseconds / 1000000;
    return Format("%.2d:%.2d:%.2d.%.3d", static_cast<long long>(seconds / 60 / 60),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60),
                  static_cast<long long>(microseconds % 1000000 * 1000 / 1000000));
}

std::int64_t FrameDurationOf(AVRational rate)
{
    if (rate.num == 0 || rate.den == 0)
        return 40000;
    return std::int64_t(1000000) * rate.den / rate.num;
}

std::string FormatAVError(const std::string& fileName, int errorCode)
{
    for (const TErrorText& entry : ErrorTexts)
        if (entry.Code == errorCode)
            return fileName + ": " + entry.Text;
    // The library knows the system's reasons ("No space left on device") and
    // gives "Error number %d occurred" itself for a code nobody knows.
    char text[AV_ERROR_MAX_STRING_SIZE * 2] = {};
    if (FF.av_strerror && FF.av_strerror(errorCode, text, sizeof text) == 0)
        return fileName + ": " + text;
    return fileName + ": " + Format("Error number %d occurred", errorCode);
}

std::string GetMetadataText(const AVDictionary* metadata, const char* key, const std::string& defaultValue)
{
    const AVDictionaryEntry* entry = metadata && key ? FF.av_dict_get(metadata, key, nullptr, 0) : nullptr;
    return entry && entry->value ? entry->value : defaultValue;
}

std::string GetCodecText(const AVCodecParameters* parameters, TCodecRole role)
{
    if (!parameters)
        return "";
    const AVCodec* codec = role == TCodecRole::Encoder ? FF.avcodec_find_encoder(parameters->codec_id)
                                                       : FF.avcodec_find_decoder(parameters->codec_id);
    if (codec) {
        std::string longName = Trim(codec->long_name ? codec->long_name : "");
        return longName.empty() ? codec->name : Format("%s(%s)", codec->name, longName);
    }
    if (parameters->codec_id == AV_CODEC_ID_MPEG2TS)
        return "mpeg2ts";
    unsigned tag = parameters->codec_tag;
    char text[64];
    if (Printable(tag & 0xFF) && Printable(tag >> 8 & 0xFF) && Printable(tag >> 16 & 0xFF) && Printable(tag >> 24))
        std::snprintf(text, sizeof text, "%c%c%c%c / 0x%04X", tag & 0xFF, tag >> 8 & 0xFF, tag >> 16 & 0xFF, tag >> 24,
                      tag);
    else
        std::snprintf(text, sizeof text, "0x%04x", tag);
    return text;
}

std::string MediaTypeName(int type)
{
    return type >= 0 && type < int(std::size(MediaTypeNames)) ? MediaTypeNames[type] : "Unknown";
}

} // namespace tovrel
