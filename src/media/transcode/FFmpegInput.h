#pragma once
// Opening one input of a job: the file under the pending input options, its
// stream parameters, the start seek, and the pending output options primed
// from its streams so outputs keep the input's size, rate and channels.
#include "media/loader/FFmpegUtilsText.h"
#include "media/transcode/FFmpegMediaTranscoderState.h"

#include <string>

extern "C" {
#include <libavutil/avutil.h>
}

struct AVCodec;

namespace tovrel {

class TCustomFFmpeg;

// False with job.LastErrMsg() for what the file causes; FFmpegException for
// an unknown forced format or a failed allocation.
bool OpenInput(TCustomFFmpeg& job, TMediaJobState& state, const std::string& fileName);

// Looks a codec up by name as encoder or decoder. An empty name forces none
// (codec := nullptr, True). False with the reason in job.LastErrMsg().
bool FindCodec(TCustomFFmpeg& job, const std::string& name, AVMediaType type, TCodecRole role, int strict,
               const AVCodec*& codec);

// The frame aspect ratio of a frame with this size and sample aspect ratio
// (num/den, 0/0 counts as none).
float FrameAspectRatio(int width, int height, int sarNum, int sarDen);

} // namespace tovrel
