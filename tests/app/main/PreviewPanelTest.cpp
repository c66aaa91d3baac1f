// The main window's preview panel and snapshots, on the real window headless
// with SDL's dummy sound and clips made at test time.
#include "MainWindowTestSupport.h"

#include "app/main/PreviewScreen.h"
#include "media/loader/FFmpegLoader.h"
#include "platform/ctrls/Button.h"
#include "platform/ctrls/ComboBox.h"
#include "platform/ctrls/TrackBar.h"
#include "platform/gdi/codecs/ImageCodec.h"
#include "platform/rtl/MainThread.h"
#include "platform/vcl/Application.h"
#include "player/Player.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinSlider.h"
#include "skin/controls/SkinStdLabel.h"
#include "support/TestMedia.h"

#include <algorithm>
#include <functional>

namespace tovrel::test {

namespace {

std::string OneSecondClip()
{
    media::ClipSpec recipe;
    recipe.fileName = "preview_clip.avi";
    recipe.formatName = "avi";
    recipe.videoCodec = "mpeg4";
    recipe.audioCodec = "pcm_s16le";
    recipe.seconds = 1.0;
    return media::ClipPath(recipe).string();
}

double Seconds(const TskSkinStdLabel* label)
{
    return std::stod(label->Caption());
}

class PreviewPanelTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        MainWindowTest::TearDown();
        // Each test starts from unloaded libraries, as the program does.
        if (GlobalFFmpegLoader().Loaded(PlayerLibraries))
            GlobalFFmpegLoader().Unload(PlayerLibraries);
    }
    // Runs main-thread calls until ready() holds; false after 30 s.
    static bool WaitUntil(const std::function<bool()>& ready)
    {
        for (int waited = 0; waited < 30000; waited += 10)
            if (TMainThread::WaitPumping(ready, 10))
                return true;
        return ready();
    }
    std::ptrdiff_t LogLines(const std::string& line) const
    {
        const auto& log = main->PreviewLog();
        return std::count(log.begin(), log.end(), line);
    }
    bool HasLogLine(const std::string& line) const { return LogLines(line) > 0; }
    // Opens the clip and waits for its first picture, paused by this open.
    void OpenAndShowFirstPicture(const std::string& clip)
    {
        const std::ptrdiff_t pausesBefore = LogLines("Pause");
        ASSERT_TRUE(main->OpenPreview(clip)) << main->Player().LastErrMsg();
        ASSERT_TRUE(WaitUntil([&] {
            std::int64_t pts = -1;
            main->Player().CurrentFrame(pts);
            return pts >= 0 && LogLines("Pause") > pausesBefore;
        }));
    }
    // Green byte at the centre of the player's surface.
    int CentreGreen() const
    {
        int green = -1;
        main->Player().Surface().Read([&](const TSurface& surface, std::int64_t) {
            if (surface.Width() > 0)
                green = surface.ScanLine(surface.Height() / 2)[surface.Width() / 2 * 4 + 1];
        });
        return green;
    }
};

TEST_F(PreviewPanelTest, OpeningShowsTheFirstPicturePausedWithItsDuration)
{
    Start();
    EXPECT_EQ(main->DurationLabel()->Caption(), "N/A");
    EXPECT_EQ(main->PositionLabel()->Caption(), "N/A");
    OpenAndShowFirstPicture(OneSecondClip());

    EXPECT_TRUE(main->Player().Paused());
    EXPECT_EQ(main->DurationLabel()->Caption(), "1.00");
    EXPECT_EQ(Seconds(main->PositionLabel()), 0.0);
    EXPECT_EQ(main->SeekBar()->Value(), 0);
    EXPECT_EQ(main->SeekBar()->MaxValue(), main->SeekBar()->Width());
    // The picture fills the host panel's size, letterboxed by the player.
    TSize surfaceSize;
    main->Player().Surface().Read([&](const TSurface& surface, std::int64_t) {
        surfaceSize = {surface.Width(), surface.Height()};
    });
    EXPECT_EQ(surfaceSize, main->PreviewScreen()->ClientSize());
    EXPECT_TRUE(WaitUntil([&] { return CentreGreen() > 0; })) << "the synthetic picture is not black at its centre";
    EXPECT_TRUE(notices.empty());
}

TEST_F(PreviewPanelTest, PlayingAdvancesThePositionAndTheEndResetsTheControls)
{
    Start();
    OpenAndShowFirstPicture(OneSecondClip());
    main->PlayButton()->ButtonClick();
    ASSERT_TRUE(WaitUntil([&] { return Seconds(main->PositionLabel()) > 0.2; }))
        << main->PositionLabel()->Caption() << " " << ::testing::PrintToString(main->PreviewLog());
    EXPECT_GT(main->SeekBar()->Value(), 0);

    ASSERT_TRUE(WaitUntil([&] { return HasLogLine("End"); }));
    // A last picture's position may still be on its way after the end: the
    // controls settle on the start once the seek back has shown its picture.
    ASSERT_TRUE(WaitUntil([&] {
        return main->Player().Paused() && !main->Player().Seeking() && main->SeekBar()->Value() == 0 &&
               Seconds(main->PositionLabel()) < 0.05;
    })) << main->SeekBar()->Value()
        << " " << main->PositionLabel()->Caption();
    EXPECT_TRUE(main->Player().Paused()) << "the preview never ends by itself";
}

TEST_F(PreviewPanelTest, ReleasingTheSeekBarSeeksToItsPlaceAndPlays)
{
    Start();
    const std::string clip = media::FixturePath(media::Fixture::Mpeg4Mp3Avi).string(); // 2 s, key every 12
    OpenAndShowFirstPicture(clip);
    TskSkinSlider& bar = *main->SeekBar();

    bar.OnMouseDown(&bar, mbLeft, {}, 0, 0);
    bar.SetValue(bar.MaxValue() / 2);
    const std::string before = main->PositionLabel()->Caption();
    bar.OnMouseUp(&bar, mbLeft, {}, 0, 0);
    EXPECT_FALSE(main->Player().Paused()) << "releasing the bar plays, even from a paused preview";

    // Within one key-frame interval (12 pictures at 25 a second) of 1 s.
    ASSERT_TRUE(WaitUntil([&] { return main->PositionLabel()->Caption() != before; }));
    ASSERT_TRUE(WaitUntil([&] { return Seconds(main->PositionLabel()) >= 1.0 - 0.48; }));
    EXPECT_LE(Seconds(main->PositionLabel()), 1.0 + 0.48 + 0.3);
}

TEST_F(PreviewPanelTest, MuteSwapsItsButtonsAndSilencesThePlayer)
{
    Start();
    EXPECT_TRUE(main->MuteOnButton()->Visible());
    EXPECT_FALSE(main->MuteOffButton()->Visible());
    main->MuteOnButton()->ButtonClick();
    EXPECT_TRUE(main->Player().options.Mute);
    EXPECT_FALSE(main->MuteOnButton()->Visible());
    EXPECT_TRUE(main->MuteOffButton()->Visible());
    main->MuteOffButton()->ButtonClick();
    EXPECT_FALSE(main->Player().options.Mute);
    EXPECT_TRUE(main->MuteOnButton()->Visible());
}

TEST_F(PreviewPanelTest, ADamagedFileGivesANoticeAndTheNextFileStillOpens)
{
    Start();
    EXPECT_FALSE(main->OpenPreview(media::FixturePath(media::Fixture::NotMedia).string()));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("not_media.avi"), std::string::npos);
    EXPECT_EQ(main->DurationLabel()->Caption(), "N/A");
    EXPECT_FALSE(main->SnapshotButton() == nullptr);
    OpenAndShowFirstPicture(OneSecondClip());
    EXPECT_EQ(main->DurationLabel()->Caption(), "1.00");
}

TEST_F(PreviewPanelTest, StopGoesBackToTheStartPaused)
{
    Start();
    main->StopButton()->ButtonClick(); // no file: nothing happens
    EXPECT_TRUE(notices.empty());
    OpenAndShowFirstPicture(OneSecondClip());
    main->PlayButton()->ButtonClick();
    ASSERT_TRUE(WaitUntil([&] { return Seconds(main->PositionLabel()) > 0.2; }));
    main->StopButton()->ButtonClick();
    ASSERT_TRUE(WaitUntil([&] { return main->Player().Paused() && HasLogLine("Stop"); }))
        << "paused " << main->Player().Paused() << ", log: " << ::testing::PrintToString(main->PreviewLog());
    EXPECT_EQ(Seconds(main->PositionLabel()), 0.0);
}

struct SnapshotCase {
    TSnapshotType Type;
    TImageFormat Format;
};

class SnapshotTest : public PreviewPanelTest, public ::testing::WithParamInterface<SnapshotCase> {};

TEST_P(SnapshotTest, TheSnapshotButtonWritesTheNextNumberedPictureOfThePanel)
{
    const SnapshotCase& kind = GetParam();
    Start();
    OpenAndShowFirstPicture(OneSecondClip());
    main->SetSnapshotType(kind.Type);
    const std::string extension(SnapshotExtension(kind.Type));
    const std::filesystem::path folder = DefaultSnapshots();
    // Numbering continues after the files already there, filling gaps from 1.
    std::ofstream(folder / ("preview_clip_1" + extension)) << "x";
    std::ofstream(folder / ("preview_clip_2" + extension)) << "x";

    main->SnapshotButton()->ButtonClick();
    const std::filesystem::path written = folder / ("preview_clip_3" + extension);
    ASSERT_TRUE(std::filesystem::exists(written)) << written;
    const std::vector<std::uint8_t> bytes = ReadImageFileBytes(written.string());
    EXPECT_EQ(DetectImageFormat(bytes), kind.Format);
    const TSurface picture = DecodeImage(bytes);
    EXPECT_EQ(picture.Width(), 320);
    EXPECT_EQ(picture.Height(), 240);
    EXPECT_EQ(IniValue("SnapShot", "Picture"), SnapshotTypeName(kind.Type));

    std::filesystem::remove(folder / ("preview_clip_1" + extension));
    EXPECT_EQ(main->TakeSnapshot(), (folder / ("preview_clip_1" + extension)).string());
}

INSTANTIATE_TEST_SUITE_P(EachType, SnapshotTest,
                         ::testing::Values(SnapshotCase{TSnapshotType::Bmp, TImageFormat::Bmp},
                                           SnapshotCase{TSnapshotType::Jpg, TImageFormat::Jpeg},
                                           SnapshotCase{TSnapshotType::Gif, TImageFormat::Gif},
                                           SnapshotCase{TSnapshotType::Png, TImageFormat::Png}));

TEST_F(PreviewPanelTest, WithoutAPictureNothingIsWrittenButTheSettingsAreSettled)
{
    WriteIni("[SnapShot]\nPicture=gif\n");
    Start();
    EXPECT_EQ(main->TakeSnapshot(), std::nullopt);
    EXPECT_EQ(IniValue("SnapShot", "Picture"), "BMP") << "a type in the wrong case falls back to BMP";
    EXPECT_EQ(IniValue("SnapShot", "Dir"), DefaultSnapshots().string());
    EXPECT_TRUE(std::filesystem::is_empty(DefaultSnapshots()));
    EXPECT_TRUE(notices.empty());
}

TEST_F(PreviewPanelTest, ASnapshotThatCannotBeWrittenGivesANotice)
{
    Start();
    OpenAndShowFirstPicture(OneSecondClip());
    // A folder in the way of the first free name: the write fails.
    std::filesystem::create_directories(DefaultSnapshots() / "preview_clip_1.bmp");
    EXPECT_EQ(main->TakeSnapshot(), std::nullopt);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("preview_clip_1.bmp"), std::string::npos);
}

TEST_F(PreviewPanelTest, AnotherFileReplacesThePlayingOne)
{
    Start();
    OpenAndShowFirstPicture(OneSecondClip());
    main->PlayButton()->ButtonClick();
    OpenAndShowFirstPicture(media::FixturePath(media::Fixture::Mpeg4Mp3Avi).string());
    EXPECT_GT(Seconds(main->DurationLabel()), 1.9);
    EXPECT_TRUE(main->Player().Paused());
    main->PlayButton()->ButtonClick();
    ASSERT_TRUE(WaitUntil([&] { return Seconds(main->PositionLabel()) > 0.2; }));
}

TEST_F(PreviewPanelTest, ACaptureIsWrittenInTheTypeItsNameAsksFor)
{
    Start();
    OpenAndShowFirstPicture(OneSecondClip());
    for (const auto& [name, format] :
         {std::pair{"shot.PNG", TImageFormat::Png}, std::pair{"shot.BMP", TImageFormat::Bmp},
          std::pair{"shot.JPEG", TImageFormat::Jpeg}, std::pair{"shot.pic", TImageFormat::Jpeg}}) {
        const std::string path = (root / name).string();
        main->ChooseCaptureFile = [&] { return std::optional<std::string>(path); };
        ASSERT_EQ(main->CaptureSnapshot(), path);
        EXPECT_EQ(DetectImageFormat(ReadImageFileBytes(path)), format) << name;
    }
    main->ChooseCaptureFile = [] { return std::optional<std::string>(); };
    EXPECT_EQ(main->CaptureSnapshot(), std::nullopt);
}

std::vector<std::string> ItemsOf(TComboBox& box)
{
    std::vector<std::string> items;
    for (int i = 0; i < box.Items()->Count(); ++i)
        items.push_back(box.Items()->Strings(i));
    return items;
}

TEST_F(PreviewPanelTest, OneVideoAndOneAudioStreamLeaveTheStreamBoxesDisabled)
{
    Start();
    EXPECT_FALSE(main->VideoStreamBox()->Enabled());
    OpenAndShowFirstPicture(OneSecondClip());
    using Items = std::vector<std::string>;
    EXPECT_EQ(ItemsOf(*main->VideoStreamBox()), Items{"Video#0"});
    EXPECT_EQ(ItemsOf(*main->AudioStreamBox()), Items{"Audio#1"});
    EXPECT_EQ(ItemsOf(*main->SubtitleStreamBox()), Items{});
    EXPECT_EQ(main->VideoStreamBox()->ItemIndex(), 0);
    for (TComboBox* box : {main->VideoStreamBox(), main->AudioStreamBox(), main->SubtitleStreamBox()})
        EXPECT_FALSE(box->Enabled()) << box->Name();
}

TEST_F(PreviewPanelTest, TheVolumeBarSetsThePlayersVolume)
{
    Start();
    EXPECT_EQ(main->VolumeBar()->Position(), 128);
    main->VolumeBar()->SetPosition(40);
    EXPECT_EQ(main->Player().options.AudioVolume, 40);
}

TEST_F(PreviewPanelTest, TheScreenChoiceSizesThePicture)
{
    Start();
    TComboBox& screens = *main->ScreenBox();
    ASSERT_GT(screens.Items()->Count(), 1);
    EXPECT_EQ(screens.Items()->Strings(0), "Panel6");
    EXPECT_EQ(screens.ItemIndex(), 0);
    OpenAndShowFirstPicture(OneSecondClip());
    EXPECT_EQ(main->ScreenControl(), static_cast<TWinControl*>(main->PreviewScreen()));

    // A name no child of the form has: the picture takes the desktop's size.
    screens.Items()->Add("NoSuchControl");
    screens.SetItemIndex(screens.Items()->Count() - 1);
    OpenAndShowFirstPicture(OneSecondClip());
    EXPECT_EQ(main->ScreenControl(), nullptr);
    TSize surfaceSize;
    main->Player().Surface().Read([&](const TSurface& surface, std::int64_t) {
        surfaceSize = {surface.Width(), surface.Height()};
    });
    EXPECT_EQ(surfaceSize, (TSize{Screen->Width(), Screen->Height()}));
}

TEST_F(PreviewPanelTest, WithOpenPausedUncheckedTheFilePlaysAtOnce)
{
    Start();
    EXPECT_TRUE(main->OpenPausedBox()->Checked());
    main->OpenPausedBox()->SetChecked(false);
    ASSERT_TRUE(main->OpenPreview(OneSecondClip())) << main->Player().LastErrMsg();
    EXPECT_FALSE(main->Player().Paused());
    ASSERT_TRUE(WaitUntil([&] { return Seconds(main->PositionLabel()) > 0.2; })) << main->PositionLabel()->Caption();
}

} // namespace

} // namespace tovrel::test
