#pragma once
// A job with the real media transcoder over Debian's libraries, and the lines
// the logger wrote while the test ran.
#include "FFmpegLoaderTestSupport.h"
#include "media/engine/FFmpegEngine.h"
#include "media/loader/FFmpegLogger.h"
#include "media/transcode/FFmpegMediaTranscoder.h"
#include "platform/rtl/MainThread.h"
#include "support/TestMedia.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tovrel::test {

class TMediaJobTest : public TRealLibrariesTest {
protected:
    void SetUp() override
    {
        TMainThread::SetCurrent();
        TRealLibrariesTest::SetUp();
        TFFLogger* logger = GetFFLogger();
        previousLevel_ = logger->LogLevel();
        logger->SetTriggerEventInMainThread(false);
        logger->SetLogLevel(llInfo);
        logger->SetOnLog([this](const void*, std::uint32_t, TLogLevel level, const std::string& line) {
            std::lock_guard lock(logLock_);
            lines_.push_back({level, line});
        });
        NewJob();
    }
    void TearDown() override
    {
        job.reset();
        GetFFLogger()->SetOnLog(nullptr);
        GetFFLogger()->SetLogLevel(previousLevel_);
        GetFFLogger()->SetTriggerEventInMainThread(true);
        TRealLibrariesTest::TearDown();
    }

    void NewJob(int maxFiles = 4)
    {
        job.reset();
        auto transcoder = std::make_unique<TMediaTranscoder>();
        media = transcoder.get();
        job = std::make_unique<TCustomFFmpeg>(maxFiles, std::move(transcoder));
        job->Reinitialize();
    }

    static std::string PathOf(test::media::Fixture fixture) { return test::media::FixturePath(fixture).string(); }

    void OpenInput(test::media::Fixture fixture)
    {
        ASSERT_TRUE(job->OpenInputFile(PathOf(fixture))) << job->LastErrMsg();
    }

    bool Logged(TLogLevel level, const std::string& line)
    {
        std::lock_guard lock(logLock_);
        for (const auto& [lineLevel, text] : lines_)
            if (lineLevel == level && text == line)
                return true;
        return false;
    }
    // Where the first line at `level` that contains `text` was logged; -1 when none was.
    int LineIndex(TLogLevel level, const std::string& text)
    {
        std::lock_guard lock(logLock_);
        for (std::size_t i = 0; i < lines_.size(); ++i)
            if (lines_[i].first == level && lines_[i].second.find(text) != std::string::npos)
                return static_cast<int>(i);
        return -1;
    }
    std::size_t LinesAt(TLogLevel level)
    {
        std::lock_guard lock(logLock_);
        std::size_t count = 0;
        for (const auto& entry : lines_)
            count += entry.first == level;
        return count;
    }
    void ClearLog()
    {
        std::lock_guard lock(logLock_);
        lines_.clear();
    }

    std::unique_ptr<TCustomFFmpeg> job;
    TMediaTranscoder* media = nullptr;

private:
    TLogLevel previousLevel_ = llInfo;
    std::mutex logLock_;
    std::vector<std::pair<TLogLevel, std::string>> lines_;
};

} // namespace tovrel::test
