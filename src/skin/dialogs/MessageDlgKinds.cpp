#include "skin/dialogs/MessageDlgKinds.h"

namespace tovrel {

TMsgDlgBtn DefaultButtonKind(TMsgDlgButtons Buttons)
{
    if (Buttons.Contains(mbOK))
        return mbOK;
    return Buttons.Contains(mbYes) ? mbYes : mbRetry;
}

TMsgDlgBtn CancelButtonKind(TMsgDlgButtons Buttons)
{
    if (Buttons.Contains(mbCancel))
        return mbCancel;
    return Buttons.Contains(mbNo) ? mbNo : mbOK;
}

} // namespace tovrel
