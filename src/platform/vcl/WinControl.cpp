#include "platform/vcl/WinControl.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/vcl/CancelMode.h"
#include "platform/vcl/Errors.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Paint.h"
#include "platform/wm/WindowPos.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace tovrel {

namespace {

std::unordered_map<HWND, TWinControl*>& Windows()
{
    static std::unordered_map<HWND, TWinControl*> windows;
    return windows;
}

TWinControl* creating = nullptr;
TControl* mouseControl = nullptr;
TWinControl* focusedControl = nullptr;

std::string ClassNameFor(UINT classStyle)
{
    const std::string name = "TTovrelControl" + std::to_string(classStyle);
    WNDCLASSEX wc;
    if (!GetClassInfoEx(nullptr, name, &wc)) {
        wc = WNDCLASSEX{};
        wc.style = classStyle;
        wc.lpfnWndProc = ControlWindowProc;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = name.c_str();
        RegisterClassEx(&wc);
    }
    return name;
}

bool IsClientMouseMessage(UINT message)
{
    return message == WM_MOUSEMOVE || (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK);
}

} // namespace

namespace {
std::function<void(const std::exception&)>& ExceptionHandler()
{
    static std::function<void(const std::exception&)> handler;
    return handler;
}
} // namespace

void SetMessageExceptionHandler(std::function<void(const std::exception&)> handler)
{
    ExceptionHandler() = std::move(handler);
}

void GuardMessageHandler(const std::function<void()>& fn)
{
    if (!ExceptionHandler()) {
        fn();
        return;
    }
    try {
        fn();
    } catch (const std::exception& error) {
        ExceptionHandler()(error);
    }
}

LRESULT ControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto& windows = Windows();
    auto it = windows.find(hwnd);
    TWinControl* control = it == windows.end() ? nullptr : it->second;
    if (!control && creating) {
        control = creating;
        creating = nullptr;
        control->handle_ = hwnd;
        windows[hwnd] = control;
    }
    if (!control)
        return DefWindowProc(hwnd, message, wParam, lParam);
    TMessage m{message, wParam, lParam, 0};
    GuardMessageHandler([&] { control->WindowProc(m); });
    if (message == CM_RELEASE) {
        // Freed here, after its own handlers have returned.
        if (FindControl(hwnd) == control)
            TObject::Free(control);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        // The control may be gone by now; look it up again.
        auto after = windows.find(hwnd);
        if (after != windows.end()) {
            if (after->second->handle_ == hwnd)
                after->second->handle_ = nullptr;
            windows.erase(after);
        }
    }
    return m.Result;
}

TWinControl* FindControl(HWND hwnd)
{
    auto it = Windows().find(hwnd);
    return it == Windows().end() ? nullptr : it->second;
}

std::function<void(TControl*)>& MouseControlHook()
{
    static std::function<void(TControl*)> hook;
    return hook;
}

void SetMouseControlHook(std::function<void(TControl*)> hook)
{
    MouseControlHook() = std::move(hook);
}

namespace {
void MouseControlChanged(TControl* control)
{
    if (MouseControlHook())
        MouseControlHook()(control);
}
} // namespace

void ControlDestroyed(TControl* control)
{
    if (mouseControl == control) {
        mouseControl = nullptr;
        MouseControlChanged(nullptr);
    }
    if (focusedControl == control)
        focusedControl = nullptr;
}

TWinControl* GetParentTopLevel(TControl* control)
{
    TWinControl* top = dynamic_cast<TWinControl*>(control);
    for (TWinControl* p = control ? control->Parent() : nullptr; p; p = p->Parent())
        top = p;
    return top;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner), brush_(std::make_unique<TBrush>())
{
    brush_->SetColor(Color());
}

TWinControl::~TWinControl()
{
    Destroying();
    // Children go with their parent.
    while (!winControls_.empty() || !controls_.empty()) {
        TControl* child = !winControls_.empty() ? static_cast<TControl*>(winControls_.back()) : controls_.back();
        RemoveControl(child);
        TObject::Free(child);
    }
    DestroyHandle();
    ControlDestroyed(this);
    if (Parent())
        Parent()->RemoveControl(this);
}

HWND TWinControl::Handle()
{
    if (!handle_) {
        if (!Parent() && !IsTopLevel())
            throw EInvalidOperation("Control '" + Name() + "' has no parent window");
        if (Parent())
            Parent()->Handle();
        if (!handle_)
            CreateHandleTree();
    }
    return handle_;
}

void TWinControl::CreateHandleTree()
{
    if (!handle_)
        CreateWnd();
    for (TWinControl* child : std::vector<TWinControl*>(winControls_))
        if (!child->handle_)
            child->CreateHandleTree();
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.Caption = Text();
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible())
        params.Style |= WS_VISIBLE;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    if (tabStop_)
        params.Style |= WS_TABSTOP;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    params.WndParent = Parent() ? Parent()->handle_ : nullptr;
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    const std::string className = ClassNameFor(params.WindowClassStyle);
    creating = this;
    ControlState.Include(csCreating);
    HWND hwnd = CreateWindowEx(params.ExStyle, className, params.Caption, params.Style, params.X, params.Y,
                               params.Width, params.Height, params.WndParent, nullptr, nullptr, nullptr);
    ControlState.Exclude(csCreating);
    creating = nullptr;
    if (!hwnd)
        throw EInvalidOperation("Error creating window for '" + Name() + "'");
    handle_ = hwnd;
    UpdateBounds();
    SendFontToWindow();
}

void TWinControl::DestroyWnd()
{
    if (handle_)
        DestroyWindow(handle_);
    handle_ = nullptr;
}

void TWinControl::DestroyHandle()
{
    if (!handle_)
        return;
    ControlState.Include(csDestroyingHandle);
    DestroyWnd();
    ControlState.Exclude(csDestroyingHandle);
}

void TWinControl::RecreateWnd()
{
    if (!handle_) {
        Realign();
        return;
    }
    // A top-level window is shown by ShowWindow, not by its style, so a shown one
    // must be shown again once re-made.
    const bool shownTopLevel = !Parent() && IsWindowVisible(handle_);
    DestroyHandle();
    Handle();
    if (shownTopLevel)
        ShowWindow(handle_, SW_SHOWNA);
}

void TWinControl::NonClientChanged()
{
    if (handle_)
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    else
        Realign();
}

TControl* TWinControl::Controls(int index) const
{
    if (index < 0 || index >= ControlCount())
        ListIndexError(index);
    const std::size_t i = std::size_t(index);
    return i < controls_.size() ? controls_[i] : winControls_[i - controls_.size()];
}

void TWinControl::InsertControl(TControl* control)
{
    if (!control || control->parent_ == this)
        return;
    control->parent_ = this;
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        winControls_.push_back(windowed);
        tabList_.push_back(windowed);
        if (handle_) {
            if (windowed->handle_)
                ::tovrel::SetParent(windowed->handle_, handle_);
            else
                windowed->CreateHandleTree();
        }
    } else {
        controls_.push_back(control);
    }
    if (control->parentFont_)
        control->Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (control->parentColor_)
        control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    control->UpdateAnchorRules();
    if (control->align_ != alNone)
        AlignFor(control);
    control->Invalidate();
    Perform(CM_CONTROLLISTCHANGE, ToWParam(control), 1);
}

void TWinControl::RemoveControl(TControl* control)
{
    if (!control || control->parent_ != this)
        return;
    Perform(CM_CONTROLLISTCHANGE, ToWParam(control), 0);
    if (TWinControl* top = TopLevelControl())
        top->Perform(CM_CONTROLCHANGE, ToWParam(control), 0);
    control->Invalidate();
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        if (windowed->handle_)
            windowed->DestroyHandle();
        std::erase(winControls_, windowed);
        std::erase(tabList_, windowed);
    } else {
        std::erase(controls_, control);
    }
    control->parent_ = nullptr;
    if (control->align_ != alNone)
        Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls) const
{
    auto hits = [&](const TControl* c) {
        return c->Visible() && (allowDisabled || c->Enabled()) && c->BoundsRect().Contains(p);
    };
    if (allowWinControls)
        for (auto it = winControls_.rbegin(); it != winControls_.rend(); ++it)
            if (hits(*it))
                return *it;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if (hits(*it))
            return *it;
    return nullptr;
}

int TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    const auto& list = Parent()->tabList_;
    return int(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order)
{
    if (!Parent())
        return;
    auto& list = Parent()->tabList_;
    std::erase(list, this);
    order = std::clamp(order, 0, int(list.size()));
    list.insert(list.begin() + order, this);
}

void TWinControl::SetTabStop(bool value)
{
    if (tabStop_ == value)
        return;
    tabStop_ = value;
    if (handle_) {
        const LONG_PTR style = GetWindowLongPtr(handle_, GWL_STYLE);
        SetWindowLongPtr(handle_, GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~LONG_PTR(WS_TABSTOP)));
    }
}

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    ::tovrel::SetFocus(Handle());
}

bool TWinControl::Focused() const
{
    return handle_ && GetFocus() == handle_;
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    const int count = int(list.size());
    int start = int(std::find(list.begin(), list.end(), current) - list.begin());
    if (start == count)
        start = goForward ? count - 1 : 0;
    int i = start;
    do {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* c = list[std::size_t(i)];
        if (c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop))
        next->SetFocus();
}

void TWinControl::EnableAlign()
{
    if (alignDisabled_ > 0 && --alignDisabled_ == 0 && ControlState.Contains(csAlignmentNeeded))
        Realign();
}

void TWinControl::AlignFor(TControl* trigger)
{
    if (alignDisabled_ > 0 || aligning_ || Silenced()) {
        ControlState.Include(csAlignmentNeeded);
        return;
    }
    ControlState.Exclude(csAlignmentNeeded);
    aligning_ = true;
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    AlignControls(trigger, rect);
    aligning_ = false;
}

void TWinControl::AlignAfterLoading()
{
    if (ControlState.Contains(csAlignmentNeeded))
        Realign();
}

void TWinControl::AdjustClientRect(TRect& /*rect*/) const {}

void TWinControl::AlignControls(TControl* control, TRect& rect)
{
    std::vector<TControl*> all;
    for (int i = 0; i < ControlCount(); ++i)
        all.push_back(Controls(i));
    const TRect client = ClientRect();
    for (TControl* c : all)
        if (c->align_ == alNone && c->Visible())
            c->AnchorTo(client.Width(), client.Height());

    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        for (TControl* c : all)
            if (c->align_ == align && c->Visible())
                list.push_back(c);
        auto key = [align](const TControl* c) {
            switch (align) {
            case alTop: return c->Top();
            case alBottom: return -(c->Top() + c->Height());
            case alLeft: return c->Left();
            case alRight: return -(c->Left() + c->Width());
            default: return 0;
            }
        };
        std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) {
            if (key(a) != key(b))
                return key(a) < key(b);
            return a == control && b != control;
        });
        for (TControl* c : list) {
            switch (align) {
            case alTop:
                c->SetBoundsSilently(rect.Left, rect.Top, rect.Width(), c->Height());
                rect.Top += c->Height();
                break;
            case alBottom:
                c->SetBoundsSilently(rect.Left, rect.Bottom - c->Height(), rect.Width(), c->Height());
                rect.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBoundsSilently(rect.Left, rect.Top, c->Width(), rect.Height());
                rect.Left += c->Width();
                break;
            case alRight:
                c->SetBoundsSilently(rect.Right - c->Width(), rect.Top, c->Width(), rect.Height());
                rect.Right -= c->Width();
                break;
            default:
                c->SetBoundsSilently(rect.Left, rect.Top, rect.Width(), rect.Height());
                break;
            }
        }
    }
}

void TWinControl::ChildBoundsChanged(TControl* control)
{
    if (control->align_ != alNone)
        AlignFor(control);
}

TRect TWinControl::ClientAreaWithoutWindow() const
{
    // Measured as the window will measure it, through the same handlers (a
    // menu bar or a skinned frame adds its share); nothing else changes.
    RECT r = Rect(0, 0, Width(), Height());
    const_cast<TWinControl*>(this)->Perform(WM_NCCALCSIZE, 0, ToLParam(&r));
    return r;
}

TRect TWinControl::ClientRect() const
{
    RECT r;
    if (handle_) {
        GetClientRect(handle_, &r);
        return r;
    }
    r = ClientAreaWithoutWindow();
    return Rect(0, 0, std::max(0, r.Width()), std::max(0, r.Height()));
}

void TWinControl::CalcFrameWithoutWindow(RECT& rect)
{
    TCreateParams params;
    CreateParams(params);
    // The window layer gives every overlapped top-level window a caption.
    if (!(params.Style & (WS_CHILD | WS_POPUP)))
        params.Style |= WS_CAPTION;
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, params.Style, 0, params.ExStyle);
    rect.Left -= frame.Left;
    rect.Top -= frame.Top;
    rect.Right = std::max(rect.Left, rect.Right - frame.Right);
    rect.Bottom = std::max(rect.Top, rect.Bottom - frame.Bottom);
}

TPoint TWinControl::ClientOrigin() const
{
    if (handle_) {
        POINT p;
        ::tovrel::ClientToScreen(handle_, &p);
        return p;
    }
    const TPoint window = TControl::ClientOrigin();
    const TRect client = ClientAreaWithoutWindow();
    return Point(window.X + client.Left, window.Y + client.Top);
}

void TWinControl::BoundsChanged()
{
    if (handle_) {
        RECT r;
        GetWindowRect(handle_, &r);
        if (!IsTopLevel() && Parent() && Parent()->handle_)
            MapWindowPoints(nullptr, Parent()->handle_, &r, 1);
        if (r != BoundsRect())
            SetWindowPos(handle_, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Realign();
}

void TWinControl::UpdateBounds()
{
    if (!handle_)
        return;
    RECT r;
    GetWindowRect(handle_, &r);
    if (!IsTopLevel() && Parent() && Parent()->handle_)
        MapWindowPoints(nullptr, Parent()->handle_, &r, 1);
    SetBoundsSilently(r.Left, r.Top, r.Width(), r.Height());
}

void TWinControl::Invalidate()
{
    if (handle_)
        InvalidateRect(handle_, nullptr, !ControlStyle.Contains(csOpaque));
}

void TWinControl::Update()
{
    if (handle_)
        UpdateWindow(handle_);
}

void TWinControl::ScrollBy(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    // Every child takes its new place first, so the window layer's moves of
    // the child windows find their controls there already and repaint nothing.
    std::vector<TControl*> children(controls_.begin(), controls_.end());
    children.insert(children.end(), winControls_.begin(), winControls_.end());
    for (TControl* c : children) {
        c->left_ += dx;
        c->top_ += dy;
        // Scrolled content keeps its place when the parent resizes.
        c->UpdateAnchorRules();
    }
    if (handle_)
        ScrollWindow(handle_, dx, dy, nullptr, nullptr);
}

void TWinControl::SetZOrder(bool topMost)
{
    if (!Parent())
        return;
    auto& list = Parent()->winControls_;
    std::erase(list, this);
    if (topMost)
        list.push_back(this);
    else
        list.insert(list.begin(), this);
    if (handle_)
        SetWindowPos(handle_, topMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::PaintControls(HDC dc, TControl* first)
{
    auto start = first ? std::find(controls_.begin(), controls_.end(), first) : controls_.begin();
    for (auto it = start; it != controls_.end(); ++it) {
        TControl* c = *it;
        if (!c->Visible())
            continue;
        const TRect bounds = c->BoundsRect();
        if (!RectVisible(dc, &bounds))
            continue;
        const int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, c->Left(), c->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, saved);
    }
}

void TWinControl::Broadcast(TMessage& message)
{
    for (int i = 0; i < ControlCount(); ++i) {
        Controls(i)->WindowProc(message);
        if (message.Result != 0)
            return;
    }
}

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char16_t& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

bool TWinControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    return handled;
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

TWinControl* TWinControl::TopLevelControl()
{
    return GetParentTopLevel(this);
}

bool TWinControl::DoKeyDown(WORD& key, TShiftState shift)
{
    TWinControl* form = TopLevelControl();
    if (form && form != this && form->WantsKeyPreview() && form->DoKeyDown(key, shift))
        return true;
    if (!ControlStyle.Contains(csNoStdEvents)) {
        KeyDown(key, shift);
        if (key == 0)
            return true;
    }
    return false;
}

bool TWinControl::IsDialogKey(WORD key, LPARAM keyData)
{
    LRESULT mask = 0;
    switch (key) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: return false;
    }
    if (Perform(CM_WANTSPECIALKEY, key, 0) != 0 || (Perform(WM_GETDLGCODE, 0, 0) & mask) != 0)
        return false;
    TWinControl* form = TopLevelControl();
    return form && form->Perform(CM_DIALOGKEY, key, keyData) != 0;
}

void TWinControl::HandleKey(TMessage& message)
{
    WORD key = WORD(message.WParam);
    const TShiftState shift = GetShiftState();
    switch (message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        TWinControl* top = TopLevelControl();
        if ((top && top->IsShortCut(key, shift)) || IsDialogKey(key, message.LParam) || DoKeyDown(key, shift))
            return;
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        TWinControl* form = TopLevelControl();
        if (form && form != this && form->WantsKeyPreview())
            form->KeyUp(key, shift);
        if (key != 0)
            KeyUp(key, shift);
        if (key == 0)
            return;
        break;
    }
    case WM_SYSCHAR:
        if (TWinControl* form = TopLevelControl(); form && form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam))
            return;
        break;
    case WM_CHAR: {
        char16_t ch = char16_t(message.WParam);
        TWinControl* form = TopLevelControl();
        // Accelerators ("&x" captions) answer characters the control does not want.
        if (form && (Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0 &&
            form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0)
            return;
        if (form && form != this && form->WantsKeyPreview())
            form->KeyPress(ch);
        if (ch != 0)
            KeyPress(ch);
        if (ch == 0)
            return;
        message.WParam = ch;
        break;
    }
    default:
        break;
    }
    DefaultHandler(message);
}

void TWinControl::FocusArrived()
{
    TWinControl* old = focusedControl;
    focusedControl = this;
    if (old == this)
        return;
    TWinControl* common = this;
    while (common && !(old && common->ContainsControl(old)))
        common = common->Parent();
    for (TWinControl* c = old; c && c != common; c = c->Parent())
        c->Perform(CM_EXIT, 0, 0);
    std::vector<TWinControl*> entered;
    for (TWinControl* c = this; c && c != common; c = c->Parent())
        entered.push_back(c);
    for (auto it = entered.rbegin(); it != entered.rend(); ++it)
        (*it)->Perform(CM_ENTER, 0, 0);
    if (TWinControl* top = TopLevelControl())
        top->Perform(CM_FOCUSCHANGED, 0, ToLParam(this));
}

void TWinControl::HandlePaint(TMessage& message)
{
    if (message.WParam) {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        PaintWindow(dc);
        PaintControls(dc, nullptr);
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle_, &ps);
    PaintWindow(dc);
    PaintControls(dc, nullptr);
    EndPaint(handle_, &ps);
}

bool TWinControl::ForwardMouseToChild(TMessage& message)
{
    const TPoint p = PointFromLParam(message.LParam);
    TControl* target = nullptr;
    TControl* captured = GetCaptureControl();
    if (captured) {
        if (captured->Parent() == this && !dynamic_cast<TWinControl*>(captured))
            target = captured;
    } else {
        target = ControlAtPos(p, false);
    }
    if (!target)
        return false;
    message.Result = target->Perform(message.Msg, message.WParam,
                                     LParamFromPoint(Point(p.X - target->Left(), p.Y - target->Top())));
    // The window's own default handling turns a right button release into
    // WM_CONTEXTMENU, which finds the graphic child again.
    if (message.Msg == WM_RBUTTONUP)
        DefaultHandler(message);
    return true;
}

void TWinControl::TrackMouseControl(TMessage& message)
{
    TControl* under = ControlAtPos(PointFromLParam(message.LParam), false);
    if (!under)
        under = this;
    if (under != mouseControl) {
        TControl* old = mouseControl;
        mouseControl = under;
        if (old)
            old->Perform(CM_MOUSELEAVE, 0, 0);
        if (mouseControl == under)
            under->Perform(CM_MOUSEENTER, 0, 0);
        if (mouseControl == under)
            MouseControlChanged(under);
    }
    TRACKMOUSEEVENT track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = handle_;
    TrackMouseEvent(&track);
}

void TWinControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        HandlePaint(message);
        return;
    case WM_ERASEBKGND: {
        const RECT r = ClientRect();
        FillRect(reinterpret_cast<HDC>(message.WParam), &r, brush_->Handle());
        message.Result = 1;
        return;
    }
    case WM_MOUSEMOVE:
        TrackMouseControl(message);
        [[fallthrough]];
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
        if (IsClientMouseMessage(message.Msg) && ForwardMouseToChild(message))
            return;
        break;
    case WM_NCLBUTTONDOWN:
        SendCancelMode(this);
        break;
    case WM_SETCURSOR:
        if (LOWORD(ULONG_PTR(message.LParam)) == HTCLIENT && reinterpret_cast<HWND>(message.WParam) == handle_) {
            POINT p;
            GetCursorPos(&p);
            const TControl* under = ControlAtPos(ScreenToClient(p), false);
            TCursor cursor = ScreenCursor();
            if (cursor == crDefault)
                cursor = under && under->Cursor != crDefault ? under->Cursor : Cursor;
            if (cursor != crDefault) {
                ::tovrel::SetCursor(CursorHandle(cursor));
                message.Result = 1;
                return;
            }
        }
        break;
    case WM_CONTEXTMENU:
        if (message.LParam != MAKELPARAM(-1, -1)) {
            if (TControl* child = ControlAtPos(ScreenToClient(PointFromLParam(message.LParam)), false)) {
                child->WindowProc(message);
                if (message.Result)
                    return;
            }
        }
        break;
    case WM_MOUSELEAVE:
        if (mouseControl && (mouseControl == this || (mouseControl->Parent() == this &&
                                                       !dynamic_cast<TWinControl*>(mouseControl)))) {
            TControl* old = mouseControl;
            mouseControl = nullptr;
            old->Perform(CM_MOUSELEAVE, 0, 0);
            MouseControlChanged(nullptr);
        }
        break;
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_KEYUP: case WM_SYSKEYUP: case WM_CHAR: case WM_SYSCHAR:
        HandleKey(message);
        return;
    case WM_MOUSEWHEEL:
        if (DoMouseWheel(ShiftStateFromMouseKeys(GET_KEYSTATE_WPARAM(message.WParam)),
                         GET_WHEEL_DELTA_WPARAM(message.WParam), PointFromLParam(message.LParam))) {
            message.Result = 1;
            return;
        }
        break;
    case WM_SETFOCUS:
        DefaultHandler(message);
        FocusArrived();
        return;
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(message);
        UpdateBounds();
        return;
    case WM_SIZE:
        // The client area changed: on the window's making, a frame change or a
        // resize, which the bounds alone do not always show.
        Realign();
        break;
    case CM_ENTER:
        DoEnter();
        break;
    case CM_EXIT:
        DoExit();
        break;
    case CM_FOCUSCHANGED:
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
        Broadcast(message);
        return;
    case CM_ENABLEDCHANGED:
        if (handle_)
            EnableWindow(handle_, Enabled());
        break;
    case CM_VISIBLECHANGED:
        if (handle_)
            ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
        break;
    case CM_COLORCHANGED: {
        brush_->SetColor(Color());
        TMessage notice{CM_PARENTCOLORCHANGED, 0, 0, 0};
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->WindowProc(notice);
        break;
    }
    case CM_FONTCHANGED: {
        SendChangedFont();
        TMessage notice{CM_PARENTFONTCHANGED, 0, 0, 0};
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->WindowProc(notice);
        break;
    }
    default:
        break;
    }
    TControl::WndProc(message);
}

void TWinControl::DefaultHandler(TMessage& message)
{
    if (HandleFontMessage(message))
        return;
    if (handle_ && message.Msg < CM_BASE)
        message.Result = DefWindowProc(handle_, message.Msg, message.WParam, message.LParam);
    else if (!handle_ && message.Msg == WM_NCCALCSIZE && message.WParam == 0 && message.LParam)
        CalcFrameWithoutWindow(*FromLParam<RECT>(message.LParam));
}

} // namespace tovrel
