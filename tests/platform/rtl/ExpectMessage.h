#pragma once
// Checks that a call throws E with exactly the given message.
#include <gtest/gtest.h>

#include <string>

namespace tovrel::test {

template <class E, class Call> void ExpectThrowsMessage(Call call, const std::string& message)
{
    try {
        call();
        ADD_FAILURE() << "no exception, expected: " << message;
    } catch (const E& e) {
        EXPECT_EQ(e.what(), message);
    }
}

} // namespace tovrel::test
