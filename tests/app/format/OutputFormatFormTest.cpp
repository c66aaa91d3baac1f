// The output format dialog on the headless backend: what its creation leaves
// behind, its layout, the boxes each category and format fill, and what
// "确定" and "取消" write into the main window's pending settings.
#include "OutputFormatTestSupport.h"

#include "../../platform/vcl/ControlTestSupport.h"
#include "media/FFmpegTestFolder.h"
#include "platform/ctrls/Button.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPageControl.h"

#include <fstream>

namespace tovrel::test {
namespace {

class OutputFormatDialog : public ControlTest {
protected:
    TForm6& Create()
    {
        form = CreateDialog(host);
        return *form;
    }
    void TearDown() override
    {
        form.reset();
        ControlTest::TearDown();
    }
    std::vector<std::string> BoxTexts() const
    {
        std::vector<std::string> texts;
        for (TParameterBox box : ParameterBoxes)
            texts.push_back(form->ParameterBox(box)->Text());
        return texts;
    }

    TRecordingHost host;
    TForm6Ptr form;
};

TEST_F(OutputFormatDialog, CreationStoresKey100AndFillsTheFirstFormatHidden)
{
    host.Pending.Video_DisableVideo = true;
    host.Pending.Video_VideoCodec = "kept";
    TForm6& dialog = Create();

    EXPECT_EQ(host.Keys, std::vector<int>{100}); // loading fires nothing; the chain runs once
    EXPECT_FALSE(host.Pending.Video_DisableVideo);
    EXPECT_EQ(host.Pending.Video_VideoCodec, "kept");
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(dialog.skSkinOfficeComboBox2->ItemIndex(), 0);
    ASSERT_EQ(dialog.skSkinOfficeComboBox1->Items()->Count(), 15);
    EXPECT_EQ(dialog.skSkinOfficeComboBox1->ItemIndex(), 0);
    EXPECT_EQ(dialog.skSkinOfficeComboBox1->Items()->Items(0)->Title(), "AVI - 音频视频交错格式(*.avi)");
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::string>{"保持原分辨率", "816 kbps", "25.00", "128 kbps", "44100", "保持原视频模式"}));
    for (TParameterBox box : ParameterBoxes)
        EXPECT_TRUE(dialog.ParameterBox(box)->Enabled());
}

TEST_F(OutputFormatDialog, EveryControlStandsWhereTheFormPutsIt)
{
    TForm6& dialog = Create();
    EXPECT_EQ(dialog.Caption(), "设置选项");
    EXPECT_EQ(dialog.ClientWidth(), 958);
    EXPECT_EQ(dialog.ClientHeight(), 474);
    const struct {
        const char* Name;
        const char* Parent;
        int Left, Top, Width, Height;
    } places[] = {
        {"skSkinPanel2", "Form6", 39, 36, 625, 109},
        {"skSkinTextLabel5", "skSkinPanel2", 17, 48, 60, 13},
        {"skSkinOfficeComboBox2", "skSkinPanel2", 83, 33, 126, 51},
        {"skSkinOfficeComboBox1", "skSkinPanel2", 215, 33, 400, 51},
        {"skSkinPageControl1", "Form6", 39, 171, 625, 222},
        {"skSkinComboBox1", "skSkinTabSheet1", 16, 43, 289, 20},
        {"skSkinComboBox2", "skSkinTabSheet1", 342, 43, 251, 20},
        {"skSkinComboBox9", "skSkinTabSheet1", 14, 88, 291, 20},
        {"skSkinComboBox4", "skSkinTabSheet1", 342, 88, 251, 20},
        {"skSkinComboBox3", "skSkinTabSheet1", 16, 133, 289, 20},
        {"skSkinComboBox10", "skSkinTabSheet1", 342, 133, 251, 20},
        {"skSkinTextLabel3", "skSkinTabSheet1", 19, 24, -1, -1},
        {"skSkinTextLabel7", "skSkinTabSheet1", 342, 114, -1, -1},
        {"skSkinButton2", "Form6", 480, 416, 69, 25},
        {"skSkinButton3", "Form6", 594, 416, 69, 25},
        {"Panel1", "Form6", 690, 161, 305, 305},
        {"Button5", "Panel1", 113, 47, 126, 25},
        {"Button18", "Panel1", 42, 163, 143, 25},
        {"Image1", "Panel1", 46, 158, 171, 103},
    };
    for (const auto& p : places) {
        SCOPED_TRACE(p.Name);
        auto* control = dynamic_cast<TControl*>(dialog.FindComponent(p.Name));
        ASSERT_NE(control, nullptr);
        ASSERT_NE(control->Parent(), nullptr);
        EXPECT_EQ(control->Parent()->Name(), p.Parent);
        EXPECT_EQ(control->Left(), p.Left);
        EXPECT_EQ(control->Top(), p.Top);
        if (p.Width >= 0) {
            EXPECT_EQ(control->Width(), p.Width);
            EXPECT_EQ(control->Height(), p.Height);
        }
    }
    EXPECT_EQ(dialog.skSkinPageControl1->PageCount(), 4);
    EXPECT_EQ(dialog.skSkinPageControl1->ActivePageIndex(), 0);
    EXPECT_FALSE(dialog.skSkinButton1->Visible());
    EXPECT_EQ(dialog.ImageList1->Count(), 12);
}

TEST_F(OutputFormatDialog, EachCategoryAndFormatFillTheBoxesOfItsKey)
{
    const struct {
        int Category, Format, Key, FormatCount;
        std::vector<std::string> Texts; // frame size, video bitrate, frame rate, audio bitrate, sample rate, aspect
        std::vector<int> Counts;
        bool AudioOnly;
    } cases[] = {
        {0,
         9,
         109,
         15,
         {"176*144", "128 kbps", "12", "12 kbps", "8000", "保持原视频模式"},
         {11, 15, 7, 6, 1, 2},
         false},
        {1, 0, 200, 13, {"该格式无视频", "无视频", "无视频", "128 kbps", "44100", "无视频"}, {1, 1, 1, 17, 6, 1}, true},
        {1, 12, 212, 13, {"该格式无视频", "无视频", "无视频", "7.4 kbps", "8000", "无视频"}, {1, 1, 1, 8, 1, 1}, true},
        {3,
         11,
         411,
         14,
         {"640*272", "768 kbps", "25.00", "128 kbps", "48000", "宽屏视频16:9模式"},
         {12, 9, 10, 5, 4, 5},
         false},
        {5,
         0,
         600,
         5,
         {"320*240", "768 kbps", "29.97", "128 kbps", "48000", "保持原视频模式"},
         {5, 7, 3, 5, 4, 5},
         false},
        {6,
         7,
         707,
         14,
         {"176*144", "160 kbps", "15", "48 kbps", "32000", "保持原视频模式"},
         {13, 17, 8, 8, 7, 5},
         false},
        {10,
         0,
         1100,
         5,
         {"320*240", "816 kbps", "25.00", "128 kbps", "44100", "保持原视频模式"},
         {19, 8, 12, 17, 6, 5},
         false},
        {11,
         3,
         1203,
         4,
         {"该格式无视频", "无视频", "无视频", "128 kbps", "22050", "无视频"},
         {1, 1, 1, 17, 3, 1},
         true},
    };
    TForm6& dialog = Create();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Key);
        host.Pending.Video_DisableVideo = true;
        ChooseFormat(dialog, c.Category, c.Format);
        EXPECT_EQ(dialog.skSkinOfficeComboBox1->Items()->Count(), c.FormatCount);
        EXPECT_EQ(host.LastKey(), c.Key);
        EXPECT_FALSE(host.Pending.Video_DisableVideo); // also for the audio-only keys
        EXPECT_EQ(BoxTexts(), c.Texts);
        for (TParameterBox box : ParameterBoxes) {
            TskSkinComboBox& combo = *dialog.ParameterBox(box);
            EXPECT_EQ(combo.Items()->Count(), c.Counts[BoxIndex(box)]);
            const bool audioBox = box == TParameterBox::AudioBitrate || box == TParameterBox::SampleRate;
            EXPECT_EQ(combo.Enabled(), audioBox || !c.AudioOnly);
        }
    }
}

TEST_F(OutputFormatDialog, ACategoryChoiceRefillsTheFormatsAndSelectsTheFirst)
{
    TForm6& dialog = Create();
    dialog.skSkinOfficeComboBox2->SetItemIndex(1);
    EXPECT_EQ(host.Keys, (std::vector<int>{100, 200}));
    EXPECT_EQ(dialog.skSkinOfficeComboBox1->ItemIndex(), 0);
    EXPECT_FALSE(dialog.skSkinComboBox1->Enabled());
    // Back to a video format: all six boxes are enabled with their full lists.
    dialog.skSkinOfficeComboBox2->SetItemIndex(11);
    ASSERT_EQ(dialog.skSkinOfficeComboBox1->Items()->Count(), 4);
    EXPECT_EQ(dialog.skSkinOfficeComboBox1->Items()->Items(1)->Title(), "SWF动画视频FLASH动画视频(*.swf)");
    EXPECT_EQ(host.LastKey(), 1200);
    for (TParameterBox box : ParameterBoxes)
        EXPECT_TRUE(dialog.ParameterBox(box)->Enabled());
    EXPECT_EQ(dialog.skSkinComboBox1->Items()->Count(), 28);
}

// No category chosen: the format box stays empty and unselected instead of
// failing on an entry it does not have; the value-list step still runs.
TEST_F(OutputFormatDialog, NoCategoryLeavesTheFormatBoxEmptyWithoutAnError)
{
    TForm6& dialog = Create();
    ASSERT_NO_THROW(dialog.skSkinOfficeComboBox2->SetItemIndex(-1));
    EXPECT_EQ(dialog.skSkinOfficeComboBox1->Items()->Count(), 0);
    EXPECT_EQ(dialog.skSkinOfficeComboBox1->ItemIndex(), -1);
    EXPECT_EQ(host.LastKey(), -1); // (-1 + 1) * 100 - 1: a key without a row
    for (TParameterBox box : ParameterBoxes) {
        EXPECT_EQ(dialog.ParameterBox(box)->Items()->Count(), 0);
        EXPECT_TRUE(dialog.ParameterBox(box)->Enabled());
    }
}

TEST_F(OutputFormatDialog, ConfirmWritesTheProfileThenTheBoxValuesAndAUniqueName)
{
    TTestFolder folder;
    const std::string out = folder.Path("");
    std::ofstream(folder.Path("clip.mp4")) << "x";
    std::ofstream(folder.Path("clip_1.mp4")) << "x";
    host.Context = {"/in/clip.avi", out, false, {}};
    TForm6& dialog = Create();
    ChooseFormat(dialog, 0, 1); // key 101
    ASSERT_TRUE(ChooseBoxText(*dialog.skSkinComboBox3, "192 kbps"));
    ASSERT_TRUE(ChooseBoxText(*dialog.skSkinComboBox4, "宽屏视频16:9模式"));
    host.Pending.Video_VideoFilters = "stale";
    host.Pending.Video_DisableVideo = true;
    dialog.skSkinButton2->Click();

    TPendingOutputSettings expected;
    expected.Video_OutPutFileName = folder.Path("clip_2.mp4");
    expected.Video_FileExt = ".mp4";
    expected.Video_VideoCodec = "mpeg4";
    expected.Video_FrameRate = "25.00";   // the box's text, not the profile's "25"
    expected.Video_VideoBitrate = 768000; // the box's default, not the profile's 816000
    expected.Video_FrameAspectRatio = "16:9";
    expected.Video_AudioCodec = "libmp3lame";
    expected.Video_AudioChannels = "2";
    expected.Video_AudioSampleRate = "44100";
    expected.Video_AudioBitrate = 192000;
    EXPECT_EQ(host.Pending, expected);
    EXPECT_EQ(host.LastKey(), 101);

    host.Context.OverwriteOutput = true;
    dialog.skSkinButton2->Click();
    EXPECT_EQ(host.Pending.Video_OutPutFileName, folder.Path("clip.mp4"));
}

TEST_F(OutputFormatDialog, AnAudioOnlyConfirmKeepsTheVideoCodecAndDisablesVideo)
{
    host.Context = {"/in/talk.wav", "/out", true, {}};
    TForm6& dialog = Create();
    ChooseFormat(dialog, 1, 12); // key 212
    host.Pending.Video_VideoCodec = "libx264";
    host.Pending.Video_FrameSize = "640*480";
    dialog.skSkinButton2->Click();
    EXPECT_TRUE(host.Pending.Video_DisableVideo);
    EXPECT_EQ(host.Pending.Video_OutPutFileName, "/out/talk.amr");
    EXPECT_EQ(host.Pending.Video_VideoCodec, "libx264");
    EXPECT_EQ(host.Pending.Video_FrameSize, ""); // "该格式无视频" from the box
    EXPECT_EQ(host.Pending.Video_VideoBitrate, AutoBitrate);
    EXPECT_EQ(host.Pending.Video_AudioCodec, "libopencore_amrnb");
    EXPECT_EQ(host.Pending.Video_AudioSampleRate, "8000");
    EXPECT_EQ(host.Pending.Video_AudioBitrate, 7400);
}

TEST_F(OutputFormatDialog, CancelWritesNothingBothCloseByHidingAndTheResetClearsAll)
{
    host.Context = {"/in/clip.avi", "/out", true, {}};
    TForm6& dialog = Create();
    ChooseFormat(dialog, 2, 3);
    const std::vector<int> keys = host.Keys;
    host.Pending.Video_VideoCodec = "mine";
    const TPendingOutputSettings before = host.Pending;
    dialog.Show();
    dialog.skSkinButton3->Click();
    EXPECT_EQ(host.Pending, before);
    EXPECT_EQ(host.Keys, keys);
    EXPECT_FALSE(dialog.Visible()); // closing hides the dialog; it stays alive

    dialog.Show();
    dialog.skSkinButton2->Click();
    EXPECT_FALSE(dialog.Visible());
    dialog.Button6->Click();
    EXPECT_EQ(host.Pending, TPendingOutputSettings{});
    EXPECT_EQ(host.Pending.Video_AudioVolume, "256");
    EXPECT_EQ(host.Pending.Video_VideoBitrate, -1);
}

} // namespace
} // namespace tovrel::test
