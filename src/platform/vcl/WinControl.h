#pragma once
// TWinControl: a control with its own window (made on demand, with children
// and re-made by RecreateWnd), child controls in z-order, alignment, tab
// order, focus with CM_ENTER/CM_EXIT, keys with dialog-key handling, and the
// paint cycle (erase with the brush, PaintWindow, then graphic children).
#include "platform/vcl/Control.h"
#include "platform/wm/Window.h"

#include <exception>
#include <functional>
#include <vector>

namespace tovrel {

// The window procedure of every control's window.
LRESULT ControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    // Frees the child controls first, as the framework does: a child must not
    // be owned elsewhere (a stack object or a unique_ptr) unless it leaves its
    // parent before the parent goes.
    ~TWinControl() override;

    // Makes the window (and the parent's first); a control with no parent
    // window that is not a top-level one raises EInvalidOperation.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    // Re-makes the window with the current CreateParams; without a window the
    // children are realigned, since the frame those params give may differ.
    void RecreateWnd();
    // The frame (border, edges, menu bar) changed: the window's client area is
    // measured again (SWP_FRAMECHANGED), or without one the children realigned.
    void NonClientChanged();
    void DestroyHandle();

    // Graphic controls first, then windowed ones, each in z-order (bottom first).
    int ControlCount() const { return int(controls_.size() + winControls_.size()); }
    TControl* Controls(int index) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const;
    // The topmost visible child under a client point (disabled ones only when asked).
    TControl* ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls = false) const;

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    // Visible, enabled and so are all parents.
    bool CanFocus() const;
    virtual void SetFocus();
    bool Focused() const override;
    // Children in tab order, depth first (only windowed controls).
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();
    bool AlignDisabled() const { return alignDisabled_ > 0; }
    void Realign() { AlignFor(nullptr); }
    virtual void AdjustClientRect(TRect& rect) const;

    // The window's client area (and its origin); before the window exists,
    // the one it will have: WM_NCCALCSIZE (wParam 0) is sent through
    // WindowProc, and its default answer takes the frame of the styles
    // CreateParams gives.
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    void Invalidate() override;
    void Update() override;
    // Moves every child by (dx, dy) without realigning, as scrolled content:
    // the window's pixels scroll with them and only the uncovered strip is
    // painted again.
    void ScrollBy(int dx, int dy);
    // Paints the graphic children (from `first`, all when null) into dc,
    // each at its position and clipped to its bounds.
    void PaintControls(HDC dc, TControl* first);
    void Broadcast(TMessage& message);
    TBrush* Brush() { return brush_.get(); }

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    // The wheel over a focused control; unhandled turns go to the parent.
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    struct TCreateParams {
        std::string Caption;
        DWORD Style = 0;
        DWORD ExStyle = 0;
        int X = 0, Y = 0, Width = 0, Height = 0;
        HWND WndParent = nullptr;
        UINT WindowClassStyle = CS_DBLCLKS;
    };

protected:
    // Also asked before the window exists (to measure the client area), so it
    // must not make windows or change state.
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    virtual void PaintWindow(HDC /*dc*/) {}
    // The window took a font (WM_SETFONT: its own Font, or one sent from
    // outside, which Font has become by now); text placed by the font's
    // metrics is placed again.
    virtual void FontApplied() {}
    virtual void AlignControls(TControl* control, TRect& rect);
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char16_t& key);
    // mousePos in screen coordinates; true when handled.
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual void DoEnter();
    virtual void DoExit();
    // True when the key was taken before the control saw it (key preview).
    virtual bool DoKeyDown(WORD& key, TShiftState shift);
    void SetZOrder(bool topMost) override;
    void BoundsChanged() override;
    void AlignAfterLoading() override;
    virtual bool WantsKeyPreview() const { return false; }
    // A top-level control's menu shortcuts; true when the key was taken.
    virtual bool IsShortCut(WORD /*key*/, TShiftState /*shift*/) { return false; }
    // Follows the window after the layer moved or sized it.
    void UpdateBounds();
    // The top-level window's control (a form), or null.
    TWinControl* TopLevelControl();
    virtual bool IsTopLevel() const { return false; }

private:
    friend class TControl;
    friend LRESULT ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    void CreateHandleTree();
    void HandleKey(TMessage& message);
    void HandlePaint(TMessage& message);
    bool ForwardMouseToChild(TMessage& message);
    void FocusArrived();
    // Sends `message` to every child control (the CM_PARENT*CHANGED notices).
    void NotifyControls(UINT message);
    void ChildBoundsChanged(TControl* control);
    // WM_NCCALCSIZE without a window: the default frame of CreateParams' styles.
    void CalcFrameWithoutWindow(RECT& rect);
    // The client area in window coordinates that the window will have.
    TRect ClientAreaWithoutWindow() const;
    // Realigns; `trigger` (the control that moved or changed its Align) goes
    // first among equally placed ones.
    void AlignFor(TControl* trigger);
    bool IsDialogKey(WORD key, LPARAM keyData);
    // WM_SETFONT and WM_GETFONT (WinControlFont.cpp).
    bool HandleFontMessage(TMessage& message);
    bool TakeSentFont(HFONT font);
    void SendFontToWindow();
    void SendChangedFont();

    HWND handle_ = nullptr;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> winControls_;
    std::vector<TWinControl*> tabList_;
    bool tabStop_ = false;
    int alignDisabled_ = 0;
    bool aligning_ = false;
    std::unique_ptr<TBrush> brush_;
    // The handle a WM_SETFONT from outside gave, answered by WM_GETFONT until
    // Font changes otherwise.
    HFONT sentFont_ = nullptr;
    bool takingSentFont_ = false;
};

// Where exceptions leaving a message handler go (the application's error
// box); without a handler they propagate.
void SetMessageExceptionHandler(std::function<void(const std::exception&)> handler);
// Runs fn; an exception leaving it goes to the handler above.
void GuardMessageHandler(const std::function<void()>& fn);

// Drops a control that goes from the focus and mouse trackers.
void ControlDestroyed(TControl* control);
// The control that owns a window, or null.
TWinControl* FindControl(HWND hwnd);
// The form (a top-level control) a control sits on, or null.
TWinControl* GetParentTopLevel(TControl* control);

} // namespace tovrel
