#pragma once
// Fitting an output stream's parameters to what its encoder accepts. A null
// encoder, or one without a list, accepts anything (but for the few limits
// an encoder checks at open without listing them).
struct AVCodec;
struct AVCodecContext;

namespace tovrel {

void MatchSampleFormat(AVCodecContext* codec, const AVCodec* encoder);
// The nearest listed rate (the higher one on a tie); a change is logged as a
// warning with `sender`.
void MatchSampleRate(const void* sender, AVCodecContext* codec, const AVCodec* encoder);
// The encoder's closest layout: the same channel count when it has one, else
// the most channels below the source's (the resampler downmixes), else the
// fewest above. A count the options asked for (`asked`) is kept or refused
// with FFmpegException naming the encoder and the count.
void MatchChannelLayout(const void* sender, AVCodecContext* codec, const AVCodec* encoder, bool asked);
// Encoders with a fixed set of bit rates get the nearest allowed one, and
// those with a lowest rate at least that one; a change is logged.
void MatchAudioBitrate(const void* sender, AVCodecContext* codec, const AVCodec* encoder);
// A constant-rate video stream (minimum = maximum) has one legal bit rate.
void MatchConstantVideoRate(const void* sender, AVCodecContext* codec);
// MJPEG below normal compliance keeps plain 4:2:0 and 4:2:2.
void MatchPixelFormat(AVCodecContext* codec, const AVCodec* encoder);

} // namespace tovrel
