#pragma once
// Rectangles written as text: four integers (left, top, right, bottom), each
// ended by one of the separators space ( ) , : ; = or the end of the text.
#include "platform/rtl/Types.h"

#include <string>
#include <string_view>

namespace tovrel {

// Removes the first token and its separator from s; both are then trimmed.
void ExtractToken(std::string& s, std::string& token);
// (0, 0, 0, 0) when any of the four numbers is missing or not an integer.
TRect ParseRectText(std::string_view s);

} // namespace tovrel
