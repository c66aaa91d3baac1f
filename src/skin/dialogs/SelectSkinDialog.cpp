#include "skin/dialogs/SelectSkinDialog.h"

#include "platform/vcl/Application.h"
#include "platform/vcl/GraphicsObjects.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinListBox.h"
#include "skin/data/SkinCompressedSkin.h"
#include "skin/data/SkinCompressedSkinList.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/SelectSkinDlgForm.h"
#include "skin/forms/SkinForm.h"

#include <algorithm>

namespace tovrel {

namespace {

constexpr int kClientWidth = 420, kClientHeight = 240;

} // namespace

TskSelectSkinDialog::TskSelectSkinDialog(TComponent* AOwner) : TComponent(AOwner), FDefaultFont(new TFont)
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
}

TskSelectSkinDialog::~TskSelectSkinDialog() = default;

void TskSelectSkinDialog::SetSkinList(TskCompressedSkinList* Value)
{
    FSkinList = Value;
}

void TskSelectSkinDialog::SetSkinData(TskSkinData* Value)
{
    FSkinData = Value;
}

void TskSelectSkinDialog::SetCtrlSkinData(TskSkinData* Value)
{
    FCtrlSkinData = Value;
}

void TskSelectSkinDialog::SetDefaultFont(const TFont* Value)
{
    FDefaultFont->Assign(Value);
}

bool TskSelectSkinDialog::Execute(int SkinIndex)
{
    if (!FSkinList)
        return false;
    FSelectedSkin = nullptr;
    FSelectedSkinIndex = -1;
    std::unique_ptr<TskSelectSkinDlgForm> form(
        TskSelectSkinDlgForm::CreateEx2(Application, FSkinList, SkinIndex, FCtrlSkinData));
    if (!ShowForm(form.get()))
        return false;
    FSelectedSkinIndex = form->PreviewSkinData->SkinIndex();
    return true;
}

bool TskSelectSkinDialog::Execute(TskCompressedStoredSkin* DefaultCompressedSkin)
{
    FSelectedSkin = nullptr;
    std::unique_ptr<TskSelectSkinDlgForm> form(
        TskSelectSkinDlgForm::CreateEx(Application, Owner(), DefaultCompressedSkin, FCtrlSkinData));
    if (!ShowForm(form.get()))
        return false;
    FSelectedSkin = form->SelectedSkin();
    return true;
}

bool TskSelectSkinDialog::ShowForm(TskSelectSkinDlgForm* Form)
{
    struct TFormField {
        TskSelectSkinDlgForm*& Field;
        ~TFormField() { Field = nullptr; }
    } field{FDlgFrm};
    FDlgFrm = Form;

    Form->SetCaption(Title);
    TskSkinForm& frame = *Form->BSF;
    frame.SetBorderIcons({});
    frame.SetSkinData(FSkinData);
    frame.SetMenusSkinData(FCtrlSkinData);
    frame.SetAlphaBlend(AlphaBlend);
    frame.AlphaBlendAnimation = AlphaBlendAnimation;
    frame.SetAlphaBlendValue(AlphaBlendValue);

    for (TskSkinButton* button : {Form->OpenButton, Form->CancelButton}) {
        button->SetDefaultFont(FDefaultFont.get());
        button->SetSkinData(FCtrlSkinData);
    }
    Form->SkinsListBox->SetDefaultFont(FDefaultFont.get());
    Form->SkinsListBox->SetSkinData(FCtrlSkinData);

    if (!FSkinData || FSkinData->Empty)
        Form->SetClientSize(kClientWidth, kClientHeight);
    else
        Form->SetClientSize(std::max(kClientWidth, frame.GetMinWidth()), std::max(kClientHeight, frame.GetMinHeight()));
    CentreOnOwner(*Form);
    return Form->ShowModal() == mrOk;
}

void TskSelectSkinDialog::CentreOnOwner(TskSelectSkinDlgForm& Form) const
{
    auto* owner = dynamic_cast<TCustomForm*>(Owner());
    if (!owner || !owner->HandleAllocated() || !owner->Visible())
        return; // the form's own position: the screen's centre
    Form.Position = poDesigned;
    Form.SetBounds(owner->Left() + (owner->Width() - Form.Width()) / 2,
                   owner->Top() + (owner->Height() - Form.Height()) / 2, Form.Width(), Form.Height());
}

} // namespace tovrel
