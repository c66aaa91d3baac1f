#include "media/loader/FFmpegLogger.h"

#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegUtilsMainThread.h"
#include "platform/rtl/MainThread.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Thread.h"

#include <algorithm>
#include <cctype>

namespace tovrel {

namespace {

std::atomic<int> avLogLevel{AV_LOG_INFO};
std::atomic<TFFLogger*> globalLogger{nullptr};
std::mutex globalLoggerLock; // guards replacing globalLogger
std::mutex createLock;       // serialises GetFFLogger's creation
// Made on first use when nobody made one; it lives as long as the process, so
// a library that logs during exit still finds it.
TFFLogger* ownedLogger = nullptr;

constexpr std::size_t LogBufferSize = 2048;

std::string FormatV(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (size <= 0)
        return {};
    std::string text(std::size_t(size), '\0');
    va_copy(copy, args);
    std::vsnprintf(text.data(), text.size() + 1, format, copy);
    va_end(copy);
    return text;
}

// Cuts `text` to at most `limit` bytes without splitting a UTF-8 sequence.
void CutUtf8(std::string& text, std::size_t limit)
{
    if (text.size() <= limit)
        return;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
}

// One piece of FFmpeg output: the "[name @ address]" prefix when it starts a
// line, then the message, cut to the 2048-byte buffer. A cut keeps the piece's
// line feed, so a long line never runs into the next one.
std::string FormatPiece(void* context, bool startsLine, const char* format, va_list args)
{
    std::string piece;
    if (context && startsLine) {
        const AVClass* avClass = *static_cast<const AVClass* const*>(context);
        if (avClass && avClass->item_name) {
            const char* name = avClass->item_name(context);
            char prefix[LogBufferSize];
            std::snprintf(prefix, sizeof prefix, "[%s @ %p]", name ? name : "NULL", context);
            piece = prefix;
        }
    }
    std::string message = FormatV(format, args);
    bool endsLine = !message.empty() && message.back() == '\n';
    piece += message;
    if (piece.size() > LogBufferSize - 1) {
        CutUtf8(piece, LogBufferSize - 1 - (endsLine ? 1 : 0));
        if (endsLine)
            piece += '\n';
    }
    return piece;
}

} // namespace

TLogLevel LogLevelFromAV(int level)
{
    int ordinal = level / 8 + 1;
    if (ordinal < 0)
        return llQuiet;
    if (ordinal >= 7)
        return llDebug;
    return TLogLevel(ordinal);
}

int AVLogLevel()
{
    return avLogLevel.load();
}

TFFLogger::TFFLogger() : FLogLevel(LogLevelFromAV(avLogLevel.load()))
{
    std::lock_guard lock(globalLoggerLock);
    if (globalLogger.load())
        throw EAssertionFailed("Allow creating only one instance of TFFLogger.");
    globalLogger.store(this);
}

TFFLogger::~TFFLogger()
{
    std::lock_guard lock(globalLoggerLock);
    if (globalLogger.load() == this)
        globalLogger.store(nullptr);
}

TFFLogger* GetFFLogger()
{
    if (TFFLogger* logger = globalLogger.load())
        return logger;
    std::lock_guard lock(createLock);
    if (TFFLogger* logger = globalLogger.load())
        return logger;
    ownedLogger = new TFFLogger();
    return ownedLogger;
}

namespace {
void ApplyAVLogLevel(TLogLevel level)
{
    if (!FF.av_log_set_level)
        return;
    avLogLevel.store(LogLevelToAV(level));
    FF.av_log_set_level(avLogLevel.load());
}
} // namespace

void TFFLogger::SetLogLevel(TLogLevel level)
{
    if (FLogLevel.exchange(level) != level)
        ApplyAVLogLevel(level);
}

void TFFLogger::SetOnLog(TLogEvent handler)
{
    std::lock_guard lock(onLogLock_);
    FOnLog = std::move(handler);
}

bool TFFLogger::HasOnLog() const
{
    std::lock_guard lock(onLogLock_);
    return bool(FOnLog);
}

void TFFLogger::Log(const void* sender, TLogLevel level, std::string_view message)
{
    if (!HasOnLog())
        return;
    TLogLevel current = LogLevel();
    bool verbosePasses = level == llVerbose && current != llQuiet;
    if (level > current && !verbosePasses)
        return;
    FireLog({sender, std::uint32_t(TThread::CurrentThreadID()), level, std::string(message)});
}

void TFFLogger::Log(const void* sender, TLogLevel level, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string message = FormatV(format, args);
    va_end(args);
    Log(sender, level, std::string_view(message));
}

void TFFLogger::OptLogLevel(const std::string& arg)
{
    static const char* const names[] = {"quiet", "panic", "fatal", "error", "warning", "info", "verbose", "debug"};
    std::string lower = arg;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    for (int i = 0; i < 8; ++i)
        if (lower == names[i])
            return SetLogLevel(TLogLevel(i));
    int value = StrToInt(arg);
    SetLogLevel(LogLevelFromAV(value));
}

void TFFLogger::LogFromAV(std::uint32_t threadId, int level, const std::string& line)
{
    if (!HasOnLog())
        return;
    FireLog({this, threadId, LogLevelFromAV(level), line});
}

// Each delivery carries its own copy of the record, so lines that several
// threads log at once are neither lost nor doubled.
void TFFLogger::FireLog(TLogInfo info)
{
    if (!TriggerEventInMainThread())
        return DoLog(info);
    try {
        CallInMainThread([this, &info] { DoLog(info); });
    } catch (const EMainThreadStopped&) {
        // Nobody listens any more: the line is dropped.
    }
}

void TFFLogger::DoLog(const TLogInfo& info)
{
    TLogEvent handler;
    {
        std::lock_guard lock(onLogLock_);
        handler = FOnLog;
    }
    if (handler)
        handler(info.Sender, info.ThreadID, info.LogLevel, info.LogMsg);
}

void AVLogCallback(void* context, int level, const char* format, va_list args)
{
    if (level >= 0)
        level &= 0xFF; // the bits above carry a colour tint
    if (level > avLogLevel.load() || !format)
        return;
    // A thread's unfinished line; pieces of other threads never reach it.
    thread_local std::string pending;
    try {
        pending += FormatPiece(context, pending.empty(), format, args);
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            GetFFLogger()->LogFromAV(std::uint32_t(TThread::CurrentThreadID()), level, line);
        }
    } catch (...) {
        // Nothing may unwind into FFmpeg's C frames.
    }
}

void InstallAVLogCallback()
{
    if (!FF.av_log_set_callback || !FF.av_log_set_level)
        throw EAssertionFailed("InstallAVLogCallback needs libavutil loaded");
    FF.av_log_set_callback(AVLogCallback);
    ApplyAVLogLevel(GetFFLogger()->LogLevel());
}

} // namespace tovrel
