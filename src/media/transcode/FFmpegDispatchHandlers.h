#pragma once
// The handlers of the option dispatcher that check or convert their value.
#include "media/transcode/FFmpegDispatch.h"

namespace tovrel {

void SetFormatOption(const TDispatchCall& call);
void SetFrameRate(const TDispatchCall& call);
void SetFrameSize(const TDispatchCall& call);
void SetAspectRatio(const TDispatchCall& call);
void SetPixelFormat(const TDispatchCall& call);
void SetSampleFormat(const TDispatchCall& call);
void SetCropBand(const TDispatchCall& call);
void SetVideoQScale(const TDispatchCall& call);
void SetBitrate(const TDispatchCall& call);
void SetCodec(const TDispatchCall& call);
void SetCodecTag(const TDispatchCall& call);
void AddVideoHook(const TDispatchCall& call);
void SetMatrix(const TDispatchCall& call);
void SetInputTSScale(const TDispatchCall& call);

// Time values, metadata, maps and stream ids of the output side.
void SetTimeOption(const TDispatchCall& call);
void AddMetadataText(const TDispatchCall& call);
void AddStreamMap(const TDispatchCall& call);
void AddMetaDataMap(const TDispatchCall& call);
void SetStreamId(const TDispatchCall& call);

} // namespace tovrel
