#pragma once
// Controls placed in code: made, named, parented and put at their bounds.
#include "platform/vcl/WinControl.h"

namespace tovrel {

template <class T> T* Placed(TComponent* owner, TWinControl& parent, TRect bounds, const char* name = nullptr)
{
    auto* control = new T(owner);
    if (name)
        control->SetName(name);
    control->SetParent(&parent);
    control->SetBoundsRect(bounds);
    return control;
}

} // namespace tovrel
