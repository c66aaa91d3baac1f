// Presets: the built-in libx264 table, its old keys carried by the encoder's
// current options (every preset opens libx264), the lookup by name and codec
// prefix, and preset files with their failures.
#include "media/targets/FFmpegPresets.h"
#include "FFmpegInputTestSupport.h"
#include "FFmpegTestFolder.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegUtilsOptions.h"
#include "media/targets/FFmpegPresetsX264.h"

#include <fstream>

namespace tovrel::test {
namespace {

class FFmpegPresetsTest : public TMediaJobTest {
protected:
    std::string Raised(const std::string& option, const std::string& preset)
    {
        try {
            job->ParseOption(option, preset);
        } catch (const FFmpegException& e) {
            return e.what();
        }
        return "(nothing raised)";
    }

    std::int64_t VideoOption(const char* name)
    {
        std::int64_t value = -1;
        EXPECT_GE(FF.av_opt_get_int(job->FOptions.avcodec_opts[AVMEDIA_TYPE_VIDEO], name, 0, &value), 0) << name;
        return value;
    }

    std::string WriteFile(const std::string& name, const std::string& text)
    {
        const std::string path = folder.Path(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    TTestFolder folder;
};

// A libx264 encoder opened with the job's stored options, as an output stream
// would be; it reports the settings it took in the options text of its first
// packet.
class TOpenedX264 {
public:
    explicit TOpenedX264(const TFFOptions& options)
    {
        const AVCodec* encoder = FF.avcodec_find_encoder_by_name("libx264");
        context_ = FF.avcodec_alloc_context3(encoder);
        ApplyFFOptions(options, context_, options.avcodec_opts[AVMEDIA_TYPE_VIDEO],
                       AV_OPT_FLAG_VIDEO_PARAM | AV_OPT_FLAG_ENCODING_PARAM);
        context_->width = kWidth;
        context_->height = kHeight;
        context_->pix_fmt = AV_PIX_FMT_YUV420P;
        context_->time_base = {1, 25};
        FF.av_dict_copy(&unused_, options.CodecPrivateOpts[AVMEDIA_TYPE_VIDEO], 0);
        result = FF.avcodec_open2(context_, encoder, &unused_);
    }
    ~TOpenedX264()
    {
        FF.avcodec_free_context(&context_);
        FF.av_dict_free(&unused_);
    }

    // The private options the encoder did not take.
    std::string Unused() const
    {
        std::string names;
        for (const AVDictionaryEntry* e = nullptr; (e = FF.av_dict_get(unused_, "", e, AV_DICT_IGNORE_SUFFIX));)
            names += std::string(e->key) + " ";
        return names;
    }

    // Encodes one grey picture; the encoder's own account of its settings.
    std::string Settings()
    {
        std::vector<std::uint8_t> pixels(kWidth * kHeight * 3 / 2, 128);
        AVFrame* frame = FF.av_frame_alloc();
        FF.av_image_fill_arrays(frame->data, frame->linesize, pixels.data(), AV_PIX_FMT_YUV420P, kWidth, kHeight, 1);
        frame->format = AV_PIX_FMT_YUV420P;
        frame->width = kWidth;
        frame->height = kHeight;
        frame->pts = 0;
        AVPacket* packet = FF.av_packet_alloc();
        std::string first;
        if (FF.avcodec_send_frame(context_, frame) >= 0 && FF.avcodec_send_frame(context_, nullptr) >= 0 &&
            FF.avcodec_receive_packet(context_, packet) >= 0)
            first.assign(reinterpret_cast<const char*>(packet->data), static_cast<std::size_t>(packet->size));
        FF.av_packet_free(&packet);
        FF.av_frame_free(&frame);
        const auto start = first.find("options: ");
        return start == std::string::npos ? "" : first.c_str() + start;
    }

    int result = -1;

private:
    static constexpr int kWidth = 64;
    static constexpr int kHeight = 48;
    AVCodecContext* context_ = nullptr;
    AVDictionary* unused_ = nullptr;
};

TEST_F(FFmpegPresetsTest, TheBuiltInTableHoldsThePresetTexts)
{
    EXPECT_EQ(FindBuiltInPreset("libx264-default"),
              "coder=1\nflags=+loop\ncmp=+chroma\npartitions=+parti8x8+parti4x4+partp8x8+partb8x8\nme_method=hex\n"
              "subq=7\nme_range=16\ng=250\nkeyint_min=25\nsc_threshold=40\ni_qfactor=0.71\nb_strategy=1\nqcomp=0.6\n"
              "qmin=10\nqmax=51\nqdiff=4\nbf=3\nrefs=3\ndirectpred=1\ntrellis=1\n"
              "flags2=+mixed_refs+wpred+dct8x8+fastpskip\nwpredp=2\n");
    EXPECT_EQ(FindBuiltInPreset("libx264-ipod640"), "coder=0\nbf=0\nrefs=1\nflags2=-wpred-dct8x8\nlevel=30\n"
                                                    "maxrate=10000000\nbufsize=10000000\nwpredp=0\n");
    EXPECT_EQ(FindBuiltInPreset("libx264-main"), "flags2=-dct8x8\n");
    EXPECT_EQ(FindBuiltInPreset("libx264-lossless_ultrafast").find("wpredp"), std::string::npos);
    EXPECT_NE(FindBuiltInPreset("libx264-lossless_ultrafast").find("\ncqp=0\n"), std::string::npos);
    const std::string shortOnes = " libx264-baseline libx264-ipod320 libx264-ipod640 libx264-main ";
    for (const TOptionsPreset& preset : BuiltInPresets()) {
        ASSERT_TRUE(preset.Value.ends_with("\n")) << preset.Name;
        if (shortOnes.find(" " + preset.Name + " ") != std::string::npos)
            continue;
        for (const char* line : {"\ncmp=+chroma\n", "\ng=250\n", "\nkeyint_min=25\n", "\ni_qfactor=0.71\n",
                                 "\nqcomp=0.6\n", "\nqmin=10\n", "\nqmax=51\n", "\nqdiff=4\n"})
            EXPECT_NE(preset.Value.find(line), std::string::npos) << preset.Name << line;
    }
    EXPECT_EQ(FindBuiltInPreset("libx264-nosuch"), "");
}

TEST_F(FFmpegPresetsTest, EveryBuiltInPresetOpensLibx264AndEveryKeyReachesIt)
{
    ASSERT_EQ(BuiltInPresets().size(), 36u);
    for (const TOptionsPreset& preset : BuiltInPresets()) {
        NewJob();
        job->ParseOption("vcodec", "libx264");
        ASSERT_NO_THROW(job->ParseOption("vpre", preset.Name)) << preset.Name;
        TOpenedX264 encoder(job->FOptions);
        EXPECT_GE(encoder.result, 0) << preset.Name;
        EXPECT_EQ(encoder.Unused(), "") << preset.Name;
    }
}

TEST_F(FFmpegPresetsTest, TheOldKeysTakeEffectInTheEncoder)
{
    const struct {
        const char* preset;
        std::vector<const char*> settings;
    } cases[] = {
        {"libx264-default",
         {"cabac=1 ",     "ref=3 ",       "deblock=1:0:0 ", "analyse=0x3:0x113 ", "me=hex ",       "subme=7 ",
          "mixed_ref=1 ", "chroma_me=1 ", "trellis=1 ",     "8x8dct=1 ",          "fast_pskip=1 ", "bframes=3 ",
          "b_adapt=1 ",   "direct=1 ",    "weightb=1 ",     "weightp=2 ",         "keyint=250 ",   "keyint_min=25 ",
          "scenecut=40 ", "qcomp=0.60 ",  "qpmin=10 ",      "qpmax=51 ",          "qpstep=4 ",     "ip_ratio=1.41 "}},
        {"libx264-ultrafast",
         {"cabac=0 ", "ref=1 ", "deblock=0:", "me=dia ", "subme=0 ", "mixed_ref=0 ", "8x8dct=0 ", "bframes=0 ",
          "weightp=0 ", "scenecut=0 ", "mbtree=0 "}},
        {"libx264-placebo",
         {"me=tesa ", "subme=10 ", "me_range=24 ", "trellis=2 ", "fast_pskip=0 ", "bframes=16 ", "b_pyramid=2 ",
          "b_adapt=2 ", "direct=3 ", "ref=16 "}},
        {"libx264-fastfirstpass", {"analyse=0x1:0 ", "b_pyramid=0 ", "weightb=0 ", "direct=3 "}},
        {"libx264-lossless_max", {"rc=cqp ", "qp=0", "me=esa ", "analyse=0x3:0x33 "}},
        {"libx264-ipod640",
         {"cabac=0 ", "ref=1 ", "bframes=0 ", "8x8dct=0 ", "vbv_maxrate=10000 ", "vbv_bufsize=10000 "}},
    };
    for (const auto& c : cases) {
        NewJob();
        job->ParseOption("vpre", c.preset);
        TOpenedX264 encoder(job->FOptions);
        ASSERT_GE(encoder.result, 0) << c.preset;
        const std::string settings = encoder.Settings() + " ";
        for (const char* setting : c.settings)
            EXPECT_NE(settings.find(setting), std::string::npos) << c.preset << ": " << setting << " in " << settings;
    }
}

TEST(FFmpegPresetsX264, OldKeysAndFlagWordsBecomeTheEncodersOptions)
{
    using V = std::vector<TPresetOption>;
    EXPECT_EQ(TranslatePresetOption("directpred", "3"), (V{{"direct-pred", "3"}}));
    EXPECT_EQ(TranslatePresetOption("cqp", "0"), (V{{"qp", "0"}}));
    EXPECT_EQ(TranslatePresetOption("partitions", "-parti8x8+parti4x4+partp8x8-partp4x4-partb8x8"),
              (V{{"partitions", "i4x4,p8x8"}}));
    EXPECT_EQ(TranslatePresetOption("partitions", "-parti8x8-parti4x4"), (V{{"partitions", "none"}}));
    EXPECT_EQ(TranslatePresetOption("partitions", "all"), (V{{"partitions", "all"}}));
    EXPECT_EQ(TranslatePresetOption("flags2", "+bpyramid-mixed_refs+fast-mbtree"),
              (V{{"flags2", "+fast"}, {"b-pyramid", "normal"}, {"mixed-refs", "0"}, {"mbtree", "0"}}));
    EXPECT_EQ(TranslatePresetOption("flags2", "-bpyramid+wpred+dct8x8+fastpskip"),
              (V{{"b-pyramid", "none"}, {"weightb", "1"}, {"8x8dct", "1"}, {"fast-pskip", "1"}}));
    EXPECT_EQ(TranslatePresetOption("flags", "-loop+qpel"), (V{{"flags", "-loop+qpel"}, {"deblock", "false"}}));
    EXPECT_EQ(TranslatePresetOption("refs", "3"), (V{{"refs", "3"}}));
}

TEST_F(FFmpegPresetsTest, NamesAreFoundIgnoringCaseOrWithThePendingCodecBeforeThem)
{
    job->ParseOption("vpre", "LIBX264-DEFAULT");
    EXPECT_EQ(VideoOption("refs"), 3);

    NewJob();
    job->ParseOption("vcodec", "libx264");
    job->ParseOption("vpre", "fast");
    EXPECT_EQ(VideoOption("refs"), 2);

    // The audio option uses the audio codec; the subtitle codec stands in for a kind without one.
    NewJob();
    job->ParseOption("scodec", "libx264");
    job->ParseOption("apre", "hq");
    EXPECT_EQ(VideoOption("refs"), 4);

    NewJob();
    EXPECT_EQ(Raised("vpre", "fast"), "Preset \"fast\" not found");
    job->ParseOption("vcodec", "mpeg4");
    EXPECT_EQ(Raised("vpre", "fast"), "Preset \"fast\" not found");
    // "fpre" reads files only.
    EXPECT_EQ(Raised("fpre", "libx264-default"), "Preset \"libx264-default\" not found");
    EXPECT_NO_THROW(job->ParseOption("vpre", ""));
}

TEST_F(FFmpegPresetsTest, PresetFilesApplyTheirLinesInOrder)
{
    const std::string file =
        WriteFile("my.preset", "  \r\n vcodec=libx264 \r\n\r\nrefs=5\rACODEC=mp2\nrefs=6\n\tg=30\t\n");
    job->ParseOption("fpre", file);
    EXPECT_EQ(job->Fvideo_codec_name, "libx264");
    EXPECT_EQ(job->Faudio_codec_name, "mp2");
    EXPECT_EQ(VideoOption("refs"), 6);
    EXPECT_EQ(VideoOption("g"), 30);

    // A built-in name with the codec before it names the preset in messages.
    NewJob();
    job->ParseOption("vcodec", "libx264");
    const std::string bad = WriteFile("bad", "refs=2\nnosuch=1\nrefs=9\n");
    EXPECT_EQ(Raised("vpre", bad),
              "libx264-" + bad + ": Invalid option or argument: \"nosuch=1\", parsed as \"nosuch\" = \"1\"");
    EXPECT_EQ(VideoOption("refs"), 2); // lines before the failing one stay applied

    const struct {
        const char* text;
        const char* line;
    } syntax[] = {{"# a comment\n", "# a comment"}, {"refs=\n", "refs="}, {"=3\n", "=3"}};
    for (const auto& c : syntax) {
        const std::string path = WriteFile("syntax", c.text);
        EXPECT_EQ(Raised("fpre", path), path + ": Invalid syntax: \"" + c.line + "\"") << c.text;
    }
    EXPECT_NO_THROW(job->ParseOption("fpre", WriteFile("empty", "")));
    EXPECT_EQ(Raised("fpre", folder.Path("missing")), "Preset \"" + folder.Path("missing") + "\" not found");
}

} // namespace
} // namespace tovrel::test
