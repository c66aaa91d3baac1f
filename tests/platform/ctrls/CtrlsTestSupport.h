#pragma once
// Headless set-up for the standard controls: a fake clock, an in-memory
// backend, a borderless form on the screen, and input helpers.
#include "platform/rtl/MainThread.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Forms.h"
#include "platform/wm/Wm.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

namespace tovrel::test {

class CtrlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TMainThread::SetCurrent();
        clock = std::make_shared<TFakeClock>(100000);
        SetClock(clock);
        SetBackend(std::make_shared<TBackend>());
        form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(50, 40, 400, 300);
        form->Show();
        Pump();
    }
    void TearDown() override
    {
        form.reset();
        ReleaseCapture();
        Pump();
        SetClock(nullptr);
    }
    static void Pump() { Application->ProcessMessages(); }
    // Presses and releases vk with the modifiers held.
    static void Key(UINT vk, std::initializer_list<UINT> modifiers = {})
    {
        for (UINT m : modifiers)
            InjectKey(m, true);
        InjectKey(vk, true);
        InjectKey(vk, false);
        for (UINT m : modifiers)
            InjectKey(m, false);
        Pump();
    }
    static void Type(std::string_view text)
    {
        InjectText(text);
        Pump();
    }
    // A press and release of the left button at a point of `control`'s client area.
    void ClickAt(TControl& control, TPoint p, bool release = true)
    {
        const TPoint screen = control.ClientToScreen(p);
        InjectMouseButton(0, true, screen);
        if (release)
            InjectMouseButton(0, false, screen);
        Pump();
    }
    void MoveTo(TControl& control, TPoint p)
    {
        InjectMouseMove(control.ClientToScreen(p));
        Pump();
    }
    void Release(TControl& control, TPoint p)
    {
        InjectMouseButton(0, false, control.ClientToScreen(p));
        Pump();
    }
    // A control placed on the form.
    template <class T> T& Place(TRect bounds)
    {
        auto* control = new T(form.get());
        control->SetParent(form.get());
        control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        Pump();
        return *control;
    }

    std::shared_ptr<TFakeClock> clock;
    std::unique_ptr<TForm> form;
};

} // namespace tovrel::test
