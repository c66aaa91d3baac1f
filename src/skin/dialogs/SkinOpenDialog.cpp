#include "skin/dialogs/SkinOpenDialog.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Paths.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/GraphicsObjects.h"
#include "platform/vcl/StringList.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/dialogs/OpenDialogNames.h"
#include "skin/dialogs/OpenDlgForm.h"
#include "skin/forms/SkinForm.h"
#include "skin/shell/FilterComboBox.h"
#include "skin/shell/ShellComboBox.h"
#include "skin/shell/ShellListView.h"

#include <algorithm>

namespace tovrel {

TskCustomOpenDialog::TskCustomOpenDialog(TComponent* AOwner)
    : TComponent(AOwner), FDefaultFont(std::make_unique<TFont>()), FFiles(std::make_unique<TStringList>())
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
}

TskCustomOpenDialog::~TskCustomOpenDialog() = default;

void TskCustomOpenDialog::SetDefaultFont(const TFont* Value)
{
    FDefaultFont->Assign(Value);
}

TskOpenDlgForm* TskCustomOpenDialog::CreateForm()
{
    return new TskOpenDlgForm(Application, FSaveMode, FCtrlSkinData, ToolButtonsTransparent);
}

void TskCustomOpenDialog::SetStartFolder(TskOpenDlgForm& form)
{
    // A remembered folder that is gone, or one the shell cannot show, falls
    // back to the next choice: the dialog always opens.
    const std::string choices[] = {DialogStartFolder(FFileName, InitialDir), DialogFallbackFolder(InitialDir),
                                   ProgramFolder()};
    for (const std::string& folder : choices) {
        try {
            form.FileListView->SetRoot(folder);
            return;
        } catch (const Exception&) {}
    }
    form.FileListView->SetRoot("rfDesktop");
}

void TskCustomOpenDialog::PrepareForm(TskOpenDlgForm& form)
{
    form.SetCaption(Title);
    TskSkinForm& frame = *form.BSF;
    frame.SetBorderIcons({});
    frame.SetSkinData(FSkinData);
    frame.SetMenusSkinData(FCtrlSkinData);
    frame.MinWidth = DialogMinWidth;
    frame.MinHeight = DialogMinHeight;
    frame.SetAlphaBlend(AlphaBlend);
    frame.AlphaBlendAnimation = AlphaBlendAnimation;
    frame.SetAlphaBlendValue(AlphaBlendValue);
    frame.SetMenusAlphaBlend(CtrlAlphaBlend);
    frame.SetMenusAlphaBlendValue(CtrlAlphaBlendValue);
    frame.SetMenusAlphaBlendAnimation(CtrlAlphaBlendAnimation);

    form.OpenButton->SetDefaultFont(FDefaultFont.get());
    form.CancelButton->SetDefaultFont(FDefaultFont.get());
    form.ShellBox->SetDefaultFont(FDefaultFont.get());
    form.FileListView->SetDefaultFont(FDefaultFont.get());

    form.ApplyViewStyle(ListViewStyle);
    SetStartFolder(form);
    form.FileListView->SetMask(form.FilterComboBox->Text());
    form.FileListView->HeaderSkinDataName = LVHeaderSkinDataName;
    form.FileListView->SetSkinData(FCtrlSkinData);
    form.FileListView->SetMultiSelect(MultiSelection);
    if (ShowHiddenFiles) {
        TShellObjectTypes types = form.FileListView->ObjectTypes();
        types.Include(TShellObjectType::otHidden);
        form.FileListView->SetObjectTypes(types);
    }
    form.FilterComboBox->SetFilter(Filter);
    // The box lists the filter once its window exists.
    form.FilterComboBox->HandleNeeded();
    form.FilterComboBox->SetItemIndex(FilterIndex - 1);
    FilterApplied(form);

    TskSkinData* ctrl = FCtrlSkinData;
    form.FileListViewPanel->SetSkinData(ctrl);
    form.BottomPanel->SetSkinData(ctrl);
    form.ToolPanel->SetSkinData(ctrl);
    form.Drivelabel->SetSkinData(ctrl);
    form.UpToolButton->SetSkinData(ctrl);
    form.BackToolButton->SetSkinData(ctrl);
    form.StyleToolButton->SetSkinData(ctrl);
    form.NewFolderToolButton->SetSkinData(ctrl);
    form.FLVHScrollBar->SetSkinData(ctrl);
    form.FLVVScrollBar->SetSkinData(ctrl);
    form.FileNameEdit->SetSkinData(ctrl);
    form.FilterComboBox->SetSkinData(ctrl);
    form.OpenButton->SetSkinData(ctrl);
    form.CancelButton->SetSkinData(ctrl);
    form.OpenFileLabel->SetSkinData(ctrl);
    form.FileTypeLabel->SetSkinData(ctrl);
    form.ShellBox->SetSkinData(ctrl);
    form.ShellBox->SetSkinDataName("combobox");
}

void TskCustomOpenDialog::SetClientSize(TskOpenDlgForm& form)
{
    int width = DialogWidth > 0 ? DialogWidth : DefaultClientWidth();
    int height = DialogHeight > 0 ? DialogHeight : 290;
    if (FSkinData && !FSkinData->Empty) {
        width = std::max(width, form.BSF->GetMinWidth());
        height = std::max(height, form.BSF->GetMinHeight());
    }
    form.SetClientSize(width, height);
}

void TskCustomOpenDialog::CentreOnOwner(TskOpenDlgForm& form)
{
    // The dialog belongs to the application, yet shows over the form that
    // placed this component (the main form when there is none).
    const TComponent* owner = Owner();
    while (owner && !dynamic_cast<const TCustomForm*>(owner))
        owner = owner->Owner();
    const auto* over = dynamic_cast<const TCustomForm*>(owner);
    if (!over)
        over = Application->MainForm();
    if (!over || !over->Visible()) {
        form.Position = poScreenCenter;
        return;
    }
    form.Position = poDesigned;
    form.SetBounds(over->Left() + (over->Width() - form.Width()) / 2,
                   over->Top() + (over->Height() - form.Height()) / 2, form.Width(), form.Height());
}

void TskCustomOpenDialog::StoreResults(TskOpenDlgForm& form)
{
    FFileName = form.FileName;
    const std::string mask = form.FilterComboBox->Mask();
    const std::string maskExtension = FilterMaskExtension(mask);
    if (FSaveMode && !maskExtension.empty() && ExtractFileExt(FFileName).empty())
        FFileName += maskExtension;
    form.FileListView->GetSelectedFiles(FFiles.get());
    if (FSaveMode && ExtractFileExt(FFileName).empty() && !DefaultExt.empty())
        FFileName += "." + DefaultExt;
    // A typed name with no file row selected is the choice: callers walk Files.
    if (FFiles->Count() == 0)
        FFiles->Add(FFileName);
    if (FOnChange)
        FOnChange(this);
}

bool TskCustomOpenDialog::Execute()
{
    if (OnShow)
        OnShow(this);
    std::unique_ptr<TskOpenDlgForm> form(CreateForm());
    FDlgFrm = form.get();
    form->OverwritePromt = OverwritePromt;
    form->OnFolderChange = OnFolderChange;
    form->CheckFileExists = CheckFileExists;
    form->DefaultExt = DefaultExt;
    struct TGuard {
        TskCustomOpenDialog& Dialog;
        std::unique_ptr<TskOpenDlgForm>& Form;
        ~TGuard()
        {
            if (Dialog.OnClose)
                Dialog.OnClose(&Dialog);
            Form.reset();
            Dialog.FDlgFrm = nullptr;
        }
    } guard{*this, form};

    PrepareForm(*form);
    SetClientSize(*form);
    SizeApplied(*form);
    form->HandleNeeded();
    if (form->FileListView->Items()->Count() > 0)
        form->FileListView->Items()->Item(0)->SetFocused(true);
    BeforeNameShown(*form);
    form->FileNameEdit->SetText(ExtractFileName(FFileName));
    form->InitHistory();
    CentreOnOwner(*form);

    const bool accepted = form->ShowModal() == mrOk;
    ReadBack(*form);
    FilterIndex = form->FilterComboBox->ItemIndex() + 1;
    DialogWidth = form->ClientWidth();
    DialogHeight = form->ClientHeight();
    ListViewStyle = form->FileListView->ViewStyle();
    if (accepted)
        StoreResults(*form);
    return accepted;
}

void TskSkinOpenDialog::SetFileName(const std::string& Value)
{
    FFileName = Value;
    if (FDlgFrm)
        FDlgFrm->FileNameEdit->SetText(Value);
}

std::string TskSkinOpenDialog::GetSelectedFile() const
{
    return FDlgFrm ? FDlgFrm->FileListView->GetSelectedFile() : std::string();
}

} // namespace tovrel
