#pragma once
// A form showing every standard control, filled with sample content.
#include "platform/vcl/Forms.h"

#include <memory>
#include <stdexcept>

namespace tovrel::gallery {

std::unique_ptr<TForm> BuildGalleryForm();

// The form's first control of a kind (the gallery has one of each it asks for).
template <class T> T* FirstControlOf(TForm& form)
{
    for (int i = 0; i < form.ControlCount(); ++i)
        if (auto* control = dynamic_cast<T*>(form.Controls(i)))
            return control;
    throw std::logic_error("the gallery has no such control");
}

} // namespace tovrel::gallery
