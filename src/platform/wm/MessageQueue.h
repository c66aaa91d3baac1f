#pragma once
// The main thread's queues (internal to the window layer): posted messages
// (any thread), raw device events waiting to be translated (any thread), and
// the input messages translated from them (main thread).
#include "platform/wm/WinTypes.h"

#include <deque>
#include <mutex>
#include <optional>
#include <string>

namespace tovrel {

enum class TRawKind { MouseMove, MouseDown, MouseUp, Wheel, HWheel, KeyDown, KeyUp, Text, AppDeactivated };

struct TRawInput {
    TRawKind Kind = TRawKind::MouseMove;
    TPoint Pt;        // screen, mouse events
    int Button = 0;   // 0 left, 1 right, 2 middle
    int Delta = 0;    // wheel
    UINT Vk = 0;      // keys
    std::string Text; // UTF-8 text input
};

struct TMessageFilter {
    HWND Hwnd = nullptr;
    UINT Min = 0;
    UINT Max = 0;
    bool Matches(const MSG& m) const
    {
        if (Hwnd && m.hwnd != Hwnd)
            return false;
        return (Min == 0 && Max == 0) || (m.message >= Min && m.message <= Max);
    }
};

class TMessageQueue {
public:
    void Post(const MSG& msg);
    void PostRaw(TRawInput input);
    void PostQuit(int exitCode);
    bool TakePosted(MSG& out, const TMessageFilter& filter, bool remove);
    bool TakeQuit(MSG& out, const TMessageFilter& filter, bool remove);
    std::optional<TRawInput> TakeRaw();
    bool HasRaw();

    // Main thread only.
    std::deque<MSG> Cooked;

private:
    std::mutex mutex_;
    std::deque<MSG> posted_;
    std::deque<TRawInput> raw_;
    bool quit_ = false;
    int quitCode_ = 0;
};

TMessageQueue& MessageQueue();

} // namespace tovrel
