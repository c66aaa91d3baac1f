#pragma once
// A probe over Debian's media libraries, with the lines it logs collected. The
// test thread is the main thread, so the logger delivers at once.
#include "media/loader/FFmpegLogger.h"
#include "media/probe/AVProbeFrames.h"
#include "platform/rtl/MainThread.h"
#include "support/TestMedia.h"

#include "FFmpegLoaderTestSupport.h"

#include <memory>
#include <string>
#include <vector>

namespace tovrel::test {

struct TLoggedLine {
    TLogLevel level;
    std::string text;
};

class TAVProbeTest : public TRealLibrariesTest {
protected:
    std::unique_ptr<TAVProbe> probe;
    std::vector<TLoggedLine> logged;

    void SetUp() override
    {
        TRealLibrariesTest::SetUp();
        TMainThread::SetCurrent();
        GetFFLogger()->SetOnLog([this](const void* sender, std::uint32_t, TLogLevel level, const std::string& text) {
            if (sender == probe.get())
                logged.push_back({level, text});
        });
        probe = std::make_unique<TAVProbe>();
    }
    void TearDown() override
    {
        probe.reset();
        GetFFLogger()->SetOnLog(nullptr);
        TRealLibrariesTest::TearDown();
    }

    static std::string PathOf(test::media::Fixture fixture) { return test::media::FixturePath(fixture).string(); }
    void Load(test::media::Fixture fixture) { ASSERT_TRUE(probe->LoadFile(PathOf(fixture))) << probe->LastErrMsg(); }
    // The last line the probe logged, as "level: text".
    bool LastLogged(TLogLevel level, const std::string& text) const
    {
        return !logged.empty() && logged.back().level == level && logged.back().text == text;
    }
};

} // namespace tovrel::test
