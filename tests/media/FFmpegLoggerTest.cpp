#include "media/loader/FFmpegLogger.h"

#include "FFmpegLoaderTestSupport.h"
#include "media/loader/FFmpegUtilsMainThread.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/MainThread.h"
#include "platform/rtl/Thread.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

extern "C" {
#include <libavutil/log.h>
}

namespace tovrel::test {
namespace {

struct TLine {
    std::uint32_t threadId;
    TLogLevel level;
    std::string text;
    bool inMainThread;
};

void LogPiece(void* context, int level, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    AVLogCallback(context, level, format, args);
    va_end(args);
}

const char* ItemName(void*)
{
    return "demuxer";
}
const AVClass TestClass = [] {
    AVClass avClass{};
    avClass.class_name = "Test";
    avClass.item_name = ItemName;
    avClass.version = LIBAVUTIL_VERSION_INT;
    return avClass;
}();
struct TLoggingObject {
    const AVClass* avClass = &TestClass;
};

// Collects the logger's lines; the test thread is the main thread.
class FFmpegLoggerTest : public ::testing::Test {
protected:
    TFFLogger& logger = *GetFFLogger();
    std::mutex lock;
    std::vector<TLine> lines;

    void SetUp() override
    {
        TMainThread::SetCurrent();
        logger.SetLogLevel(llInfo);
        logger.SetTriggerEventInMainThread(true);
        logger.SetOnLog([this](const void*, std::uint32_t threadId, TLogLevel level, const std::string& text) {
            std::lock_guard guard(lock);
            lines.push_back({threadId, level, text, TMainThread::IsCurrent()});
        });
    }
    void TearDown() override { logger.SetOnLog(nullptr); }
    std::vector<std::string> Texts()
    {
        std::vector<std::string> texts;
        for (const TLine& line : lines)
            texts.push_back(line.text);
        return texts;
    }
};

TEST(FFmpegLogLevels, MapBothWaysWithFFmpegNumbers)
{
    const struct {
        int av;
        TLogLevel level;
    } cases[] = {{-16, llQuiet}, {-8, llQuiet},   {0, llPanic}, {7, llPanic},    {8, llFatal},  {16, llError},
                 {20, llError},  {24, llWarning}, {32, llInfo}, {40, llVerbose}, {48, llDebug}, {56, llDebug}};
    for (const auto& c : cases)
        EXPECT_EQ(LogLevelFromAV(c.av), c.level) << c.av;
    const int expected[] = {-8, 0, 8, 16, 24, 32, 40, 48};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(LogLevelToAV(TLogLevel(i)), expected[i]);
}

TEST_F(FFmpegLoggerTest, OnlyOneLoggerMayExist)
{
    try {
        TFFLogger second;
        ADD_FAILURE() << "a second logger was created";
    } catch (const EAssertionFailed& e) {
        EXPECT_STREQ(e.what(), "Allow creating only one instance of TFFLogger.");
    }
    EXPECT_EQ(GetFFLogger(), &logger);
}

// Pieces join into lines; the prefix comes only before a line's first piece;
// text after the last line feed waits for the next piece.
TEST_F(FFmpegLoggerTest, PiecesJoinIntoLinesPerThread)
{
    TLoggingObject object;
    LogPiece(&object, AV_LOG_INFO, "Input #%d, ", 0);
    LogPiece(&object, AV_LOG_INFO, "wav\n");
    LogPiece(nullptr, AV_LOG_WARNING, "one\ntwo\nthr");
    EXPECT_EQ(lines.size(), 3u);
    LogPiece(nullptr, AV_LOG_WARNING, "ee\n");
    char expectedPrefix[64];
    std::snprintf(expectedPrefix, sizeof expectedPrefix, "[demuxer @ %p]", static_cast<void*>(&object));
    ASSERT_EQ(Texts(),
              (std::vector<std::string>{std::string(expectedPrefix) + "Input #0, wav", "one", "two", "three"}));
    EXPECT_EQ(lines[0].level, llInfo);
    EXPECT_EQ(lines[1].level, llWarning);
    EXPECT_EQ(lines[0].threadId, std::uint32_t(TThread::CurrentThreadID()));
}

// UTF-8 bytes pass through as they are; a piece longer than the buffer is cut
// to 2047 bytes but keeps its line end, so the next line stays apart.
TEST_F(FFmpegLoggerTest, LongPiecesAreCutAndKeepTheirLineEnd)
{
    std::string longText(5000, 'x');
    LogPiece(nullptr, AV_LOG_ERROR, "%s\n", longText.c_str());
    LogPiece(nullptr, AV_LOG_ERROR, "文件 %s\n", "输出.mp4");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, std::string(2046, 'x'));
    EXPECT_EQ(lines[1].text, "文件 输出.mp4");
}

TEST_F(FFmpegLoggerTest, LevelFilters)
{
    LogPiece(nullptr, AVLogLevel() + 8, "dropped by the FFmpeg level\n");
    LogPiece(nullptr, AV_LOG_WARNING | AV_LOG_C(134), "tinted warning\n");
    logger.Log(this, llDebug, "dropped: debug above info");
    logger.SetLogLevel(llError);
    logger.Log(this, llVerbose, "verbose passes at %s", "error");
    logger.Log(this, llWarning, "dropped: warning above error");
    logger.SetLogLevel(llQuiet);
    logger.Log(this, llVerbose, "dropped at quiet");
    EXPECT_EQ(Texts(), (std::vector<std::string>{"tinted warning", "verbose passes at error"}));
    EXPECT_EQ(lines[0].level, llWarning);
}

TEST_F(FFmpegLoggerTest, OptLogLevelTakesNamesAndNumbers)
{
    const struct {
        const char* arg;
        TLogLevel level;
    } cases[] = {{"WARNING", llWarning}, {"quiet", llQuiet}, {"Debug", llDebug}, {"20", llError}, {"-100", llQuiet}};
    for (const auto& c : cases) {
        logger.OptLogLevel(c.arg);
        EXPECT_EQ(logger.LogLevel(), c.level) << c.arg;
    }
    EXPECT_THROW(logger.OptLogLevel("loud"), EConvertError);
    EXPECT_THROW(logger.OptLogLevel(""), EConvertError);
    EXPECT_THROW(logger.OptLogLevel("12x"), EConvertError);
}

// Four threads write lines in many pieces at once; every line arrives whole,
// in the main thread, with its own thread's id, and none is lost or doubled.
TEST_F(FFmpegLoggerTest, LinesOfConcurrentThreadsStayWhole)
{
    constexpr int Threads = 4, Lines = 50;
    std::vector<std::thread> workers;
    std::vector<std::uint32_t> ids(Threads);
    std::atomic<int> finished{0};
    for (int t = 0; t < Threads; ++t)
        workers.emplace_back([&, t] {
            ids[t] = std::uint32_t(TThread::CurrentThreadID());
            for (int i = 0; i < Lines; ++i) {
                LogPiece(nullptr, AV_LOG_INFO, "thread %d ", t);
                LogPiece(nullptr, AV_LOG_INFO, "line %d", i);
                LogPiece(nullptr, AV_LOG_INFO, " end\n");
            }
            ++finished;
            TMainThread::WakeWaiters();
        });
    TMainThread::WaitPumping([&] { return finished.load() == Threads; });
    for (auto& worker : workers)
        worker.join();
    TMainThread::Pump();

    ASSERT_EQ(lines.size(), size_t(Threads * Lines));
    std::vector<int> next(Threads, 0);
    for (const TLine& line : lines) {
        int t = -1, i = -1;
        ASSERT_EQ(std::sscanf(line.text.c_str(), "thread %d line %d end", &t, &i), 2) << line.text;
        ASSERT_TRUE(t >= 0 && t < Threads);
        EXPECT_EQ(line.threadId, ids[t]);
        EXPECT_EQ(i, next[t]++);
        EXPECT_TRUE(line.inMainThread);
    }
}

TEST_F(FFmpegLoggerTest, WithoutTheMainThreadSwitchLinesStayInTheCallingThread)
{
    logger.SetTriggerEventInMainThread(false);
    std::thread worker([&] { logger.Log(this, llError, "from the worker"); });
    worker.join();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_FALSE(lines[0].inMainThread);
}

// The real libavutil's messages reach the logger once it loads.
class FFmpegLoggerRealTest : public TRealLibrariesTest {};

TEST_F(FFmpegLoggerRealTest, LibraryMessagesReachOnLog)
{
    TMainThread::SetCurrent();
    TFFLogger& logger = *GetFFLogger();
    std::vector<std::string> texts;
    logger.SetOnLog([&](const void* sender, std::uint32_t, TLogLevel level, const std::string& text) {
        EXPECT_EQ(sender, &logger);
        EXPECT_EQ(level, llError);
        texts.push_back(text);
    });
    FF.av_log(nullptr, AV_LOG_ERROR, "from libavutil %d\n", 5);
    FF.av_log(nullptr, AV_LOG_DEBUG, "dropped\n");
    logger.SetOnLog(nullptr);
    EXPECT_EQ(texts, (std::vector<std::string>{"from libavutil 5"}));
}

// The logger's level is FFmpeg's level once the library is there.
TEST_F(FFmpegLoggerRealTest, TheLevelReachesTheLibrary)
{
    TFFLogger& logger = *GetFFLogger();
    logger.SetLogLevel(llDebug);
    EXPECT_EQ(FF.av_log_get_level(), AV_LOG_DEBUG);
    EXPECT_EQ(AVLogLevel(), AV_LOG_DEBUG);
    logger.SetLogLevel(llInfo);
    EXPECT_EQ(FF.av_log_get_level(), AV_LOG_INFO);
    EXPECT_EQ(AVLogLevel(), AV_LOG_INFO);
}

} // namespace
} // namespace tovrel::test
