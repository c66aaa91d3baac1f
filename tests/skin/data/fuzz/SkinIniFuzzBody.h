#pragma once
#include <string_view>

namespace tovrel::test {

// Parses the text as a skin description the way a skin load does (every fixed
// section, both entry lists with their sections), writes it back and reads the
// result again. Bad values may raise the format's own exceptions; anything else
// escaping, or a crash, is a fault.
void ExerciseSkinIniText(std::string_view text);

} // namespace tovrel::test
