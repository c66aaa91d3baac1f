#pragma once
// The two records that describe a conversion task's inputs and outputs, their
// defaults, and the option text ("name=value" lines) that travels with them.
#include <cstdint>
#include <string>
#include <vector>

namespace tovrel {

// FFmpeg's no-value time stamp: only the top bit set. Times are microseconds.
constexpr std::int64_t kUnsetTime = INT64_MIN;

struct TInputOptions {
    std::string FileName;   // empty: the name given to AddTask/AddInputFile
    std::string FileFormat; // forced container format; empty: detected
    std::int64_t TimeStart = kUnsetTime;
    std::int32_t ProgramID = -1; // -1: all programs
    std::string ExtOptions;      // input option text
    std::int32_t Tag = 0;
    void* Data = nullptr;
};

struct TStreamInfo {
    double TimeStamp = -1.0; // local date-time in days; 0 = now, below 0 = none
    std::int32_t Year = -1;
    std::int32_t Track = -1;
    std::string Title;
    std::string Author;
    std::string Copyright;
    std::string Comment;
    std::string Album;
    std::string Genre;
};

enum class TOptionTargetType { ttIgnore, ttVCD, ttSVCD, ttDVD };
enum class TOptionNormType { ntAuto, ntPAL, ntNTSC };
// Only ntPAL and ntNTSC are meaningful as the fallback norm.
using TOptionNormDefault = TOptionNormType;

struct TOutputOptions {
    std::string FileName; // empty: the name given to SetOutputFile
    std::string FileExt;  // kept for callers; the engine does not read it
    std::string FileFormat;
    std::int32_t PacketSize = -1;
    std::int32_t MuxRate = -1;
    float MuxDelay = -1.0f;
    float MuxPreload = -1.0f;
    std::string AudioCodec;
    std::string AudioPreset;
    bool DisableAudio = false;
    std::int32_t AudioVolume = -1;
    std::int32_t AudioChannels = -1;
    std::int32_t AudioSampleRate = -1;
    std::int32_t AudioBitrate = -1;
    std::int32_t AudioBitRateTolerance = -1;
    std::string AudioLanguage;
    std::int32_t AudioSyncMethod = 0;
    std::string AudioTag;
    std::string VideoCodec;
    std::string VideoPreset;
    bool DisableVideo = false;
    std::string FrameRate;
    std::string FrameSize;
    std::string FrameAspectRatio;
    std::int32_t CropTop = -1;
    std::int32_t CropBottom = -1;
    std::int32_t CropLeft = -1;
    std::int32_t CropRight = -1;
    std::int32_t GroupPictureSize = -1;
    std::int32_t VideoBitrate = -1;
    std::int32_t VideoMaxRate = -1;
    std::int32_t VideoMinRate = -1;
    std::int32_t VideoBitRateTolerance = -1;
    std::int32_t VideoBufSize = -1;
    std::int32_t VideoSyncMethod = -1;
    std::string VideoTag;
    std::string VideoFilters;
    std::string VideoLanguage;
    std::string SubtitleCodec;
    std::string SubtitlePreset;
    bool DisableSubtitle = false;
    std::string SubtitleLanguage;
    bool InputSync = false;
    bool CopyTimestamp = false;
    std::int64_t TimeStart = kUnsetTime;
    std::int64_t TimeLength = kUnsetTime;
    TStreamInfo Info;
    TOptionTargetType TargetType = TOptionTargetType::ttIgnore;
    TOptionNormType NormType = TOptionNormType::ntAuto;
    TOptionNormDefault NormDefault = TOptionNormType::ntPAL;
    bool CustomHook = false;
    bool Join = false;
    std::string ExtOptions; // output option text
    std::int32_t Tag = 0;
    void* Data = nullptr;
};

void InitInputOptions(TInputOptions& options);
void InitOutputOptions(TOutputOptions& options);

// One line of option text, cut at its first "=".
struct TOptionLine {
    std::string Name;
    std::string Value;
    bool operator==(const TOptionLine&) const = default;
};

// Splits option text into lines: the text is trimmed, every line break and the
// literal "<CRLF>" end a line, a line without "=" is a name with an empty value.
std::vector<TOptionLine> ParseOptionText(const std::string& text);

// The text forms of AddTask/AddInputFile and SetOutputFile: the known keys fill
// their fields, every other line is kept in ExtOptions as "name=value\n".
TInputOptions InputOptionsFromText(const std::string& text);
TOutputOptions OutputOptionsFromText(const std::string& text);

} // namespace tovrel
