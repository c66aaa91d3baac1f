#pragma once
// The dispatcher's handlers of the target, preset, two-pass, statistics,
// and bitstream filter options.
#include "media/transcode/FFmpegDispatch.h"

namespace tovrel {

void TargetOption(const TDispatchCall& call);          // "target"
void PassOption(const TDispatchCall& call);            // "pass"
void VStatsOption(const TDispatchCall& call);          // "vstats"
void VStatsFileOption(const TDispatchCall& call);      // "vstats_file"
void BitstreamFilterOption(const TDispatchCall& call); // "absf", "vbsf", "sbsf"
void PresetOption(const TDispatchCall& call);          // "apre", "vpre", "spre", "fpre"

} // namespace tovrel
