// Timers on the fake clock, modal loops, and posting from other threads.
#include "WmTestSupport.h"

#include <algorithm>
#include <thread>

namespace tovrel::test {
namespace {

class Loops : public TWmTest {};

std::vector<std::pair<HWND, ULONG_PTR>> timerCalls;
void RecordTimer(HWND hwnd, UINT, ULONG_PTR id, DWORD)
{
    timerCalls.push_back({hwnd, id});
}

TEST_F(Loops, TimersFollowTheFakeClockWithoutCatchUpBursts)
{
    HWND top = Top(Bounds(0, 0, 100, 100));
    Pump();
    ASSERT_EQ(SetTimer(top, 1, 100, nullptr), 1u);
    auto ticks = [&] {
        Log().clear();
        Pump();
        return Messages(top, {WM_TIMER}).size();
    };
    clock->Advance(99);
    EXPECT_EQ(ticks(), 0u);
    clock->Advance(1);
    EXPECT_EQ(ticks(), 1u);
    clock->Advance(350);
    EXPECT_EQ(ticks(), 1u) << "a late timer fires once";
    clock->Advance(99);
    EXPECT_EQ(ticks(), 0u) << "and runs again a full interval after it fired";
    clock->Advance(1);
    EXPECT_EQ(ticks(), 1u);

    // Setting it again restarts it; a second id runs alongside.
    SetTimer(top, 1, 500, nullptr);
    SetTimer(top, 2, 1, nullptr); // below the minimum: 10 ms
    clock->Advance(9);
    EXPECT_EQ(ticks(), 0u);
    clock->Advance(1);
    EXPECT_EQ(ticks(), 1u);
    EXPECT_EQ(Last(top, WM_TIMER)->WParam, 2u);
    EXPECT_TRUE(KillTimer(top, 2));
    EXPECT_FALSE(KillTimer(top, 2));
    clock->Advance(490);
    EXPECT_EQ(ticks(), 1u);
    EXPECT_EQ(Last(top, WM_TIMER)->WParam, 1u);

    // Callback timers, with and without a window; a destroyed window's timers end.
    timerCalls.clear();
    const ULONG_PTR threadTimer = SetTimer(nullptr, 0, 50, RecordTimer);
    EXPECT_NE(threadTimer, 0u);
    SetTimer(top, 3, 50, RecordTimer);
    clock->Advance(50);
    EXPECT_EQ(ticks(), 0u) << "callbacks replace the window procedure";
    EXPECT_EQ(timerCalls, (std::vector<std::pair<HWND, ULONG_PTR>>{{nullptr, threadTimer}, {top, 3}}));
    KillTimer(nullptr, threadTimer);
    DestroyWindow(top);
    timerCalls.clear();
    clock->Advance(1000);
    Pump();
    EXPECT_TRUE(timerCalls.empty());
}

TEST_F(Loops, ModalLoopsDisableTheOthersNestAndReturnTheirResult)
{
    HWND main = Top(Bounds(0, 0, 300, 300));
    HWND first = Top(Bounds(10, 10, 100, 100), WS_OVERLAPPEDWINDOW, 0, kClass, main);
    HWND second = Top(Bounds(20, 20, 100, 100), WS_OVERLAPPEDWINDOW, 0, kClass, first);
    std::vector<std::string> seen;
    On(first, WM_USER, [&](HWND, UINT, WPARAM, LPARAM) {
        seen.push_back(std::string("first: main ") + (IsWindowEnabled(main) ? "enabled" : "disabled"));
        PostMessage(second, WM_USER, 0, 0);
        const LRESULT inner = RunModalLoop(second);
        seen.push_back("inner returned " + std::to_string(inner));
        EndModalLoop(first, inner + 1);
        return std::optional<LRESULT>(0);
    });
    On(second, WM_USER, [&](HWND, UINT, WPARAM, LPARAM) {
        seen.push_back(std::string("second: first ") + (IsWindowEnabled(first) ? "enabled" : "disabled"));
        EndModalLoop(second, 41);
        return std::optional<LRESULT>(0);
    });
    PostMessage(first, WM_USER, 0, 0);
    EXPECT_EQ(RunModalLoop(first), 42);
    EXPECT_EQ(seen, (std::vector<std::string>{"first: main disabled", "second: first disabled", "inner returned 41"}));
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_TRUE(IsWindowEnabled(first));
    EXPECT_FALSE(EndModalLoop(first, 1)) << "no loop runs any more";

    // Destroying the modal window or quitting ends the loop; WM_QUIT stays for the outer loop.
    PostMessage(second, WM_CLOSE, 0, 0);
    Handlers().clear();
    EXPECT_EQ(RunModalLoop(second), 0);
    EXPECT_FALSE(IsWindow(second));
    PostQuitMessage(3);
    EXPECT_EQ(RunModalLoop(first), 0);
    MSG m;
    EXPECT_EQ(GetMessage(&m, nullptr, 0, 0), 0);
    EXPECT_EQ(m.wParam, 3u);
}

TEST_F(Loops, APressOnAWindowDisabledByAModalDialogBringsTheDialogForward)
{
    HWND main = Top(Bounds(0, 0, 300, 300));
    HWND dialog = Top(Bounds(400, 0, 100, 100), WS_OVERLAPPEDWINDOW, 0, kClass, main);
    bool armed = false, pressedSeen = false;
    On(dialog, WM_USER, [&](HWND, UINT, WPARAM, LPARAM) {
        SetActiveWindow(nullptr); // the desktop took the activation meanwhile
        armed = true;
        InjectMouseButton(0, true, {50, 150});
        pressedSeen = GetAsyncKeyState(VK_LBUTTON) < 0;
        InjectMouseButton(0, false, {50, 150});
        return std::optional<LRESULT>(0);
    });
    On(dialog, WM_ACTIVATE, [&](HWND h, UINT, WPARAM w, LPARAM) {
        if (armed && LOWORD(w) != WA_INACTIVE)
            EndModalLoop(h, 1);
        return std::nullopt;
    });
    PostMessage(dialog, WM_USER, 0, 0);
    Log().clear();
    EXPECT_EQ(RunModalLoop(dialog), 1);
    Pump();
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_TRUE(pressedSeen);
    EXPECT_FALSE(GetAsyncKeyState(VK_LBUTTON) < 0);
    EXPECT_TRUE(Messages(main, {WM_LBUTTONDOWN, WM_LBUTTONUP}).empty());
    auto cursor = Last(main, WM_SETCURSOR);
    ASSERT_TRUE(cursor);
    EXPECT_EQ(SHORT(LOWORD(ULONG_PTR(cursor->LParam))), HTERROR);
}

TEST_F(Loops, DisablingAWindowCancelsItsModeWhileItIsStillEnabled)
{
    HWND main = Top(Bounds(0, 0, 300, 300));
    HWND dialog = Top(Bounds(10, 10, 100, 100), WS_OVERLAPPEDWINDOW, 0, kClass, main);
    On(dialog, WM_USER, [](HWND h, UINT, WPARAM, LPARAM) {
        EndModalLoop(h, 1);
        return std::optional<LRESULT>(0);
    });
    bool enabledAtCancel = false;
    On(main, WM_CANCELMODE, [&](HWND h, UINT, WPARAM, LPARAM) {
        enabledAtCancel = IsWindowEnabled(h);
        return std::nullopt;
    });
    struct TCase {
        const char* Name;
        std::function<void()> Act;
        std::vector<UINT> Messages; // of main
    } cases[] = {
        {"disabled while holding the capture",
         [&] {
             SetCapture(main);
             EnableWindow(main, 0);
         },
         {WM_CANCELMODE, WM_CAPTURECHANGED, WM_ENABLE}},
        {"disabled again", [&] { EnableWindow(main, 0); }, {}},
        {"enabled", [&] { EnableWindow(main, 1); }, {WM_ENABLE}},
        {"disabled by a modal loop",
         [&] {
             PostMessage(dialog, WM_USER, 0, 0);
             RunModalLoop(dialog);
         },
         {WM_CANCELMODE, WM_ENABLE, WM_ENABLE}},
    };
    for (const auto& c : cases) {
        Log().clear();
        enabledAtCancel = false;
        c.Act();
        EXPECT_EQ(Messages(main, {WM_CANCELMODE, WM_CAPTURECHANGED, WM_ENABLE}), c.Messages) << c.Name;
        if (!c.Messages.empty() && c.Messages.front() == WM_CANCELMODE) {
            EXPECT_TRUE(enabledAtCancel) << c.Name;
        }
    }
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Loops, NestedLoopsHandEachMessageToTheFilterFirst)
{
    HWND main = Top(Bounds(100, 100, 200, 150));
    HWND dialog = Top(Bounds(10, 10, 100, 100), WS_OVERLAPPEDWINDOW, 0, kClass, main);
    On(dialog, WM_USER + 1, [](HWND h, UINT, WPARAM, LPARAM) {
        EndModalLoop(h, 1);
        return std::optional<LRESULT>(0);
    });
    std::vector<std::pair<int, UINT>> filtered;
    UINT eaten = 0;
    const TMsgFilter before = SetMsgFilter([&](MSG& m, int code) {
        filtered.push_back({code, m.message});
        return m.message == eaten;
    });
    auto drag = [](TPoint from, TPoint to) {
        InjectMouseButton(0, true, from);
        InjectMouseMove(to);
        InjectMouseButton(0, false, from); // released where pressed: only the moves could change anything
        Pump();
    };
    struct TCase {
        const char* Name;
        UINT Eaten;
        int Code;
        std::function<void()> Run;
        UINT NeverSent; // what the loop would have done with the eaten message
    } cases[] = {
        {"modal window", WM_USER, MSGF_DIALOGBOX,
         [&] {
             PostMessage(dialog, WM_USER, 0, 0);
             PostMessage(dialog, WM_USER + 1, 0, 0);
             RunModalLoop(dialog);
         },
         WM_USER},
        {"move", WM_MOUSEMOVE, MSGF_MOVE,
         [&] {
             drag({150, 110}, {180, 140});
         },
         WM_MOVING},
        {"size", WM_MOUSEMOVE, MSGF_SIZE,
         [&] {
             drag({299, 249}, {320, 270});
         },
         WM_SIZING},
    };
    for (const auto& c : cases) {
        clock->Advance(1000);
        Log().clear();
        filtered.clear();
        eaten = c.Eaten;
        c.Run();
        EXPECT_NE(std::find(filtered.begin(), filtered.end(), std::pair<int, UINT>{c.Code, c.Eaten}), filtered.end())
            << c.Name;
        EXPECT_TRUE(Messages(nullptr, {c.NeverSent}).empty()) << c.Name;
    }
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r, Bounds(100, 100, 200, 150));
    SetMsgFilter(before);
}

TEST_F(Loops, OtherThreadsPostAndSendIntoTheLoop)
{
    HWND top = Top(Bounds(0, 0, 100, 100));
    Pump();
    std::thread::id handledOn;
    On(top, WM_USER, [&](HWND, UINT, WPARAM w, LPARAM) {
        handledOn = std::this_thread::get_id();
        return std::optional<LRESULT>(LRESULT(w) * 2);
    });
    On(top, WM_USER + 1, [&](HWND, UINT, WPARAM, LPARAM) {
        PostQuitMessage(0);
        return std::optional<LRESULT>(0);
    });
    LRESULT sent = 0;
    std::thread worker([&] {
        sent = SendMessage(top, WM_USER, 21, 0); // runs on the main thread while it waits in GetMessage
        PostMessage(top, WM_USER + 1, 0, 0);
    });
    MSG m;
    while (GetMessage(&m, nullptr, 0, 0)) {
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
    worker.join();
    EXPECT_EQ(sent, 42);
    EXPECT_EQ(handledOn, std::this_thread::get_id());
}

TEST_F(Loops, GetMessageForAWindowThatIsGoneFailsInsteadOfWaiting)
{
    HWND top = Top(Bounds(0, 0, 100, 100));
    DestroyWindow(top);
    MSG m;
    EXPECT_EQ(GetMessage(&m, top, 0, 0), -1);
}

TEST_F(Loops, GetMessageSleepsUntilTheNextTimer)
{
    SetClock(nullptr); // the real clock: the loop must wake by itself
    HWND top = Top(Bounds(0, 0, 100, 100));
    Pump();
    SetTimer(top, 7, 10, nullptr);
    MSG m;
    ASSERT_TRUE(GetMessage(&m, top, WM_TIMER, WM_TIMER));
    EXPECT_EQ(m.wParam, 7u);
}

} // namespace
} // namespace tovrel::test
