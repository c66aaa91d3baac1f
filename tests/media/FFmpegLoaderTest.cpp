#include "media/loader/FFmpegLoader.h"
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLoaderSDL.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

namespace tovrel::test {
namespace {

const std::string FakeLibs = TOVREL_FAKE_LIBS_DIR;
constexpr TLibraries AllLibraries{TLibrary::avCodec,  TLibrary::avDevice, TLibrary::avFilter,
                                  TLibrary::avFormat, TLibrary::avUtil,   TLibrary::swScale,
                                  TLibrary::myUtil,   TLibrary::lbSDL,    TLibrary::swResample};

std::string ModuleOf(const void* address)
{
    Dl_info info{};
    return dladdr(address, &info) && info.dli_fname ? info.dli_fname : "";
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.rfind(prefix, 0) == 0;
}

class FFmpegLoaderTest : public ::testing::Test {
protected:
    TFFmpegLoader& loader = GlobalFFmpegLoader();
    void SetUp() override
    {
        for (int i = 0; i < LibraryCount; ++i)
            ASSERT_FALSE(loader.Loaded(TLibrary(i))) << "left loaded: " << i;
        loader.SetInstallLogger(false); // the fakes have no real log functions
    }
    void TearDown() override
    {
        for (int i = 0; i < LibraryCount; ++i)
            while (loader.Loaded(TLibrary(i)))
                loader.Unload(TLibrary(i));
        loader.SetLibraryPath("");
        loader.SetLibraryFileName(TLibrary::lbSDL, "");
        loader.SetInstallLogger(true);
    }
};

TEST_F(FFmpegLoaderTest, FileNamesFollowTheSonames)
{
    EXPECT_EQ(loader.GetLibraryFileName(TLibrary::avCodec), "libavcodec.so.59");
    EXPECT_EQ(loader.GetLibraryFileName(TLibrary::avDevice), "libavdevice.so.59");
    EXPECT_EQ(loader.GetLibraryFileName(TLibrary::avFilter), "libavfilter.so.8");
    EXPECT_EQ(loader.GetLibraryFileName(TLibrary::avFormat), "libavformat.so.59");
    EXPECT_EQ(loader.GetLibraryFileName(TLibrary::avUtil), "libavutil.so.57");
    EXPECT_EQ(loader.GetLibraryFileName(TLibrary::swScale), "libswscale.so.6");
    EXPECT_EQ(loader.GetLibraryFileName(TLibrary::swResample), "libswresample.so.4");
    EXPECT_EQ(loader.GetLibraryFileName(TLibrary::myUtil), "libc.so.6");
    EXPECT_EQ(loader.GetLibraryFileName(TLibrary::lbSDL), "libSDL2-2.0.so.0");
    EXPECT_FALSE(PlayerLibraries.Contains(TLibrary::avDevice));
    EXPECT_TRUE(TaskLibraries.Contains(TLibrary::swResample));
    EXPECT_FALSE(TaskLibraries.Contains(TLibrary::lbSDL));
    EXPECT_TRUE(PlayerLibraries.Contains(TLibrary::lbSDL));
}

// Debian's libraries, found through the system's search when the library
// folder does not exist; the player's set brings SDL2.
TEST_F(FFmpegLoaderTest, RealLibrariesLoadFromTheSystemWhenTheFolderIsMissing)
{
    loader.SetLibraryPath("/nonexistent/LibAV");
    ASSERT_TRUE(loader.Load(PlayerLibraries)) << loader.LastErrMsg();
    EXPECT_TRUE(loader.Loaded(PlayerLibraries));
    EXPECT_EQ(FF.avcodec_version() >> 16, unsigned(LIBAVCODEC_VERSION_MAJOR));
    EXPECT_EQ(FF.avformat_version() >> 16, unsigned(LIBAVFORMAT_VERSION_MAJOR));
    EXPECT_EQ(FF.swresample_version() >> 16, unsigned(LIBSWRESAMPLE_VERSION_MAJOR));
    ASSERT_NE(FF.avcodec_find_decoder_by_name("pcm_s16le"), nullptr);
    ASSERT_NE(SDL.SDL_GetError, nullptr);
    EXPECT_FALSE(loader.Loaded(TLibrary::avDevice));

    loader.Unload(PlayerLibraries);
    EXPECT_FALSE(loader.Loaded(TLibrary::avCodec));
    EXPECT_EQ(FF.avcodec_open2, nullptr);
    EXPECT_EQ(SDL.SDL_Init, nullptr);
}

// A folder without the C library: libc comes from the system, avutil from the folder.
TEST_F(FFmpegLoaderTest, TheFolderComesFirstAndTheSystemFillsIn)
{
    loader.SetLibraryPath(FakeLibs + "/good");
    ASSERT_TRUE(loader.Load(TLibraries{TLibrary::avUtil, TLibrary::swScale, TLibrary::myUtil})) << loader.LastErrMsg();
    EXPECT_TRUE(StartsWith(ModuleOf(reinterpret_cast<void*>(FF.av_log)), FakeLibs + "/good/libavutil.so.57"));
    EXPECT_NE(ModuleOf(reinterpret_cast<void*>(FF.fopen)).find("libc.so.6"), std::string::npos);
}

struct TFailureCase {
    const char* name;
    const char* folder;
    TLibraries libraries;
    std::string expectedStart;
    const char* dlerrorPart;
};

class FFmpegLoaderFailureTest : public FFmpegLoaderTest, public ::testing::WithParamInterface<TFailureCase> {};

// Each failure names the library or entry in the loader's words, with the
// dynamic linker's text, and leaves nothing of the failed set loaded.
TEST_P(FFmpegLoaderFailureTest, FailsWithItsMessageAndLeavesNothingLoaded)
{
    const TFailureCase& c = GetParam();
    loader.SetLibraryPath(FakeLibs + "/" + c.folder);
    loader.SetLibraryFileName(TLibrary::lbSDL, "libSDL-none.so.0");
    EXPECT_FALSE(loader.Load(c.libraries));
    EXPECT_TRUE(StartsWith(loader.LastErrMsg(), c.expectedStart)) << loader.LastErrMsg();
    EXPECT_NE(loader.LastErrMsg().find(c.dlerrorPart), std::string::npos) << loader.LastErrMsg();
    for (int i = 0; i < LibraryCount; ++i)
        EXPECT_FALSE(loader.Loaded(TLibrary(i))) << i;
    EXPECT_EQ(FF.sws_freeContext, nullptr);
    EXPECT_EQ(FF.av_log, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FFmpegLoaderFailureTest,
    ::testing::Values(TFailureCase{"MissingLibrary", "good", TLibraries{TLibrary::avUtil, TLibrary::lbSDL},
                                   "Load library " + FakeLibs + "/good/libSDL-none.so.0 error: libSDL-none.so.0",
                                   "cannot open shared object file"},
                      TFailureCase{"MissingFunction", "missing", TLibraries{TLibrary::avUtil, TLibrary::swScale},
                                   "Load function sws_scale@libswscale.so.6 error: ", "undefined symbol: sws_scale"},
                      TFailureCase{"WrongMajorVersion", "oldmajor", TLibraries{TLibrary::avUtil},
                                   "Load library libavutil.so.57 error: version " +
                                       std::to_string(LIBAVUTIL_VERSION_MAJOR - 1) + ".1.0, major " +
                                       std::to_string(LIBAVUTIL_VERSION_MAJOR) + " expected",
                                   "expected"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FFmpegLoaderTest, VariablesBindByAddressAndAMissingOneIsNamed)
{
    std::string error;
    void* handle = TFFmpegLoader::LoadLibraryFromFolder(FakeLibs + "/good", "libavutil.so.57", error);
    ASSERT_NE(handle, nullptr) << error;
    auto* variable = static_cast<int*>(TFFmpegLoader::BindVariable("libavutil.so.57", handle, "fake_variable"));
    EXPECT_EQ(*variable, 42);
    try {
        TFFmpegLoader::BindVariable("libavutil.so.57", handle, "av_pix_fmt_descriptors");
        ADD_FAILURE() << "no error for a missing variable";
    } catch (const ELibraryBindError& e) {
        std::string text = e.what();
        EXPECT_TRUE(StartsWith(text, "Load variable av_pix_fmt_descriptors@libavutil.so.57 error: ")) << text;
        EXPECT_NE(text.find("undefined symbol: av_pix_fmt_descriptors"), std::string::npos) << text;
    }
    dlclose(handle);
}

// A failed set rolls back only what it loaded itself: a library that another
// set loaded earlier stays loaded and bound.
TEST_F(FFmpegLoaderTest, AFailedSetKeepsLibrariesOtherSetsUse)
{
    loader.SetLibraryPath(FakeLibs + "/good");
    ASSERT_TRUE(loader.Load(TLibraries{TLibrary::avUtil}));
    loader.SetLibraryPath(FakeLibs + "/missing");
    EXPECT_FALSE(loader.Load(TLibraries{TLibrary::avUtil, TLibrary::swScale}));
    EXPECT_TRUE(loader.Loaded(TLibrary::avUtil));
    EXPECT_NE(FF.av_log, nullptr);
    EXPECT_FALSE(loader.Loaded(TLibrary::swScale));
    loader.Unload(TLibraries{TLibrary::avUtil});
    EXPECT_FALSE(loader.Loaded(TLibrary::avUtil));
}

// Each successful set load counts a user; the libraries go with the last one.
// The second load binds nothing new, and the last error stays readable.
TEST_F(FFmpegLoaderTest, LoadingASetTwiceNeedsTwoUnloads)
{
    loader.SetLibraryPath(FakeLibs + "/missing");
    EXPECT_FALSE(loader.Load(TLibraries{TLibrary::swScale}));
    std::string failure = loader.LastErrMsg();
    loader.SetLibraryPath(FakeLibs + "/good");
    const TLibraries set{TLibrary::avUtil, TLibrary::swScale};
    ASSERT_TRUE(loader.Load(set));
    auto bound = FF.sws_scale;
    ASSERT_TRUE(loader.Load(set));
    EXPECT_EQ(FF.sws_scale, bound);
    EXPECT_EQ(loader.LastErrMsg(), failure);
    loader.Unload(set);
    EXPECT_TRUE(loader.Loaded(set));
    loader.Unload(set);
    EXPECT_FALSE(loader.Loaded(TLibrary::avUtil));
    EXPECT_FALSE(loader.Loaded(TLibrary::swScale));
}

TEST_F(FFmpegLoaderTest, LoadAVLibCopiesTheFailureForTheComponent)
{
    std::string componentError;
    EXPECT_FALSE(loader.LoadAVLib(TLibraries{TLibrary::swScale}, FakeLibs + "/missing", componentError));
    EXPECT_EQ(loader.LibraryPath(), FakeLibs + "/missing");
    EXPECT_EQ(componentError, loader.LastErrMsg());
    EXPECT_FALSE(loader.Loaded(AllLibraries));
}

} // namespace
} // namespace tovrel::test
