#include "media/transcode/FFmpegTranscode.h"

#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLogger.h"
#include "media/loader/FFmpegUtilsText.h"
#include "media/loader/UnicodeProtocol.h"
#include "media/output/FFmpegOutputSteps.h"
#include "media/transcode/FFmpegCodecOpen.h"
#include "media/transcode/FFmpegDecode.h"
#include "media/transcode/FFmpegOutput.h"
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
        if (!stream.Skipped && !stream.FileEnded) {
            if (stream.InputTime < inputMin) {
                inputMin = stream.InputTime;
                if (inputSync)
                    chosen = stream.FileIndex;
            }
            if (stream.OutputTime < outputMin) {
                outputMin = stream.OutputTime;
                if (!inputSync)
                    chosen = stream.FileIndex;
            }
        }
        if (stream.MaxFramesReached)
            return -1;
    }
    return chosen;
}

namespace {

void SetUp(TTranscodeRun& run)
{
    InitInputStreams(run);
    InitOutputStreams(run);
    run.Steps = std::make_unique<TOutputSteps>(run.Job);
    // Decoders first: a text subtitle encoder starts from its decoder's style header.
    OpenDecoders(run);
    OpenEncoders(run);
    InitInputTimestamps(run);
    ApplyMetadataMaps(run);
    CopyAllChapters(run);
    OpenBitstreamFilterChains(run);
    OpenOutputFiles(run.Job, run.OutputsOnDisk);
    WriteHeaders(run);
    DumpStreamMapping(run);
}

void ReportLast(TTranscodeRun& run)
{
    run.LastReportSent = true;
    run.Steps->ReportProgress(run.OutputFiles, run.OstTable, TOutputSteps::TReportKind::Last,
                              TOutputSteps::kNoCurrentInput);
}

void EndRun(TTranscodeRun& run)
{
    TCustomFFmpeg& job = run.Job;
    for (std::size_t i = 0; i < run.Tables.InputStreams.size(); ++i) {
        TAVInputStream& ist = *run.Tables.InputStreams[i];
        if (ist.decoding_needed && ist.decoder_flushed != 1)
            ProcessInputPacket(run, ist, static_cast<int>(i), nullptr);
    }
    // A file whose trailer (its index) did not reach the disk is unplayable,
    // so the run fails with the system's reason.
    std::string failure;
    for (std::size_t i = 0; i < run.HeadersWritten; ++i) {
        AVFormatContext* output = run.OutputFiles[i];
        int result = FF.av_write_trailer(output);
        if (result >= 0 && output->pb && output->pb->error < 0)
            result = output->pb->error;
        if (result < 0 && failure.empty())
            failure = FormatAVError(DecodeAVFileName(output->url ? output->url : ""), result);
    }
    if (failure.empty())
        failure = run.OutputsOnDisk.Missing();
    ReportLast(run);
    CloseEncoders(run);
    CloseDecoders(run);
    if (!failure.empty())
        throw FFmpegException(failure);
    if (!job.Broken())
        job.MarkFinished();
}

} // namespace

void Transcode(TCustomFFmpeg& job, TMediaJobState& state)
{
    TTranscodeRun run(job, state);
    SetUp(run);
    try {
        RunPacketLoop(run);
        EndRun(run);
    } catch (...) {
        // A failed run still tells how far it got; the failure itself is
        // what the job reports, so a failing report does not replace it.
        if (!run.LastReportSent) {
            try {
                ReportLast(run);
            } catch (...) {}
        }
        throw;
    }
}

} // namespace tovrel
