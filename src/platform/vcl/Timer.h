#pragma once
// TTimer: OnTimer every Interval ms on the main thread, through a window
// timer of a hidden window (so it runs on the window layer's clock). It runs
// while Enabled, Interval > 0 and OnTimer is set.
#include "platform/vcl/Component.h"
#include "platform/wm/WinTypes.h"

namespace tovrel {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms);
    TNotifyEvent OnTimer() const { return onTimer_; }
    void SetOnTimer(TNotifyEvent handler);

protected:
    virtual void Timer();

private:
    static LRESULT TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void UpdateTimer();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    TNotifyEvent onTimer_;
    HWND window_ = nullptr;
};

} // namespace tovrel
