#include "skin/dialogs/SelectSkinDlgForm.h"

#include "platform/vcl/Errors.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinListBox.h"
#include "skin/data/SkinCompressedSkin.h"
#include "skin/data/SkinCompressedSkinList.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/SkinMessageForm.h"
#include "skin/forms/SkinForm.h"

#include <memory>

namespace tovrel {

namespace {

// A stored skin is listed by its description, else by its name.
const std::string& ListedName(const std::string& Description, const std::string& Name)
{
    return Description.empty() ? Name : Description;
}

TskSkinButton* AddButton(TWinControl& parent, TComponent& owner, std::string_view name, TRect bounds)
{
    auto* button = new TskSkinButton(&owner);
    button->SetName(name);
    button->SetParent(&parent);
    button->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    return button;
}

} // namespace

TskSelectSkinDlgForm::TskSelectSkinDlgForm(TComponent* AOwner, TskCompressedSkinList* ASkinList, int ASkinIndex,
                                           TskSkinData* ACtrlSkinData, bool AOwnerFormMode)
    : TForm(AOwner), FCSkinList(ASkinList), FCSkinIndex(ASkinIndex), FOwnerFormMode(AOwnerFormMode)
{
    Position = poScreenCenter;
    SetBorderStyle(bsSingle);
    KeyPreview = true;
    BSF = new TskSkinForm(this);

    // The preview is a disabled child window: it shows a skin, it takes no input.
    PreviewForm = new TForm(this);
    PreviewForm->SetName("PreviewForm");
    PreviewForm->SetParent(this);
    PreviewForm->SetBounds(190, 10, 220, 170);
    PreviewForm->SetCaption(MessageDialogText(ACtrlSkinData, "MSG_PREVIEWSKIN", "Preview"));
    PreviewForm->SetEnabled(false);

    PreviewSkinData = new TskSkinData(this);
    if (ACtrlSkinData && ACtrlSkinData->ResourceStrData())
        PreviewSkinData->SetResourceStrData(ACtrlSkinData->ResourceStrData());

    PreviewButton = AddButton(*PreviewForm, *this, "PreviewButton", Rect(20, 20, 120, 45));
    PreviewButton->SetCaption(MessageDialogText(ACtrlSkinData, "MSG_PREVIEWBUTTON", "Button"));
    PreviewButton->SetSkinData(PreviewSkinData);

    PreviewBSF = new TskSkinForm(PreviewForm);
    PreviewBSF->PreviewMode = true;
    PreviewBSF->SetSkinData(PreviewSkinData);

    OpenButton = AddButton(*this, *this, "OpenButton", Rect(260, 200, 330, 225));
    OpenButton->SetCaption(MessageDialogText(ACtrlSkinData, "MSG_BTN_OK", "OK"));
    OpenButton->SetDefaultHeight(25);
    OpenButton->SetDefault(true);
    OpenButton->SetCanFocused(true);
    OpenButton->ModalResult = mrOk;

    CancelButton = AddButton(*this, *this, "CancelButton", Rect(340, 200, 410, 225));
    CancelButton->SetCaption(MessageDialogText(ACtrlSkinData, "MSG_BTN_CANCEL", "Cancel"));
    CancelButton->SetDefaultHeight(25);
    CancelButton->SetCanFocused(true);
    CancelButton->ModalResult = mrCancel;
    CancelButton->Cancel = true;

    SkinsListBox = new TskSkinListBox(this);
    SkinsListBox->SetName("SkinsListBox");
    SkinsListBox->SetParent(this);
    SkinsListBox->SetBounds(10, 10, 170, 170);
    SkinsListBox->OnListBoxClick = [this](TObject* sender) { SLBOnChange(sender); };
    SkinsListBox->OnListBoxDblClick = [this](TObject* sender) { SLBOnDblClick(sender); };
}

TskSelectSkinDlgForm* TskSelectSkinDlgForm::CreateEx2(TComponent* AOwner, TskCompressedSkinList* ASkinList,
                                                      int ASkinIndex, TskSkinData* ACtrlSkinData)
{
    std::unique_ptr<TskSelectSkinDlgForm> form(
        new TskSelectSkinDlgForm(AOwner, ASkinList, ASkinIndex, ACtrlSkinData, false));
    form->FillFromList();
    form->ShowPreview();
    return form.release();
}

TskSelectSkinDlgForm* TskSelectSkinDlgForm::CreateEx(TComponent* AOwner, TComponent* AForm,
                                                     TskCompressedStoredSkin* ADefaultSkin, TskSkinData* ACtrlSkinData)
{
    std::unique_ptr<TskSelectSkinDlgForm> form(new TskSelectSkinDlgForm(AOwner, nullptr, -1, ACtrlSkinData, true));
    form->FillFromOwnerForm(AForm, ADefaultSkin);
    form->ShowPreview();
    return form.release();
}

void TskSelectSkinDlgForm::FillFromList()
{
    if (FCSkinList) {
        TskSkinListItems& skins = *FCSkinList->Skins();
        for (int i = 0; i < skins.Count(); ++i)
            SkinsListBox->Items()->Add(ListedName(skins.Items(i)->Description, skins.Items(i)->Name));
    }
    SkinsListBox->SetItemIndex(FCSkinIndex);
    // The index first, the list second: exactly one load.
    PreviewSkinData->SetSkinIndex(FCSkinIndex);
    PreviewSkinData->SetSkinList(FCSkinList);
}

void TskSelectSkinDlgForm::FillFromOwnerForm(TComponent* AForm, TskCompressedStoredSkin* ADefaultSkin)
{
    int selected = 0;
    for (int i = 0; AForm && i < AForm->ComponentCount(); ++i) {
        auto* stored = dynamic_cast<TskCompressedStoredSkin*>(AForm->Components(i));
        if (!stored)
            continue;
        if (stored == ADefaultSkin)
            selected = int(SkinList.size());
        SkinList.push_back(stored);
        SkinsListBox->Items()->Add(ListedName(stored->Description, stored->Name()));
    }
    SkinsListBox->SetItemIndex(selected);
    SLBOnChange(SkinsListBox);
}

void TskSelectSkinDlgForm::ShowPreview()
{
    PreviewForm->SetBounds(190, 10, PreviewForm->Width(), PreviewForm->Height());
    // Shown without Show, which would activate the dialog while it is still hidden.
    PreviewForm->SetVisible(true);
    SetActiveControl(SkinsListBox->ListBox);
}

TskCompressedStoredSkin* TskSelectSkinDlgForm::SelectedSkin() const
{
    return PreviewSkinData->CompressedStoredSkin();
}

void TskSelectSkinDlgForm::SLBOnChange(TObject*)
{
    const int index = SkinsListBox->ItemIndex();
    if (!FOwnerFormMode) {
        PreviewSkinData->SetSkinIndex(index);
        return;
    }
    if (index < 0 || index >= int(SkinList.size()))
        ListIndexError(index);
    PreviewSkinData->SetCompressedStoredSkin(SkinList[std::size_t(index)]);
}

void TskSelectSkinDlgForm::SLBOnDblClick(TObject*)
{
    SetModalResult(mrOk);
}

} // namespace tovrel
