#pragma once
// The open dialog's form, built in code for one run: a tool bar with the
// folder box, back, up, new-folder and view-style buttons, the shell list
// with its bars, and a bottom strip with the name edit, the file-type box
// and the Open (Save) and Cancel buttons. It keeps the folders shown in a
// history and checks a chosen or typed name before it closes. The picture
// dialogs' form derives from it and adds a preview pane.
#include "platform/shell/ItemIDList.h"
#include "platform/vcl/Forms.h"

#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

class TListItem;
class TMenuItem;
class TskSkinButton;
class TskSkinData;
class TskSkinEdit;
class TskSkinFileListView;
class TskSkinFilterComboBox;
class TskSkinForm;
class TskSkinMenuSpeedButton;
class TskSkinPanel;
class TskSkinPopupMenu;
class TskSkinScrollBar;
class TskSkinShellComboBox;
class TskSkinSpeedButton;
class TskSkinStdLabel;
class TskSkinToolBar;
enum TItemChange : std::uint8_t;
enum TViewStyle : std::uint8_t;

class TskOpenDlgForm : public TForm {
public:
    TskOpenDlgForm(TComponent* AOwner, bool ASaveMode, TskSkinData* ACtrlSkinData, bool AToolButtonsTransparent);
    ~TskOpenDlgForm() override;

    bool SaveMode = false;
    // Folders shown since the form was built, oldest first; the last is the
    // one shown now.
    std::vector<TItemIDListPtr> FolderHistory;
    bool StopAddToHistory = false;
    TskSkinData* CtrlSD = nullptr;
    int NewFolderCount = 0;
    std::string DefaultExt;
    bool OverwritePromt = false;
    // The accepted name, read once the form has closed.
    std::string FileName;
    TNotifyEvent OnFolderChange;
    bool CheckFileExists = true;

    TskSkinForm* BSF = nullptr;
    TskSkinPanel* FileListViewPanel = nullptr;
    TskSkinPanel* BottomPanel = nullptr;
    TskSkinScrollBar* FLVHScrollBar = nullptr;
    TskSkinScrollBar* FLVVScrollBar = nullptr;
    TskSkinFileListView* FileListView = nullptr;
    TskSkinEdit* FileNameEdit = nullptr;
    TskSkinFilterComboBox* FilterComboBox = nullptr;
    TskSkinShellComboBox* ShellBox = nullptr;
    TskSkinButton* OpenButton = nullptr;
    TskSkinButton* CancelButton = nullptr;
    TskSkinStdLabel* Drivelabel = nullptr;
    TskSkinStdLabel* OpenFileLabel = nullptr;
    TskSkinStdLabel* FileTypeLabel = nullptr;
    TskSkinToolBar* ToolPanel = nullptr;
    TskSkinSpeedButton* NewFolderToolButton = nullptr;
    TskSkinSpeedButton* UpToolButton = nullptr;
    TskSkinSpeedButton* BackToolButton = nullptr;
    TskSkinMenuSpeedButton* StyleToolButton = nullptr;
    TskSkinPopupMenu* StylePopupMenu = nullptr;
    TMenuItem* IconMenuItem = nullptr;
    TMenuItem* SmallIconMenuItem = nullptr;
    TMenuItem* ReportMenuItem = nullptr;
    TMenuItem* ListMenuItem = nullptr;

    // Starts the history with the folder shown.
    void InitHistory();
    // The list's selection or a row changed: the edit takes a selected
    // file's name.
    virtual void FLVChange(TObject* Sender, TListItem* Item, TItemChange Change);
    void FLVPathChange(TObject* Sender);
    void FCBChange(TObject* Sender);
    // Checks the typed or selected name; closes with mrOk when it passes.
    void OpenButtonClick(TObject* Sender);
    void FLVDBLClick(TObject* Sender);
    void FLVKeyPress(TObject* Sender, char16_t& Key);
    void EditKeyPress(TObject* Sender, char16_t& Key);
    void UpToolButtonClick(TObject* Sender);
    void BackToolButtonClick(TObject* Sender);
    void NewFolderToolButtonClick(TObject* Sender);
    void ReportItemClick(TObject* Sender);
    void ListItemClick(TObject* Sender);
    void SmallIconItemClick(TObject* Sender);
    void IconItemClick(TObject* Sender);

    // Checks the item of Style and gives the list that style.
    void ApplyViewStyle(TViewStyle Style);

    // The text of a string-table key: CtrlSD's table (empty when it lacks the
    // key), or the built-in text without a table.
    std::string DialogText(std::string_view Key) const;

protected:
    // The selected file's name part, or "" for none or a folder.
    std::string SelectedFileName();
    std::string FolderWithDelimiter() const;

private:
    void BuildToolBar(bool AToolButtonsTransparent);
    void BuildFileList();
    void BuildBottomStrip();
    void AddHistoryEntry();
    // Asks the overwrite question; true for OK.
    bool OverwriteAnswered();
    void Accept(const std::string& Name);
};

} // namespace tovrel
