#pragma once
// What a scripted run of the gallery checks: the state its synthetic input
// should have changed, written as "key=value" lines.
#include "platform/vcl/Forms.h"

#include <string>

namespace tovrel::gallery {

// Writes the first edit's text, the list box selection, the list view's top
// row and the form's size to path; throws when the file cannot be written.
void WriteGalleryReport(TForm& form, const std::string& path);

} // namespace tovrel::gallery
