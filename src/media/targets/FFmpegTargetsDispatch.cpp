#include "media/targets/FFmpegTargetsDispatch.h"

#include "media/targets/FFmpegPresets.h"
#include "media/targets/FFmpegTargets.h"
#include "media/targets/FFmpegTargetsSwitches.h"
#include "platform/rtl/Numbers.h"

namespace tovrel {

void TargetOption(const TDispatchCall& call)
{
    SetTargetText(call.Job, call.Value);
}

void PassOption(const TDispatchCall& call)
{
    SetPass(call.Job, StrToInt(call.Value));
}

void VStatsOption(const TDispatchCall& call)
{
    SetVStats(call.Job, true);
}

void VStatsFileOption(const TDispatchCall& call)
{
    SetVStatsFile(call.Job, call.Value);
}

void BitstreamFilterOption(const TDispatchCall& call)
{
    AddBitstreamFilter(call.Job, call.Name, call.Value);
}

void PresetOption(const TDispatchCall& call)
{
    ApplyPreset(call.Job, call.Name, call.Value);
}

} // namespace tovrel
