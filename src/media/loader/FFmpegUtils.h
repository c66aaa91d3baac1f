#pragma once
// Small shared routines and base types of the media components: file size,
// program folder, text splitting, byte sizes, Unix time, whole-file reading.
// FFmpeg's texts are in FFmpegUtilsText.h, the option store in
// FFmpegUtilsOptions.h, picture conversion in FFmpegUtilsRGB.h and main-thread
// calls in FFmpegUtilsMainThread.h.
#include "platform/rtl/DateTime.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tovrel {

// Base of the media components (logger, probe, player, task component).
class TFFBaseComponent {
public:
    virtual ~TFFBaseComponent() = default;
};

enum class TSeekFlag { sfBackward, sfByte, sfAny, sfFrame };
// A set of TSeekFlag, one bit each in enumeration order: as FFmpeg's seek flags
// AVSEEK_FLAG_BACKWARD 1, BYTE 2, ANY 4, FRAME 8.
using TSeekFlags = unsigned;
constexpr TSeekFlags SeekFlag(TSeekFlag flag)
{
    return 1u << static_cast<int>(flag);
}
constexpr int SeekFlagsToAVFlags(TSeekFlags flags)
{
    return int(flags & 0xF);
}

// FFmpeg's picture-type numbers.
enum class TPictureType { ptUnknown, ptI, ptP, ptB, ptS, ptSI, ptSP, ptBI };

// Size in bytes, or -1 when there is no such file.
std::int64_t GetFileSizeByName(const std::string& fileName);
// The running program's folder with a trailing "/".
std::string GetApplicationPath();
// Head := text before the first separator (all of it when there is none);
// with remove, text keeps what follows the separator (empty when none).
void SplitString(std::string& text, std::string_view separator, bool remove, std::string& head);
// "%.2f GB", "%.2f MB", "%.2f KB" above each unit, else "%d Byte".
std::string FormatByteSize(std::int64_t size);
// Local time at that instant, daylight saving included when in force.
TDateTime UnixTimeToDateTime(std::int64_t seconds);
std::string FormatDateTimeText(std::string_view format, TDateTime value);

// Reads a whole file into a buffer from FFmpeg's allocator (free it with
// FF.av_free), with a zero byte after the data; size counts that byte.
// Returns 0, -1 when the file cannot be opened or read, -12 without memory.
int ReadWholeFile(const std::string& fileName, std::uint8_t*& buffer, int& size);

} // namespace tovrel
