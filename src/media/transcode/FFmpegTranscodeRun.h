#pragma once
// One transcoding run of one job: the run's tables, its output steps and the
// job it works for. Destroying the run closes every codec it opened and frees
// every table, whatever way the run ended.
#include "media/transcode/FFmpegMediaTranscoderState.h"
#include "media/transcode/FFmpegOutputPresence.h"
#include "media/transcode/FFmpegTranscodeRecords.h"

#include <memory>
#include <string>
#include <vector>

namespace tovrel {

class TCustomFFmpeg;
class TOutputSteps;

struct TTranscodeRun {
    TTranscodeRun(TCustomFFmpeg& job, TMediaJobState& state);
    ~TTranscodeRun();
    TTranscodeRun(const TTranscodeRun&) = delete;
    TTranscodeRun& operator=(const TTranscodeRun&) = delete;

    TCustomFFmpeg& Job;
    TMediaJobState& State;
    TTranscodeTables Tables;
    // The job's output files (in Join mode the one context once per input).
    std::vector<AVFormatContext*> OutputFiles;
    // The output stream table as plain pointers, for the output steps.
    std::vector<TAVOutputStream*> OstTable;
    std::unique_ptr<TOutputSteps> Steps;
    // The output files created on disk, checked for at the end.
    TOutputPresence OutputsOnDisk;
    // Output files whose header is written (they get a trailer).
    std::size_t HeadersWritten = 0;
    // The run's last progress report was made (it is made once, however the run ends).
    bool LastReportSent = false;

    AVFormatContext* OutputOf(const TAVOutputStream& ost) const
    {
        return OutputFiles[static_cast<std::size_t>(ost.file_index)];
    }
    TAVInputStream& SourceOf(const TAVOutputStream& ost) const
    {
        return *Tables.InputStreams[static_cast<std::size_t>(ost.source_index)];
    }
    // The output streams that take part in encoder opening and closing: the
    // first group in Join mode (the groups share their encoders), else all.
    std::size_t EncoderStreamCount() const;
};

} // namespace tovrel
