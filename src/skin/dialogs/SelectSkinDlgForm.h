#pragma once
// The form of the skin selection dialog, built in code: the stored skins by
// name on the left, a framed preview window with a sample button on the
// right that redraws in the selected skin through its own skin data, and OK
// and Cancel below. The choice is the preview skin data's current skin; the
// form never touches the caller's skin data.
#include "platform/vcl/Forms.h"

#include <vector>

namespace tovrel {

class TskCompressedSkinList;
class TskCompressedStoredSkin;
class TskSkinButton;
class TskSkinData;
class TskSkinForm;
class TskSkinListBox;

class TskSelectSkinDlgForm : public TForm {
public:
    // List mode: the items of ASkinList, ASkinIndex selected and previewed.
    static TskSelectSkinDlgForm* CreateEx2(TComponent* AOwner, TskCompressedSkinList* ASkinList, int ASkinIndex,
                                           TskSkinData* ACtrlSkinData);
    // Owner-form mode: the stored skins placed on AForm, ADefaultSkin selected
    // (the first one when it is not there). A form without any raises the
    // list index error and builds nothing.
    static TskSelectSkinDlgForm* CreateEx(TComponent* AOwner, TComponent* AForm, TskCompressedStoredSkin* ADefaultSkin,
                                          TskSkinData* ACtrlSkinData);

    TskCompressedSkinList* FCSkinList = nullptr;
    int FCSkinIndex = -1;
    TskSkinForm* BSF = nullptr;
    TskSkinButton* OpenButton = nullptr;
    TskSkinButton* CancelButton = nullptr;
    TForm* PreviewForm = nullptr;
    TskSkinForm* PreviewBSF = nullptr;
    TskSkinData* PreviewSkinData = nullptr;
    TskSkinButton* PreviewButton = nullptr;
    TskSkinListBox* SkinsListBox = nullptr;
    // Owner-form mode: the stored skins in list order (not owned).
    std::vector<TskCompressedStoredSkin*> SkinList;

    // The stored skin the preview shows.
    TskCompressedStoredSkin* SelectedSkin() const;

    // Every selection change of the list previews the selected skin.
    void SLBOnChange(TObject* Sender);
    // Closes with OK on the double-clicked skin.
    void SLBOnDblClick(TObject* Sender);

private:
    TskSelectSkinDlgForm(TComponent* AOwner, TskCompressedSkinList* ASkinList, int ASkinIndex,
                         TskSkinData* ACtrlSkinData, bool AOwnerFormMode);
    void FillFromList();
    void FillFromOwnerForm(TComponent* AForm, TskCompressedStoredSkin* ADefaultSkin);
    void ShowPreview();

    bool FOwnerFormMode = false;
};

} // namespace tovrel
