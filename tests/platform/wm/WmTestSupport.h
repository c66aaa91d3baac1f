#pragma once
// A fixture for window-layer tests: a fake clock, a fresh in-memory backend,
// and windows whose procedure records every message and lets a test answer
// any of them.
#include "platform/gdi/Gdi.h"
#include "platform/rtl/MainThread.h"
#include "platform/wm/Wm.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace tovrel::test {

struct TLogEntry {
    HWND Hwnd;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
};

using THandler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

class TWmTest : public ::testing::Test {
protected:
    static constexpr const char* kClass = "TestWindow";       // CS_DBLCLKS
    static constexpr const char* kPlainClass = "PlainWindow"; // no double clicks

    void SetUp() override
    {
        TMainThread::SetCurrent();
        clock = std::make_shared<TFakeClock>(100000);
        SetClock(clock);
        SetBackend(std::make_shared<TBackend>());
        RegisterOnce(kClass, CS_DBLCLKS);
        RegisterOnce(kPlainClass, 0);
        Log().clear();
        Handlers().clear();
    }

    void TearDown() override
    {
        Handlers().clear(); // they may hold references to the test's locals
        ReleaseCapture();
        for (HWND h : std::vector<HWND>(TopLevels()))
            DestroyWindow(h);
        PumpWaitingMessages();
        MSG m;
        while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {}
        SetClock(nullptr);
    }

    static std::vector<HWND> TopLevels()
    {
        std::vector<HWND> tops;
        EnumWindows(
            [](HWND h, LPARAM l) {
                reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
                return BOOL(1);
            },
            reinterpret_cast<LPARAM>(&tops));
        return tops;
    }

    static std::vector<TLogEntry>& Log()
    {
        static std::vector<TLogEntry> log;
        return log;
    }
    static std::map<std::pair<HWND, UINT>, THandler>& Handlers()
    {
        static std::map<std::pair<HWND, UINT>, THandler> handlers;
        return handlers;
    }

    static LRESULT RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Log().push_back({hwnd, message, wParam, lParam});
        auto it = Handlers().find({hwnd, message});
        if (it != Handlers().end()) {
            auto handler = it->second; // may replace itself
            if (auto answer = handler(hwnd, message, wParam, lParam))
                return *answer;
        }
        return DefWindowProc(hwnd, message, wParam, lParam);
    }

    static void On(HWND hwnd, UINT message, THandler handler) { Handlers()[{hwnd, message}] = std::move(handler); }
    static void Answer(HWND hwnd, UINT message, LRESULT value)
    {
        On(hwnd, message, [value](HWND, UINT, WPARAM, LPARAM) { return std::optional<LRESULT>(value); });
    }

    static HWND Top(TRect r, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, DWORD ex = 0, const char* cls = kClass,
                    HWND owner = nullptr)
    {
        return CreateWindowEx(ex, cls, "top", style, r.Left, r.Top, r.Width(), r.Height(), owner, nullptr, nullptr,
                              nullptr);
    }
    static HWND Child(HWND parent, TRect r, DWORD style = WS_CHILD | WS_VISIBLE, int id = 0, const char* cls = kClass)
    {
        return CreateWindowEx(0, cls, "child", style, r.Left, r.Top, r.Width(), r.Height(), parent,
                              reinterpret_cast<HMENU>(std::intptr_t(id)), nullptr, nullptr);
    }
    // A borderless popup top-level window, as plain test canvases use.
    static HWND Canvas(TRect r, DWORD style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN) { return Top(r, style); }

    // Messages of one window (all windows when hwnd is null) among `wanted` (all when empty), in order.
    static std::vector<UINT> Messages(HWND hwnd, const std::set<UINT>& wanted = {})
    {
        std::vector<UINT> out;
        for (const auto& e : Log())
            if ((!hwnd || e.Hwnd == hwnd) && (wanted.empty() || wanted.count(e.Message)))
                out.push_back(e.Message);
        return out;
    }
    static std::vector<std::pair<HWND, UINT>> Trace(const std::set<UINT>& wanted)
    {
        std::vector<std::pair<HWND, UINT>> out;
        for (const auto& e : Log())
            if (wanted.count(e.Message))
                out.push_back({e.Hwnd, e.Message});
        return out;
    }
    static std::optional<TLogEntry> Last(HWND hwnd, UINT message)
    {
        for (auto it = Log().rbegin(); it != Log().rend(); ++it)
            if (it->Hwnd == hwnd && it->Message == message)
                return *it;
        return std::nullopt;
    }

    static void Pump() { PumpWaitingMessages(); }
    static void Click(TPoint p, int button = 0)
    {
        InjectMouseButton(button, true, p);
        InjectMouseButton(button, false, p);
    }

    // Paints the window's client area in one colour on every WM_PAINT.
    static void PaintsIn(HWND hwnd, COLORREF colour)
    {
        On(hwnd, WM_PAINT, [colour](HWND h, UINT, WPARAM, LPARAM) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            RECT r;
            GetClientRect(h, &r);
            HBRUSH brush = CreateSolidBrush(colour);
            FillRect(dc, &r, brush);
            DeleteObject(ToGdiObj(brush));
            EndPaint(h, &ps);
            return std::optional<LRESULT>(0);
        });
    }
    // The colour at a point of a top-level window's surface (window coordinates).
    static COLORREF PixelAt(HWND top, int x, int y)
    {
        auto surface = WindowSurface(top);
        const std::uint8_t* p = surface->ScanLine(y) + x * 4;
        return RGB(p[2], p[1], p[0]);
    }

    std::shared_ptr<TFakeClock> clock;

private:
    static void RegisterOnce(const char* name, UINT style)
    {
        WNDCLASSEX wc;
        if (GetClassInfoEx(nullptr, name, &wc))
            return;
        wc = WNDCLASSEX{};
        wc.style = style;
        wc.lpfnWndProc = RecordingProc;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = name;
        RegisterClassEx(&wc);
    }
};

} // namespace tovrel::test
