#pragma once
// The picture dialogs' form: the open dialog's form with a preview pane at
// its right edge (a framed panel with the picture in a scroll box, a
// splitter to resize it) and a tool button that stretches the picture to
// the pane. The name edit, filter box and buttons keep fixed places.
#include "skin/dialogs/OpenDlgForm.h"

namespace tovrel {

class TImage;
class TskSkinScrollBox;
class TskSkinSplitter;

class TskOpenPictureDlgForm : public TskOpenDlgForm {
public:
    TskOpenPictureDlgForm(TComponent* AOwner, bool ASaveMode, TskSkinData* ACtrlSkinData, bool AToolButtonsTransparent);

    TskSkinPanel* ImagePanel = nullptr;
    TImage* Image = nullptr;
    TskSkinScrollBox* ScrollBox = nullptr;
    TskSkinScrollBar* SBVScrollBar = nullptr;
    TskSkinScrollBar* SBHScrollBar = nullptr;
    TskSkinSpeedButton* StretchButton = nullptr;
    TskSkinSplitter* Splitter = nullptr;
    // Why the preview shows no picture: a file that is no picture or a
    // damaged one. Hidden while a picture shows.
    TskSkinStdLabel* PreviewMessage = nullptr;

    // The edit takes the selected file's name (cleared for none or a
    // folder) and the preview shows that file.
    void FLVChange(TObject* Sender, TListItem* Item, TItemChange Change) override;
    void StretchButtonClick(TObject* Sender);
    // Shows the picture of that file; one that cannot be read leaves the
    // preview empty with the reader's message in the pane.
    void ShowPicture(const std::string& FileName);
    // The stretched look: the picture fills the pane.
    void StretchPicture();

private:
    void BuildPreviewPane();
    void AddStretchButton(bool AToolButtonsTransparent);
    void FixBottomStrip();
    void ClearPicture();
    void FitImageToPicture();
};

} // namespace tovrel
