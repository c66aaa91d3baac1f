#pragma once
// The pictures of the stock icons, drawn by the program: a window
// (IDI_APPLICATION), a red circle with a cross (IDI_HAND), a blue circle with
// "?" (IDI_QUESTION), a yellow triangle with "!" (IDI_EXCLAMATION) and a blue
// circle with "i" (IDI_ASTERISK).
#include "platform/gdi/IconImage.h"

#include <cstdint>
#include <vector>

namespace tovrel {

// The 32- and 16-pixel pictures of a stock icon (straight alpha); empty for
// other names.
std::vector<TIconImage> DrawStockIcon(std::uintptr_t name);

} // namespace tovrel
