#include "media/transcode/FFmpegPass2Check.h"

#include "media/loader/FFmpegLoaderEntries.h"
#include "media/transcode/FFmpegSetup.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>

namespace tovrel {

namespace {

// The child's log: error lines go to the parent through the pipe.
int ChildLogPipe = -1;

void ChildLog(void*, int level, const char* format, va_list arguments)
{
    if (level > AV_LOG_ERROR)
        return;
    char line[1024];
    const int length = std::vsnprintf(line, sizeof line, format, arguments);
    if (length > 0 && ::write(ChildLogPipe, line, std::min<std::size_t>(std::size_t(length), sizeof line - 1)) < 0)
        ::_exit(2);
}

[[noreturn]] void TryOpenInChild(const AVCodecContext* codec, const AVCodec* encoder, const AVDictionary* options,
                                 int logPipe)
{
    ChildLogPipe = logPipe;
    // The encoder's reason is wanted whatever level the program logs at.
    FF.av_log_set_level(AV_LOG_ERROR);
    FF.av_log_set_callback(ChildLog);
    // The child is this process's copy: the context may be opened as it is,
    // on this one thread.
    auto* trial = const_cast<AVCodecContext*>(codec);
    trial->thread_count = 1;
    AVDictionary* copy = nullptr;
    FF.av_dict_copy(&copy, options, 0);
    ::_exit(FF.avcodec_open2(trial, encoder, &copy) < 0 ? 1 : 0);
}

// Everything the child wrote until it ended; a child that hangs is ended
// after a while (it holds nothing of ours).
std::string ReadChildLog(pid_t child, int logPipe)
{
    std::string text;
    char buffer[512];
    for (;;) {
        pollfd ready{logPipe, POLLIN, 0};
        if (::poll(&ready, 1, 30000) <= 0) {
            ::kill(child, SIGKILL);
            break;
        }
        const ssize_t got = ::read(logPipe, buffer, sizeof buffer);
        if (got <= 0)
            break;
        text.append(buffer, std::size_t(got));
    }
    return text;
}

std::string Trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

} // namespace

bool UsesLibraryPass2(const AVCodecContext* codec, const AVCodec* encoder)
{
    return (codec->flags & AV_CODEC_FLAG_PASS2) && codec->stats_in && encoder && encoder->type == AVMEDIA_TYPE_VIDEO &&
           !EncoderKeepsOwnStats(encoder);
}

std::string Pass2OpenRefusal(const AVCodecContext* codec, const AVCodec* encoder, const AVDictionary* options)
{
    // Without a child to try it in, the open is refused rather than risked.
    const std::string untried = "the pass-2 settings could not be tried";
    int logPipe[2];
    // Close-on-exec keeps the write end out of children other tasks start,
    // which would hold the pipe open past this child's end.
    if (::pipe2(logPipe, O_CLOEXEC) != 0)
        return untried;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(logPipe[0]);
        TryOpenInChild(codec, encoder, options, logPipe[1]);
    }
    ::close(logPipe[1]);
    if (child < 0) {
        ::close(logPipe[0]);
        return untried;
    }
    const std::string log = Trimmed(ReadChildLog(child, logPipe[0]));
    ::close(logPipe[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return {};
    return log.empty() ? "the encoder refused its pass-2 settings" : log;
}

} // namespace tovrel
