#pragma once
// The last step of every output packet: the stream's bitstream filters, then
// the muxer.
#include "media/engine/FFmpegEngineFields.h"

#include <memory>
#include <vector>

struct AVBSFContext;
struct AVCodecContext;
struct AVStream;

namespace tovrel {

// The opened filter chain of one output stream, in order.
class TBitstreamFilters {
public:
    TBitstreamFilters() = default;
    ~TBitstreamFilters();
    TBitstreamFilters(const TBitstreamFilters&) = delete;
    TBitstreamFilters& operator=(const TBitstreamFilters&) = delete;

    std::vector<AVBSFContext*> Filters;
};

// Opens the named filters for a stream whose parameters are final (encoder
// opened, or copied); must run before the header is written, since a filter
// may rewrite the stream's parameters (its extradata), which are then copied
// into the stream. An unknown name raises "Unknown bitstream filter %s"; a
// filter that refuses the stream raises its error. Empty names: nullptr.
std::shared_ptr<TBitstreamFilters> OpenBitstreamFilters(const TBitstreamFilterChain& names, AVStream* stream);

} // namespace tovrel
