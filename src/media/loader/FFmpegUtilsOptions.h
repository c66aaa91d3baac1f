#pragma once
// The store of generic FFmpeg options set by name: one codec context per media
// type, a format context and a scaler context carry the values until the engine
// applies them to the contexts it opens. Names that only a codec's or a
// muxer's private options know are kept in dictionaries for the codec open and
// the header write.
#include <string>
#include <vector>

struct AVClass;
struct AVCodecContext;
struct AVDictionary;
struct AVFormatContext;
struct SwsContext;

namespace tovrel {

struct TFFOptions {
    static constexpr int MediaTypes = 5; // video, audio, data, subtitle, attachment

    std::vector<std::string> opt_names; // names set on the generic contexts, in order
    AVCodecContext* avcodec_opts[MediaTypes] = {};
    AVFormatContext* avformat_opts = nullptr;
    SwsContext* sws_opts = nullptr;
    AVDictionary* CodecPrivateOpts[MediaTypes] = {}; // by the owning codec's media type
    AVDictionary* FormatPrivateOpts = nullptr;       // muxers' private options

    TFFOptions() = default;
    TFFOptions(const TFFOptions&) = delete;
    TFFOptions& operator=(const TFFOptions&) = delete;
    ~TFFOptions();
};

void InitFFOptions(TFFOptions& options);
void AllocFFOptions(TFFOptions& options, int swsFlags);
void FreeFFOptions(TFFOptions& options);
// False for an empty name or value, a name no context knows (silently), or a
// value the option refuses (reported through FFmpeg's log at error level).
bool SetFFOption(TFFOptions& options, const char* name, const char* value);
// Copies every recorded option whose description carries all of `flags` from
// optionsContext to context (both objects with an AVClass).
void ApplyFFOptions(const TFFOptions& options, void* context, void* optionsContext, int flags);
// Whether a codec's or a muxer's private class (nullptr: none) has an option `name`.
bool HasPrivateOption(const AVClass* privateClass, const char* name);

} // namespace tovrel
