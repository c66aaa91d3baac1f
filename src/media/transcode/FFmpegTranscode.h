#pragma once
// The transcoding run of one job: set-up, the packet loop, the end of the
// run. Runs in the job's worker thread.
#include <vector>

namespace tovrel {

class TCustomFFmpeg;
struct TMediaJobState;

// Converts the job's inputs into its outputs. Every failure is an
// FFmpegException; whatever way the run ends, its codecs are closed and its
// tables freed before Transcode returns. A stopped run still drains its
// decoders and writes its trailers; only a run that reached its end marks
// the job finished.
void Transcode(TCustomFFmpeg& job, TMediaJobState& state);

// What choosing the next input knows about one output stream.
struct TInputChoice {
    int FileIndex = 0;      // the file of the stream's source
    bool Skipped = false;   // source past the recording time, or its file had no packet
    bool FileEnded = false; // the source's file reached its end
    double InputTime = 0;   // source position, microseconds
    double OutputTime = 0;  // output position, seconds
    bool MaxFramesReached = false;
};

// The file to read next: by default the one feeding the output stream that
// lags furthest; with input sync the one whose source stream is earliest.
// -1 when no input is wanted (or a stream reached its frame limit).
int ChooseNextInput(const std::vector<TInputChoice>& streams, bool inputSync);

} // namespace tovrel
