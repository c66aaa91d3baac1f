#pragma once
// The probe's information text: the file's lines, its programs and one line
// per stream, in the manner of the tools' format dump. Every line ends in CR LF.
#include <cstdint>
#include <string>
#include <string_view>

struct AVDictionary;
struct AVFormatContext;

namespace tovrel {

std::string ProbeInfoText(const AVFormatContext& context, std::int64_t fileSize);

// The name a stored metadata key is shown as ("TALB" -> "album"), else the key.
std::string_view ShownMetadataKey(std::string_view key);

// One rate part of a video stream line: ", 25 fps", ", 29.97 fps", ", 90k tbn".
std::string RateText(double value, const char* label);

// "seconds.micro" as "%d.%.6d", the sign in front for times before 0.
std::string SecondsText(std::int64_t microseconds);

// The "creation_time" tag as Unix seconds; 0 when absent or unreadable.
std::int64_t MetadataTimeStamp(const AVDictionary* metadata);

} // namespace tovrel
