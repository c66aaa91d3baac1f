#pragma once
// The video filter graph between a decoder and an encoder: a "buffer"
// source, the job's crop and scale, the user's chain ("vf"), and a
// "buffersink" that accepts only the encoder's pixel format.
struct AVFrame;

namespace tovrel {

struct TTranscodeRun;
struct TAVInputStream;
struct TAVOutputStream;

// FromChain: the encoder takes the size the chain produces. Fixed: the
// encoder's size is already set (an earlier input of a join set it), so the
// chain works on the input's own size and its pictures are scaled to that.
enum class TEncoderSize { FromChain, Fixed };

// Builds the graph of one pair into ist.graph (replacing an earlier one).
// 0, or -1 on any failure.
int ConfigureFilters(TTranscodeRun& run, TAVInputStream& ist, TAVOutputStream& ost, TEncoderSize size);

// Feeds a decoded picture whose time is ist.pts (microseconds); nullptr
// tells the graph that no more pictures come. False when the graph refuses it.
bool PushFilterPicture(TAVInputStream& ist, AVFrame* picture);
// 1 with the next finished picture in `frame` (its pts in microseconds), -1
// when the graph holds none.
int GetFilteredVideoPicture(TAVInputStream& ist, AVFrame* frame);

} // namespace tovrel
