// Which packet times count as damage: only those far outside the file's length
// and as far from the stream's previous packet.
#include "media/transcode/FFmpegDamagedTime.h"
#include "FFmpegInputTestSupport.h"
#include "media/transcode/FFmpegTranscodeRecords.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tovrel::test {
namespace {

constexpr std::int64_t kNone = AV_NOPTS_VALUE;

struct TTimeCase {
    const char* name;
    std::int64_t duration; // of the file, microseconds (kNone: unknown)
    std::int64_t previous; // the stream's previous packet, ms (kNone: this is its first)
    std::int64_t time;     // of the packet, ms
    bool retimed;
    const char* format = "asf"; // the file's container
};

void PrintTo(const TTimeCase& timeCase, std::ostream* out)
{
    *out << timeCase.name;
}

class DamagedTimeTest : public TMediaJobTest, public ::testing::WithParamInterface<TTimeCase> {};

TEST_P(DamagedTimeTest, OnlyATimeFarFromTheFileAndItsNeighbourIsReTimed)
{
    const TTimeCase& c = GetParam();
    AVFormatContext* file = FF.avformat_alloc_context();
    ASSERT_NE(file, nullptr);
    AVStream* stream = FF.avformat_new_stream(file, nullptr);
    ASSERT_NE(stream, nullptr);
    stream->time_base = AVRational{1, 1000};
    file->iformat = FF.av_find_input_format(c.format);
    ASSERT_NE(file->iformat, nullptr);
    file->start_time = 0;
    file->duration = c.duration;
    TAVInputStream ist;
    ist.st = stream;
    AVPacket* packet = FF.av_packet_alloc();
    if (c.previous != kNone) {
        packet->pts = packet->dts = c.previous;
        EXPECT_FALSE(RetimeDamagedPacket(*job, file, ist, packet));
    }
    packet->pts = packet->dts = c.time;
    EXPECT_EQ(RetimeDamagedPacket(*job, file, ist, packet), c.retimed);
    EXPECT_EQ(packet->pts == kNone && packet->dts == kNone, c.retimed);
    EXPECT_EQ(LineIndex(llWarning, "outside the file") >= 0, c.retimed);
    FF.av_packet_free(&packet);
    FF.avformat_free_context(file);
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedTimeTest,
                         ::testing::Values(TTimeCase{"HoursPastTheEnd", 6000000, 2760, 9898742, true},
                                           TTimeCase{"FarBeforeTheStart", 6000000, 3000, -20000, true},
                                           TTimeCase{"AStreamStartingLate", 6000000, kNone, 5000, false},
                                           TTimeCase{"AJumpWithinTheFile", 6000000, 100, 5900, false},
                                           TTimeCase{"ALengthTheHeaderUnderstates", 6000000, 15900, 16000, false},
                                           TTimeCase{"AFirstPacketPastTheEnd", 6000000, kNone, 9898742, false},
                                           TTimeCase{"AnUnknownLength", kNone, 2760, 9898742, false},
                                           TTimeCase{"AFormatWhoseTimesMayRestart", 6000000, 2760, 9898742, false,
                                                     "mpegts"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tovrel::test
