// Send, post, retrieve and dispatch.
#include "platform/wm/MessageLoop.h"

#include "platform/rtl/MainThread.h"
#include "platform/wm/Backend.h"
#include "platform/wm/Clock.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Window.h"
#include "platform/wm/WmInternal.h"

#include <cctype>
#include <map>
#include <mutex>
#include <string>

namespace tovrel {

namespace {

DWORD lastMessageTime = 0;
TPoint lastMessagePos;

MSG Stamped(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG m;
    m.hwnd = hwnd;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = GetTickCount();
    GetCursorPos(&m.pt);
    return m;
}

void RememberRetrieved(const MSG& m)
{
    lastMessageTime = m.time;
    lastMessagePos = m.pt;
}

void RunQueuedCalls()
{
    if (TMainThread::IsCurrent())
        TMainThread::Pump();
}

} // namespace

LRESULT CallProc(const std::shared_ptr<TWindow>& w, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!w || w->Destroyed)
        return 0;
    const WNDPROC proc = w->Proc;
    return proc ? proc(w->Handle, message, wParam, lParam) : DefWindowProc(w->Handle, message, wParam, lParam);
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!OnUiThread()) {
        if (!IsWindow(hwnd))
            return 0;
        LRESULT result = 0;
        TMainThread::Call([&] { result = SendMessage(hwnd, message, wParam, lParam); });
        return result;
    }
    return CallProc(LookupWindow(hwnd), message, wParam, lParam);
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hwnd && !IsWindow(hwnd))
        return 0;
    MessageQueue().Post(Stamped(hwnd, message, wParam, lParam));
    return 1;
}

void PostQuitMessage(int exitCode)
{
    MessageQueue().PostQuit(exitCode);
}

bool RetrieveMessage(MSG& out, const TMessageFilter& filter, bool remove)
{
    auto& queue = MessageQueue();
    if (queue.TakePosted(out, filter, remove) || queue.TakeQuit(out, filter, remove))
        return true;
    for (;;) {
        for (auto it = queue.Cooked.begin(); it != queue.Cooked.end(); ++it) {
            if (filter.Matches(*it)) {
                out = *it;
                if (remove)
                    queue.Cooked.erase(it);
                return true;
            }
        }
        if (!CookNextInput())
            break;
        // Translating sends messages (hit tests, activation) whose handlers may post.
        if (queue.TakePosted(out, filter, remove))
            return true;
    }
    if (FindPaintMessage(out, filter))
        return true;
    if (remove && TakeDueHover(out, filter))
        return true;
    return TakeDueTimer(out, filter, remove);
}

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    RunQueuedCalls();
    Backend().PollEvents();
    MSG m;
    if (RetrieveMessage(m, {hwnd, filterMin, filterMax}, (removeFlags & PM_REMOVE) != 0)) {
        RememberRetrieved(m);
        KeyDownRetrieved(m, (removeFlags & PM_REMOVE) != 0);
        if (msg)
            *msg = m;
        return 1;
    }
    FlushPresent();
    return 0;
}

namespace {
int SleepMs()
{
    auto due = NextTimerDue();
    if (const auto hover = NextHoverDue(); hover && (!due || *hover < *due))
        due = hover;
    return due ? Clock()->SleepMsUntil(*due) : -1;
}
} // namespace

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    for (;;) {
        if (hwnd && !IsWindow(hwnd))
            return -1; // no message can come for it: never wait
        if (PeekMessage(msg, hwnd, filterMin, filterMax, PM_REMOVE))
            return msg && msg->message == WM_QUIT ? 0 : 1;
        const int wait = SleepMs();
        if (wait != 0)
            Backend().WaitEvents(wait);
    }
}

BOOL WaitMessage()
{
    for (;;) {
        MSG m;
        if (PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE))
            return 1;
        const int wait = SleepMs();
        if (wait != 0)
            Backend().WaitEvents(wait);
    }
}

BOOL TranslateMessage(const MSG* msg)
{
    if (!msg)
        return 0;
    KeyDownTranslated(*msg);
    const UINT vk = UINT(msg->wParam);
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    int ch = 0;
    UINT charMessage = WM_CHAR;
    if (msg->message == WM_KEYDOWN) {
        switch (vk) {
        case VK_BACK: ch = 8; break;
        case VK_TAB: ch = 9; break;
        case VK_RETURN: ch = 13; break;
        case VK_ESCAPE: ch = 27; break;
        default:
            if (ctrl && !alt && vk >= 'A' && vk <= 'Z')
                ch = int(vk - 'A' + 1);
        }
    } else if (msg->message == WM_SYSKEYDOWN && alt) {
        charMessage = WM_SYSCHAR;
        if (vk >= 'A' && vk <= 'Z')
            ch = shift ? int(vk) : int(vk - 'A' + 'a');
        else if (vk >= '0' && vk <= '9')
            ch = int(vk);
        else if (vk == VK_SPACE)
            ch = ' ';
    }
    if (!ch)
        return 0;
    MSG c = *msg;
    c.message = charMessage;
    c.wParam = WPARAM(ch);
    MessageQueue().Post(c);
    return 1;
}

LRESULT DispatchMessage(const MSG* msg)
{
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        if (msg->hwnd && !IsWindow(msg->hwnd))
            return 0;
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    auto w = LookupWindow(msg->hwnd);
    if (msg->message != WM_PAINT || !w)
        return CallProc(w, msg->message, msg->wParam, msg->lParam);
    // A handler that painted nothing would be asked again and again: what it left is dropped.
    const TRegion before = w->Update;
    const bool frameBefore = w->FrameNeeded, internalBefore = w->InternalPaint;
    const LRESULT result = CallProc(w, msg->message, msg->wParam, msg->lParam);
    if (!w->Destroyed && w->Update == before && w->FrameNeeded == frameBefore && w->InternalPaint == internalBefore) {
        w->Update = {};
        w->EraseNeeded = w->FrameNeeded = w->InternalPaint = false;
    }
    return result;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(hwnd))
        return 0;
    return proc ? proc(hwnd, message, wParam, lParam) : DefWindowProc(hwnd, message, wParam, lParam);
}

UINT RegisterWindowMessage(std::string_view name)
{
    static std::mutex mutex;
    static std::map<std::string, UINT> registered;
    if (name.empty())
        return 0;
    std::string key(name);
    for (char& c : key)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    std::lock_guard lock(mutex);
    auto [it, added] = registered.try_emplace(key, UINT(0xC000 + registered.size()));
    return it->second;
}

DWORD GetMessageTime()
{
    return lastMessageTime;
}
DWORD GetMessagePos()
{
    return MAKELONG(lastMessagePos.X, lastMessagePos.Y);
}

int PumpWaitingMessages()
{
    int count = 0;
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(int(m.wParam));
            break;
        }
        TranslateMessage(&m);
        DispatchMessage(&m);
        ++count;
    }
    return count;
}

// Used by the input translation to queue what it produced.
void QueueCooked(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, const TPoint* screen)
{
    MSG m = Stamped(hwnd, message, wParam, lParam);
    if (screen)
        m.pt = *screen;
    MessageQueue().Cooked.push_back(m);
}

void PostMessageAt(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, TPoint screen)
{
    MSG m = Stamped(hwnd, message, wParam, lParam);
    m.pt = screen;
    MessageQueue().Post(m);
}

} // namespace tovrel
