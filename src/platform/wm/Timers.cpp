#include "platform/wm/Timers.h"

#include "platform/wm/Backend.h"
#include "platform/wm/Clock.h"
#include "platform/wm/Window.h"
#include "platform/wm/WmInternal.h"

#include <algorithm>
#include <vector>

namespace tovrel {

namespace {

struct TTimer {
    HWND Hwnd = nullptr;
    ULONG_PTR Id = 0;
    UINT Elapse = 0;
    TIMERPROC Proc = nullptr;
    std::uint64_t Due = 0;
};

std::vector<TTimer>& Timers()
{
    static std::vector<TTimer> timers;
    return timers;
}

ULONG_PTR nextThreadTimerId = 0x7FF0;

} // namespace

ULONG_PTR SetTimer(HWND hwnd, ULONG_PTR id, UINT elapse, TIMERPROC proc)
{
    if (hwnd && !IsWindow(hwnd))
        return 0;
    elapse = std::clamp<UINT>(elapse, USER_TIMER_MINIMUM, 0x7FFFFFFF);
    auto& timers = Timers();
    if (!hwnd) {
        const bool known =
            id && std::any_of(timers.begin(), timers.end(), [&](const TTimer& t) { return !t.Hwnd && t.Id == id; });
        if (!known)
            id = ++nextThreadTimerId;
    }
    KillTimer(hwnd, id);
    timers.push_back({hwnd, id, elapse, proc, Clock()->NowMs() + elapse});
    Backend().Wake(); // a sleeping loop recomputes its wait
    return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, ULONG_PTR id)
{
    auto& timers = Timers();
    const auto before = timers.size();
    timers.erase(
        std::remove_if(timers.begin(), timers.end(), [&](const TTimer& t) { return t.Hwnd == hwnd && t.Id == id; }),
        timers.end());
    return timers.size() != before ? 1 : 0;
}

void KillWindowTimers(HWND hwnd)
{
    auto& timers = Timers();
    timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const TTimer& t) { return t.Hwnd == hwnd; }),
                 timers.end());
}

bool TakeDueTimer(MSG& out, const TMessageFilter& filter, bool remove)
{
    if (!((filter.Min == 0 && filter.Max == 0) || (WM_TIMER >= filter.Min && WM_TIMER <= filter.Max)))
        return false;
    const std::uint64_t now = Clock()->NowMs();
    TTimer* due = nullptr;
    for (auto& t : Timers())
        if (t.Due <= now && (!filter.Hwnd || t.Hwnd == filter.Hwnd) && (!due || t.Due < due->Due))
            due = &t;
    if (!due)
        return false;
    out = MSG{};
    out.hwnd = due->Hwnd;
    out.message = WM_TIMER;
    out.wParam = due->Id;
    out.lParam = reinterpret_cast<LPARAM>(due->Proc);
    out.time = std::uint32_t(now);
    if (remove)
        due->Due = now + due->Elapse;
    return true;
}

std::optional<std::uint64_t> NextTimerDue()
{
    std::optional<std::uint64_t> next;
    for (const auto& t : Timers())
        if (!next || t.Due < *next)
            next = t.Due;
    return next;
}

} // namespace tovrel
