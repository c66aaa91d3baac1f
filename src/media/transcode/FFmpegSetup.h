#pragma once
// The first half of a run's set-up: the input file and stream tables, the
// output stream table with every output stream paired with its source, and
// the parameters of stream copy or encoding for each pair. FFmpegException
// with the transcoder's own text on every failure.
#include <cstdint>

struct AVCodec;
struct AVStream;

namespace tovrel {

class TCustomFFmpeg;

struct TTranscodeRun;
struct TAVOutputStream;
struct TMediaJobState;
struct TOutputStreamRecord;

void InitInputStreams(TTranscodeRun& run);
// After InitInputStreams.
void InitOutputStreams(TTranscodeRun& run);

// The job's record of an output stream (Join entries share them); nullptr when none.
const TOutputStreamRecord* OutputRecordOf(const TMediaJobState& state, const AVStream* stream);

// Set-up of one pair (FFmpegSetupCodecs.cpp).
void SetupStreamCopy(TTranscodeRun& run, TAVOutputStream& ost);
void SetupStreamEncoding(TTranscodeRun& run, TAVOutputStream& ost, int tablePosition);

// The scaler flags of the job's option store ("sws_flags").
std::int64_t SwsFlagsOf(const TCustomFFmpeg& job);

// The two-pass log of output stream `tablePosition` (FFmpegSetupPassLog.cpp).
void OpenPassLogFile(TTranscodeRun& run, TAVOutputStream& ost, int tablePosition);
// The encoder reads and writes its two-pass log itself (its "stats" option).
bool EncoderKeepsOwnStats(const AVCodec* encoder);

} // namespace tovrel
