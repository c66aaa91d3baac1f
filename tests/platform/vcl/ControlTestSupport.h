#pragma once
// Headless set-up for control tests: the main thread, a fake clock, a fresh
// in-memory backend, and helpers to pump messages and read form pixels.
#include "platform/rtl/MainThread.h"
#include "platform/vcl/Application.h"
#include "platform/wm/Backend.h"
#include "platform/wm/Wm.h"

#include <gtest/gtest.h>

namespace tovrel::test {

// The in-memory backend on a desktop with or without layered windows.
class TLayeredBackend : public TBackend {
public:
    bool LayeredWindowsAvailable() override { return layered; }
    bool layered = true;
};

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TMainThread::SetCurrent();
        clock = std::make_shared<TFakeClock>(100000);
        SetClock(clock);
        SetBackend(std::make_shared<TBackend>());
    }
    void TearDown() override
    {
        ReleaseCapture();
        Pump();
        SetClock(nullptr);
    }
    static void Pump() { Application->ProcessMessages(); }
    // A borderless form at (left, top) on the screen, shown.
    static std::unique_ptr<TForm> ShownForm(int left, int top, int width, int height)
    {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(left, top, width, height);
        form->Show();
        Pump();
        return form;
    }
    static COLORREF PixelAt(TWinControl& top, int x, int y)
    {
        auto surface = WindowSurface(top.Handle());
        const std::uint8_t* p = surface->ScanLine(y) + x * 4;
        return RGB(p[2], p[1], p[0]);
    }
    static void Click(TPoint screen)
    {
        InjectMouseButton(0, true, screen);
        InjectMouseButton(0, false, screen);
        Pump();
    }
    static void Key(UINT vk)
    {
        InjectKey(vk, true);
        InjectKey(vk, false);
        Pump();
    }

    // Time passes on the fake clock and the timers it reaches run.
    void Tick(unsigned ms)
    {
        clock->Advance(ms);
        Pump();
    }

    // A control owned by and placed on `parent`.
    template <class T> static T* Placed(TWinControl& parent, TRect bounds)
    {
        auto* control = new T(&parent);
        control->SetParent(&parent);
        control->SetBoundsRect(bounds);
        return control;
    }

    std::shared_ptr<TFakeClock> clock;
};

} // namespace tovrel::test
