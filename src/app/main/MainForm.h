#pragma once
// The main window "TovrelMP4格式转换器": menu bar, tool bar, file list,
// the two tabs of output settings (category and format, output folder; the
// six parameter boxes) and the preview panel area, all skinned. The category
// and format boxes and the six boxes run the preset chain; the workflow's
// other commands are slots that later steps fill.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/format/OutputFormatHost.h"
#include "app/main/CommandStates.h"
#include "app/main/MainWindowData.h"
#include "app/presets/PresetCatalog.h"
#include "platform/vcl/Forms.h"

namespace tovrel {

class TFFmpegTasks;
class TForm2;
class TForm6;
class TListItem;
class TMainMenu;
class TMenuItem;
class TOptionIni;
class TOptionsForm;
class TskCompressedSkinList;
class TskPngImageList;
class TskSelectSkinDialog;
class TskSkinButton;
class TskSkinComboBox;
class TskSkinData;
class TskSkinEdit;
class TskSkinForm;
class TskSkinListView;
class TskSkinMainMenuBar;
class TskSkinMenuSpeedButton;
class TskSkinOfficeComboBox;
class TskSkinPageControl;
class TskSkinPanel;
class TskSkinPopupMenu;
class TskSkinToolBar;

inline constexpr const char* MainWindowTitle = "TovrelMP4格式转换器";

class TMainForm : public TForm, public IOutputFormatHost {
public:
    // Builds the window and its components; OnCreate (DoCreate) runs the
    // start-up steps. Set the seams below before that.
    explicit TMainForm(TComponent* owner);
    ~TMainForm() override;

    // ---- seams the program fills with the real things ----
    // Shows a notice to the user (the skinned information box "提示" by default).
    std::function<void(const std::string& text)> ShowNotice;
    // The folder dialog: the chosen folder, or nothing when cancelled. Until
    // the program installs one, choosing a folder is always cancelled.
    std::function<std::optional<std::string>(const std::string& title, const std::string& current)> SelectFolder;
    // Where option.ini lives (OptionIniPath() by default).
    std::string OptionIniFile;

    // ---- start-up and close ----
    // The start-up steps: output folder, stored skin, the formats of the first
    // category with their value lists, the snapshot folder.
    void FormCreate();
    // Makes the options dialog (owned by this form), which reads [Options].
    TOptionsForm* CreateOptionsDialog();
    // Detaches the task component's events and stops every task, waiting.
    void FormCloseQuery(bool& canClose);

    // ---- data ----
    TMainWindowData& Data() { return data_; }
    const TMainWindowData& Data() const { return data_; }
    TOptionIni& Ini() { return *ini_; }
    TskSkinData* SkinData() const override { return skSkinData1; }
    TskSkinData* ToolsSkinData() const { return skSkinData2; }
    TOptionsForm* OptionsDialog() const { return Form5; }
    TFFmpegTasks& Tasks() { return *FFTasks; }

    // ---- controls the workflow uses ----
    TskSkinOfficeComboBox* CategoryBox() const { return skSkinOfficeComboBox2; }
    TskSkinOfficeComboBox* FormatBox() const { return skSkinOfficeComboBox1; }
    TskSkinComboBox* ParameterBox(TParameterBox box) const { return boxes_[BoxIndex(box)]; }
    TskSkinListView* FileList() const { return lvFiles; }
    TskSkinEdit* OutputFolderEdit() const { return Video_OutPut_Folder_Edit; }
    TskSkinButton* BrowseButton() const { return skSkinButton5; }
    TskSkinButton* OpenFolderButton() const { return skSkinButton6; }
    TskSkinButton* OptionsButton() const { return skSkinButton19; }
    TskSkinPageControl* SettingsPages() const { return settingsPages_; }
    TskSkinPanel* EmptyListPanel() const { return skSkinPanel5; }
    TskSkinPanel* PreviewPanel() const { return skSkinPanelPreview; }
    TMainMenu* MainMenu() const { return skSkinMainMenu1; }
    // A menu item by its component name ("N4"), or null.
    TMenuItem* MenuItem(std::string_view name) const;

    // ---- commands ----
    TWorkflowState WorkflowState() const { return state_; }
    // Enables the command groups of the state.
    void SetWorkflowState(TWorkflowState state);
    // The stored skin index; a value outside the list is stored as 0.
    void ApplySkinIndex(int index);
    // "浏览": choose the output folder; "打开": open it.
    void BrowseOutputFolder();
    void OpenOutputFolder();
    // Shows the options dialog modally.
    void ShowOptions();

    // ---- list editing and row selection ----
    // "删除": removes the selected row and frees its own task.
    void RemoveSelectedRow();
    // "清空": every row and every task, without asking.
    void ClearRows();
    // Frees every task and forgets the rows' handles to them; whatever ends a
    // batch clears the tasks through this, so no row keeps a stale handle.
    void ClearAllTasks();
    // "上移" (-1) and "下移" (+1): the selected row changes places with its neighbour.
    void MoveSelectedRow(int step);
    // "重命名": the rename edit over the selected row's output name.
    void StartRenaming();
    // The rename edit lost the focus: takes its text as the new output name.
    void EndRenaming();
    // The list's OnSelectItem: the boxes show the selected row's settings.
    void RowSelected();
    // The empty-list picture shows exactly while the list has no rows.
    void UpdateEmptyListPicture();
    TskSkinEdit* RenameEdit() const { return edt; }
    // The preview panel: opens a file, or stops and rewinds.
    void OpenPreview(const std::string& path);
    void StopPreview();

    // ---- menus, skin choice, about box ----
    // "软件皮肤": the skin selection dialog; the index is stored either way.
    void ChooseSkin();
    TskSelectSkinDialog* SkinDialog() const { return skSelectSkinDialog1; }
    // "关于软件", modal.
    void ShowAbout();
    TForm2* AboutBox() const { return Form2; }
    void OpenHelpPage();
    void OpenHomePage();
    // Makes the about box and the output format dialog, after the options dialog.
    void CreateAboutBox();
    TForm6* CreateOutputFormatDialog();
    TForm6* OutputFormatDialog() const { return Form6; }

    // ---- what the output format dialog reaches ----
    TPendingOutputSettings& PendingOutputSettings() override { return data_.Pending; }
    void SetPresetKey(int key) override { formatDialogKey_ = key; }
    int FormatDialogPresetKey() const { return formatDialogKey_; }
    TPresetStepContext OutputNameContext() const override;

    // ---- preset chain ----
    // Fills the format box for the category box's position, then selects the
    // first format (which runs FormatChanged).
    void FillFormatBox();
    // The format box's OnChange: the six value lists, and for a selected row
    // its profile, box values, output extension and codes.
    void FormatChanged();
    // The value-list step: the preset key and the six boxes' lists.
    void FillParameterBoxesForKey();
    // The box step: the six box texts into the pending settings.
    void ApplyBoxTextsToPending();
    // One box's OnChange.
    void ParameterBoxChanged(TParameterBox box);
    // The selected row of the file list, or null.
    TListItem* SelectedRow() const;

private:
    void BuildSkins();
    void BuildImageLists();
    void BuildMenu();
    void BuildToolBar();
    void BuildFileList();
    void BuildListButtons();
    void BuildSettingsTabs();
    void BuildFormatTab(TWinControl& sheet);
    void BuildParameterTab(TWinControl& sheet);
    void BuildPreviewPanel();
    TskSkinButton* AddToolButton(const char* name, const char* caption, int image, int left);
    TskSkinButton* AddImageButton(TWinControl& parent, const char* name, const char* caption, int image, TRect bounds);
    void FocusFileList();
    void BuildRenameEdit();
    void HookRowCommands();
    void HookMenuCommands();
    void StoreSkinIndex();
    void ShowRowCommandsFor(bool rowsRemain);
    TskSkinOfficeComboBox* AddOfficeBox(TWinControl& parent, const char* name, TRect bounds);

    // Start-up steps.
    void ReadOutputFolder();
    void ReadStoredSkin();
    void MakeSnapshotFolder();
    bool StoreOutputFolder();
    void ShowOutputFolder(const std::string& folder);
    void Notice(const std::string& text);
    void WriteSelectedRowAfterFormatChange(TListItem& row, const std::string& extension);

    TMainWindowData data_;
    std::unique_ptr<TOptionIni> ini_;
    std::unique_ptr<TFFmpegTasks> FFTasks;
    TWorkflowState state_ = TWorkflowState::IdleEmpty;

    // Non-visual components.
    TskSkinForm* skSkinForm1 = nullptr;
    TskSkinData *skSkinData1 = nullptr, *skSkinData2 = nullptr;
    TskCompressedSkinList *skCompressedSkinList1 = nullptr, *skCompressedSkinList2 = nullptr;
    TskPngImageList *skPngImageList1 = nullptr, *skPngImageList3 = nullptr, *skPngImageList4 = nullptr,
                    *skPngImageList5 = nullptr;
    TMainMenu* skSkinMainMenu1 = nullptr;
    TskSkinPopupMenu* skSkinPopupMenu1 = nullptr;
    TOptionsForm* Form5 = nullptr;
    TForm2* Form2 = nullptr;
    TForm6* Form6 = nullptr;
    TskSelectSkinDialog* skSelectSkinDialog1 = nullptr;
    int formatDialogKey_ = 0;

    // Controls.
    TskSkinMainMenuBar* skSkinMainMenuBar1 = nullptr;
    TskSkinToolBar* skSkinToolBar2 = nullptr;
    TskSkinMenuSpeedButton* skSkinMenuSpeedButton1 = nullptr;
    TskSkinButton *skSkinButton2 = nullptr, *skSkinButton10 = nullptr, *skSkinButton11 = nullptr,
                  *skSkinButton12 = nullptr, *skSkinButton19 = nullptr;
    TskSkinPanel* fileListPanel_ = nullptr;
    TskSkinListView* lvFiles = nullptr;
    TskSkinPanel* skSkinPanel5 = nullptr;
    TskSkinPanel* skSkinPanel1 = nullptr;
    TskSkinButton *skSkinButton3 = nullptr, *skSkinButton4 = nullptr, *skSkinButton21 = nullptr,
                  *skSkinButton7 = nullptr, *skSkinButton8 = nullptr;
    TskSkinPageControl* settingsPages_ = nullptr;
    TskSkinOfficeComboBox *skSkinOfficeComboBox2 = nullptr, *skSkinOfficeComboBox1 = nullptr;
    TskSkinEdit* Video_OutPut_Folder_Edit = nullptr;
    TskSkinButton *skSkinButton5 = nullptr, *skSkinButton6 = nullptr;
    TPerBox<TskSkinComboBox*> boxes_{};
    TskSkinPanel* skSkinPanelPreview = nullptr;
    TskSkinEdit* edt = nullptr;
};

} // namespace tovrel
