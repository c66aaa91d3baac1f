#pragma once
#include <string_view>

namespace tovrel::test {

// Loads the bytes as a PCX picture into a skin bitmap. Damaged data raises
// EskBitmapError; anything else escaping, a crash, or a picture whose pixels
// do not match its size is a fault.
void ExercisePcxReader(std::string_view bytes);

} // namespace tovrel::test
