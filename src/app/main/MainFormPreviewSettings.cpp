// The preview's settings panel Panel5: plain controls placed right of the
// client area, never seen, whose values the preview reads: the volume, the
// drivers, the screen control, the open-paused and stay-on-top switches,
// and the stream boxes filled when a file opens.
#include "app/main/MainForm.h"

#include "app/main/PreviewScreen.h"
#include "platform/ctrls/Button.h"
#include "platform/ctrls/ComboBox.h"
#include "platform/ctrls/Panel.h"
#include "platform/ctrls/TrackBar.h"
#include "platform/vcl/Application.h"
#include "player/Player.h"

#include <string>
#include <utility>

namespace tovrel {

namespace {

constexpr int kPanelLeft = 1276, kPanelWidth = 300, kRowHeight = 24;

// Settings the panel holds that nothing reads.
constexpr const char* kInertChecks[] = {"chkMute",           "chkHook",         "chkWaterMark",
                                        "chkDisableDisplay", "chkDisableAudio", "chkDisableVideo"};

template <class T> T* OnPanel(TComponent* owner, TWinControl& panel, int row, const char* name)
{
    auto* control = new T(owner);
    control->SetName(name);
    control->SetParent(&panel);
    control->SetBounds(4, 4 + row * kRowHeight, kPanelWidth - 8, kRowHeight - 2);
    return control;
}

void SetItems(TComboBox& box, std::initializer_list<const char*> items)
{
    for (const char* item : items)
        box.Items()->Add(item);
    box.SetItemIndex(0);
}

TVideoDriver VideoDriverAt(int index)
{
    return index == 1 ? vdDirectDraw : index == 2 ? vdGDI : vdDefault;
}

TAudioDriver AudioDriverAt(int index)
{
    return index == 1 ? adDirectSound : index == 2 ? adWaveOut : adDefault;
}

// Selects "<prefix><index>" when the box has it.
void SelectStream(TComboBox& box, const char* prefix, int index)
{
    box.SetItemIndex(box.Items()->IndexOf(prefix + std::to_string(index)));
}

} // namespace

void TMainForm::BuildPreviewSettings()
{
    Panel5 = new TPanel(this);
    Panel5->SetName("Panel5");
    Panel5->SetParent(this);
    int row = 0;
    TrackBar1 = OnPanel<TTrackBar>(this, *Panel5, row++, "TrackBar1");
    TrackBar2 = OnPanel<TTrackBar>(this, *Panel5, row++, "TrackBar2");
    TrackBar2->SetRange(0, 128);
    TrackBar2->SetPosition(128);
    TrackBar2->OnChange = [this](TObject*) { FFPlayer->options.AudioVolume = TrackBar2->Position(); };

    cboVideoDriver = OnPanel<TComboBox>(this, *Panel5, row++, "cboVideoDriver");
    SetItems(*cboVideoDriver, {"Default", "DDraw", "GDI"});
    cboAudioDriver = OnPanel<TComboBox>(this, *Panel5, row++, "cboAudioDriver");
    SetItems(*cboAudioDriver, {"Default", "DSound", "waveOut"});
    cboScreens = OnPanel<TComboBox>(this, *Panel5, row++, "cboScreens");
    OnPanel<TComboBox>(this, *Panel5, row++, "cboAspectRatio");
    for (auto [box, name] :
         {std::pair{&cboVideo, "cboVideo"}, std::pair{&cboAudio, "cboAudio"}, std::pair{&cboSubtitle, "cboSubtitle"}}) {
        *box = OnPanel<TComboBox>(this, *Panel5, row++, name);
        (*box)->SetEnabled(false);
    }

    chkOpenPaused = OnPanel<TCheckBox>(this, *Panel5, row++, "chkOpenPaused");
    chkOpenPaused->SetCaption("Open Paused");
    chkOpenPaused->SetChecked(true);
    chkStayOnTop = OnPanel<TCheckBox>(this, *Panel5, row++, "chkStayOnTop");
    chkStayOnTop->SetCaption("Stay On Top");
    for (const char* name : kInertChecks)
        OnPanel<TCheckBox>(this, *Panel5, row++, name);
    Panel5->SetBounds(kPanelLeft, 0, kPanelWidth, 8 + row * kRowHeight);
}

void TMainForm::FillScreenList()
{
    cboScreens->Items()->Clear();
    cboScreens->Items()->Add(Panel6->Name());
    for (int order = 0;; ++order) {
        TWinControl* found = nullptr;
        for (int i = 0; i < ControlCount() && !found; ++i)
            if (auto* child = dynamic_cast<TWinControl*>(Controls(i)); child && child->TabOrder() == order)
                found = child;
        if (!found)
            break;
        cboScreens->Items()->Add(found->Name());
    }
    cboScreens->SetItemIndex(0);
}

void TMainForm::PrepareOpen()
{
    const std::string name = cboScreens->Text();
    FScreenControl = nullptr;
    for (int i = 0; i < ControlCount() && !FScreenControl; ++i)
        if (auto* child = dynamic_cast<TWinControl*>(Controls(i)); child && child->Name() == name)
            FScreenControl = child;
    // The list's first name is the video host's, which sits in the preview
    // panel rather than on the form: without it the picture would be sized
    // to the desktop and shown cropped.
    if (!FScreenControl && name == Panel6->Name())
        FScreenControl = Panel6;
    if (FScreenControl)
        FScreenControl->HandleNeeded();
    FFPlayer->options.VideoDriver = VideoDriverAt(cboVideoDriver->ItemIndex());
    FFPlayer->options.AudioDriver = AudioDriverAt(cboAudioDriver->ItemIndex());
}

TSize TMainForm::PreviewScreenSize() const
{
    if (FScreenControl)
        return {FScreenControl->ClientWidth(), FScreenControl->ClientHeight()};
    return {Screen->Width(), Screen->Height()};
}

void TMainForm::FillStreamBoxes()
{
    const auto boxes = {cboVideo, cboAudio, cboSubtitle};
    for (TComboBox* box : boxes) {
        box->Items()->BeginUpdate();
        box->Items()->Clear();
    }
    TAVProbe& probe = FFPlayer->AVProbe();
    for (int i = 0; i < probe.StreamCount(); ++i) {
        if (probe.IsVideoStream(i))
            cboVideo->Items()->Add("Video#" + std::to_string(i));
        else if (probe.IsAudioStream(i))
            cboAudio->Items()->Add("Audio#" + std::to_string(i));
        else if (probe.IsSubtitleStream(i))
            cboSubtitle->Items()->Add("Subtitle#" + std::to_string(i));
    }
    for (TComboBox* box : boxes)
        box->Items()->EndUpdate();

    const bool hasVideo = FFPlayer->VideoStreamIndex() >= 0;
    cboVideo->SetEnabled(cboVideo->Items()->Count() >= 2 && hasVideo);
    SelectStream(*cboVideo, "Video#", FFPlayer->VideoStreamIndex());
    cboAudio->SetEnabled(cboAudio->Items()->Count() >= 2 && FFPlayer->AudioStreamIndex() >= 0);
    SelectStream(*cboAudio, "Audio#", FFPlayer->AudioStreamIndex());
    cboSubtitle->SetEnabled(cboSubtitle->Items()->Count() >= 1 && hasVideo);
    if (cboSubtitle->Enabled()) {
        cboSubtitle->Items()->Insert(0, "Subtitle#-1");
        SelectStream(*cboSubtitle, "Subtitle#", FFPlayer->SubtitleStreamIndex());
    }
}

void TMainForm::ApplyPreviewStateToForm(int state)
{
    switch (state) {
    case psPlay:
    case psResume:
        if (chkStayOnTop->Checked())
            SetFormStyle(fsStayOnTop);
        break;
    case psPause:
    case psStep: SetFormStyle(fsNormal); break;
    case psStop:
        SetFormStyle(fsNormal);
        if (FFPlayer->ScreenHandle()) {
            Panel6->Invalidate();
            Panel6->Update();
        }
        break;
    default: break;
    }
}

} // namespace tovrel
