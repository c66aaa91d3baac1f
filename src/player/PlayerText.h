#pragma once
// printf-style texts of the player's messages (they are FFmpeg-style formats).
#include <string>

namespace tovrel {

std::string PlayerText(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace tovrel
