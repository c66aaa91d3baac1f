// Stream strings and little-endian integers on standard streams.
#include "skin/draw/StreamStrings.h"

#include "platform/rtl/Text.h"

namespace tovrel {

namespace {

[[noreturn]] void ReadError()
{
    throw EskBitmapError("Stream read error");
}

} // namespace

std::uint64_t BytesLeft(std::istream& stream)
{
    const auto here = stream.tellg();
    if (here < 0)
        ReadError();
    stream.seekg(0, std::ios::end);
    const auto end = stream.tellg();
    stream.seekg(here);
    if (end < here)
        ReadError();
    return std::uint64_t(end - here);
}

void ReadExact(std::istream& stream, void* buffer, std::size_t size)
{
    if (size == 0)
        return;
    if (!stream.read(static_cast<char*>(buffer), std::streamsize(size)))
        ReadError();
}

void WriteInt32(std::ostream& stream, std::int32_t value)
{
    const auto v = std::uint32_t(value);
    const char bytes[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    stream.write(bytes, 4);
}

std::int32_t ReadInt32(std::istream& stream)
{
    unsigned char b[4];
    ReadExact(stream, b, 4);
    return std::int32_t(std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) |
                        (std::uint32_t(b[3]) << 24));
}

void WriteStringToStream(std::ostream& stream, const std::string& s)
{
    const std::u16string units = Utf8ToUtf16(s);
    WriteInt32(stream, std::int32_t(units.size()));
    for (char16_t u : units) {
        const char bytes[2] = {char(u & 0xFF), char(u >> 8)};
        stream.write(bytes, 2);
    }
}

void ReadStringFromStream(std::istream& stream, std::string& s)
{
    const std::int32_t count = ReadInt32(stream);
    if (count < 0 || std::uint64_t(count) * 2 > BytesLeft(stream))
        ReadError();
    std::string raw(std::size_t(count) * 2, '\0');
    ReadExact(stream, raw.data(), raw.size());
    std::u16string units(std::size_t(count), u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = char16_t(std::uint8_t(raw[2 * i]) | (std::uint8_t(raw[2 * i + 1]) << 8));
    s = Utf16ToUtf8(units);
}

} // namespace tovrel
