#pragma once
// Loads the player's libraries (FFmpeg and SDL2) for one test and releases them
// afterwards; the test thread is the main thread.
#include "media/FFmpegLoader.h"
#include "platform/rtl/MainThread.h"

#include <gtest/gtest.h>

namespace tovrel {

class TPlayerLibrariesTest : public ::testing::Test {
protected:
    void SetUp() override {
        TMainThread::SetCurrent();
        ASSERT_TRUE(GlobalFFmpegLoader().Load(PlayerLibraries)) << GlobalFFmpegLoader().LastErrMsg();
    }
    void TearDown() override { GlobalFFmpegLoader().Unload(PlayerLibraries); }
};

}  // namespace tovrel
