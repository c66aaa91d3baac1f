// The edit's margins follow each font its window takes: both go back to the
// font-based width, so a handler of WM_SETFONT that sets its own margins after
// the default handling keeps them until the next font.
#include "platform/ctrls/Edit.h"
#include "platform/ctrls/EditView.h"

namespace tovrel {

void TCustomEdit::FontApplied()
{
    view_->SetMargins(EC_LEFTMARGIN | EC_RIGHTMARGIN, int(EC_USEFONTINFO), int(EC_USEFONTINFO));
    CaretMoved();
}

} // namespace tovrel
