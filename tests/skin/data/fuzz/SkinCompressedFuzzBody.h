#pragma once
#include <string_view>

namespace tovrel::test {

// Loads the bytes as a compressed skin file the way the program does: outer
// layout, unpacking, content and description, into a skin data object. A
// damaged file may raise the loaders' own exceptions (stream, zlib, picture,
// value and list errors); anything else escaping, or a crash, is a fault.
void ExerciseCompressedSkin(std::string_view bytes);

// The same for the unpacked content (version, pictures, description): it is
// packed first, so every input gets past zlib's checksum to the content.
void ExerciseSkinContent(std::string_view content);

} // namespace tovrel::test
