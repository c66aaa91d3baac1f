#pragma once
// The second half of a run's set-up and its closing steps: encoders and
// decoders opened and closed under the codec lock, starting timestamps,
// metadata maps, chapters, headers and the stream-mapping log.
#include <string>

namespace tovrel {

struct TTranscodeRun;

void OpenEncoders(TTranscodeRun& run);
void OpenDecoders(TTranscodeRun& run);
void InitInputTimestamps(TTranscodeRun& run);
// Closing is safe at any point of the run: only what is open is closed.
void CloseEncoders(TTranscodeRun& run);
void CloseDecoders(TTranscodeRun& run);

// FFmpegCodecOpenHeaders.cpp
// Each output stream's bitstream filters, on its final parameters.
void OpenBitstreamFilterChains(TTranscodeRun& run);
void ApplyMetadataMaps(TTranscodeRun& run);
void CopyAllChapters(TTranscodeRun& run);
void WriteHeaders(TTranscodeRun& run);
void DumpStreamMapping(TTranscodeRun& run);
// The mapping, then the message at error level, then FFmpegException.
[[noreturn]] void DumpLogAndRaise(TTranscodeRun& run, const std::string& message);
// The error code a library call on the file `url` returned, in the engine's
// words ("<file>: <text>"), as its own line at error level.
void LogLibraryError(TTranscodeRun& run, const char* url, int code);

// Codec threads when the options set none: the library's own choice (0) for a
// task converting alone, else the cores shared among the tasks at once.
int CodecThreadCount(unsigned cores, int concurrentTasks);

} // namespace tovrel
