#include "skin/dialogs/SelectDirectoryDialog.h"

#include "platform/rtl/Files.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Canvas.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/dialogs/SelDirDlgForm.h"
#include "skin/forms/SkinForm.h"
#include "skin/shell/ShellTreeView.h"

#include <algorithm>

namespace tovrel {

namespace {

constexpr int kDefaultClientSize = 280;

// The form of the component's owner (the window the dialog belongs to),
// else the active form.
TCustomForm* OwnerForm(TComponent* owner)
{
    for (TComponent* c = owner; c; c = c->Owner())
        if (auto* form = dynamic_cast<TCustomForm*>(c))
            return form;
    return Screen ? Screen->ActiveForm() : nullptr;
}

} // namespace

TskSkinSelectDirectoryDialog::TskSkinSelectDirectoryDialog(TComponent* AOwner)
    : TComponent(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
}

TskSkinSelectDirectoryDialog::~TskSkinSelectDirectoryDialog() = default;

void TskSkinSelectDirectoryDialog::SetDefaultFont(const TFont* Value)
{
    FDefaultFont->Assign(Value);
}

void TskSkinSelectDirectoryDialog::PrepareForm(TskSelDirDlgForm& form)
{
    form.SetCaption(Title);
    TskSkinForm& frame = *form.BSF;
    frame.SetBorderIcons({});
    frame.SetSkinData(SkinData());
    frame.SetMenusSkinData(CtrlSkinData());
    frame.MinWidth = DialogMinWidth;
    frame.MinHeight = DialogMinHeight;
    frame.SetAlphaBlend(AlphaBlend);
    frame.AlphaBlendAnimation = AlphaBlendAnimation;
    frame.SetAlphaBlendValue(AlphaBlendValue);

    form.DirTreeViewPanel->SetSkinData(CtrlSkinData());
    form.DirTreeView->SetDefaultFont(DefaultFont());
    form.DirTreeView->SetSkinData(CtrlSkinData());
    if (!Directory.empty() && DirectoryExists(Directory))
        form.DirTreeView->SetPath(Directory);
    else
        form.DirTreeView->ExpandMyComputer();

    form.HScrollBar->SetSkinData(CtrlSkinData());
    form.VScrollBar->SetSkinData(CtrlSkinData());
    form.OkButton->SetSkinData(CtrlSkinData());
    form.CancelButton->SetSkinData(CtrlSkinData());
    form.BottomPanel->SetSkinData(CtrlSkinData());
    form.OkButton->SetDefaultFont(DefaultFont());
    form.CancelButton->SetDefaultFont(DefaultFont());
    if (form.ShowToolBar) {
        form.ToolPanel->SetSkinData(CtrlSkinData());
        form.NewFolderToolButton->SetSkinData(CtrlSkinData());
        form.DirEdit->SetSkinData(CtrlSkinData());
        form.DirEdit->SetText(form.DirTreeView->Path());
        form.FitToolBar();
    }

    int width = DialogWidth > 0 ? DialogWidth : kDefaultClientSize;
    int height = DialogHeight > 0 ? DialogHeight : kDefaultClientSize;
    if (SkinData() && !SkinData()->Empty) {
        width = std::max(width, frame.GetMinWidth());
        height = std::max(height, frame.GetMinHeight());
    }
    form.SetClientSize(width, height);
    form.CentreOn(OwnerForm(Owner()));
    form.SetActiveControl(form.DirTreeView);
}

bool TskSkinSelectDirectoryDialog::Execute()
{
    if (OnShow)
        OnShow(this);
    std::unique_ptr<TskSelDirDlgForm> form =
        std::make_unique<TskSelDirDlgForm>(Application, CtrlSkinData(), ShowToolBar, ToolButtonsTransparent);
    FDlgFrm = form.get();
    // However the run ends: OnClose, then the form goes.
    struct TRunEnd {
        TskSelDirDlgForm*& Form;
        ~TRunEnd() { Form = nullptr; }
    } runEnd{FDlgFrm};
    bool accepted = false;
    try {
        accepted = Run(*form);
    } catch (...) {
        if (OnClose)
            OnClose(this);
        throw;
    }
    if (OnClose)
        OnClose(this);
    return accepted;
}

bool TskSkinSelectDirectoryDialog::Run(TskSelDirDlgForm& form)
{
    PrepareForm(form);
    const bool accepted = form.ShowModal() == mrOk;
    DialogWidth = form.ClientWidth();
    DialogHeight = form.ClientHeight();
    if (accepted) {
        Directory = form.DirTreeView->Path();
        if (OnChange)
            OnChange(this);
    }
    return accepted;
}

} // namespace tovrel
