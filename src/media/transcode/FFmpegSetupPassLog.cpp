// Two-pass logs. The default name lives beside the task's output file, so
// tasks running at once never share a log and no log lands in the program's
// or the working folder.
#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegUtils.h"
#include "media/loader/UnicodeProtocol.h"
#include "media/transcode/FFmpegSetup.h"
#include "media/transcode/FFmpegTranscodeRun.h"
#include "platform/rtl/Format.h"

#include <filesystem>

namespace tovrel {

namespace {

std::string DefaultPrefix(const TTranscodeRun& run, const TAVOutputStream& ost)
{
    const AVFormatContext* output = run.OutputOf(ost);
    if (!(output->oformat->flags & AVFMT_NOFILE) && output->url)
        return DecodeAVFileName(output->url) + ".ffmpeg2pass";
    // An output without a file of its own: a name no other job shares.
    return (std::filesystem::temp_directory_path() /
            Format("ffmpeg2pass-%d-%p", static_cast<int>(::getpid()), static_cast<const void*>(&run.Job)))
        .string();
}

} // namespace

// Encoders with a "stats" option (libx264) read and write the log themselves.
bool EncoderKeepsOwnStats(const AVCodec* encoder)
{
    return encoder && encoder->priv_class &&
           FF.av_opt_find(const_cast<AVClass**>(&encoder->priv_class), "stats", nullptr, 0, AV_OPT_SEARCH_FAKE_OBJ) !=
               nullptr;
}

void OpenPassLogFile(TTranscodeRun& run, TAVOutputStream& ost, int tablePosition)
{
    const std::string& prefix = run.Job.Fpass_logfilename_prefix;
    std::string name = (prefix.empty() ? DefaultPrefix(run, ost) : prefix) + Format("-%d.log", tablePosition);
    if (name.size() >= 1024)
        name.resize(1023);
    ost.LogFileName = name;
    const AVCodec* encoder = ost.Encoder ? ost.Encoder : FF.avcodec_find_encoder(ost.EncoderContext->codec_id);
    if (EncoderKeepsOwnStats(encoder))
        return;
    if (ost.EncoderContext->flags & AV_CODEC_FLAG_PASS1) {
        ost.logfile.reset(std::fopen(name.c_str(), "wb"));
        if (!ost.logfile)
            throw FFmpegException(Format("Cannot write log file %s for pass-1 encoding", name));
        return;
    }
    std::uint8_t* buffer = nullptr;
    int size = 0;
    const int result = ReadWholeFile(name, buffer, size);
    if (result == -12)
        throw FFmpegException(
            Format("Could not allocate file buffer: Error reading log file \"%s\" for pass-2 encoding", name));
    if (result < 0)
        throw FFmpegException(Format("Cannot read file: Error reading log file \"%s\" for pass-2 encoding", name));
    ost.StatsIn.assign(reinterpret_cast<const char*>(buffer));
    FF.av_free(buffer);
}

} // namespace tovrel
