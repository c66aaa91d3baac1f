#pragma once
// File names for libavformat. Linux names are UTF-8 bytes and reach FFmpeg as
// they are; names of the "unicode:utf8:" form (made by MakeUnicodeURL or kept
// from elsewhere) open through a custom I/O context over the file itself,
// since FFmpeg no longer takes protocols from its callers. Every name is
// returned by value: no buffer is shared between threads.
#include <cstdint>
#include <string>
#include <string_view>

struct AVDictionary;
struct AVFormatContext;
struct AVInputFormat;
struct AVIOContext;

namespace tovrel {

inline constexpr std::string_view UnicodeURLPrefix = "unicode:utf8:";

bool NeedsUnicodeName(std::string_view fileName);
// The name to hand to libavformat.
std::string EncodeAVFileName(std::string_view fileName);
// The file name behind a name from libavformat ("unicode:utf8:" removed).
std::string DecodeAVFileName(std::string_view name);
bool IsUnicodeURL(std::string_view name);
std::string MakeUnicodeURL(std::string_view fileName);
std::string UnicodeURLToFileName(std::string_view name);

// The I/O callbacks over one open file (`opaque` is the file's record).
// Open flags are AVIO_FLAG_READ, AVIO_FLAG_WRITE or both (write truncates).
void* UnicodeOpen(const char* name, int flags, int& error);
int UnicodeRead(void* opaque, std::uint8_t* buffer, int size);
int UnicodeWrite(void* opaque, std::uint8_t* buffer, int size);
std::int64_t UnicodeSeek(void* opaque, std::int64_t position, int whence);
void UnicodeClose(void* opaque);

// avio_open2 / avio_closep for either kind of name.
int UnicodeAVIOOpen(AVIOContext** pb, const std::string& url, int flags);
int UnicodeAVIOClose(AVIOContext** pb);
// avformat_open_input / avformat_close_input for either kind of name.
int UnicodeOpenInput(AVFormatContext** context, const std::string& url, const AVInputFormat* format,
                     AVDictionary** options);
void UnicodeCloseInput(AVFormatContext** context);

} // namespace tovrel
