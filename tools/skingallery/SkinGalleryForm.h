#pragma once
// A form showing every skinned control built so far, each in its states,
// drawn with one skin.
#include "platform/vcl/Forms.h"

#include <memory>

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// skin may be null or empty: the controls then show their default looks. The
// skin data must outlive the form.
std::unique_ptr<TForm> BuildSkinGalleryForm(TskSkinData* skin);

} // namespace tovrel::skingallery
