#pragma once
// The status bar: panels of given widths (the last takes the rest) or one
// simple text, and a size grip (SizeGrip.h): where the bar is the corner of
// a sizable form, the grip's area answers WM_NCHITTEST with HTBOTTOMRIGHT and
// a press there sizes the form.
#include "platform/vcl/CustomControls.h"
#include "platform/vcl/GraphicsTypes.h"

#include <string>
#include <vector>

namespace tovrel {

struct TStatusPanel {
    std::string Text;
    int Width = 50;
    TAlignment Alignment = taLeftJustify;
};

class TStatusBar : public TCustomControl {
public:
    explicit TStatusBar(TComponent* owner);
    std::vector<TStatusPanel>& Panels() { return panels_; }
    // Repaints after Panels() was changed.
    void PanelsChanged() { Invalidate(); }
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& text);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);
    // The grip's square in client coordinates (empty without a grip).
    TRect GripRect() const;
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;

private:
    std::vector<TStatusPanel> panels_;
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
};

} // namespace tovrel
