#pragma once
// The transcoder that does a job's media work with the FFmpeg libraries: the
// option dispatcher, input opening, the output streams and file, and the
// transcoding run.
#include "media/engine/FFmpegTranscoder.h"
#include "media/transcode/FFmpegMediaTranscoderState.h"

namespace tovrel {

class TMediaTranscoder : public TTranscoder {
public:
    bool LibrariesLoaded() const override;
    void ParseOption(TCustomFFmpeg& job, const std::string& name, const std::string& value) override;
    bool SetAVOption(TCustomFFmpeg& job, const std::string& name, const std::string& value) override;
    void SetTarget(TCustomFFmpeg& job, const std::string& type, const std::string& norm,
                   const std::string& defaultNorm) override;
    void SetPreset(TCustomFFmpeg& job, const std::string& name, const std::string& value) override;
    bool OpenInputFile(TCustomFFmpeg& job, const std::string& fileName) override;
    bool OpenOutputFile(TCustomFFmpeg& job, const std::string& fileName, bool join) override;
    void Transcode(TCustomFFmpeg& job) override;
    void CloseEncoders(TCustomFFmpeg& job) override;
    void CloseDecoders(TCustomFFmpeg& job) override;
    void PrepareJob(TCustomFFmpeg& job) override;
    void ReleaseMedia(TCustomFFmpeg& job) override;

    const TMediaJobState& State() const { return state_; }

private:
    TMediaJobState state_;
};

// Makes TMediaTranscoder the transcoder of every new task.
void InstallMediaTranscoder();

} // namespace tovrel
