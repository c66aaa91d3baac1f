#pragma once
// Entry tables of the run-time libraries. Every pointer is typed from the
// FFmpeg 5.1 headers and bound by name when its library loads; the engine never
// links the libraries. Call through `FF` (`FF.avcodec_open2(...)`); SDL's
// entries are in media/loader/FFmpegLoaderSDL.h.
#include "media/loader/FFmpegLoaderNames.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavcodec/avfft.h>
#include <libavcodec/bsf.h>
#include <libavdevice/avdevice.h>
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/avstring.h>
#include <libavutil/avutil.h>
#include <libavutil/channel_layout.h>
#include <libavutil/display.h>
#include <libavutil/fifo.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libavutil/parseutils.h>
#include <libavutil/pixdesc.h>
#include <libavutil/time.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace tovrel {

#define TOVREL_DECLARE_ENTRY(name) decltype(&::name) name = nullptr;

struct TFFEntries {
    TOVREL_LIBC_ENTRIES(TOVREL_DECLARE_ENTRY)
    TOVREL_AVUTIL_ENTRIES(TOVREL_DECLARE_ENTRY)
    TOVREL_SWSCALE_ENTRIES(TOVREL_DECLARE_ENTRY)
    TOVREL_SWRESAMPLE_ENTRIES(TOVREL_DECLARE_ENTRY)
    TOVREL_AVFORMAT_ENTRIES(TOVREL_DECLARE_ENTRY)
    TOVREL_AVFILTER_ENTRIES(TOVREL_DECLARE_ENTRY)
    TOVREL_AVCODEC_ENTRIES(TOVREL_DECLARE_ENTRY)
    TOVREL_AVDEVICE_ENTRIES(TOVREL_DECLARE_ENTRY)
    TOVREL_DECLARE_ENTRY(TOVREL_AVUTIL_VERSION)
    TOVREL_DECLARE_ENTRY(TOVREL_SWSCALE_VERSION)
    TOVREL_DECLARE_ENTRY(TOVREL_SWRESAMPLE_VERSION)
    TOVREL_DECLARE_ENTRY(TOVREL_AVFORMAT_VERSION)
    TOVREL_DECLARE_ENTRY(TOVREL_AVFILTER_VERSION)
    TOVREL_DECLARE_ENTRY(TOVREL_AVCODEC_VERSION)
    TOVREL_DECLARE_ENTRY(TOVREL_AVDEVICE_VERSION)
};

// Written only while a library loads or unloads (main thread); read by any
// thread that runs after the load.
extern TFFEntries FF;

} // namespace tovrel
