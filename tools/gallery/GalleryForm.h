#pragma once
// A form showing every standard control, filled with sample content.
#include "platform/vcl/Forms.h"

#include <memory>

namespace tovrel::gallery {

std::unique_ptr<TForm> BuildGalleryForm();

} // namespace tovrel::gallery
