#include "platform/vcl/Control.h"

#include "platform/gdi/TextFlags.h"

#include "platform/vcl/CancelMode.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/WinControl.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Paint.h"

#include <algorithm>
#include <utility>

namespace tovrel {

void TSizeConstraints::Set(int& field, int value)
{
    value = std::max(value, 0);
    if (field == value)
        return;
    field = value;
    if (OnChange)
        OnChange(this);
}

void TSizeConstraints::Apply(int& width, int& height) const
{
    if (maxWidth_ > 0)
        width = std::min(width, maxWidth_);
    if (maxHeight_ > 0)
        height = std::min(height, maxHeight_);
    width = std::max(width, minWidth_);
    height = std::max(height, minHeight_);
}

void TSizeConstraints::Assign(const TPersistent* source)
{
    const auto* other = dynamic_cast<const TSizeConstraints*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    minWidth_ = other->minWidth_;
    minHeight_ = other->minHeight_;
    maxWidth_ = other->maxWidth_;
    maxHeight_ = other->maxHeight_;
    if (OnChange)
        OnChange(this);
}

TShiftState ShiftStateFromMouseKeys(WPARAM keys)
{
    TShiftState shift;
    if (keys & MK_SHIFT)
        shift.Include(ssShift);
    if (keys & MK_CONTROL)
        shift.Include(ssCtrl);
    if (keys & MK_LBUTTON)
        shift.Include(ssLeft);
    if (keys & MK_RBUTTON)
        shift.Include(ssRight);
    if (keys & MK_MBUTTON)
        shift.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0)
        shift.Include(ssAlt);
    return shift;
}

TShiftState GetShiftState()
{
    TShiftState shift;
    const std::pair<UINT, TShiftStateFlag> keys[] = {{VK_SHIFT, ssShift},   {VK_CONTROL, ssCtrl},
                                                     {VK_MENU, ssAlt},      {VK_LBUTTON, ssLeft},
                                                     {VK_RBUTTON, ssRight}, {VK_MBUTTON, ssMiddle}};
    for (const auto& [vk, flag] : keys)
        if (GetKeyState(int(vk)) < 0)
            shift.Include(flag);
    return shift;
}

namespace {
TControl* captureControl = nullptr;
TCursor screenCursor = crDefault;

bool IsButtonPress(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: return true;
    default: return false;
    }
}
} // namespace

TCursor ScreenCursor()
{
    return screenCursor;
}

void SetScreenCursor(TCursor cursor)
{
    screenCursor = cursor;
}

HCURSOR CursorHandle(TCursor cursor)
{
    static const std::pair<TCursor, std::uintptr_t> kShapes[] = {
        {crArrow, IDC_ARROW},          {crCross, IDC_CROSS},
        {crIBeam, IDC_IBEAM},          {crSizeNESW, IDC_SIZENESW},
        {crSizeNS, IDC_SIZENS},        {crSizeNWSE, IDC_SIZENWSE},
        {crSizeWE, IDC_SIZEWE},        {crUpArrow, IDC_UPARROW},
        {crHourGlass, IDC_WAIT},       {crNo, IDC_NO},
        {crAppStart, IDC_APPSTARTING}, {crHandPoint, IDC_HAND},
        {crSizeAll, IDC_SIZEALL},
    };
    if (cursor == crNone)
        return nullptr;
    for (const auto& [framework, id] : kShapes)
        if (framework == cursor)
            return LoadCursor(nullptr, id);
    return LoadCursor(nullptr, IDC_ARROW);
}

TControl* GetCaptureControl()
{
    if (!GetCapture())
        captureControl = nullptr;
    return captureControl;
}

void SetCaptureControl(TControl* control)
{
    captureControl = nullptr;
    if (!control) {
        ReleaseCapture();
        return;
    }
    auto* windowed = dynamic_cast<TWinControl*>(control);
    TWinControl* owner = windowed ? windowed : control->Parent();
    if (!owner || !owner->HandleAllocated())
        return;
    SetCapture(owner->Handle());
    captureControl = control;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>())
{
    ControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    WindowProc = [this](TMessage& message) { WndProc(message); };
    font_->OnChange = [this](TObject*) { FontChanged(); };
    constraints_.OnChange = [this](TObject*) { SetBounds(left_, top_, width_, height_); };
}

TControl::~TControl()
{
    if (captureControl == this)
        SetCaptureControl(nullptr);
    ControlDestroyed(this);
    font_->OnChange = nullptr;
    if (parent_)
        parent_->RemoveControl(this);
}

bool TControl::Silenced() const
{
    return ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent_ == parent)
        return;
    for (TWinControl* p = parent; p; p = p->Parent())
        if (p == this)
            throw EInvalidOperation("A control cannot have itself as its parent");
    if (parent_)
        parent_->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

void TControl::SetBoundsSilently(int left, int top, int width, int height)
{
    constraints_.Apply(width, height);
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    const bool resized = width != width_ || height != height_;
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
    Invalidate();
    if (resized && !Silenced())
        Resize();
    else if (resized && ComponentState().Contains(csLoading))
        resizedWhileLoading_ = true;
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    SetBoundsSilently(left, top, width, height);
    if (parent_ && !parent_->aligning_) {
        UpdateAnchorRules();
        parent_->ChildBoundsChanged(this);
    }
}

void TControl::UpdateAnchorRules()
{
    anchorBounds_ = BoundsRect();
    anchorParentSize_ = parent_ ? TSize{parent_->ClientWidth(), parent_->ClientHeight()} : TSize{};
}

void TControl::AnchorTo(int parentWidth, int parentHeight)
{
    const int dx = parentWidth - anchorParentSize_.cx, dy = parentHeight - anchorParentSize_.cy;
    int left = anchorBounds_.Left, top = anchorBounds_.Top;
    int width = anchorBounds_.Width(), height = anchorBounds_.Height();
    if (anchors_.Contains(akRight)) {
        if (anchors_.Contains(akLeft))
            width += dx;
        else
            left += dx;
    } else if (!anchors_.Contains(akLeft)) {
        left += dx / 2;
    }
    if (anchors_.Contains(akBottom)) {
        if (anchors_.Contains(akTop))
            height += dy;
        else
            top += dy;
    } else if (!anchors_.Contains(akTop)) {
        top += dy / 2;
    }
    SetBoundsSilently(left, top, width, height);
}

void TControl::SetClientSize(int width, int height)
{
    const TRect client = ClientRect();
    SetBounds(left_, top_, width_ + width - client.Width(), height_ + height - client.Height());
}

TPoint TControl::ClientOrigin() const
{
    if (!parent_)
        return Point(left_, top_);
    const TPoint origin = parent_->ClientOrigin();
    return Point(origin.X + left_, origin.Y + top_);
}

TPoint TControl::ClientToScreen(TPoint p) const
{
    const TPoint origin = ClientOrigin();
    return Point(p.X + origin.X, p.Y + origin.Y);
}

TPoint TControl::ScreenToClient(TPoint p) const
{
    const TPoint origin = ClientOrigin();
    return Point(p.X - origin.X, p.Y - origin.Y);
}

void TControl::RequestAlign()
{
    // The parent decides: while it loads it only notes that alignment is due.
    if (parent_ && !ComponentState().Contains(csDestroying))
        parent_->AlignFor(this);
}

void TControl::SetAlign(TAlign align)
{
    if (align_ == align)
        return;
    align_ = align;
    RequestAlign();
}

void TControl::SetAnchors(TAnchors anchors)
{
    anchors_ = anchors;
    UpdateAnchorRules();
}

bool TControl::Showing() const
{
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_)
            return false;
    return true;
}

void TControl::SetVisible(bool visible)
{
    if (visible_ == visible)
        return;
    Invalidate();
    visible_ = visible;
    Perform(CM_VISIBLECHANGED, visible, 0);
    RequestAlign();
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetText(const std::string& text)
{
    if (text_ == text)
        return;
    const std::string copy = text;
    Perform(WM_SETTEXT, 0, ToLParam(copy.c_str()));
}

void TControl::FontChanged()
{
    if (!applyingParent_)
        parentFont_ = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool value)
{
    parentFont_ = value;
    if (value && parent_)
        Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetColor(TColor color)
{
    if (!applyingParent_)
        parentColor_ = false;
    if (color_ == color)
        return;
    color_ = color;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool value)
{
    parentColor_ = value;
    if (value && parent_)
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetShowHint(bool value)
{
    if (!applyingParent_)
        parentShowHint_ = false;
    if (showHint_ == value)
        return;
    showHint_ = value;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool value)
{
    parentShowHint_ = value;
    if (value && parent_)
        Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::TakeParentValues()
{
    if (parentFont_)
        Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (parentColor_)
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (parentShowHint_)
        Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::ApplyFromParent(bool follows, const std::function<void()>& apply)
{
    if (!follows || !parent_)
        return;
    // What the parent gives does not end the following, as a value set directly does.
    applyingParent_ = true;
    apply();
    applyingParent_ = false;
}

unsigned TControl::DrawTextBiDiModeFlags(unsigned flags) const
{
    if (UseRightToLeftAlignment() && (flags & DT_CENTER) == 0)
        flags = (flags & DT_RIGHT) ? (flags & ~DT_RIGHT) | DT_LEFT : flags | DT_RIGHT;
    if (UseRightToLeftReading())
        flags |= DT_RTLREADING;
    return flags;
}

void TControl::SetPopupMenu(TPopupMenu* menu)
{
    popupMenu_ = menu;
}

void TControl::DoContextPopup(TPoint mousePos, bool& handled)
{
    if (OnContextPopup)
        OnContextPopup(this, mousePos, handled);
}

void TControl::HandleContextMenu(TMessage& message)
{
    const bool fromKeyboard = message.LParam == MAKELPARAM(-1, -1);
    TPoint screen = PointFromLParam(message.LParam);
    const TPoint client = fromKeyboard ? Point(-1, -1) : ScreenToClient(screen);
    bool handled = false;
    DoContextPopup(client, handled);
    if (handled) {
        message.Result = 1;
        return;
    }
    if (!popupMenu_ || !popupMenu_->AutoPopup)
        return;
    if (fromKeyboard)
        screen = ClientToScreen(Point(width_ / 2, height_ / 2));
    popupMenu_->PopupComponent = this;
    popupMenu_->Popup(screen.X, screen.Y);
    message.Result = 1;
}

void TControl::Loaded()
{
    TComponent::Loaded();
    if (parent_) {
        UpdateAnchorRules();
        TakeParentValues();
    }
    AlignAfterLoading();
    if (std::exchange(resizedWhileLoading_, false))
        Resize();
}

LRESULT TControl::Perform(UINT message, WPARAM wParam, LPARAM lParam)
{
    TMessage m{message, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::Invalidate()
{
    if (parent_ && parent_->HandleAllocated() && visible_) {
        const TRect r = BoundsRect();
        InvalidateRect(parent_->Handle(), &r, !ControlStyle.Contains(csOpaque));
    }
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::Update()
{
    if (parent_)
        parent_->Update();
}

void TControl::SetZOrder(bool topMost)
{
    if (!parent_)
        return;
    auto& list = parent_->controls_;
    const auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end())
        return;
    list.erase(it);
    if (topMost)
        list.push_back(this);
    else
        list.insert(list.begin(), this);
    Invalidate();
}

bool TControl::MouseCapture() const
{
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool value)
{
    if (value)
        SetCaptureControl(this);
    else if (MouseCapture())
        SetCaptureControl(nullptr);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

void TControl::HandleMouse(TMessage& message)
{
    const int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
    TShiftState shift = ShiftStateFromMouseKeys(message.WParam);
    auto buttonOf = [](UINT msg) {
        switch (msg) {
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK: return mbRight;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK: return mbMiddle;
        default: return mbLeft;
        }
    };
    const TMouseButton button = buttonOf(message.Msg);
    if (IsButtonPress(message.Msg))
        SendCancelMode(this);
    switch (message.Msg) {
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (ControlStyle.Contains(csDoubleClicks)) {
            if (button == mbLeft) {
                if (ControlStyle.Contains(csCaptureMouse))
                    SetMouseCapture(true);
                if (ControlStyle.Contains(csClickEvents))
                    DblClick();
            }
            shift.Include(ssDouble);
            MouseDown(button, shift, x, y);
            break;
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (button == mbLeft) {
            if (ControlStyle.Contains(csCaptureMouse))
                SetMouseCapture(true);
            if (ControlStyle.Contains(csClickEvents))
                ControlState.Include(csClicked);
        }
        MouseDown(button, shift, x, y);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        bool clicked = false;
        if (button == mbLeft) {
            if (ControlStyle.Contains(csCaptureMouse))
                SetMouseCapture(false);
            clicked = ControlState.Contains(csClicked);
            ControlState.Exclude(csClicked);
        }
        if (clicked && ClientRect().Contains(Point(x, y)))
            Click();
        MouseUp(button, shift, x, y);
        break;
    }
    case WM_MOUSEMOVE: MouseMove(shift, x, y); break;
    default: break;
    }
}

void TControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: HandleMouse(message); break;
    case WM_SETTEXT:
        text_ = message.LParam ? FromLParam<const char>(message.LParam) : "";
        DefaultHandler(message);
        message.Result = 1;
        TextChanged();
        Perform(CM_TEXTCHANGED, 0, 0);
        return;
    case WM_CONTEXTMENU:
        HandleContextMenu(message);
        if (message.Result)
            return;
        break;
    case WM_GETTEXTLENGTH: message.Result = LRESULT(text_.size()); return;
    case CM_MOUSEENTER:
        if (OnMouseEnter)
            OnMouseEnter(this);
        break;
    case CM_MOUSELEAVE:
        if (OnMouseLeave)
            OnMouseLeave(this);
        break;
    case CM_PARENTFONTCHANGED: ApplyFromParent(parentFont_, [this] { font_->Assign(parent_->Font()); }); break;
    case CM_PARENTCOLORCHANGED: ApplyFromParent(parentColor_, [this] { SetColor(parent_->Color()); }); break;
    case CM_PARENTSHOWHINTCHANGED:
        ApplyFromParent(parentShowHint_, [this] { SetShowHint(parent_->ShowHint()); });
        break;
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED: Invalidate(); break;
    default: break;
    }
    DefaultHandler(message);
}

} // namespace tovrel
