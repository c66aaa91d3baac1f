#include "media/targets/FFmpegTargetsDispatch.h"

#include "media/targets/FFmpegPresets.h"
#include "media/targets/FFmpegTargets.h"
#include "media/targets/FFmpegTargetsSwitches.h"
#include "platform/rtl/Numbers.h"

namespace tovrel {

void TargetOption(const TDispatchCall& call)
{
    SetTargetText(call.job, call.value);
}

void PassOption(const TDispatchCall& call)
{
    SetPass(call.job, StrToInt(call.value));
}

void VStatsOption(const TDispatchCall& call)
{
    SetVStats(call.job, true);
}

void VStatsFileOption(const TDispatchCall& call)
{
    SetVStatsFile(call.job, call.value);
}

void BitstreamFilterOption(const TDispatchCall& call)
{
    AddBitstreamFilter(call.job, call.name, call.value);
}

void PresetOption(const TDispatchCall& call)
{
    ApplyPreset(call.job, call.name, call.value);
}

} // namespace tovrel
