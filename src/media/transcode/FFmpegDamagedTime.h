#pragma once
// Time stamps a damaged file carries: a flipped byte can put one packet hours
// past the end, which the loop would otherwise fill with repeated pictures.
struct AVFormatContext;
struct AVPacket;

namespace tovrel {

class TCustomFFmpeg;
struct TAVInputStream;

// pkt's times are the file's own (before any offset). A time far outside the
// span the file's duration gives, and as far from the stream's previous
// packet, is damage: the packet's times are cleared, with a warning, so it is
// timed from its neighbours. A stream starting late, a jump that stays within
// the file's length, and formats whose times may restart mid-file (MPEG-TS)
// are left alone. True when the packet was re-timed.
bool RetimeDamagedPacket(const TCustomFFmpeg& job, const AVFormatContext* input, TAVInputStream& ist, AVPacket* pkt);

} // namespace tovrel
