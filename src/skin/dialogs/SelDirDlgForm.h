#pragma once
// The form of the select-folder dialog, built in code for one run: the shell
// folder tree with its skinned bars, OK and Cancel at the bottom and, with the
// tool bar, a folder path edit and a new-folder button above the tree. Enter
// in the path edit selects the typed folder and accepts it; a typed folder
// that is not there is named in a message and the form stays.
#include "platform/vcl/Forms.h"

#include <string>

namespace tovrel {

class TskSkinButton;
class TskSkinData;
class TskSkinDirTreeView;
class TskSkinEdit;
class TskSkinForm;
class TskSkinPanel;
class TskSkinScrollBar;
class TskSkinSpeedButton;
class TTreeNode;

// A folder typed into the path edit: the path it names (a leading "~" is the
// home folder) and, when it cannot be chosen, why, as the user reads it.
struct TTypedFolder {
    std::string Path;
    std::string Problem;
};
TTypedFolder CheckTypedFolder(const std::string& Text);

class TskSelDirDlgForm : public TForm {
public:
    TskSelDirDlgForm(TComponent* AOwner, TskSkinData* ACtrlSkinData, bool AShowToolBar, bool AToolButtonsTransparent);

    TskSkinData* CtrlSD = nullptr;
    bool ShowToolBar = false;
    TskSkinForm* BSF = nullptr;
    TskSkinPanel* DirTreeViewPanel = nullptr;
    TskSkinPanel* BottomPanel = nullptr;
    TskSkinDirTreeView* DirTreeView = nullptr;
    TskSkinScrollBar* VScrollBar = nullptr;
    TskSkinScrollBar* HScrollBar = nullptr;
    TskSkinButton* OkButton = nullptr;
    TskSkinButton* CancelButton = nullptr;
    TskSkinPanel* ToolPanel = nullptr;
    TskSkinSpeedButton* NewFolderToolButton = nullptr;
    TskSkinEdit* DirEdit = nullptr;

    // Once the controls have their skins: the tool bar as high as the edit.
    void FitToolBar();
    // Centres the form on Owner's window, kept on its work area; on the
    // screen when Owner has none.
    void CentreOn(TCustomForm* Owner);

private:
    void BuildToolBar(bool AToolButtonsTransparent);
    void DirEditKeyPress(TObject* Sender, char16_t& Key);
    void DirTreeViewChange(TObject* Sender, TTreeNode* Node);
    void NewFolderToolButtonClick(TObject* Sender);
    // A note in the dialog's skins, answered with OK.
    void ShowNote(const std::string& Text);
    std::string Text(std::string_view Key, std::string_view BuiltIn) const;
};

} // namespace tovrel
