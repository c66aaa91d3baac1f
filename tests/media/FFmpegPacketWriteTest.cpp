// The last step of every packet: bitstream filters and the muxer write;
// subtitle packets.
#include "media/output/FFmpegPacketWrite.h"
#include "FFmpegOutputStepsTestSupport.h"
#include "media/engine/FFmpegEngineErrors.h"

namespace tovrel::test {
namespace {

class PacketWriteTest : public TOutputStepsTest {
protected:
    // An MJPEG stream in Matroska whose packets are too short for the mjpeg2jpeg filter.
    TAVOutputStream& OpenFilteredStream()
    {
        OpenOutput("filtered.nut");
        AVStream* st = avformat_new_stream(output.get(), nullptr);
        st->codecpar->codec_type = AVMEDIA_TYPE_VIDEO;
        st->codecpar->codec_id = AV_CODEC_ID_MJPEG;
        st->codecpar->width = 16;
        st->codecpar->height = 16;
        st->time_base = {1, 1000};
        auto ost = std::make_unique<TAVOutputStream>();
        ost->st = st;
        ost->stream_copy = true;
        ost->BitstreamFilters = OpenBitstreamFilters({"mjpeg2jpeg"}, st);
        osts.push_back(std::move(ost));
        WriteHeader();
        return *osts.back();
    }
    void WriteShortPacket(TAVOutputStream& ost, std::int64_t pts)
    {
        test::media::PacketPtr packet(av_packet_alloc());
        ASSERT_GE(av_new_packet(packet.get(), 4), 0);
        std::memset(packet->data, 0xAB, 4);
        packet->pts = packet->dts = pts;
        packet->stream_index = ost.index;
        steps->WriteOutputPacket(output.get(), packet.get(), nullptr, ost.BitstreamFilters.get());
    }
};

TEST_F(PacketWriteTest, UnknownFilterNamesAreRefused)
{
    OpenOutput("unknown.mkv");
    AVStream* st = avformat_new_stream(output.get(), nullptr);
    try {
        OpenBitstreamFilters({"no_such_filter"}, st);
        FAIL() << "no exception";
    } catch (const FFmpegException& e) {
        EXPECT_STREQ(e.what(), "Unknown bitstream filter no_such_filter");
    }
    EXPECT_EQ(OpenBitstreamFilters({}, st), nullptr);
}

// A filter that fails on a packet: the packet goes on unfiltered with the
// failure logged, or the failure is raised with exit_on_error.
TEST_F(PacketWriteTest, FilterFailureIsLoggedOrRaised)
{
    TAVOutputStream& ost = OpenFilteredStream();
    WriteShortPacket(ost, 0);
    const std::string failure = "mjpeg2jpeg failed for stream 0, codec copy: ";
    bool logged = false;
    for (const std::string& line : LinesAtLevel(llError))
        logged |= line.rfind(failure, 0) == 0;
    EXPECT_TRUE(logged);

    job->Fexit_on_error = true;
    try {
        WriteShortPacket(ost, 40);
        FAIL() << "no exception";
    } catch (const FFmpegException& e) {
        EXPECT_EQ(std::string(e.what()).rfind(failure, 0), 0u) << e.what();
    }
    Finish();
    EXPECT_EQ(ReadBack(0).size(), 1u);
}

// A write the muxer refuses (time going backwards) raises its error text.
TEST_F(PacketWriteTest, MuxerFailureIsRaised)
{
    OpenOutput("backwards.mkv");
    TAVOutputStream& ost = AddAudio("pcm_s16le", AV_SAMPLE_FMT_S16, 8000, 1);
    WriteHeader();
    auto write = [&](std::int64_t dts) {
        test::media::PacketPtr packet(av_packet_alloc());
        av_new_packet(packet.get(), 8);
        packet->pts = packet->dts = dts;
        packet->stream_index = ost.index;
        steps->WriteOutputPacket(output.get(), packet.get(), ost.EncoderContext, nullptr);
    };
    write(100);
    try {
        write(50);
        FAIL() << "no exception";
    } catch (const FFmpegException& e) {
        EXPECT_EQ(std::string(e.what()).rfind("av_interleaved_write_frame(): ", 0), 0u) << e.what();
    }
}

// A DVB subtitle shown for 2 s: a show packet and a clear packet 180000
// ticks later at 1/90000; a subtitle without a time is logged and dropped.
TEST_F(PacketWriteTest, DvbSubtitlesAreShownAndCleared)
{
    OpenOutput("subtitles.nut");
    TAVOutputStream& ost = AddStream("dvbsub", [](AVCodecContext* enc) {
        enc->width = 720;
        enc->height = 576;
        enc->time_base = {1, 90000};
    });
    WriteHeader();
    ASSERT_EQ(ost.st->time_base.den, 90000);

    AVSubtitle sub{};
    sub.end_display_time = 2000;
    sub.num_rects = 1;
    sub.rects = static_cast<AVSubtitleRect**>(av_mallocz(sizeof(AVSubtitleRect*)));
    AVSubtitleRect* rect = sub.rects[0] = static_cast<AVSubtitleRect*>(av_mallocz(sizeof(AVSubtitleRect)));
    rect->type = SUBTITLE_BITMAP;
    rect->x = rect->y = 10;
    rect->w = 8;
    rect->h = 4;
    rect->nb_colors = 4;
    rect->linesize[0] = 8;
    rect->data[0] = static_cast<std::uint8_t*>(av_mallocz(32));
    rect->data[1] = static_cast<std::uint8_t*>(av_mallocz(4 * 4));
    for (int i = 0; i < 32; ++i)
        rect->data[0][i] = std::uint8_t(i % 4);

    steps->EncodeSubtitle(output.get(), ost, ist, &sub, AV_NOPTS_VALUE);
    EXPECT_TRUE(Logged(llError, "Subtitle packets must have a pts"));
    steps->EncodeSubtitle(output.get(), ost, ist, &sub, 90000);
    avsubtitle_free(&sub);
    Finish();

    const auto packets = ReadBack(0);
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_EQ(packets[1]->pts - packets[0]->pts, 180000);
}

} // namespace
} // namespace tovrel::test
