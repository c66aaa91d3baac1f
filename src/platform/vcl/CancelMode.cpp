#include "platform/vcl/CancelMode.h"

#include "platform/vcl/Forms.h"

#include <vector>

namespace tovrel {

void SendCancelMode(TControl* pressed)
{
    // The forms are listed first: a handler may change the active controls.
    std::vector<TCustomForm*> forms;
    for (TControl* c = pressed; c; c = c->Parent())
        if (auto* form = dynamic_cast<TCustomForm*>(c))
            forms.push_back(form);
    for (TCustomForm* form : forms)
        if (TWinControl* active = form->ActiveControl(); active && active != pressed)
            active->Perform(CM_CANCELMODE, 0, ToLParam(pressed));
}

} // namespace tovrel
