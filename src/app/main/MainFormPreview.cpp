// The preview panel: the video host, seek bar, time labels and the play,
// pause, stop and mute buttons, and the player's events that drive them.
#include "app/main/MainForm.h"

#include "app/main/PreviewScreen.h"
#include "platform/ctrls/Button.h"
#include "platform/rtl/Files.h"
#include "player/Player.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSlider.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/data/PngImageList.h"

#include <cstdio>

namespace tovrel {

namespace {

constexpr const char* kNoTime = "N/A";
constexpr int kScreenLeft = 8, kScreenTop = 22, kScreenWidth = 269, kScreenHeight = 202;
constexpr int kSeekBarWidth = 241, kSeekBarTop = kScreenTop + kScreenHeight + 6;
constexpr int kLabelsTop = kSeekBarTop + 26, kButtonsTop = kLabelsTop + 24, kButtonSize = 28;
constexpr int kPlayImage = 7, kStopImage = 8, kPauseImage = 9, kOptionsImage = 11;
constexpr const char* kStateNames[] = {"Play", "Pause", "Resume", "Step", "Stop", "End"};

// Seconds with two decimals, as the time labels show them.
std::string Seconds(std::int64_t microseconds)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", double(microseconds) / 1e6);
    return text;
}

template <class T> T* PlacedIn(TComponent* owner, TWinControl& parent, TRect bounds, const char* name)
{
    auto* control = new T(owner);
    control->SetName(name);
    control->SetParent(&parent);
    control->SetBoundsRect(bounds);
    return control;
}

} // namespace

TskSkinButton* TMainForm::AddPreviewButton(const char* name, const char* hint, int image, TRect bounds)
{
    auto* button = PlacedIn<TskSkinButton>(this, *skSkinPanelPreview, bounds, name);
    button->Hint = hint;
    if (image >= 0) {
        button->SetImageList(skPngImageList3);
        button->SetImageIndex(image);
    } else {
        button->SetCaption(hint);
    }
    button->SetSkinData(skSkinData1);
    return button;
}

void TMainForm::BuildPreviewControls()
{
    TskSkinPanel& panel = *skSkinPanelPreview;
    Panel6 =
        PlacedIn<TPreviewScreen>(this, panel, Bounds(kScreenLeft, kScreenTop, kScreenWidth, kScreenHeight), "Panel6");
    Panel6->KeepClientSize();

    const int seekLeft = kScreenLeft + (kScreenWidth - kSeekBarWidth) / 2;
    skSkinSlider1 =
        PlacedIn<TskSkinSlider>(this, panel, Bounds(seekLeft, kSeekBarTop, kSeekBarWidth, 22), "skSkinSlider1");
    skSkinSlider1->SetSkinData(skSkinData1);
    skSkinSlider1->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { SeekBarPressed(); };
    skSkinSlider1->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { SeekBarReleased(); };

    Label3 = PlacedIn<TskSkinStdLabel>(this, panel, Bounds(seekLeft, kLabelsTop, 110, 18), "Label3");
    Label2 =
        PlacedIn<TskSkinStdLabel>(this, panel, Bounds(seekLeft + kSeekBarWidth - 110, kLabelsTop, 110, 18), "Label2");
    for (TskSkinStdLabel* label : {Label2, Label3}) {
        label->SetCaption(kNoTime);
        label->SetSkinData(skSkinData1);
    }

    const auto at = [](int left, int width) { return Bounds(left, kButtonsTop, width, kButtonSize); };
    skSkinButton13 = AddPreviewButton("skSkinButton13", "播放", kPlayImage, at(8, kButtonSize));
    skSkinButton14 = AddPreviewButton("skSkinButton14", "暂停", kPauseImage, at(40, kButtonSize));
    skSkinButton15 = AddPreviewButton("skSkinButton15", "停止", kStopImage, at(72, kButtonSize));
    skSkinButton16 = AddPreviewButton("skSkinButton16", "静音", -1, at(104, 52));
    // Mute off sits on the mute button's place and shows while the sound is off.
    skSkinButton20 = AddPreviewButton("skSkinButton20", "静音", -1, at(104, 52));
    skSkinButton20->SetCaption("取消静音");
    skSkinButton20->SetVisible(false);
    skSkinButton22 = AddPreviewButton("skSkinButton22", "快照", -1, at(164, 52));
    skSkinButton23 = AddPreviewButton("skSkinButton23", "设置", kOptionsImage, at(220, kButtonSize));

    skSkinButton13->OnClick = [this](TObject*) { PlayPreview(); };
    skSkinButton14->OnClick = [this](TObject*) { PausePreview(); };
    skSkinButton15->OnClick = [this](TObject*) { StopPreview(); };
    skSkinButton16->OnClick = [this](TObject*) { SetPreviewMuted(true); };
    skSkinButton20->OnClick = [this](TObject*) { SetPreviewMuted(false); };
    BuildSnapshotMenu();

    FFPlayer = std::make_unique<TFFPlayer>();
    Panel6->SetPlayer(FFPlayer.get());
    FFPlayer->SetOnFileOpen(
        [this](TCustomPlayer*, std::int64_t duration, int frameWidth, int frameHeight, int& screenWidth,
               int& screenHeight) { PreviewOpened(duration, frameWidth, frameHeight, screenWidth, screenHeight); });
    FFPlayer->SetOnPosition([this](TCustomPlayer*, std::int64_t pts) { PreviewPosition(pts); });
    FFPlayer->SetOnState([this](TCustomPlayer*, TPlayState state) { PreviewState(state); });
    BuildPreviewSettings();
}

bool TMainForm::OpenPreview(const std::string& fileName)
{
    T_Movie_PLayer_FileName = fileName;
    skSkinSlider1->SetValue(0);
    Panel6->KeepClientSize();
    PrepareOpen();
    if ((FFPlayer->AVLibLoaded() || FFPlayer->LoadAVLib(ProgramFolder() + "LibAV")) &&
        FFPlayer->Open(fileName, Panel6, chkOpenPaused->Checked()))
        return true;
    // The panel stays usable: labels back to "no file", the next open starts afresh.
    const std::string message = FFPlayer->LastErrMsg();
    mmoLog.push_back(message);
    FDuration = 0;
    Label2->SetCaption(kNoTime);
    Label3->SetCaption(kNoTime);
    Panel6->Invalidate();
    Notice("无法预览文件：" + fileName + "\n" + message);
    return false;
}

void TMainForm::ReopenPreview()
{
    try {
        OpenPreview(T_Movie_PLayer_FileName);
    } catch (const std::exception& error) {
        FFPlayer->Stop(true);
        Notice(error.what());
    }
}

void TMainForm::PlayPreview()
{
    FFPlayer->Resume();
    FocusFileList();
}

void TMainForm::PausePreview()
{
    FFPlayer->Pause();
    FocusFileList();
}

void TMainForm::StopPreview()
{
    if (T_Movie_PLayer_FileName.empty())
        return;
    FFPlayer->Stop(true);
    ReopenPreview();
    FocusFileList();
}

void TMainForm::SetPreviewMuted(bool muted)
{
    FFPlayer->options.Mute = muted;
    skSkinButton20->SetVisible(muted);
    skSkinButton16->SetVisible(!muted);
}

void TMainForm::SeekBarPressed()
{
    seekBarDown_ = true;
    FFPlayer->Pause();
}

void TMainForm::SeekBarReleased()
{
    FFPlayer->Pause();
    // Without a known duration the bar has no time scale: the place is not a time.
    if (FDuration > 0 && skSkinSlider1->MaxValue() > 0)
        FFPlayer->Seek(FDuration * skSkinSlider1->Value() / skSkinSlider1->MaxValue(), TSeekFlags{}, false);
    FFPlayer->Resume();
    seekBarDown_ = false;
}

void TMainForm::PreviewOpened(std::int64_t duration, int frameWidth, int frameHeight, int& screenWidth,
                              int& screenHeight)
{
    char line[128];
    std::snprintf(line, sizeof line, "duration: %f, frame size: %dx%d", double(duration) / 1e6, frameWidth,
                  frameHeight);
    mmoLog.push_back(FFPlayer->AVProbe().FileInfoText());
    mmoLog.push_back(line);
    const TSize screen = PreviewScreenSize();
    screenWidth = screen.cx;
    screenHeight = screen.cy;
    FDuration = duration;
    Label2->SetCaption(duration > 0 ? Seconds(duration) : kNoTime);
    Label3->SetCaption("0.0");
    skSkinSlider1->SetIncrement(5);
    skSkinSlider1->SetMaxValue(skSkinSlider1->Width());
    skSkinSlider1->SetValue(0);
    FillStreamBoxes();
}

void TMainForm::PreviewPosition(std::int64_t pts)
{
    if (seekBarDown_)
        return;
    Label3->SetCaption(Seconds(pts));
    if (pts >= 0 && FDuration > 0)
        skSkinSlider1->SetValue(int(std::int64_t(skSkinSlider1->MaxValue()) * pts / FDuration));
}

void TMainForm::PreviewState(int state)
{
    if (state >= 0 && state < int(std::size(kStateNames)))
        mmoLog.push_back(kStateNames[state]);
    ApplyPreviewStateToForm(state);
    if (state != psEnd)
        return;
    // The preview never ends by itself: back to the start, paused. Paused
    // first, so the sound device takes nothing from the start before the
    // pause lands: that sound would be heard now and missing at the next play.
    FFPlayer->Pause();
    FFPlayer->Seek(0, SeekFlag(TSeekFlag::sfAny), false);
    skSkinSlider1->SetValue(0);
    Label3->SetCaption("0.0");
}

} // namespace tovrel
