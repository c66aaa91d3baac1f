#pragma once
// Decoding one packet of an input stream and handing what comes out to the
// output streams it feeds: decoded pictures, audio and subtitles to the
// output steps, the packet itself to each stream copy.
#include <cstdint>

struct AVFrame;
struct AVPacket;

namespace tovrel {

struct TTranscodeRun;
struct TAVInputStream;

// 0 when the packet was handled (also when nothing came out of it), -1 when
// decoding failed. A null packet drains the decoder at the end of the input,
// then the filter graph and the encoders it feeds. Encoding and writing
// failures raise FFmpegException.
int ProcessInputPacket(TTranscodeRun& run, TAVInputStream& ist, int istIndex, const AVPacket* pkt);

// Join: the end of an input that is not the end of the output. The decoder
// and its filter graph give up what they hold; the encoders keep what they
// hold and go on with the next input, so the file keeps the one header its
// encoders were opened with. 0, or -1 when decoding failed.
int DrainJoinedInput(TTranscodeRun& run, TAVInputStream& ist, int istIndex);

// Scales decoded audio by volume/256 (256: unchanged) in any sample format,
// clipping to the format's full scale. False when the frame cannot be written.
bool ApplyAudioVolume(AVFrame* frame, int volume);

} // namespace tovrel
