#pragma once
// Fitting an output stream's parameters to what its encoder accepts. A null
// encoder, or one without a list, accepts anything.
struct AVCodec;
struct AVCodecContext;

namespace tovrel {

void MatchSampleFormat(AVCodecContext* codec, const AVCodec* encoder);
// The nearest listed rate (the first listed on a tie); a change is logged as a
// warning with `sender`.
void MatchSampleRate(const void* sender, AVCodecContext* codec, const AVCodec* encoder);
// MJPEG below normal compliance keeps plain 4:2:0 and 4:2:2.
void MatchPixelFormat(AVCodecContext* codec, const AVCodec* encoder);

} // namespace tovrel
