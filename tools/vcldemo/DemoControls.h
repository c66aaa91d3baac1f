#pragma once
// The demo's own small controls: a coloured panel with a caption (a window
// of its own), and two graphic controls painted by their parent: a caption
// label and a colour swatch.
#include "platform/vcl/CustomControls.h"

namespace tovrel::demo {

class TColourPanel : public TCustomControl {
public:
    explicit TColourPanel(TComponent* owner);

protected:
    void Paint() override;
};

class TCaptionLabel : public TGraphicControl {
public:
    explicit TCaptionLabel(TComponent* owner);

protected:
    void Paint() override;
};

// A filled rounded rectangle with a dark frame.
class TSwatch : public TGraphicControl {
public:
    explicit TSwatch(TComponent* owner);

protected:
    void Paint() override;
};

} // namespace tovrel::demo
