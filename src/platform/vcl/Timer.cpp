#include "platform/vcl/Timer.h"

#include "platform/vcl/WinControl.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Timers.h"

#include <unordered_map>

namespace tovrel {

namespace {

constexpr const char* kTimerClass = "TTovrelTimerWindow";

std::unordered_map<HWND, TTimer*>& Timers()
{
    static std::unordered_map<HWND, TTimer*> timers;
    return timers;
}

} // namespace

LRESULT TTimer::TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER) {
        auto it = Timers().find(hwnd);
        if (it != Timers().end()) {
            TTimer* timer = it->second;
            GuardMessageHandler([timer] { timer->Timer(); });
        }
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer()
{
    if (window_) {
        KillTimer(window_, 1);
        Timers().erase(window_);
        DestroyWindow(window_);
    }
}

void TTimer::SetEnabled(bool value)
{
    if (enabled_ != value) {
        enabled_ = value;
        UpdateTimer();
    }
}

void TTimer::SetInterval(unsigned ms)
{
    if (interval_ != ms) {
        interval_ = ms;
        UpdateTimer();
    }
}

void TTimer::SetOnTimer(TNotifyEvent handler)
{
    onTimer_ = std::move(handler);
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (window_)
        KillTimer(window_, 1);
    if (!enabled_ || interval_ == 0 || !onTimer_)
        return;
    if (!window_) {
        WNDCLASSEX wc;
        if (!GetClassInfoEx(nullptr, kTimerClass, &wc)) {
            wc = WNDCLASSEX{};
            wc.lpfnWndProc = TimerWindowProc;
            wc.lpszClassName = kTimerClass;
            RegisterClassEx(&wc);
        }
        window_ =
            CreateWindowEx(WS_EX_TOOLWINDOW, kTimerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        if (!window_)
            return;
        Timers()[window_] = this;
    }
    SetTimer(window_, 1, interval_, nullptr);
}

void TTimer::Timer()
{
    if (enabled_ && onTimer_) {
        const TNotifyEvent handler = onTimer_; // the handler may replace itself or free the timer
        handler(this);
    }
}

} // namespace tovrel
