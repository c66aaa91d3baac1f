#pragma once
// THintWindow: the small top-level window that shows a control's hint (never
// activated, above the other windows), and what the application's hint
// machinery tells OnShowHint about the hint it is about to show.
#include "platform/vcl/CustomControls.h"

#include <functional>
#include <string>

namespace tovrel {

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* owner);

    // Shows the hint in rect (screen coordinates) without taking the focus.
    virtual void ActivateHint(TRect rect, const std::string& hint);
    virtual void ActivateHintData(TRect rect, const std::string& hint, void* /*data*/) { ActivateHint(rect, hint); }
    // The rectangle (from 0,0) the text needs, lines broken at maxWidth.
    virtual TRect CalcHintRect(int maxWidth, const std::string& hint, void* data);
    // Hides the window (its handle goes).
    void ReleaseHandle()
    {
        SetVisible(false);
        DestroyHandle();
    }

protected:
    bool IsTopLevel() const override { return true; }
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
};

using THintWindowClass = std::function<THintWindow*(TComponent* owner)>;

struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint CursorPos; // client coordinates of HintControl
    TRect CursorRect; // the area the hint belongs to (HintControl's client)
    TPoint HintPos;   // screen position of the window's top-left
    int HintMaxWidth = 300;
    TColor HintColor = clInfoBk;
    int HideTimeout = 0; // ms; 0 = the application's HintHidePause
    void* HintData = nullptr;
};

using TShowHintEvent = std::function<void(std::string& hintStr, bool& canShow, THintInfo& hintInfo)>;

// The part of a hint before "|", and the part after it (or the whole hint).
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);

} // namespace tovrel
