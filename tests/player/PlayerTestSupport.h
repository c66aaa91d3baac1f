#pragma once
// Loads the player's libraries (FFmpeg and SDL2) for one test and releases them
// afterwards; the test thread is the main thread.
#include "media/loader/FFmpegLoader.h"
#include "platform/rtl/MainThread.h"

#include <gtest/gtest.h>

#include <functional>

namespace tovrel::test {

class TPlayerLibrariesTest : public ::testing::Test {
protected:
    // Runs main-thread calls until ready() holds, re-checking it at least every
    // 10 ms (some conditions change without a call to wake the wait); false after 30 s.
    static bool WaitUntil(const std::function<bool()>& ready)
    {
        for (int waited = 0; waited < 30000; waited += 10)
            if (TMainThread::WaitPumping(ready, 10))
                return true;
        return ready();
    }

    void SetUp() override
    {
        TMainThread::SetCurrent();
        ASSERT_TRUE(GlobalFFmpegLoader().Load(PlayerLibraries)) << GlobalFFmpegLoader().LastErrMsg();
    }
    void TearDown() override { GlobalFFmpegLoader().Unload(PlayerLibraries); }
};

} // namespace tovrel::test
