// What the dialog confirms is what a conversion writes: its pending settings
// become a task's output options through the transfer step, and the task
// converts a generated clip accordingly.
#include "OutputFormatTestSupport.h"

#include "app/presets/OutputOptionsTransfer.h"
#include "media/PreviewBatchTestSupport.h"
#include "platform/wm/Backend.h"
#include "skin/controls/SkinButton.h"
#include "support/FFmpegHandles.h"

#include <filesystem>

namespace tovrel::test {
namespace {

class DialogConversion : public TPreviewBatchTest {
protected:
    void SetUp() override
    {
        TPreviewBatchTest::SetUp();
        SetBackend(std::make_shared<TBackend>());
    }
    void TearDown() override
    {
        form.reset();
        TPreviewBatchTest::TearDown();
        SetBackend(nullptr);
    }

    TRecordingHost host;
    TForm6Ptr form;
};

const AVCodecParameters* StreamOf(const AVFormatContext& file, AVMediaType type)
{
    for (unsigned i = 0; i < file.nb_streams; ++i)
        if (file.streams[i]->codecpar->codec_type == type)
            return file.streams[i]->codecpar;
    return nullptr;
}

TEST_F(DialogConversion, TheConfirmedFormatAndBoxValuesAreWhatTheTaskWrites)
{
    const std::string input = PathOf(media::Fixture::Mpeg4Mp3Avi);
    host.Context = {input, folder_.Path(""), false, {}};
    form = CreateDialog(host);
    ChooseFormat(*form, 0, 1); // MP4, MPEG-4 video with MP3 audio
    ASSERT_TRUE(ChooseBoxText(*form->skSkinComboBox1, "176*144"));
    ASSERT_TRUE(ChooseBoxText(*form->skSkinComboBox10, "22050"));
    form->skSkinButton2->Click();
    ASSERT_EQ(host.Pending.Video_OutPutFileName, folder_.Path(std::filesystem::path(input).stem().string() + ".mp4"));

    TOutputOptions options;
    InitOutputOptions(options);
    ApplyPendingSettings(host.Pending, options);
    const int task = tasks_.AddTask(input, static_cast<TInputOptions*>(nullptr));
    ASSERT_GE(task, 0) << tasks_.LastErrMsg();
    ASSERT_TRUE(tasks_.SetOutputFile(task, host.Pending.Video_OutPutFileName, &options)) << tasks_.LastErrMsg();
    tasks_.Start(1);
    ASSERT_TRUE(TMainThread::WaitPumping([&] { return records_.size() == 2; }));
    ExpectAllFinished();

    AVFormatContext* raw = nullptr;
    ASSERT_EQ(avformat_open_input(&raw, host.Pending.Video_OutPutFileName.c_str(), nullptr, nullptr), 0);
    media::InputFormatPtr output(raw);
    ASSERT_GE(avformat_find_stream_info(output.get(), nullptr), 0);
    const AVCodecParameters* video = StreamOf(*output, AVMEDIA_TYPE_VIDEO);
    const AVCodecParameters* audio = StreamOf(*output, AVMEDIA_TYPE_AUDIO);
    ASSERT_NE(video, nullptr);
    ASSERT_NE(audio, nullptr);
    EXPECT_EQ(video->codec_id, AV_CODEC_ID_MPEG4);
    EXPECT_EQ(video->width, 176);
    EXPECT_EQ(video->height, 144);
    EXPECT_EQ(audio->codec_id, AV_CODEC_ID_MP3);
    EXPECT_EQ(audio->sample_rate, 22050);
    EXPECT_EQ(audio->ch_layout.nb_channels, 2);
}

} // namespace
} // namespace tovrel::test
