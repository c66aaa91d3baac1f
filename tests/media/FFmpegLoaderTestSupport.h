#pragma once
// Loads Debian's media libraries for one test and releases them afterwards, so
// every test leaves the process-wide loader as it found it.
#include "media/loader/FFmpegLoader.h"
#include "media/loader/FFmpegLoaderEntries.h"

#include <gtest/gtest.h>

namespace tovrel::test {

class TRealLibrariesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GlobalFFmpegLoader().Load(TaskLibraries)) << GlobalFFmpegLoader().LastErrMsg();
    }
    void TearDown() override { GlobalFFmpegLoader().Unload(TaskLibraries); }
};

} // namespace tovrel::test
