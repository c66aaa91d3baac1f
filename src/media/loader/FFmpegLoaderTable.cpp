#include "media/loader/FFmpegLoaderTable.h"

#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLoaderSDL.h"
#include "media/loader/FFmpegLogger.h"
#include "platform/rtl/Format.h"

namespace tovrel {

TFFEntries FF;
TSDLEntries SDL;

namespace {

#define TOVREL_BIND_FF(name)                                                                                           \
    FF.name = reinterpret_cast<decltype(FF.name)>(TFFmpegLoader::BindEntry(libName, handle, #name));
#define TOVREL_BIND_SDL(name)                                                                                          \
    SDL.name = reinterpret_cast<decltype(SDL.name)>(TFFmpegLoader::BindEntry(libName, handle, #name));
#define TOVREL_CLEAR_FF(name) FF.name = nullptr;
#define TOVREL_CLEAR_SDL(name) SDL.name = nullptr;

// A library whose major version differs from the headers' would be read with
// the wrong structure layouts.
void CheckMajor(const std::string& libName, unsigned version, int expectedMajor)
{
    if (int(version >> 16) == expectedMajor)
        return;
    throw ELibraryBindError(Format("Load library %s error: version %u.%u.%u, major %d expected", libName, version >> 16,
                                   (version >> 8) & 0xFF, version & 0xFF, expectedMajor));
}

// Applies `macro` to the expansion of `name` (so "#name" sees the real name).
#define TOVREL_EXPAND(macro, name) macro(name)

// Fixup<Name> and Unfix<Name> of one FFmpeg library, from its entry list,
// its version function and the headers' major version.
#define TOVREL_FFMPEG_LIBRARY(Name, UPPER)                                                                             \
    void Fixup##Name(const std::string& libName, void* handle)                                                         \
    {                                                                                                                  \
        TOVREL_##UPPER##_ENTRIES(TOVREL_BIND_FF) TOVREL_EXPAND(TOVREL_BIND_FF, TOVREL_##UPPER##_VERSION)               \
            CheckMajor(libName, FF.TOVREL_##UPPER##_VERSION(), LIB##UPPER##_VERSION_MAJOR);                            \
    }                                                                                                                  \
    void Unfix##Name()                                                                                                 \
    {                                                                                                                  \
        TOVREL_##UPPER##_ENTRIES(TOVREL_CLEAR_FF) TOVREL_CLEAR_FF(TOVREL_##UPPER##_VERSION)                            \
    }

TOVREL_FFMPEG_LIBRARY(AVCodec, AVCODEC)
TOVREL_FFMPEG_LIBRARY(AVDevice, AVDEVICE)
TOVREL_FFMPEG_LIBRARY(AVFilter, AVFILTER)
TOVREL_FFMPEG_LIBRARY(AVFormat, AVFORMAT)
TOVREL_FFMPEG_LIBRARY(AVUtil, AVUTIL)
TOVREL_FFMPEG_LIBRARY(SWScale, SWSCALE)
TOVREL_FFMPEG_LIBRARY(SWResample, SWRESAMPLE)

void FixupLibC(const std::string& libName, void* handle)
{
    TOVREL_LIBC_ENTRIES(TOVREL_BIND_FF)
}
void UnfixLibC()
{
    TOVREL_LIBC_ENTRIES(TOVREL_CLEAR_FF)
}
void FixupSDL(const std::string& libName, void* handle)
{
    TOVREL_SDL_ENTRIES(TOVREL_BIND_SDL)
}
void UnfixSDL()
{
    TOVREL_SDL_ENTRIES(TOVREL_CLEAR_SDL)
}

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

const TLibraryItem& LibraryItem(TLibrary library)
{
    return LibraryTable[static_cast<int>(library)];
}

void AfterLoad(TLibrary library, bool installLogger)
{
    // 5.1 registers its codecs, formats and filters itself, and cannot take a
    // protocol of ours: "unicode:utf8:" names open through a custom I/O context.
    if (library == TLibrary::avUtil && installLogger)
        InstallAVLogCallback();
}

} // namespace tovrel
