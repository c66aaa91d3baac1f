#include "platform/vcl/Application.h"

#include "platform/gdi/SysColors.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Icon.h"
#include "platform/vcl/MessageBox.h"
#include "platform/vcl/MouseControl.h"
#include "platform/wm/Clock.h"
#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/ModalLoop.h"
#include "platform/wm/Monitors.h"
#include "platform/wm/WindowPos.h"

#include <algorithm>

namespace tovrel {

TApplication* Application = new TApplication;
TScreen* Screen = new TScreen;
TMouse* Mouse = new TMouse;

TPoint TMouse::CursorPos() const
{
    POINT p;
    GetCursorPos(&p);
    return p;
}

void TMouse::SetCursorPos(TPoint screen)
{
    ::tovrel::SetCursorPos(screen.X, screen.Y);
}

HWND TMouse::Capture() const
{
    return GetCapture();
}

TWinControl* FindVCLWindow(TPoint screen)
{
    for (HWND hwnd = WindowFromPoint(screen); hwnd; hwnd = GetAncestor(hwnd, GA_PARENT))
        if (TWinControl* control = FindControl(hwnd))
            return control;
    return nullptr;
}

TApplication::TApplication() : TComponent(nullptr), icon_(std::make_unique<TIcon>())
{
    icon_->OnChange = [](TObject*) {
        for (int i = 0; i < Screen->FormCount(); ++i)
            Screen->Forms(i)->UpdateIcon();
    };
    SetMessageExceptionHandler([this](const std::exception& error) { HandleException(error); });
    SetMouseControlHook([this](TControl* control) { MouseControlChanged(control); });
    SetMsgFilter([this](MSG& msg, int) { return PreProcessMessage(msg); });
}

TApplication::~TApplication()
{
    SetMsgFilter(nullptr);
    if (handle_)
        DestroyWindow(handle_);
}

HWND TApplication::Handle()
{
    if (!handle_ || !IsWindow(handle_)) {
        static constexpr const char* kClass = "TTovrelApplication";
        WNDCLASSEX wc;
        if (!GetClassInfoEx(nullptr, kClass, &wc)) {
            wc = WNDCLASSEX{};
            wc.lpfnWndProc = DefWindowProc;
            wc.lpszClassName = kClass;
            RegisterClassEx(&wc);
        }
        handle_ =
            CreateWindowEx(WS_EX_TOOLWINDOW, kClass, Title, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    }
    return handle_;
}

void TApplication::SetShowHint(bool value)
{
    if (showHint_ == value)
        return;
    showHint_ = value;
    CancelHint();
    if (!value)
        FreeAndNil(hintWindow_);
}

void TApplication::SetHintWindowClass(THintWindowClass windowClass)
{
    CancelHint();
    FreeAndNil(hintWindow_);
    hintWindowClass_ = std::move(windowClass);
}

void TApplication::HideHint()
{
    if (hintShown_ && hintWindow_) {
        hintWindow_->ReleaseHandle();
        hintHiddenAt_ = GetTickCount();
    }
    hintShown_ = false;
}

void TApplication::CancelHint()
{
    if (hintTimer_)
        hintTimer_->SetEnabled(false);
    HideHint();
    hintControl_ = nullptr;
}

void TApplication::MouseControlChanged(TControl* control)
{
    const bool wasShown = hintShown_;
    CancelHint();
    if (!showHint_ || !control || !control->ShowHint() || GetShortHint(control->Hint).empty())
        return;
    hintControl_ = control;
    if (!hintTimer_) {
        hintTimer_ = new TTimer(this);
        hintTimer_->SetOnTimer([this](TObject*) { HintTimerFired(); });
    }
    const bool recent = wasShown || (hintHiddenAt_ != 0 && GetTickCount() - hintHiddenAt_ < unsigned(HintHidePause));
    hintTimer_->SetEnabled(false);
    hintTimer_->SetInterval(unsigned(recent ? HintShortPause : HintPause));
    hintTimer_->SetEnabled(true);
}

void TApplication::HintTimerFired()
{
    hintTimer_->SetEnabled(false);
    if (hintShown_) {
        HideHint();
        return;
    }
    ShowHintNow();
}

void TApplication::ShowHintNow()
{
    TControl* control = hintControl_;
    if (!control)
        return;
    POINT cursor;
    GetCursorPos(&cursor);
    THintInfo info;
    info.HintControl = control;
    info.CursorPos = control->ScreenToClient(cursor);
    info.CursorRect = control->ClientRect();
    info.HintPos = Point(cursor.X, cursor.Y + GetSystemMetrics(SM_CYCURSOR) * 2 / 3);
    info.HintMaxWidth = Screen->Width();
    info.HintColor = HintColor;
    std::string hint = GetShortHint(control->Hint);
    bool canShow = true;
    if (OnShowHint)
        OnShowHint(hint, canShow, info);
    if (!canShow || hint.empty())
        return;
    if (!hintWindow_)
        hintWindow_ = hintWindowClass_ ? hintWindowClass_(this) : new THintWindow(this);
    hintWindow_->SetColor(info.HintColor);
    TRect rect = hintWindow_->CalcHintRect(info.HintMaxWidth, hint, info.HintData);
    rect = Bounds(info.HintPos.X, info.HintPos.Y, rect.Width(), rect.Height());
    hintWindow_->ActivateHintData(rect, hint, info.HintData);
    hintShown_ = true;
    hintTimer_->SetInterval(unsigned(info.HideTimeout > 0 ? info.HideTimeout : HintHidePause));
    hintTimer_->SetEnabled(true);
}

namespace {
bool IsPress(UINT message)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK: return true;
    default: return false;
    }
}
} // namespace

bool TApplication::PreProcessMessage(MSG& msg)
{
    if (IsPress(msg.message))
        CancelHint();
    bool handled = false;
    if (OnMessage)
        OnMessage(msg, handled);
    return handled;
}

bool TApplication::HandleMessage(MSG& msg)
{
    if (!PreProcessMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return true;
}

void TApplication::Run()
{
    terminated_ = false;
    if (mainForm_ && ShowMainForm)
        mainForm_->Show();
    MSG msg;
    while (!terminated_) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            terminated_ = true;
            break;
        }
        HandleMessage(msg);
    }
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            return;
        }
        HandleMessage(msg);
    }
}

void TApplication::Terminate()
{
    terminated_ = true;
    PostQuitMessage(0);
}

namespace {

// The top-level forms on the screen (shown or minimised), most recently active first.
std::vector<HWND> ShownFormWindows()
{
    std::vector<HWND> windows;
    for (int i = 0; Screen && i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (form->HandleAllocated() && !form->Parent() && IsWindowVisible(form->Handle()))
            windows.push_back(form->Handle());
    }
    return windows;
}

} // namespace

void TApplication::Minimize()
{
    for (HWND form : ShownFormWindows())
        ShowWindow(form, SW_MINIMIZE);
}

void TApplication::Restore()
{
    const std::vector<HWND> forms = ShownFormWindows();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if (IsIconic(*it))
            ShowWindow(*it, SW_RESTORE);
}

void TApplication::HandleException(const std::exception& error)
{
    if (OnException)
        OnException(this, error);
    else
        ShowException(error);
}

void TApplication::ShowException(const std::exception& error)
{
    std::string text = error.what();
    if (!text.empty() && text.back() > '.')
        text += '.';
    MessageBox(text, Title, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    TCustomForm* active = Screen->ActiveForm();
    return PlainMessageBox(active && active->HandleAllocated() ? active->Handle() : nullptr, text,
                           caption.empty() ? Title : caption, flags);
}

TCustomForm* TScreen::Forms(int index) const
{
    if (index < 0 || index >= FormCount())
        ListIndexError(index);
    return forms_[std::size_t(index)];
}

TCustomForm* TScreen::ActiveForm() const
{
    HWND active = GetActiveWindow();
    for (TCustomForm* form : forms_)
        if (form->HandleAllocated() && form->Handle() == active)
            return form;
    return nullptr;
}

TWinControl* TScreen::ActiveControl() const
{
    return FindControl(GetFocus());
}

void TScreen::SetCursor(TCursor cursor)
{
    SetScreenCursor(cursor);
    ::tovrel::SetCursor(CursorHandle(cursor == crDefault ? crArrow : cursor));
}

int TScreen::Width() const
{
    return GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::Height() const
{
    return GetSystemMetrics(SM_CYSCREEN);
}

TRect TScreen::WorkAreaRect() const
{
    TRect area;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

namespace {
TScreenMonitor MonitorOf(HMONITOR monitor)
{
    TScreenMonitor result;
    MONITORINFO info;
    if (!monitor || !GetMonitorInfo(monitor, &info))
        return result;
    result.Handle = monitor;
    result.BoundsRect = info.rcMonitor;
    result.WorkareaRect = info.rcWork;
    result.Primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    return result;
}
} // namespace

int TScreen::MonitorCount() const
{
    return int(Backend().Monitors().size());
}

TScreenMonitor TScreen::Monitors(int index) const
{
    if (index < 0 || index >= MonitorCount())
        ListIndexError(index);
    return MonitorOf(reinterpret_cast<HMONITOR>(std::intptr_t(index + 1)));
}

TScreenMonitor TScreen::MonitorFromWindow(HWND hwnd) const
{
    return MonitorOf(::tovrel::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST));
}

void TScreen::AddForm(TCustomForm* form)
{
    forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form)
{
    std::erase(forms_, form);
}

void TScreen::FormActivated(TCustomForm* form)
{
    const auto it = std::find(forms_.begin(), forms_.end(), form);
    if (it == forms_.end())
        return;
    forms_.erase(it);
    forms_.insert(forms_.begin(), form);
}

} // namespace tovrel
