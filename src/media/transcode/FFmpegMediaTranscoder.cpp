#include "media/transcode/FFmpegMediaTranscoder.h"

#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLoader.h"
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/UnicodeProtocol.h"
#include "media/targets/FFmpegHookWiring.h"
#include "media/targets/FFmpegPresets.h"
#include "media/targets/FFmpegTargets.h"
#include "media/transcode/FFmpegDispatch.h"
#include "media/transcode/FFmpegInput.h"
#include "media/transcode/FFmpegOutput.h"
#include "media/transcode/FFmpegTranscode.h"

namespace tovrel {

bool TMediaTranscoder::LibrariesLoaded() const
{
    return GlobalFFmpegLoader().Loaded(TaskLibraries);
}

void TMediaTranscoder::ParseOption(TCustomFFmpeg& job, const std::string& name, const std::string& value)
{
    DispatchOption(job, state_, name, value);
}

bool TMediaTranscoder::SetAVOption(TCustomFFmpeg& job, const std::string& name, const std::string& value)
{
    return SetAVOptionText(job, name, value);
}

void TMediaTranscoder::SetTarget(TCustomFFmpeg& job, const std::string& type, const std::string& norm,
                                 const std::string& defaultNorm)
{
    tovrel::SetTarget(job, type, norm, defaultNorm);
}

void TMediaTranscoder::SetPreset(TCustomFFmpeg& job, const std::string& name, const std::string& value)
{
    ApplyPreset(job, name, value);
}

bool TMediaTranscoder::OpenInputFile(TCustomFFmpeg& job, const std::string& fileName)
{
    return OpenInput(job, state_, fileName);
}

bool TMediaTranscoder::OpenOutputFile(TCustomFFmpeg& job, const std::string& fileName, bool join)
{
    return OpenOutput(job, state_, fileName, join);
}

void TMediaTranscoder::Transcode(TCustomFFmpeg& job)
{
    tovrel::Transcode(job, state_);
}

// A run owns its codecs and closes them on every way out, an exception
// included, so none is left open when the job gets here.
void TMediaTranscoder::CloseEncoders(TCustomFFmpeg&) {}

void TMediaTranscoder::CloseDecoders(TCustomFFmpeg&) {}

void TMediaTranscoder::PrepareJob(TCustomFFmpeg& job)
{
    FreeFFOptions(job.FOptions);
    AllocFFOptions(job.FOptions, static_cast<int>(job.Fsws_flags));
}

void TMediaTranscoder::ReleaseMedia(TCustomFFmpeg& job)
{
    ReleaseOutputs(job, state_);
    ReleaseJobHooks(job);
    for (int i = 0; i < job.Fnb_input_files; ++i)
        UnicodeCloseInput(&job.Finput_files[static_cast<std::size_t>(i)]);
    job.Fnb_input_files = 0;
    job.Fnb_icodecs = 0;
    job.Fnb_ocodecs = 0;
    state_ = TMediaJobState{};
    FreeFFOptions(job.FOptions);
}

void InstallMediaTranscoder()
{
    SetDefaultTranscoderFactory([] { return std::make_unique<TMediaTranscoder>(); });
}

} // namespace tovrel
