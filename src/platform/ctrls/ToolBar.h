#pragma once
// The tool bar: tool buttons in a row, each ButtonWidth x ButtonHeight
// (separators narrower), with images from Images and optional captions.
// Buttons are flat: raised under the pointer, sunken while pressed or down.
// Check buttons stay down; grouped check buttons beside each other act as
// radio buttons.
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/CustomControls.h"
#include "platform/vcl/ImageList.h"

namespace tovrel {

enum TToolButtonStyle : std::uint8_t { tbsButton, tbsCheck, tbsSeparator, tbsDivider };

class TToolBar;

class TToolButton : public TGraphicControl {
public:
    explicit TToolButton(TComponent* owner);
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool Grouped = false;
    bool AllowAllUp = false;
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    void Click() override;
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;

private:
    TToolBar* Bar() const;
    TToolButtonStyle style_ = tbsButton;
    bool down_ = false;
    int imageIndex_ = -1;
    bool hot_ = false;
    bool pressing_ = false;
};

class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* owner);
    int ButtonWidth() const { return buttonWidth_; }
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonSize(int width, int height);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool value);
    // Places the buttons left to right.
    void ArrangeButtons();

protected:
    void AlignControls(TControl* control, TRect& rect) override;

private:
    int buttonWidth_ = 23, buttonHeight_ = 22;
    TComponentRef<TCustomImageList> images_{*this};
    bool showCaptions_ = false;
    bool arranging_ = false;
};

} // namespace tovrel
