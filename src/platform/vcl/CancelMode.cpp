#include "platform/vcl/CancelMode.h"

#include "platform/vcl/Forms.h"

#include <algorithm>
#include <vector>

namespace tovrel {

void SendCancelMode(TControl* pressed)
{
    // The forms are listed first: a handler may change the active controls.
    std::vector<TCustomForm*> forms;
    for (TControl* c = pressed; c; c = c->Parent())
        if (auto* form = dynamic_cast<TCustomForm*>(c))
            forms.push_back(form);
    // A control active in a form and in the form around it hears once.
    std::vector<TWinControl*> told;
    for (TCustomForm* form : forms) {
        TWinControl* active = form->ActiveControl();
        if (!active || active == pressed || std::find(told.begin(), told.end(), active) != told.end())
            continue;
        told.push_back(active);
        active->Perform(CM_CANCELMODE, 0, ToLParam(pressed));
    }
}

} // namespace tovrel
