// Every main preset key, with its default box texts, converts a real 1-second
// clip through the task component and the media transcoder; the output reopens
// with the streams the key keeps.
#include <gtest/gtest.h>

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "app/presets/BoxConversions.h"
#include "app/presets/OutputOptionsTransfer.h"
#include "app/presets/PresetStep.h"
#include "app/presets/ValueListStep.h"
#include "media/FFmpegLoaderTestSupport.h"
#include "media/FFmpegTestFolder.h"
#include "media/engine/FFmpegTasks.h"
#include "media/loader/FFmpegLogger.h"
#include "media/transcode/FFmpegMediaTranscoder.h"
#include "platform/rtl/MainThread.h"
#include "support/TestMedia.h"

namespace tovrel::test {
namespace {

std::string VideoClip()
{
    return test::media::ClipPath(
               {.fileName = "preset-clip.avi", .formatName = "avi", .videoCodec = "mpeg4", .audioCodec = "libmp3lame"})
        .string();
}

std::string AudioClip()
{
    return test::media::ClipPath({.fileName = "preset-clip.mp3", .formatName = "mp3", .audioCodec = "libmp3lame"})
        .string();
}

// The video and audio streams of a file that opens and whose streams are found;
// -1 otherwise. Other streams (the DVD format's navigation packets) don't count.
int MediaStreamCount(const std::string& fileName)
{
    AVFormatContext* context = nullptr;
    if (FF.avformat_open_input(&context, fileName.c_str(), nullptr, nullptr) < 0)
        return -1;
    int count = -1;
    if (FF.avformat_find_stream_info(context, nullptr) >= 0) {
        count = 0;
        for (unsigned i = 0; i < context->nb_streams; ++i) {
            const AVMediaType type = context->streams[i]->codecpar->codec_type;
            count += type == AVMEDIA_TYPE_VIDEO || type == AVMEDIA_TYPE_AUDIO;
        }
    }
    FF.avformat_close_input(&context);
    return count;
}

// What the main window turns a key with its default boxes into for a new file.
TPendingOutputSettings PendingFor(const TFormatItem& format, const std::string& input, const std::string& folder)
{
    TPendingOutputSettings pending;
    EXPECT_EQ(RunPresetStep(format.CategoryPosition, format.FormatIndex, {input, folder, false, {}}, pending),
              format.Key);
    const TParameterBoxesFill fill = FillParameterBoxes(MainPresets(), format.Key);
    TBoxTexts texts;
    for (TParameterBox box : ParameterBoxes) {
        const TBoxFill& b = fill.Boxes[BoxIndex(box)];
        texts[BoxIndex(box)] = b.Items.at(static_cast<std::size_t>(b.Selected));
    }
    ApplyBoxTexts(texts, pending);
    return pending;
}

std::vector<int> MainKeys()
{
    std::vector<int> keys;
    for (const TFormatItem& format : MainPresets().Formats())
        keys.push_back(format.Key);
    return keys;
}

class PresetConversion : public TRealLibrariesTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        TMainThread::SetCurrent();
        TRealLibrariesTest::SetUp();
        InstallMediaTranscoder();
        tasks_.SetTriggerEventInMainThread(true);
        tasks_.OnTerminate = [this](TCustomFFmpegTasks*, const TTerminateInfo& info) { records_.push_back(info); };
        // The library's reasons and the engine's messages are logged at error level.
        TFFLogger* logger = GetFFLogger();
        logger->SetTriggerEventInMainThread(false);
        logger->SetOnLog([this](const void*, std::uint32_t, TLogLevel level, const std::string& line) {
            if (level != llError)
                return;
            std::lock_guard lock(errorLock_);
            errors_ += line;
        });
    }
    void TearDown() override
    {
        GetFFLogger()->SetOnLog(nullptr);
        GetFFLogger()->SetTriggerEventInMainThread(true);
        TRealLibrariesTest::TearDown();
    }

    // The exception's text, else the error lines logged.
    std::string Reason(const TTerminateInfo& record)
    {
        if (record.Exception)
            return record.ExceptionMsg;
        std::lock_guard lock(errorLock_);
        return errors_;
    }

    const TTerminateInfo* Record(int task) const
    {
        for (const TTerminateInfo& record : records_)
            if (record.TaskIndex == task)
                return &record;
        return nullptr;
    }

    std::mutex errorLock_;
    std::string errors_;
    TTestFolder folder_;
    std::vector<TTerminateInfo> records_;
    TFFmpegTasks tasks_;
};

TEST_P(PresetConversion, ConvertsTheClipAndTheOutputReopens)
{
    const int key = GetParam();
    const TFormatItem& format = *MainPresets().Format(key);
    const bool audioOnly = MainPresets().Defaults(key)->AudioOnly;
    const std::string input = audioOnly ? AudioClip() : VideoClip();
    const std::string folder = std::filesystem::path(folder_.Path("x")).parent_path().string();

    const TPendingOutputSettings pending = PendingFor(format, input, folder);
    TOutputOptions options;
    InitOutputOptions(options);
    ApplyPendingSettings(pending, options);

    const int task = tasks_.AddTask(input, static_cast<TInputOptions*>(nullptr));
    ASSERT_GE(task, 0) << tasks_.LastErrMsg();
    ASSERT_TRUE(tasks_.SetOutputFile(task, pending.Video_OutPutFileName, &options)) << tasks_.LastErrMsg();
    // The profiles name no format for a .vob file: the name gives the DVD video object muxer.
    if (std::filesystem::path(pending.Video_OutPutFileName).extension() == ".vob") {
        EXPECT_STREQ(tasks_.Task(task)->Foutput_files[0]->oformat->name, "vob");
    }
    tasks_.Start(1);
    ASSERT_TRUE(TMainThread::WaitPumping([&] { return Record(-1) != nullptr; }));
    const TTerminateInfo* record = Record(task);
    ASSERT_NE(record, nullptr);

    ASSERT_TRUE(record->Finished) << Reason(*record);
    EXPECT_FALSE(record->Exception) << Reason(*record);
    ASSERT_TRUE(std::filesystem::is_regular_file(pending.Video_OutPutFileName));
    EXPECT_GT(std::filesystem::file_size(pending.Video_OutPutFileName), 0u);
    EXPECT_EQ(MediaStreamCount(pending.Video_OutPutFileName), audioOnly ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(EveryMainKey, PresetConversion, ::testing::ValuesIn(MainKeys()),
                         [](const ::testing::TestParamInfo<int>& info) { return std::to_string(info.param); });

} // namespace
} // namespace tovrel::test
