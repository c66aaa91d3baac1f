#include "platform/vcl/WinControl.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/vcl/CancelMode.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/MouseControl.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Paint.h"
#include "platform/wm/WindowPos.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace tovrel {

namespace {

std::unordered_map<HWND, TWinControl*>& Windows()
{
    static std::unordered_map<HWND, TWinControl*> windows;
    return windows;
}

TWinControl* creating = nullptr;
TWinControl* focusedControl = nullptr;

// How many of each window's messages are being handled now, and the windows
// whose release came in meanwhile: a handler that runs a modal loop (a menu
// command opening a dialog) pumps the release of its own window, which must
// wait until that handler has returned.
std::unordered_map<HWND, int>& HandlingDepth()
{
    static std::unordered_map<HWND, int> depth;
    return depth;
}
std::unordered_set<HWND>& ReleaseWaiting()
{
    static std::unordered_set<HWND> waiting;
    return waiting;
}

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
    if (message == CM_RELEASE && HandlingDepth().contains(hwnd)) {
        ReleaseWaiting().insert(hwnd);
        return 0;
    }
    TMessage m{message, wParam, lParam, 0};
    bool outermost = false;
    {
        // Counted down however the handler ends.
        struct TDepth {
            HWND Window;
            bool& Outermost;
            ~TDepth()
            {
                if (const auto d = HandlingDepth().find(Window); d != HandlingDepth().end() && --d->second == 0) {
                    HandlingDepth().erase(d);
                    Outermost = true;
                }
            }
        } depth{hwnd, outermost};
        ++HandlingDepth()[hwnd];
        GuardMessageHandler([&] { control->WindowProc(m); });
    }
    // The outermost handler has returned: a release that waited runs now.
    if (outermost && message != CM_RELEASE && ReleaseWaiting().erase(hwnd) && FindControl(hwnd) == control) {
        ControlWindowProc(hwnd, CM_RELEASE, 0, 0);
        return m.Result;
    }
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
        HandlingDepth().erase(hwnd);
        ReleaseWaiting().erase(hwnd);
    }
    return m.Result;
}

TWinControl* FindControl(HWND hwnd)
{
    auto it = Windows().find(hwnd);
    return it == Windows().end() ? nullptr : it->second;
}

void ControlDestroyed(TControl* control)
{
    ForgetMouseControl(control);
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
    control->TakeParentValues();
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
        const TSavedDC saved(dc);
        OffsetViewportOrgEx(dc, c->Left(), c->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
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

void TWinControl::NotifyControls(UINT message)
{
    TMessage notice{message, 0, 0, 0};
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->WindowProc(notice);
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
    message.Result =
        target->Perform(message.Msg, message.WParam, LParamFromPoint(Point(p.X - target->Left(), p.Y - target->Top())));
    // The window's own default handling turns a right button release into
    // WM_CONTEXTMENU, which finds the graphic child again.
    if (message.Msg == WM_RBUTTONUP)
        DefaultHandler(message);
    return true;
}

void TWinControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT: HandlePaint(message); return;
    case WM_ERASEBKGND: {
        const RECT r = ClientRect();
        FillRect(reinterpret_cast<HDC>(message.WParam), &r, brush_->Handle());
        message.Result = 1;
        return;
    }
    case WM_NCMOUSEMOVE: MouseMovedIn(*this, PointFromLParam(message.LParam), true); break;
    case WM_MOUSEMOVE: MouseMovedIn(*this, ClientToScreen(PointFromLParam(message.LParam)), false); [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        if (IsClientMouseMessage(message.Msg) && ForwardMouseToChild(message))
            return;
        break;
    case WM_NCLBUTTONDOWN: SendCancelMode(this); break;
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
    case WM_NCMOUSELEAVE: MouseLeftPart(*this); break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR: HandleKey(message); return;
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
    case CM_ENTER: DoEnter(); break;
    case CM_EXIT: DoExit(); break;
    case CM_FOCUSCHANGED:
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR: Broadcast(message); return;
    case CM_ENABLEDCHANGED:
        if (handle_)
            EnableWindow(handle_, Enabled());
        break;
    case CM_VISIBLECHANGED:
        if (handle_)
            ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
        break;
    case CM_COLORCHANGED:
        brush_->SetColor(Color());
        NotifyControls(CM_PARENTCOLORCHANGED);
        break;
    case CM_FONTCHANGED:
        SendChangedFont();
        NotifyControls(CM_PARENTFONTCHANGED);
        break;
    case CM_SHOWHINTCHANGED: NotifyControls(CM_PARENTSHOWHINTCHANGED); break;
    default: break;
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
