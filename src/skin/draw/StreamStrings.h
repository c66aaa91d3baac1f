#pragma once
// Little-endian values and stream strings (a 32-bit count of UTF-16 code units,
// then the code units) on standard streams. Reads that run past the end, or a
// count the stream cannot hold, raise EskBitmapError.
#include "skin/draw/SkinBitmap.h"

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

namespace tovrel {

void WriteStringToStream(std::ostream& stream, const std::string& s);
void ReadStringFromStream(std::istream& stream, std::string& s);

void WriteInt32(std::ostream& stream, std::int32_t value);
std::int32_t ReadInt32(std::istream& stream);
void ReadExact(std::istream& stream, void* buffer, std::size_t size);
// Bytes left between the read position and the end.
std::uint64_t BytesLeft(std::istream& stream);

} // namespace tovrel
