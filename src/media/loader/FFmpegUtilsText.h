#pragma once
// FFmpeg values as text: durations, frame durations, error codes, metadata,
// codec names and media types.
#include <cstdint>
#include <string>

extern "C" {
#include <libavcodec/codec_par.h>
#include <libavutil/dict.h>
#include <libavutil/rational.h>
}

namespace tovrel {

// "hh:mm:ss.zzz" from microseconds (hours not wrapped); "N/A" for AV_NOPTS_VALUE.
std::string FormatDuration(std::int64_t microseconds);
// Microseconds of one frame at `rate`; 40000 when either part is 0.
std::int64_t FrameDurationOf(AVRational rate);
// fileName + ": " + the error's text.
std::string FormatAVError(const std::string& fileName, int errorCode);
// The first entry with that key, or defaultValue.
std::string GetMetadataText(const AVDictionary* metadata, const char* key, const std::string& defaultValue);
// Which side of a codec a lookup means.
enum class TCodecRole { Decoder, Encoder };

// The encoder's or decoder's "name(long name)", else a name from the codec id or tag.
std::string GetCodecText(const AVCodecParameters* parameters, TCodecRole role);
std::string MediaTypeName(int type);

} // namespace tovrel
