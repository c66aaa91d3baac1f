#include "skin/dialogs/OpenPictureDlgForm.h"

#include "platform/ctrls/Image.h"
#include "platform/rtl/Paths.h"
#include "platform/vcl/Bitmap.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinScrollBox.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinSplitter.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/dialogs/DialogGlyphs.h"
#include "skin/shell/FilterComboBox.h"
#include "skin/shell/ShellListView.h"

#include <exception>

namespace tovrel {

TskOpenPictureDlgForm::TskOpenPictureDlgForm(TComponent* AOwner, bool ASaveMode, TskSkinData* ACtrlSkinData,
                                             bool AToolButtonsTransparent)
    : TskOpenDlgForm(AOwner, ASaveMode, ACtrlSkinData, AToolButtonsTransparent)
{
    BuildPreviewPane();
    AddStretchButton(AToolButtonsTransparent);
    FixBottomStrip();
}

void TskOpenPictureDlgForm::BuildPreviewPane()
{
    ImagePanel = new TskSkinPanel(this);
    ImagePanel->SetBorderStyle(TskSkinBorderStyle::bvFrame);
    ImagePanel->SetLeft(Width());
    ImagePanel->SetWidth(200);
    ImagePanel->SetParent(this);
    ImagePanel->SetAlign(alRight);

    // Just left of the pane: the splitter sizes the control on its right.
    Splitter = new TskSkinSplitter(this);
    Splitter->SetLeft(ImagePanel->Left() - 1);
    Splitter->SetWidth(10);
    Splitter->DefaultSize = 10;
    Splitter->SetBeveled(false);
    Splitter->SetParent(this);
    Splitter->SetAlign(alRight);

    SBVScrollBar = new TskSkinScrollBar(this);
    SBVScrollBar->SetKind(sbVertical);
    SBVScrollBar->SetParent(ImagePanel);
    SBVScrollBar->SetAlign(alRight);
    SBVScrollBar->SetDefaultWidth(19);
    SBVScrollBar->SetEnabled(false);
    SBVScrollBar->SetSkinDataName("vscrollbar");

    SBHScrollBar = new TskSkinScrollBar(this);
    SBHScrollBar->SetParent(ImagePanel);
    SBHScrollBar->SetAlign(alBottom);
    SBHScrollBar->SetDefaultHeight(19);
    SBHScrollBar->SetEnabled(false);
    SBHScrollBar->SetBothMarkerWidth(19);
    SBHScrollBar->SetSkinDataName("hscrollbar");

    ScrollBox = new TskSkinScrollBox(this);
    ScrollBox->SetParent(ImagePanel);
    ScrollBox->SetAlign(alClient);
    ScrollBox->SetBorderStyle(TskSkinBorderStyle::bvNone);
    ScrollBox->SetHScrollBar(SBHScrollBar);
    ScrollBox->SetVScrollBar(SBVScrollBar);

    Image = new TImage(this);
    Image->SetParent(ScrollBox);
    Image->SetBounds(0, 0, 0, 0);

    PreviewMessage = new TskSkinStdLabel(this);
    PreviewMessage->SetParent(ImagePanel);
    PreviewMessage->SetAlign(alTop);
    PreviewMessage->SetWordWrap(true);
    PreviewMessage->SetVisible(false);
}

void TskOpenPictureDlgForm::AddStretchButton(bool AToolButtonsTransparent)
{
    StretchButton = new TskSkinSpeedButton(this);
    // Just left of the view-style button.
    StretchButton->SetLeft(StyleToolButton->Left() - 1);
    StretchButton->SetParent(ToolPanel);
    StretchButton->SetAlign(alRight);
    StretchButton->SetGroupIndex(2);
    StretchButton->AllowAllUp = true;
    StretchButton->SetSkinDataName("toolbutton");
    StretchButton->SetGlyph(MakeDialogGlyph(TDialogGlyph::Stretch).get());
    StretchButton->SetNumGlyphs(1);
    StretchButton->Hint = DialogText("MSG_BTN_STRETCH_HINT");
    StretchButton->SetShowHint(true);
    StretchButton->SetFlat(AToolButtonsTransparent);
    StretchButton->OnClick = [this](TObject* s) { StretchButtonClick(s); };
}

void TskOpenPictureDlgForm::FixBottomStrip()
{
    const auto place = [](TControl* control, int left, int top, int width) {
        control->SetAnchors({akLeft, akTop});
        control->SetBounds(left, top, width, control->Height());
    };
    place(FileNameEdit, 70, 10, 280);
    place(FilterComboBox, 70, 45, 280);
    place(OpenButton, 370, 10, 70);
    place(CancelButton, 370, 45, 70);
}

void TskOpenPictureDlgForm::ClearPicture()
{
    Image->Picture()->Assign(nullptr);
}

void TskOpenPictureDlgForm::FitImageToPicture()
{
    if (!Image->Stretch())
        Image->SetBounds(0, 0, Image->Picture()->Width(), Image->Picture()->Height());
    ScrollBox->UpDateScrollRange();
}

void TskOpenPictureDlgForm::ShowPicture(const std::string& FileName)
{
    try {
        Image->Picture()->LoadFromFile(FileName);
        PreviewMessage->SetVisible(false);
    } catch (const std::exception& error) {
        // A file that is no picture, or a damaged one, is told in the pane.
        ClearPicture();
        PreviewMessage->SetCaption(error.what());
        PreviewMessage->SetVisible(true);
    }
    FitImageToPicture();
}

void TskOpenPictureDlgForm::FLVChange(TObject*, TListItem*, TItemChange)
{
    FileNameEdit->SetText(SelectedFileName());
    PreviewMessage->SetVisible(false);
    if (!FileNameEdit->Text().empty()) {
        ShowPicture(FolderWithDelimiter() + FileNameEdit->Text());
        return;
    }
    if (!Image->Stretch())
        Image->SetBounds(0, 0, 0, 0);
    ScrollBox->UpDateScrollRange();
}

void TskOpenPictureDlgForm::StretchPicture()
{
    Image->SetVisible(false);
    ScrollBox->UpDateScrollRange();
    Image->SetStretch(true);
    Image->SetAlign(alClient);
    Image->SetVisible(true);
}

void TskOpenPictureDlgForm::StretchButtonClick(TObject*)
{
    if (StretchButton->Down()) {
        StretchPicture();
        return;
    }
    Image->SetVisible(false);
    Image->SetAlign(alNone);
    Image->SetBounds(0, 0, Image->Picture()->Width(), Image->Picture()->Height());
    Image->SetStretch(false);
    Image->SetVisible(true);
    ScrollBox->UpDateScrollRange();
}

} // namespace tovrel
