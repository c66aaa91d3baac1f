#pragma once
// The picture dialogs: the open dialog with a preview of the selected
// picture (BMP, JPEG, GIF, PNG and icons), and its save variant. The
// preview pane's width and the stretch state are remembered between runs.
#include "skin/dialogs/SkinOpenDialog.h"

namespace tovrel {

class TskOpenPictureDlgForm;

class TskSkinOpenPictureDialog : public TskCustomOpenDialog {
public:
    explicit TskSkinOpenPictureDialog(TComponent* AOwner);

    // Every run starts stretched.
    bool StretchPicture = false;
    // The preview pane's width; a splitter drag lasts into the next run.
    int ImagePanelWidth = 190;
    // The stretch button's state when the dialog last closed.
    bool DialogStretch = false;

protected:
    TskOpenDlgForm* CreateForm() override;
    void FilterApplied(TskOpenDlgForm& form) override;
    int DefaultClientWidth() const override { return 550; }
    void SizeApplied(TskOpenDlgForm& form) override;
    void BeforeNameShown(TskOpenDlgForm& form) override;
    void ReadBack(TskOpenDlgForm& form) override;
};

// Save mode: the Save button, the filter's extension for a typed name
// without one, and the optional overwrite question.
class TskSkinSavePictureDialog : public TskSkinOpenPictureDialog {
public:
    explicit TskSkinSavePictureDialog(TComponent* AOwner);
};

} // namespace tovrel
