#include "app/options/SkinnedDialog.h"

#include "skin/forms/SkinForm.h"

namespace tovrel {

TskSkinForm* BeginSkinnedDialog(TForm& form, const char* name, const char* caption, int clientWidth, int clientHeight,
                                TskSkinData* skin)
{
    form.BeginLoading();
    form.SetName(name);
    form.SetCaption(caption);
    form.SetBorderStyle(bsDialog);
    form.BorderIcons = {};
    form.Position = poMainFormCenter;
    form.SetClientSize(clientWidth, clientHeight);
    auto* frame = new TskSkinForm(&form);
    frame->SetBorderIcons({TskBorderIcon::biSystemMenu});
    frame->SetSkinData(skin);
    return frame;
}

} // namespace tovrel
