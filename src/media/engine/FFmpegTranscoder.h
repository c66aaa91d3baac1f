#pragma once
// The seam between a conversion job and the code that does the media work: the
// option dispatcher, opening inputs and outputs, the transcoding loop and the
// release of what a run allocated. The job owns its ordering, threads, stop and
// pause; a transcoder owns every call into the media libraries.
#include <cstdint>
#include <memory>
#include <string>

namespace tovrel {

class TCustomFFmpeg;

class TTranscoder {
public:
    virtual ~TTranscoder() = default;

    // The task library set is loaded; without it Reinitialize and Cleanup do nothing.
    virtual bool LibrariesLoaded() const = 0;

    // Option handlers. Rejected values raise FFmpegException.
    virtual void ParseOption(TCustomFFmpeg& job, const std::string& name, const std::string& value) = 0;
    virtual bool SetAVOption(TCustomFFmpeg& job, const std::string& name, const std::string& value) = 0;
    virtual void SetTarget(TCustomFFmpeg& job, const std::string& type, const std::string& norm,
                           const std::string& defaultNorm) = 0;
    // The preset handler of "apre", "vpre" and "spre".
    virtual void SetPreset(TCustomFFmpeg& job, const std::string& name, const std::string& value) = 0;

    // Open one more input or output; False with the job's LastErrMsg set.
    virtual bool OpenInputFile(TCustomFFmpeg& job, const std::string& fileName) = 0;
    virtual bool OpenOutputFile(TCustomFFmpeg& job, const std::string& fileName, bool join) = 0;

    // The transcoding loop. It passes job.PassPauseGate() between packets, ends
    // when job.Broken(), and calls job.MarkFinished() when it ran to its end.
    virtual void Transcode(TCustomFFmpeg& job) = 0;
    // Close the codecs the run left open.
    virtual void CloseEncoders(TCustomFFmpeg& job) = 0;
    virtual void CloseDecoders(TCustomFFmpeg& job) = 0;

    // Allocate the generic option contexts of a fresh job.
    virtual void PrepareJob(TCustomFFmpeg& job) = 0;
    // Free every media object of the job: option contexts, buffers, the output
    // and input files (closing their I/O), the filter graph, the hook chain.
    // The job then deletes outputs that received no byte and resets the counts.
    virtual void ReleaseMedia(TCustomFFmpeg& job) = 0;
};

} // namespace tovrel

#include <functional>

namespace tovrel {

// How the task component makes the transcoder of each new task. The program
// installs the real one at start-up; tests install fakes.
using TTranscoderFactory = std::function<std::unique_ptr<TTranscoder>()>;
void SetDefaultTranscoderFactory(TTranscoderFactory factory);
// Raises FFmpegException when no factory was installed.
std::unique_ptr<TTranscoder> CreateDefaultTranscoder();

} // namespace tovrel
