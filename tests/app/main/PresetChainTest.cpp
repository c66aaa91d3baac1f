// The preset chain on the real main window: a category and a format fill the
// six boxes with their lists and defaults; what the boxes show reaches the
// pending settings and, with a row selected, the row.
#include "MainWindowTestSupport.h"

#include "app/main/FileListColumns.h"
#include "app/presets/RowCodes.h"
#include "platform/ctrls/ListView.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinOfficeComboBox.h"

namespace tovrel::test {
namespace {

struct TPresetCase {
    int Category, Format;
    const char* Title;
    int Key;
    TPerBox<const char*> Lists, Defaults;
    bool AudioOnly;
};

// One format of every category, with its lists and default texts by box
// (frame size, video bitrate, frame rate, audio bitrate, sample rate, aspect).
const TPresetCase kCases[] = {
    {0,
     4,
     "MP4 H264编码视频(*.mp4)",
     1104,
     {"FS2", "VB1", "FR1", "AB1", "SR1", "AS1"},
     {"保持原分辨率", "1200 kbps", "29.97", "128 kbps", "44100", "保持原视频模式"},
     false},
    {1,
     7,
     "iPhone MPEG-4视频(320X240)(*.mp4)",
     507,
     {"FS4", "VB2", "FR2", "AB2", "SR2", "AS1"},
     {"320*240", "768 kbps", "25.00", "128 kbps", "44100", "保持原视频模式"},
     false},
    {2,
     10,
     "iPad 高清AVI视频(*.avi)",
     1310,
     {"FS9", "VB7", "FR1", "AB1", "SR1", "AS1"},
     {"1280*720", "1200 kbps", "29.97", "128 kbps", "44100", "保持原视频模式"},
     false},
    {3,
     6,
     "智能电视适用的MKV视频(*.mkv)",
     3406,
     {"FS10", "VB16", "FR1", "AB1", "SR1", "AS1"},
     {"1280*720", "1200 kbps", "29.97", "128 kbps", "44100", "保持原视频模式"},
     false},
    {4,
     3,
     "电脑上常用的AVI视频(*.avi)",
     1603,
     {"FS2", "VB20", "FR1", "AB1", "SR1", "AS1"},
     {"保持原分辨率", "1000 kbps", "29.97", "128 kbps", "44100", "保持原视频模式"},
     false},
    {5,
     15,
     "手机MP3格式音频(*.mp3)",
     3215,
     {"FS16", "VB24", "FR6", "AB1", "SR1", "AS2"},
     {"该格式无视频", "无视频", "无视频", "128 kbps", "44100", "无视频"},
     true},
    {6,
     12,
     "平板电脑MP3音频(*.mp3)",
     3312,
     {"FS16", "VB24", "FR6", "AB1", "SR1", "AS2"},
     {"该格式无视频", "无视频", "无视频", "128 kbps", "44100", "无视频"},
     true},
    {7,
     2,
     "高清H264视频格式(*.mp4)",
     302,
     {"FS18", "VB9", "FR3", "AB1", "SR1", "AS1"},
     {"1280*720", "1200 kbps", "29.97", "192 kbps", "48000", "保持原视频模式"},
     false},
    {8,
     9,
     "SVCD格式标清视频(*.mpg)",
     1409,
     {"FS2", "VB1", "FR1", "AB1", "SR1", "AS1"},
     {"480*480", "528 kbps", "25.00", "128 kbps", "44100", "保持原视频模式"},
     false},
    {9,
     2,
     "网络上常用的MKV视频(*.mkv)",
     1702,
     {"FS2", "VB1", "FR1", "AB1", "SR1", "AS1"},
     {"320*240", "528 kbps", "25.00", "128 kbps", "44100", "保持原视频模式"},
     false},
    {10,
     5,
     "高压缩的VOB视频(*.vob)",
     2105,
     {"FS2", "VB25", "FR3", "AB1", "SR1", "AS1"},
     {"320*240", "528 kbps", "保持原帧速率", "128 kbps", "32000", "保持原视频模式"},
     false},
    {11,
     4,
     "PSP Video MPEG-4视频480P(*.mp4)",
     604,
     {"FS19", "VB26", "FR7", "AB2", "SR2", "AS1"},
     {"720*480", "1000 kbps", "29.97", "128 kbps", "48000", "保持原视频模式"},
     false},
    {12,
     9,
     "Xbox360 MCE 高清晰AVI视频(*.avi)",
     909,
     {"FS24", "VB2", "FR2", "AB2", "SR2", "AS1"},
     {"1280*720", "1800 kbps", "30.00", "128 kbps", "48000", "保持原视频模式"},
     false},
    {13,
     6,
     "高清的HD WMV视频(*.wmv)",
     1806,
     {"FS2", "VB9", "FR3", "AB1", "SR1", "AS1"},
     {"1280*720", "1600 kbps", "29.97", "128 kbps", "48000", "保持原视频模式"},
     false},
    {14,
     0,
     "ASF标准视频(*.asf)",
     1900,
     {"FS2", "VB1", "FR1", "AB1", "SR1", "AS1"},
     {"保持原分辨率", "816 kbps", "25.00", "128 kbps", "44100", "保持原视频模式"},
     false},
    {15,
     3,
     "SWF动画视频FLASH动画音频格式(*.swf)",
     1203,
     {"FS16", "VB24", "FR6", "AB1", "SR4", "AS2"},
     {"该格式无视频", "无视频", "无视频", "128 kbps", "22050", "无视频"},
     true},
};

using PresetChainTest = MainWindowTest;

std::vector<std::string> ItemsOf(TskSkinComboBox& box)
{
    std::vector<std::string> items;
    for (int i = 0; i < box.Items()->Count(); ++i)
        items.push_back(box.Items()->Get(i));
    return items;
}

void Choose(TMainForm& main, int category, int format)
{
    main.CategoryBox()->SetItemIndex(category);
    main.FormatBox()->SetItemIndex(format);
}

TEST_F(PresetChainTest, CategoryAndFormatFillTheSixBoxes)
{
    TMainForm& main = Start();
    for (const TPresetCase& c : kCases) {
        SCOPED_TRACE(c.Key);
        main.CategoryBox()->SetItemIndex(c.Category);
        // The category's formats, the first one chosen.
        const TskSkinOfficeItems& formats = *main.FormatBox()->Items();
        ASSERT_EQ(formats.Count(), int(MainPresets().FormatsOf(c.Category).size()));
        EXPECT_EQ(main.FormatBox()->ItemIndex(), 0);
        EXPECT_EQ(main.Data().All_Trant_Number % 100, 0);
        main.FormatBox()->SetItemIndex(c.Format);
        EXPECT_EQ(formats.Items(c.Format)->Title(), c.Title);
        EXPECT_EQ(main.Data().All_Trant_Number, c.Key);
        for (TParameterBox which : ParameterBoxes) {
            TskSkinComboBox& box = *main.ParameterBox(which);
            const TValueList* list = MainPresets().List(c.Lists[BoxIndex(which)]);
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(ItemsOf(box), list->Items) << c.Lists[BoxIndex(which)];
            EXPECT_EQ(box.Text(), c.Defaults[BoxIndex(which)]);
            const bool video = which != TParameterBox::AudioBitrate && which != TParameterBox::SampleRate;
            EXPECT_EQ(box.Enabled(), !(c.AudioOnly && video));
        }
    }
}

TEST_F(PresetChainTest, BoxesShowWhatThePendingSettingsHold)
{
    TMainForm& main = Start();
    // Key 1100's defaults are in the pending settings from the start.
    const TPendingOutputSettings& pending = main.Data().Pending;
    EXPECT_EQ(pending.Video_FrameSize, "320*240");
    EXPECT_EQ(pending.Video_VideoBitrate, 816000);
    EXPECT_EQ(pending.Video_FrameRate, "25.00");
    EXPECT_EQ(pending.Video_AudioBitrate, 128000);
    EXPECT_EQ(pending.Video_AudioSampleRate, "44100");
    EXPECT_EQ(pending.Video_FrameAspectRatio, "");

    main.ParameterBox(TParameterBox::FrameSize)->SetItemIndex(11);
    EXPECT_EQ(pending.Video_FrameSize, "640*480");
    main.ParameterBox(TParameterBox::VideoBitrate)->SetItemIndex(0);
    EXPECT_EQ(pending.Video_VideoBitrate, 128000);
    main.ParameterBox(TParameterBox::Aspect)->SetItemIndex(4);
    EXPECT_EQ(pending.Video_FrameAspectRatio, "47:20");
    main.ParameterBox(TParameterBox::Aspect)->SetItemIndex(0);
    EXPECT_EQ(pending.Video_FrameAspectRatio, "");

    // An audio-only format: no video values, the audio ones from the boxes.
    Choose(main, 15, 3);
    EXPECT_EQ(pending.Video_FrameSize, "");
    EXPECT_EQ(pending.Video_FrameRate, "");
    EXPECT_EQ(pending.Video_VideoBitrate, -1000);
    EXPECT_EQ(pending.Video_AudioSampleRate, "22050");
    EXPECT_EQ(pending.Video_AudioBitrate, 128000);
}

// A row as adding a clip.avi with key 1600 leaves it.
TListItem& AddRow(TMainForm& main)
{
    TListItem* row = main.FileList()->Items()->Add();
    row->SetCaption("/videos/clip.avi");
    SetSubItemText(*row, colOutputFile, "clip.avi");
    SetSubItemText(*row, colCategoryCode, "500");
    SetSubItemText(*row, colOptionCode, "000000000000");
    SetSubItemText(*row, colNormType, "");
    main.FileList()->SetItemIndex(0);
    return *row;
}

TEST_F(PresetChainTest, SelectedRowTakesTheBoxesAfterAFormatChange)
{
    TMainForm& main = Start();
    TListItem& row = AddRow(main);
    ASSERT_EQ(main.SelectedRow(), &row);
    Choose(main, 0, 0); // key 1100: its profile says 528 kbps, its box 816 kbps
    EXPECT_EQ(SubItemText(row, colOutputFile), "clip.mp4");
    EXPECT_EQ(SubItemText(row, colCategoryCode), "100");
    EXPECT_EQ(SubItemText(row, colOptionCode), "040310000904");
    EXPECT_EQ(SubItemText(row, colFrameSize), "320*240");
    EXPECT_EQ(SubItemText(row, colVideoBitrate), "816000");
    EXPECT_EQ(SubItemText(row, colFrameRate), "25.00");
    EXPECT_EQ(SubItemText(row, colAudioBitrate), "128000");
    EXPECT_EQ(SubItemText(row, colAudioSampleRate), "44100");
    EXPECT_EQ(SubItemText(row, colFileExt), ".mp4");
    EXPECT_FALSE(SubItemText(row, colVideoCodec).empty());

    // A box change patches its pair of the Option code and its column.
    main.ParameterBox(TParameterBox::FrameSize)->SetItemIndex(11);
    EXPECT_EQ(SubItemText(row, colOptionCode), "110310000904");
    EXPECT_EQ(SubItemText(row, colFrameSize), "640*480");
    main.ParameterBox(TParameterBox::SampleRate)->SetItemIndex(2);
    EXPECT_EQ(SubItemText(row, colOptionCode), "110310000902");
    EXPECT_EQ(SubItemText(row, colAudioSampleRate), "22050");
    main.ParameterBox(TParameterBox::AudioBitrate)->SetItemIndex(8);
    EXPECT_EQ(main.Data().Pending.Video_AudioBitrate, 96000);
    EXPECT_EQ(SubItemText(row, colAudioBitrate), "96000");

    // Another category: its first format, and every pair from the boxes
    // even where a box's text stayed the same.
    main.CategoryBox()->SetItemIndex(1);
    EXPECT_EQ(SubItemText(row, colCategoryCode), "200");
    const std::optional<TPerBox<int>> positions = DecodeOptionCode(SubItemText(row, colOptionCode));
    ASSERT_TRUE(positions);
    for (TParameterBox which : ParameterBoxes)
        EXPECT_EQ((*positions)[BoxIndex(which)], main.ParameterBox(which)->ItemIndex());
}

} // namespace
} // namespace tovrel::test
