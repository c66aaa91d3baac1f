#include "skin/dialogs/SkinOpenPictureDialog.h"

#include "platform/rtl/Files.h"
#include "platform/vcl/Application.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinScrollBox.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinSplitter.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/dialogs/OpenPictureDlgForm.h"

namespace tovrel {

namespace {

TskOpenPictureDlgForm& PictureForm(TskOpenDlgForm& form)
{
    return static_cast<TskOpenPictureDlgForm&>(form);
}

} // namespace

TskSkinOpenPictureDialog::TskSkinOpenPictureDialog(TComponent* AOwner) : TskCustomOpenDialog(AOwner)
{
    AlphaBlendValue = 200;
    Title = "Open picture";
    Filter = "All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
             "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf";
}

TskOpenDlgForm* TskSkinOpenPictureDialog::CreateForm()
{
    return new TskOpenPictureDlgForm(Application, FSaveMode, CtrlSkinData(), ToolButtonsTransparent);
}

void TskSkinOpenPictureDialog::FilterApplied(TskOpenDlgForm& base)
{
    TskOpenPictureDlgForm& form = PictureForm(base);
    form.ImagePanel->SetWidth(ImagePanelWidth);
    TskSkinData* ctrl = CtrlSkinData();
    form.ImagePanel->SetSkinData(ctrl);
    form.ScrollBox->SetSkinData(ctrl);
    form.SBHScrollBar->SetSkinData(ctrl);
    form.SBVScrollBar->SetSkinData(ctrl);
    form.StretchButton->SetSkinData(ctrl);
    form.Splitter->SetSkinData(ctrl);
    form.PreviewMessage->SetSkinData(ctrl);
}

void TskSkinOpenPictureDialog::SizeApplied(TskOpenDlgForm& base)
{
    TskOpenPictureDlgForm& form = PictureForm(base);
    form.StretchButton->SetDown(StretchPicture || DialogStretch);
    if (form.StretchButton->Down())
        form.StretchPicture();
}

void TskSkinOpenPictureDialog::BeforeNameShown(TskOpenDlgForm& base)
{
    // A file that is no picture only shows its message in the pane: the
    // dialog still opens.
    if (FileExists(FFileName))
        PictureForm(base).ShowPicture(FFileName);
}

void TskSkinOpenPictureDialog::ReadBack(TskOpenDlgForm& base)
{
    TskOpenPictureDlgForm& form = PictureForm(base);
    DialogStretch = form.StretchButton->Down();
    ImagePanelWidth = form.ImagePanel->Width();
}

TskSkinSavePictureDialog::TskSkinSavePictureDialog(TComponent* AOwner) : TskSkinOpenPictureDialog(AOwner)
{
    Title = "Save file";
    FSaveMode = true;
}

} // namespace tovrel
