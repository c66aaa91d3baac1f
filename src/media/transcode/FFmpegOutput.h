#pragma once
// The output side of a job: streams made from the pending options and fitted
// to their encoders, the output metadata, and the output file itself.
#include "media/transcode/FFmpegMediaTranscoderState.h"

#include <string>
#include <vector>

struct AVFormatContext;
struct RcOverride;

namespace tovrel {

class TCustomFFmpeg;
class TOutputPresence;

// False with job.LastErrMsg() set; whatever was made is released again. An
// output that is an input of the job is refused. Nothing on disk changes here.
bool OpenOutput(TCustomFFmpeg& job, TMediaJobState& state, const std::string& fileName, bool join);
// Creates the files of the job's outputs as its run starts, noting each on the
// job and in `presence`; FFmpegException with the system's reason when one
// cannot be opened.
void OpenOutputFiles(TCustomFFmpeg& job, TOutputPresence& presence);

// Add one stream of that kind to the output; FFmpegException on failure.
void NewVideoStream(TCustomFFmpeg& job, TMediaJobState& state, int fileIndex);
void NewAudioStream(TCustomFFmpeg& job, TMediaJobState& state, int fileIndex);
void NewSubtitleStream(TCustomFFmpeg& job, TMediaJobState& state, int fileIndex);
// The "newvideo", "newaudio" and "newsubtitle" options: a stream on the last output.
void NewStreamOnLastOutput(TCustomFFmpeg& job, TMediaJobState& state, int mediaType);

// Frees the stream records of one output file (all files when fileIndex < 0).
void ReleaseOutputStreams(TMediaJobState& state, int fileIndex);
// Closes and frees every output of the job (join duplicates once).
void ReleaseOutputs(TCustomFFmpeg& job, TMediaJobState& state);

// "start,end,q" groups separated by "/"; FFmpegException "error parsing rc_override".
std::vector<RcOverride> ParseRcOverride(const std::string& text);

// Both names denote the same file: device and inode when both exist, else
// the normalised absolute paths.
bool SameFile(const std::string& first, const std::string& second);

} // namespace tovrel
