#pragma once
// What the player tests share: a base that loads the player's libraries
// (FFmpeg and SDL2) for one test and releases them afterwards, the test thread
// being the main thread; a host that wakes the test's waits; surface reads.
#include "media/loader/FFmpegLoader.h"
#include "platform/rtl/MainThread.h"
#include "player/Player.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace tovrel::test {

// A 320x240 host that only wakes the test's waits when a picture changes.
class TNotifyingHost : public TPlayerHost {
public:
    TSize ClientSize() const override { return {320, 240}; }
    void PictureChanged(const TRect&) override { TMainThread::WakeWaiters(); }
};

// Green byte of the player's surface at (x, y); -1 outside it.
inline int GreenAt(const TCustomPlayer& player, int x, int y)
{
    int green = -1;
    player.Surface().Read([&](const TSurface& surface, std::int64_t) {
        if (x >= 0 && y >= 0 && x < surface.Width() && y < surface.Height())
            green = surface.ScanLine(y)[x * 4 + 1];
    });
    return green;
}

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

// A player showing on a TNotifyingHost; the player goes while the libraries are loaded.
class TPlayerOnHostTest : public TPlayerLibrariesTest {
protected:
    std::unique_ptr<TFFPlayer> player = std::make_unique<TFFPlayer>();
    TNotifyingHost host;
    void TearDown() override
    {
        player.reset();
        TPlayerLibrariesTest::TearDown();
    }
};

} // namespace tovrel::test
