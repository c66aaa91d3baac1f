#pragma once
// Shows one of the stored icons as a control's picture.
#include <string_view>

namespace tovrel {

class TImage;

// Picture `index` of the stored icon set `icons` (a PNG) into `image`.
void ShowStoredIcon(TImage& image, std::string_view icons, int index);

} // namespace tovrel
