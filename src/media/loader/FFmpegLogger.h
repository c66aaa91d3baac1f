#pragma once
// The one logger of the process. FFmpeg's messages arrive in pieces from any
// thread through the log callback and are joined into whole lines per thread;
// the components' own messages arrive through Log. Each line becomes one OnLog,
// raised in the main thread unless TriggerEventInMainThread is off.
#include "media/loader/FFmpegUtils.h"

#include <atomic>
#include <cstdarg>
#include <cstdint>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tovrel {

enum TLogLevel { llQuiet, llPanic, llFatal, llError, llWarning, llInfo, llVerbose, llDebug };

TLogLevel LogLevelFromAV(int level);
constexpr int LogLevelToAV(TLogLevel level)
{
    return int(level) * 8 - 8;
}

// FFmpeg's level: the callback drops every message above it. 32 at start.
int AVLogLevel();

using TLogEvent =
    std::function<void(const void* sender, std::uint32_t threadId, TLogLevel level, const std::string& message)>;

class EAssertionFailed : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class TFFLogger : public TFFBaseComponent {
public:
    // Only one logger may exist: a second one throws EAssertionFailed.
    TFFLogger();
    ~TFFLogger() override;
    TFFLogger(const TFFLogger&) = delete;
    TFFLogger& operator=(const TFFLogger&) = delete;

    TLogLevel LogLevel() const { return FLogLevel.load(); }
    void SetLogLevel(TLogLevel level);
    bool TriggerEventInMainThread() const { return FTriggerEventInMainThread.load(); }
    void SetTriggerEventInMainThread(bool value) { FTriggerEventInMainThread.store(value); }
    void SetOnLog(TLogEvent handler);
    bool HasOnLog() const;

    void Log(const void* sender, TLogLevel level, std::string_view message);
    void Log(const void* sender, TLogLevel level, const char* format, ...) __attribute__((format(printf, 4, 5)));

    // The "loglevel" option: a level name (any case) or an integer; any other
    // text raises EConvertError.
    void OptLogLevel(const std::string& arg);

    // A whole line that FFmpeg printed at `level` in thread `threadId`.
    void LogFromAV(std::uint32_t threadId, int level, const std::string& line);

private:
    struct TLogInfo {
        const void* Sender;
        std::uint32_t ThreadID;
        TLogLevel LogLevel;
        std::string LogMsg;
    };
    void FireLog(TLogInfo info);
    void DoLog(const TLogInfo& info);

    std::atomic<TLogLevel> FLogLevel;
    std::atomic<bool> FTriggerEventInMainThread{true};
    mutable std::mutex onLogLock_;
    TLogEvent FOnLog;
};

// The global logger, created (without owner) on first use.
TFFLogger* GetFFLogger();

// Installs the FFmpeg log callback; the loader calls it whenever libavutil loads.
void InstallAVLogCallback();

// The callback given to libavutil.
void AVLogCallback(void* context, int level, const char* format, va_list args);

} // namespace tovrel
