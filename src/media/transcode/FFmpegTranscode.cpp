#include "media/transcode/FFmpegTranscode.h"

#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLogger.h"
#include "media/output/FFmpegOutputSteps.h"
#include "media/transcode/FFmpegCodecOpen.h"
#include "media/transcode/FFmpegDecode.h"
#include "media/transcode/FFmpegSetup.h"
#include "media/transcode/FFmpegTranscodeLoop.h"
#include "media/transcode/FFmpegTranscodeRun.h"

namespace tovrel {

int ChooseNextInput(const std::vector<TInputChoice>& streams, bool inputSync)
{
    double inputMin = 1e100;
    double outputMin = 1e100;
    int chosen = -1;
    for (const TInputChoice& stream : streams) {
        if (!stream.skipped && !stream.fileEnded) {
            if (stream.inputTime < inputMin) {
                inputMin = stream.inputTime;
                if (inputSync)
                    chosen = stream.fileIndex;
            }
            if (stream.outputTime < outputMin) {
                outputMin = stream.outputTime;
                if (!inputSync)
                    chosen = stream.fileIndex;
            }
        }
        if (stream.maxFramesReached)
            return -1;
    }
    return chosen;
}

namespace {

void SetUp(TTranscodeRun& run)
{
    InitInputStreams(run);
    InitOutputStreams(run);
    run.steps = std::make_unique<TOutputSteps>(run.job);
    OpenEncoders(run);
    OpenDecoders(run);
    InitInputTimestamps(run);
    ApplyMetadataMaps(run);
    CopyAllChapters(run);
    OpenBitstreamFilterChains(run);
    WriteHeaders(run);
    DumpStreamMapping(run);
}

void EndRun(TTranscodeRun& run)
{
    TCustomFFmpeg& job = run.job;
    for (std::size_t i = 0; i < run.tables.inputStreams.size(); ++i) {
        TAVInputStream& ist = *run.tables.inputStreams[i];
        if (ist.decoding_needed && ist.decoder_flushed != 1)
            ProcessInputPacket(run, ist, static_cast<int>(i), nullptr);
    }
    for (std::size_t i = 0; i < run.headersWritten; ++i)
        FF.av_write_trailer(run.outputFiles[i]);
    run.steps->ReportProgress(run.outputFiles, run.ostTable, true, -1);
    CloseEncoders(run);
    CloseDecoders(run);
    if (!job.Broken())
        job.MarkFinished();
}

} // namespace

void Transcode(TCustomFFmpeg& job, TMediaJobState& state)
{
    TTranscodeRun run(job, state);
    SetUp(run);
    RunPacketLoop(run);
    EndRun(run);
}

} // namespace tovrel
