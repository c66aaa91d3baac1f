#pragma once
// Answers a skinned dialog headless: once its form is up and active,
// `act` runs on it and feeds synthetic keys or clicks; the modal loop then
// ends through that input alone.
#include "../../platform/vcl/ControlTestSupport.h"
#include "ModalFormDriver.h"
#include "platform/wm/Input.h"
#include "skin/dialogs/SkinMessageForm.h"

#include <functional>
#include <vector>

namespace tovrel::test {

class MessageBoxTest : public ControlTest {
protected:
    void TearDown() override
    {
        Application->OnMessage = nullptr;
        ControlTest::TearDown();
    }
    // Runs `show` with `act` armed for the first message form that becomes active.
    template <class Show> int Answer(std::function<void(TskMessageForm&)> act, Show show)
    {
        return AnswerModal<TskMessageForm>(std::move(act), show);
    }
    static void Keys(const std::vector<UINT>& keys)
    {
        for (UINT vk : keys) {
            InjectKey(vk, true);
            InjectKey(vk, false);
        }
    }
    // Clicks the centre of the form's control of that name.
    static void ClickOn(TForm& form, std::string_view name)
    {
        auto* control = dynamic_cast<TControl*>(form.FindComponent(name));
        ASSERT_NE(control, nullptr) << name;
        const TPoint at = control->ClientToScreen(Point(control->Width() / 2, control->Height() / 2));
        InjectMouseMove(at);
        InjectMouseButton(0, true, at);
        InjectMouseButton(0, false, at);
    }
};

} // namespace tovrel::test
