#include "media/FFmpegLoaderTable.h"

#include "media/FFmpegLoaderEntries.h"
#include "media/FFmpegLoaderSDL.h"
#include "media/FFmpegLogger.h"
#include "platform/rtl/Format.h"

namespace tovrel {

TFFEntries FF;
TSDLEntries SDL;

namespace {

#define TOVREL_BIND_FF(name) \
    FF.name = reinterpret_cast<decltype(FF.name)>(TFFmpegLoader::BindEntry(libName, handle, #name));
#define TOVREL_BIND_SDL(name) \
    SDL.name = reinterpret_cast<decltype(SDL.name)>(TFFmpegLoader::BindEntry(libName, handle, #name));
#define TOVREL_CLEAR_FF(name) FF.name = nullptr;
#define TOVREL_CLEAR_SDL(name) SDL.name = nullptr;

// A library whose major version differs from the headers' would be read with
// the wrong structure layouts.
void CheckMajor(const std::string& libName, unsigned version, int expectedMajor) {
    if (int(version >> 16) == expectedMajor) return;
    throw ELibraryBindError(Format("Load library %s error: version %u.%u.%u, major %d expected", libName,
                                   version >> 16, (version >> 8) & 0xFF, version & 0xFF, expectedMajor));
}

#define TOVREL_FFMPEG_LIBRARY(fixupName, unfixName, ENTRIES, VERSION_FN, MAJOR) \
    void fixupName(const std::string& libName, void* handle) {                   \
        ENTRIES(TOVREL_BIND_FF)                                                  \
        TOVREL_BIND_FF(VERSION_FN)                                               \
        CheckMajor(libName, FF.VERSION_FN(), MAJOR);                             \
    }                                                                            \
    void unfixName() {                                                           \
        ENTRIES(TOVREL_CLEAR_FF)                                                 \
        TOVREL_CLEAR_FF(VERSION_FN)                                              \
    }

TOVREL_FFMPEG_LIBRARY(FixupAVCodec, UnfixAVCodec, TOVREL_AVCODEC_ENTRIES, TOVREL_AVCODEC_VERSION,
                      LIBAVCODEC_VERSION_MAJOR)
TOVREL_FFMPEG_LIBRARY(FixupAVDevice, UnfixAVDevice, TOVREL_AVDEVICE_ENTRIES, TOVREL_AVDEVICE_VERSION,
                      LIBAVDEVICE_VERSION_MAJOR)
TOVREL_FFMPEG_LIBRARY(FixupAVFilter, UnfixAVFilter, TOVREL_AVFILTER_ENTRIES, TOVREL_AVFILTER_VERSION,
                      LIBAVFILTER_VERSION_MAJOR)
TOVREL_FFMPEG_LIBRARY(FixupAVFormat, UnfixAVFormat, TOVREL_AVFORMAT_ENTRIES, TOVREL_AVFORMAT_VERSION,
                      LIBAVFORMAT_VERSION_MAJOR)
TOVREL_FFMPEG_LIBRARY(FixupAVUtil, UnfixAVUtil, TOVREL_AVUTIL_ENTRIES, TOVREL_AVUTIL_VERSION,
                      LIBAVUTIL_VERSION_MAJOR)
TOVREL_FFMPEG_LIBRARY(FixupSWScale, UnfixSWScale, TOVREL_SWSCALE_ENTRIES, TOVREL_SWSCALE_VERSION,
                      LIBSWSCALE_VERSION_MAJOR)
TOVREL_FFMPEG_LIBRARY(FixupSWResample, UnfixSWResample, TOVREL_SWRESAMPLE_ENTRIES, TOVREL_SWRESAMPLE_VERSION,
                      LIBSWRESAMPLE_VERSION_MAJOR)

void FixupLibC(const std::string& libName, void* handle) { TOVREL_LIBC_ENTRIES(TOVREL_BIND_FF) }
void UnfixLibC() { TOVREL_LIBC_ENTRIES(TOVREL_CLEAR_FF) }
void FixupSDL(const std::string& libName, void* handle) { TOVREL_SDL_ENTRIES(TOVREL_BIND_SDL) }
void UnfixSDL() { TOVREL_SDL_ENTRIES(TOVREL_CLEAR_SDL) }

// In TLibrary order.
const TLibraryItem LibraryTable[LibraryCount] = {
    {TLibrary::avCodec, "avcodec", LIBAVCODEC_VERSION_MAJOR, FixupAVCodec, UnfixAVCodec},
    {TLibrary::avDevice, "avdevice", LIBAVDEVICE_VERSION_MAJOR, FixupAVDevice, UnfixAVDevice},
    {TLibrary::avFilter, "avfilter", LIBAVFILTER_VERSION_MAJOR, FixupAVFilter, UnfixAVFilter},
    {TLibrary::avFormat, "avformat", LIBAVFORMAT_VERSION_MAJOR, FixupAVFormat, UnfixAVFormat},
    {TLibrary::avUtil, "avutil", LIBAVUTIL_VERSION_MAJOR, FixupAVUtil, UnfixAVUtil},
    {TLibrary::swScale, "swscale", LIBSWSCALE_VERSION_MAJOR, FixupSWScale, UnfixSWScale},
    {TLibrary::myUtil, "c", 6, FixupLibC, UnfixLibC},
    {TLibrary::lbSDL, "SDL2-2.0", 0, FixupSDL, UnfixSDL},
    {TLibrary::swResample, "swresample", LIBSWRESAMPLE_VERSION_MAJOR, FixupSWResample, UnfixSWResample},
};

} // namespace

const TLibraryItem& LibraryItem(TLibrary library) { return LibraryTable[static_cast<int>(library)]; }

void AfterLoad(TLibrary library, bool installLogger) {
    // 5.1 registers its codecs, formats and filters itself, and cannot take a
    // protocol of ours: "unicode:utf8:" names open through a custom I/O context.
    if (library == TLibrary::avUtil && installLogger) InstallAVLogCallback();
}

} // namespace tovrel
