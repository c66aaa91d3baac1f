#pragma once
// TControl: what every visible control has, windowed or not: parent, bounds,
// alignment, anchors and constraints, visibility and enabling, text, font
// and colour (optionally the parent's), the message entry (WindowProc ->
// WndProc -> DefaultHandler) and the mouse and click events.
#include "platform/vcl/Component.h"
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/ControlTypes.h"
#include "platform/vcl/GraphicsObjects.h"

#include <memory>
#include <string>

namespace tovrel {

class TWinControl;
class TPopupMenu;

using TContextPopupEvent = std::function<void(TObject* sender, TPoint mousePos, bool& handled)>;

class TSizeConstraints : public TPersistent {
public:
    int MinWidth() const { return minWidth_; }
    int MinHeight() const { return minHeight_; }
    int MaxWidth() const { return maxWidth_; } // 0: no limit
    int MaxHeight() const { return maxHeight_; }
    void SetMinWidth(int v) { Set(minWidth_, v); }
    void SetMinHeight(int v) { Set(minHeight_, v); }
    void SetMaxWidth(int v) { Set(maxWidth_, v); }
    void SetMaxHeight(int v) { Set(maxHeight_, v); }
    void Apply(int& width, int& height) const;
    void Assign(const TPersistent* source) override;
    TNotifyEvent OnChange;

private:
    void Set(int& field, int value);
    int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    // Applies the constraints; moves the window when there is one; realigns.
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect ClientRect() const { return Rect(0, 0, width_, height_); }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
    void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
    virtual void SetClientSize(int width, int height);
    // Screen position of the client area's origin.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors);
    TSizeConstraints* Constraints() { return &constraints_; }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible here and in every parent.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    const std::string& Caption() const { return text_; }
    void SetCaption(const std::string& text) { SetText(text); }

    TFont* Font() { return font_.get(); }
    void SetFont(const TFont* font) { font_->Assign(font); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);

    TCursor Cursor = crDefault;
    TBiDiMode BiDiMode = bdLeftToRight;
    bool UseRightToLeftReading() const { return BiDiMode != bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return BiDiMode == bdRightToLeft; }
    // DrawText flags for this control's reading order: right-to-left reading
    // adds DT_RTLREADING, right-to-left alignment swaps DT_LEFT and DT_RIGHT.
    unsigned DrawTextBiDiModeFlags(unsigned flags) const;
    std::string Hint;
    // Whether the control's hint shows. ParentShowHint (the default) takes
    // the parent's value and follows it; setting ShowHint clears it.
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value);

    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    TContextPopupEvent OnContextPopup;

    TControlStyle ControlStyle;
    TControlState ControlState;

    // Replaceable entry of every message; restore the saved value to unhook.
    TWndMethod WindowProc;
    LRESULT Perform(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void WndProc(TMessage& message);
    virtual void DefaultHandler(TMessage& /*message*/) {}

    virtual void Invalidate();
    void Repaint();
    void Refresh() { Repaint(); }
    virtual void Update();
    virtual bool Focused() const { return false; }
    void BringToFront() { SetZOrder(true); }
    void SendToBack() { SetZOrder(false); }
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    virtual void Click();
    virtual void DblClick();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

protected:
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void Resize();
    virtual void SetZOrder(bool topMost);
    // The text of a window, read from and written to it by TWinControl.
    virtual void TextChanged() {}
    virtual void BoundsChanged() {}
    // Loaded clears the loading state, aligns what loading held back, then
    // reports a resize that loading kept silent.
    void Loaded() override;
    virtual void AlignAfterLoading() {}
    // OnContextPopup; `handled` stops the popup menu. mousePos is in client
    // coordinates, (-1, -1) from the keyboard.
    virtual void DoContextPopup(TPoint mousePos, bool& handled);
    void RequestAlign();
    void UpdateAnchorRules();
    void SetBoundsSilently(int left, int top, int width, int height);
    bool Silenced() const;

private:
    friend class TWinControl;
    void HandleMouse(TMessage& message);
    void HandleContextMenu(TMessage& message);
    void FontChanged();
    // Takes the font, colour and hint showing of the parent, where this control follows it.
    void TakeParentValues();
    void ApplyFromParent(bool follows, const std::function<void()>& apply);
    void AnchorTo(int parentWidth, int parentHeight);

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = alNone;
    TAnchors anchors_{akLeft, akTop};
    TRect anchorBounds_;
    TSize anchorParentSize_;
    TSizeConstraints constraints_;
    bool visible_ = true;
    bool enabled_ = true;
    std::string text_;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = false;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    bool applyingParent_ = false;
    bool resizedWhileLoading_ = false;
    TComponentRef<TPopupMenu> popupMenu_{*this};
};

// The control under the mouse capture (a graphic control included), or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

} // namespace tovrel
