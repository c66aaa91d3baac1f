#pragma once
// The edit a list or tree view puts over an item's caption while it is
// renamed: Enter and losing the focus keep the text, Escape drops it. The
// owner is told once through `finished` and then frees the editor later
// (CM_RELEASE), never inside the editor's own handler.
#include "platform/ctrls/Edit.h"

#include <functional>

namespace tovrel {

class TInPlaceEditor : public TCustomEdit {
public:
    TInPlaceEditor(TWinControl& owner, std::function<void(bool keep)> finished);
    void DefaultHandler(TMessage& message) override;

private:
    void Finish(bool keep);
    std::function<void(bool)> finished_;
};

// Hides the editor, gives the focus back to `owner` when the editor had it,
// and frees the editor once its handlers have returned; returns its text.
std::string CloseInPlaceEditor(TCustomEdit& editor, TWinControl& owner);

} // namespace tovrel
