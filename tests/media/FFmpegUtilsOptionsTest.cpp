#include "media/loader/FFmpegUtilsOptions.h"

#include "FFmpegLoaderTestSupport.h"
#include "media/loader/FFmpegLogger.h"
#include "platform/rtl/MainThread.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class FFmpegOptionsStoreTest : public TRealLibrariesTest {
protected:
    TFFOptions options;
    std::vector<std::string> logged;

    void SetUp() override
    {
        TRealLibrariesTest::SetUp();
        TMainThread::SetCurrent();
        GetFFLogger()->SetLogLevel(llInfo);
        GetFFLogger()->SetOnLog([this](const void*, std::uint32_t, TLogLevel level, const std::string& text) {
            if (level <= llError)
                logged.push_back(text);
        });
        AllocFFOptions(options, SWS_BICUBIC);
    }
    void TearDown() override
    {
        GetFFLogger()->SetOnLog(nullptr);
        GetFFLogger()->SetLogLevel(llInfo);
        FreeFFOptions(options);
        TRealLibrariesTest::TearDown();
    }
    std::int64_t Integer(void* context, const char* name)
    {
        std::int64_t value = 0;
        EXPECT_GE(FF.av_opt_get_int(context, name, 0, &value), 0) << name;
        return value;
    }
};

// A codec option goes to every media type whose options carry it; "vg" is
// the video codec's "g"; format and scaler options land on their contexts.
TEST_F(FFmpegOptionsStoreTest, GenericOptionsReachTheirContexts)
{
    ASSERT_TRUE(SetFFOption(options, "b", "1000"));
    ASSERT_TRUE(SetFFOption(options, "ab", "64000"));
    ASSERT_TRUE(SetFFOption(options, "vg", "5"));
    ASSERT_TRUE(SetFFOption(options, "probesize", "5000000"));
    ASSERT_TRUE(SetFFOption(options, "sws_flags", "bilinear"));
    EXPECT_EQ(options.avcodec_opts[AVMEDIA_TYPE_VIDEO]->bit_rate, 1000);
    EXPECT_EQ(options.avcodec_opts[AVMEDIA_TYPE_AUDIO]->bit_rate, 64000);
    EXPECT_EQ(options.avcodec_opts[AVMEDIA_TYPE_VIDEO]->gop_size, 5);
    EXPECT_NE(options.avcodec_opts[AVMEDIA_TYPE_AUDIO]->gop_size, 5);
    EXPECT_EQ(options.avformat_opts->probesize, 5000000);
    EXPECT_EQ(Integer(options.sws_opts, "sws_flags"), SWS_BILINEAR);
    EXPECT_EQ(options.opt_names, (std::vector<std::string>{"b", "ab", "g", "probesize", "sws_flags"}));
    EXPECT_TRUE(logged.empty());
}

TEST_F(FFmpegOptionsStoreTest, RefusedNamesAndValues)
{
    EXPECT_FALSE(SetFFOption(options, "", "1"));
    EXPECT_FALSE(SetFFOption(options, "b", "  "));
    EXPECT_FALSE(SetFFOption(options, "nosuchoption", "1"));
    EXPECT_TRUE(logged.empty());
    EXPECT_FALSE(SetFFOption(options, "b", "fast"));
    ASSERT_FALSE(logged.empty());
    EXPECT_EQ(logged.back(), "Invalid value \"fast\" for option \"b\"");
    EXPECT_TRUE(options.opt_names.empty());
}

// Names that only an encoder's or a muxer's private options know are kept for
// the codec open and the header write.
TEST_F(FFmpegOptionsStoreTest, PrivateOptionsAreKeptByKind)
{
    ASSERT_TRUE(SetFFOption(options, "aac_coder", "fast"));
    ASSERT_TRUE(SetFFOption(options, "muxrate", "10080000"));
    AVDictionaryEntry* coder = FF.av_dict_get(options.CodecPrivateOpts[AVMEDIA_TYPE_AUDIO], "aac_coder", nullptr, 0);
    ASSERT_NE(coder, nullptr);
    EXPECT_STREQ(coder->value, "fast");
    EXPECT_EQ(FF.av_dict_get(options.CodecPrivateOpts[AVMEDIA_TYPE_VIDEO], "aac_coder", nullptr, 0), nullptr);
    AVDictionaryEntry* muxrate = FF.av_dict_get(options.FormatPrivateOpts, "muxrate", nullptr, 0);
    ASSERT_NE(muxrate, nullptr);
    EXPECT_STREQ(muxrate->value, "10080000");
    EXPECT_TRUE(options.opt_names.empty());
}

TEST_F(FFmpegOptionsStoreTest, ADebugOptionRaisesTheLogLevel)
{
    ASSERT_TRUE(SetFFOption(options, "debug", "pict"));
    EXPECT_EQ(GetFFLogger()->LogLevel(), llDebug);
}

// Applying copies only the options whose description has every asked flag.
TEST_F(FFmpegOptionsStoreTest, ApplyCopiesByFlags)
{
    ASSERT_TRUE(SetFFOption(options, "b", "1000"));
    ASSERT_TRUE(SetFFOption(options, "g", "7"));
    AVCodecContext* video = FF.avcodec_alloc_context3(nullptr);
    AVCodecContext* subtitle = FF.avcodec_alloc_context3(nullptr);
    ApplyFFOptions(options, video, options.avcodec_opts[AVMEDIA_TYPE_VIDEO], AV_OPT_FLAG_VIDEO_PARAM);
    ApplyFFOptions(options, subtitle, options.avcodec_opts[AVMEDIA_TYPE_VIDEO], AV_OPT_FLAG_SUBTITLE_PARAM);
    EXPECT_EQ(video->bit_rate, 1000);
    EXPECT_EQ(video->gop_size, 7);
    EXPECT_NE(subtitle->bit_rate, 1000);
    EXPECT_NE(subtitle->gop_size, 7);
    FF.avcodec_free_context(&video);
    FF.avcodec_free_context(&subtitle);
}

} // namespace
} // namespace tovrel::test
