#pragma once
// The single-line edit the skinned controls type into: a transparent mode
// that draws only the text over the skin image behind it, a read-only mode
// the control enforces itself (the normal look stays, copying still works),
// Enter and Escape handed to the form, and a context menu whose texts come
// from the skin's interface string table (shown through the skinned popup
// menu wherever that presenter is installed).
#include "platform/ctrls/Edit.h"
#include "platform/vcl/ComponentRef.h"
#include "skin/data/SkinData.h"

#include <functional>

namespace tovrel {

using TskOnEditCancelMode = std::function<void(TControl* C)>;

class TskCustomEdit : public TCustomEdit {
public:
    explicit TskCustomEdit(TComponent* AOwner);

    bool ReadOnly() const { return FReadOnly; }
    // Also tells the platform edit, so that its context menu offers no edits;
    // the refusal itself stays here, whatever the platform edit does.
    void SetReadOnly(bool Value)
    {
        FReadOnly = Value;
        TCustomEdit::SetReadOnly(Value);
    }
    bool EditTransparent() const { return FEditTransparent; }
    void SetEditTransparent(bool Value);
    // Where the context menu takes its texts; none: the built-in English ones.
    TComponentRef<TskSkinData> MenuSkinData{*this};

    TskOnEditCancelMode OnEditCancelMode;

    // Transparent: the parent repaints what lies under the edit, then the edit.
    void Invalidate() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& message) override;
    void Change() override;
    std::string EditMenuCaption(UINT message, std::string builtIn) const override;
    // After anything that changes what the edit shows.
    void Refresh();

private:
    // Enter and Escape: OnKeyPress, then the form's dialog keys.
    void DialogChar(TMessage& message);
    bool RefusesWhileReadOnly(const TMessage& message) const;

    bool FReadOnly = false;
    bool FEditTransparent = false;
    bool FDown = false;
};

} // namespace tovrel
