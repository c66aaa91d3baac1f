// The skin-change broadcast of TskSkinData to the open forms.
#include <vector>

#include "platform/vcl/Application.h"
#include "platform/wm/MessageLoop.h"
#include "skin/data/SkinData.h"

namespace tovrel {

void TskSkinData::SendSkinDataMessage(unsigned M)
{
    const auto send = [&](HWND window) {
        SendMessage(window, M, reinterpret_cast<WPARAM>(this), SkinDataMessageLParam);
    };
    TCustomForm* ownerForm = nullptr;
    if (auto* form = dynamic_cast<TCustomForm*>(Owner()); form && !FShowLayeredBorders) {
        ownerForm = form;
        send(form->Handle());
    }
    // Handles are taken first: receivers may open or close forms while they handle the message.
    std::vector<HWND> windows;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (form == ownerForm || form->ClassName() == "TskFormLayerWindow")
            continue;
        windows.push_back(form->Handle());
    }
    if (FShowLayeredBorders && LayerFrame.PictureIndex != -1) {
        for (auto it = windows.rbegin(); it != windows.rend(); ++it)
            send(*it);
    } else {
        for (HWND window : windows)
            send(window);
    }
}

} // namespace tovrel
