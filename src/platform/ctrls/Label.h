#pragma once
// The label: a caption drawn on its parent with alignment, vertical layout,
// word wrap, "&" accelerators (focusing FocusControl), transparency,
// auto size (keeping the right edge for right-aligned text) and the
// embossed look when disabled.
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/CustomControls.h"
#include "platform/vcl/GraphicsTypes.h"

namespace tovrel {

enum TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    bool Transparent() const { return !ControlStyle.Contains(csOpaque); }
    void SetTransparent(bool value);
    TComponentRef<TWinControl> FocusControl{*this};

    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    void TextChanged() override;
    // The flags DrawText gets for the caption.
    UINT DrawTextFlags() const;
    // Draws the caption into rect (DT_CALCRECT in flags only measures).
    virtual void DoDrawText(TRect& rect, UINT flags);
    void AdjustBounds();

private:
    bool autoSize_ = true;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    bool adjusting_ = false;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
};

} // namespace tovrel
