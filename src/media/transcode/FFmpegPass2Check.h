#pragma once
// Pass-2 rate control of the library's own encoders (MPEG-4 Part 2 and the
// other MPEG video encoders): when it refuses the bit rate for the pass-1
// statistics, the library frees memory twice on its way out of the failed
// open, which corrupts the whole process. The open is therefore tried first in
// a child process, whose memory is a copy and may be lost.
#include <string>

struct AVCodec;
struct AVCodecContext;
struct AVDictionary;

namespace tovrel {

// Whether the encoder reads the pass-2 statistics through the context (and
// so runs the library's own rate control on them).
bool UsesLibraryPass2(const AVCodecContext* codec, const AVCodec* encoder);

// The encoder's own error text when opening `codec` with `options` fails (or
// the library dies trying); empty when it opens. The caller holds the codec
// lock, so no other thread is inside the library's open when the child starts.
std::string Pass2OpenRefusal(const AVCodecContext* codec, const AVCodec* encoder, const AVDictionary* options);

} // namespace tovrel
