#pragma once
#include <string_view>

#include "platform/gdi/codecs/ImageCodec.h"

namespace tovrel::test {

// Decodes the bytes with the reader of one format. A damaged file raises
// EImageError; anything else escaping, a crash, or a picture outside the
// decoders' limits is a fault.
void ExerciseImageReader(TImageFormat format, std::string_view bytes);

} // namespace tovrel::test
