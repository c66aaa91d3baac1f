#pragma once
// Answers a modal form headless: once a form of class Form is up, modal and
// active, `act` runs on it once (feeding keys, clicks or calls); `show`
// returns when the modal loop ends through what `act` did.
#include "platform/vcl/Application.h"

#include <functional>
#include <gtest/gtest.h>

namespace tovrel::test {

template <class Form, class Show> auto AnswerModal(std::function<void(Form&)> act, Show show)
{
    bool acted = false;
    Application->OnMessage = [&](MSG&, bool&) {
        auto* form = dynamic_cast<Form*>(Screen->ActiveForm());
        if (acted || !form || !form->Modal())
            return;
        acted = true;
        act(*form);
    };
    const auto result = show();
    Application->OnMessage = nullptr;
    EXPECT_TRUE(acted);
    return result;
}

} // namespace tovrel::test
