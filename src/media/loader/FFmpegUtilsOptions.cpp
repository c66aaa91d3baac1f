#include "media/loader/FFmpegUtilsOptions.h"

#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLogger.h"
#include "platform/rtl/Text.h"

namespace tovrel {

namespace {

// The option-type flags that pick each media type's options.
constexpr int MediaTypeFlags[TFFOptions::MediaTypes] = {AV_OPT_FLAG_VIDEO_PARAM, AV_OPT_FLAG_AUDIO_PARAM, 0,
                                                        AV_OPT_FLAG_SUBTITLE_PARAM, 0};

struct TFound {
    const AVOption* Option = nullptr;
    int Result = 0;
    std::string Name;
};

// Sets `name` on `target` when `lookIn` has such an option with `flags`.
bool TrySet(TFound& found, void* lookIn, void* target, const char* name, const char* value, int flags)
{
    const AVOption* option = FF.av_opt_find(lookIn, name, nullptr, flags, 0);
    if (!option)
        return false;
    found.Option = option;
    found.Name = name;
    found.Result = FF.av_opt_set(target, name, value, 0);
    return true;
}

// A codec's or a muxer's private option: kept for the open of that kind of codec
// or for the header write, where FFmpeg checks the value.
bool SetPrivateOption(TFFOptions& options, const char* name, const char* value)
{
    bool found = false;
    void* state = nullptr;
    while (const AVCodec* codec = FF.av_codec_iterate(&state)) {
        int type = codec->type;
        if (!codec->priv_class || type < 0 || type >= TFFOptions::MediaTypes)
            continue;
        if (HasPrivateOption(codec->priv_class, name)) {
            FF.av_dict_set(&options.CodecPrivateOpts[type], name, value, 0);
            found = true;
        }
    }
    state = nullptr;
    while (const AVOutputFormat* muxer = FF.av_muxer_iterate(&state)) {
        if (HasPrivateOption(muxer->priv_class, name)) {
            FF.av_dict_set(&options.FormatPrivateOpts, name, value, 0);
            found = true;
            break;
        }
    }
    return found;
}

} // namespace

bool HasPrivateOption(const AVClass* privateClass, const char* name)
{
    if (!privateClass)
        return false;
    // av_opt_find takes the address of a class pointer as a stand-in object.
    void* fakeObject = const_cast<void*>(static_cast<const void*>(&privateClass));
    return FF.av_opt_find(fakeObject, name, nullptr, 0, AV_OPT_SEARCH_FAKE_OBJ) != nullptr;
}

TFFOptions::~TFFOptions()
{
    if (FF.av_free && FF.sws_freeContext && FF.av_dict_free)
        FreeFFOptions(*this);
}

void InitFFOptions(TFFOptions& options)
{
    options.opt_names.clear();
    for (int i = 0; i < TFFOptions::MediaTypes; ++i) {
        options.avcodec_opts[i] = nullptr;
        options.CodecPrivateOpts[i] = nullptr;
    }
    options.avformat_opts = nullptr;
    options.sws_opts = nullptr;
    options.FormatPrivateOpts = nullptr;
}

void AllocFFOptions(TFFOptions& options, int swsFlags)
{
    for (int i = 0; i < TFFOptions::MediaTypes; ++i) {
        options.avcodec_opts[i] = FF.avcodec_alloc_context3(nullptr);
        if (options.avcodec_opts[i])
            options.avcodec_opts[i]->codec_type = AVMediaType(i);
    }
    options.avformat_opts = FF.avformat_alloc_context();
    // A 16x16 context that only carries the scaler's options.
    options.sws_opts =
        FF.sws_getContext(16, 16, AV_PIX_FMT_YUV420P, 16, 16, AV_PIX_FMT_YUV420P, swsFlags, nullptr, nullptr, nullptr);
}

void FreeFFOptions(TFFOptions& options)
{
    for (int i = 0; i < TFFOptions::MediaTypes; ++i) {
        if (options.avcodec_opts[i])
            FF.avcodec_free_context(&options.avcodec_opts[i]);
        FF.av_dict_free(&options.CodecPrivateOpts[i]);
    }
    if (options.avformat_opts)
        FF.avformat_free_context(options.avformat_opts);
    options.avformat_opts = nullptr;
    if (options.sws_opts)
        FF.sws_freeContext(options.sws_opts);
    options.sws_opts = nullptr;
    FF.av_dict_free(&options.FormatPrivateOpts);
    options.opt_names.clear();
}

bool SetFFOption(TFFOptions& options, const char* name, const char* value)
{
    if (!name || !value || Trim(name).empty() || Trim(value).empty())
        return false;
    if (!options.avcodec_opts[0] || !options.avformat_opts || !options.sws_opts)
        return false;
    TFound found;
    for (int i = 0; i < TFFOptions::MediaTypes && found.Result >= 0; ++i)
        TrySet(found, options.avcodec_opts[0], options.avcodec_opts[i], name, value, MediaTypeFlags[i]);
    if (!found.Option)
        TrySet(found, options.avformat_opts, options.avformat_opts, name, value, 0);
    if (!found.Option)
        TrySet(found, options.sws_opts, options.sws_opts, name, value, 0);
    if (!found.Option && name[1] != '\0') {
        // "ab", "vb", "sbsf": the option of one media type, without its letter.
        const struct {
            char Letter;
            int Type;
        } prefixes[] = {{'a', AVMEDIA_TYPE_AUDIO}, {'v', AVMEDIA_TYPE_VIDEO}, {'s', AVMEDIA_TYPE_SUBTITLE}};
        for (const auto& prefix : prefixes)
            if (name[0] == prefix.Letter) {
                AVCodecContext* context = options.avcodec_opts[prefix.Type];
                TrySet(found, context, context, name + 1, value, MediaTypeFlags[prefix.Type]);
            }
    }
    if (found.Option && found.Result < 0) {
        FF.av_log(nullptr, AV_LOG_ERROR, "Invalid value \"%s\" for option \"%s\"\n", value, name);
        return false;
    }
    if (!found.Option)
        return SetPrivateOption(options, name, value);
    options.opt_names.push_back(found.Name);
    if (options.avcodec_opts[0]->debug || options.avformat_opts->debug)
        GetFFLogger()->SetLogLevel(llDebug);
    return true;
}

void ApplyFFOptions(const TFFOptions& options, void* context, void* optionsContext, int flags)
{
    for (const std::string& name : options.opt_names) {
        const AVOption* option = FF.av_opt_find(optionsContext, name.c_str(), nullptr, 0, 0);
        std::uint8_t* value = nullptr;
        if (!option || FF.av_opt_get(optionsContext, name.c_str(), 0, &value) < 0)
            continue;
        if (value && (option->flags & flags) == flags)
            FF.av_opt_set(context, name.c_str(), reinterpret_cast<const char*>(value), 0);
        FF.av_free(value);
    }
}

} // namespace tovrel
