#include "media/targets/FFmpegHookWiring.h"

#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/targets/FrameHook.h"

namespace tovrel {

void AddJobHook(TCustomFFmpeg& job, const std::string& line)
{
    if (AddFrameHookLine(&job.FFirstHook, line) != 0)
        throw FFmpegException("Failed to add video hook function: " + line);
    job.Fusing_vhook = true;
}

void ReleaseJobHooks(TCustomFFmpeg& job)
{
    ReleaseFrameHooks(&job.FFirstHook);
    job.Fusing_vhook = false;
}

} // namespace tovrel
