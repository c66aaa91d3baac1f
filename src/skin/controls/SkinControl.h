#pragma once
// Base of the windowed skinned controls.
#include "platform/vcl/CustomControls.h"
#include "skin/controls/SkinnedControl.h"

namespace tovrel {

// Sent to children that show their parent through, after the parent's image changed.
constexpr unsigned CheckParentBackgroundMessage = 1284;
// Asks a window to paint itself into the DC in WParam; those that paint
// themselves otherwise (the frame, the views) answer SkinPaintDoneResult.
constexpr unsigned SkinPaintToMessage = 45513;
constexpr LRESULT SkinPaintDoneResult = 12851;

class TskSkinControl : public TskSkinned<TCustomControl> {
public:
    explicit TskSkinControl(TComponent* AOwner) : TskSkinned(AOwner) {}

    // A hook after a skin change; nothing here.
    virtual void AfterChangeSkinData() {}
    // Re-reads what lies behind the control; transparent controls override it.
    virtual void CheckParentBackground() {}
    // Sends CheckParentBackgroundMessage to every direct child.
    void CheckControlsBackground();

protected:
    void WndProc(TMessage& message) override;
    // For a control that takes the focus when pressed: a press on it without
    // the focus first takes the focus, with command notifications held back
    // meanwhile. True when the message is to be dropped (the focus change was
    // refused, or a command came during it).
    bool FocusClickSwallows(TMessage& message);

    // True only while the control paints in answer to WM_PAINT.
    bool FromWMPaint = false;

private:
    bool FClicksDisabled = false;
};

} // namespace tovrel
