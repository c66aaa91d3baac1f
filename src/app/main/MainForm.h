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
#include <vector>

#include "app/format/OutputFormatHost.h"
#include "app/main/CommandStates.h"
#include "app/main/MainWindowData.h"
#include "app/main/SnapshotFiles.h"
#include "app/main/SystemActions.h"
#include "app/presets/PresetCatalog.h"
#include "platform/vcl/Forms.h"

namespace tovrel {

class TFFPlayer;
class TCheckBox;
class TComboBox;
class TPanel;
class TTrackBar;
class TFFmpeg;
class TFFmpegTasks;
class TForm2;
class TForm6;
class TListItem;
struct TProgressInfo;
struct TTerminateInfo;
class TMainMenu;
class TMenuItem;
class TOptionIni;
class TOptionsForm;
class TPreviewScreen;
class TskSkinSavePictureDialog;
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
class TskSkinSlider;
class TskSkinStdLabel;
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
    // The open dialog for media files: the chosen files in the dialog's order,
    // none when cancelled. Until the program installs one, it is cancelled.
    std::function<std::vector<std::string>(bool several)> OpenMediaFiles;
    // The after-batch actions and the warning box; the program installs the
    // desktop's, tests their own. Without one, nothing runs.
    std::shared_ptr<ISystemActions> SystemActions;
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

    // ---- adding files ----
    void AddOneFile();
    void AddSeveralFiles();
    void AddFolder();
    // The add-time task of a row, or null (after a start, its rebuilt task
    // until the batch ends).
    static TFFmpeg* RowTask(const TListItem& row);
    // The log view's lines.
    const std::vector<std::string>& LogLines() const { return mmoLog; }

    // ---- run control ----
    void StartBatch();
    void StopBatch();
    void PauseBatch();
    void ResumeBatch();

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

    // ---- preview panel ----
    // Opens the file in the preview, paused on its first picture; selecting
    // a row calls it. False, with a notice, when the file cannot be played.
    // With "Open Paused" unchecked it plays at once.
    bool OpenPreview(const std::string& fileName);
    void PlayPreview();
    void PausePreview();
    // Back to the start of the file, paused; nothing without a file.
    void StopPreview();
    void SetPreviewMuted(bool muted);
    // The seek bar's press and release: pause, then seek to its place and play.
    void SeekBarPressed();
    void SeekBarReleased();
    TFFPlayer& Player() { return *FFPlayer; }
    const std::string& PreviewFile() const { return T_Movie_PLayer_FileName; }
    const std::vector<std::string>& PreviewLog() const { return mmoLog; }
    TPreviewScreen* PreviewScreen() const { return Panel6; }
    TskSkinSlider* SeekBar() const { return skSkinSlider1; }
    TskSkinStdLabel* DurationLabel() const { return Label2; }
    TskSkinStdLabel* PositionLabel() const { return Label3; }
    TskSkinButton* PlayButton() const { return skSkinButton13; }
    TskSkinButton* PauseButton() const { return skSkinButton14; }
    TskSkinButton* StopButton() const { return skSkinButton15; }
    TskSkinButton* MuteOnButton() const { return skSkinButton16; }
    TskSkinButton* MuteOffButton() const { return skSkinButton20; }
    TskSkinButton* SnapshotButton() const { return skSkinButton22; }
    TskSkinButton* SnapshotSettingsButton() const { return skSkinButton23; }
    TskSkinPopupMenu* SnapshotMenu() const { return skSkinPopupMenu2; }
    // The hidden settings panel (right of the client area): volume, screen
    // choice, open paused, stay on top, and the open file's streams.
    TPanel* PreviewSettingsPanel() const { return Panel5; }
    TTrackBar* VolumeBar() const { return TrackBar2; }
    TComboBox* ScreenBox() const { return cboScreens; }
    TComboBox* VideoStreamBox() const { return cboVideo; }
    TComboBox* AudioStreamBox() const { return cboAudio; }
    TComboBox* SubtitleStreamBox() const { return cboSubtitle; }
    TCheckBox* OpenPausedBox() const { return chkOpenPaused; }
    TCheckBox* StayOnTopBox() const { return chkStayOnTop; }
    // The control the last open sized the picture by, or null (the desktop's size).
    TWinControl* ScreenControl() const { return FScreenControl; }

    // ---- snapshots ----
    // The file chooser of the capture; nothing when cancelled. Runs the
    // save-picture dialog by default.
    std::function<std::optional<std::string>()> ChooseCaptureFile;
    // The previewed picture into the snapshot folder under the next free
    // number; the file written, or nothing (no picture, or a notice given).
    std::optional<std::string> TakeSnapshot();
    // The previewed picture under a name the user chooses, typed by its extension.
    std::optional<std::string> CaptureSnapshot();
    void OpenSnapshotFolder();
    void ChooseSnapshotFolder();
    void SetSnapshotType(TSnapshotType type);

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
    void BuildPreviewControls();
    void BuildSnapshotMenu();
    TskSkinButton* AddPreviewButton(const char* name, const char* hint, int image, TRect bounds);
    void ReopenPreview();
    void PreviewOpened(std::int64_t duration, int frameWidth, int frameHeight, int& screenWidth, int& screenHeight);
    void PreviewPosition(std::int64_t pts);
    void PreviewState(int state);
    void BuildPreviewSettings();
    void FillScreenList();
    // The screen control and the drivers from the settings panel, before an open.
    void PrepareOpen();
    TSize PreviewScreenSize() const;
    void FillStreamBoxes();
    void ApplyPreviewStateToForm(int state);
    void ShowSnapshotType(TSnapshotType type);
    std::optional<std::string> SaveSnapshot(const std::string& fileName, TSnapshotType type);
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

    // Adding and running.
    void HookRunCommands();
    bool LoadMediaLibraries();
    bool AddMediaFile(const std::string& file, std::string& failure);
    // Adds the files last to first; returns what failed, after reporting it
    // when asked.
    std::vector<std::string> AddFiles(const std::vector<std::string>& files, bool reportFailures = true);
    void Log(const std::string& line);
    void SelectLastRow();
    bool RebuildTasks();
    void EndOfBatch();
    TListItem* RowOfTask(int taskIndex) const;
    void TasksProgress(const TProgressInfo& info);
    void TasksTerminate(const TTerminateInfo& info);

    TMainWindowData data_;
    std::unique_ptr<TOptionIni> ini_;
    std::unique_ptr<TFFmpegTasks> FFTasks;
    TWorkflowState state_ = TWorkflowState::IdleEmpty;
    std::vector<std::string> mmoLog; // the log view: adding, running and the preview
    bool userStopped_ = false;

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

    // Preview panel and snapshots.
    TPreviewScreen* Panel6 = nullptr;
    TskSkinSlider* skSkinSlider1 = nullptr;
    TskSkinStdLabel *Label2 = nullptr, *Label3 = nullptr;
    TskSkinButton *skSkinButton13 = nullptr, *skSkinButton14 = nullptr, *skSkinButton15 = nullptr,
                  *skSkinButton16 = nullptr, *skSkinButton20 = nullptr, *skSkinButton22 = nullptr,
                  *skSkinButton23 = nullptr;
    TskSkinPopupMenu* skSkinPopupMenu2 = nullptr;
    TskSkinSavePictureDialog* SavePictureDialog1 = nullptr;
    std::string T_Movie_PLayer_FileName;
    std::int64_t FDuration = 0;
    bool seekBarDown_ = false;
    TPanel* Panel5 = nullptr;
    TTrackBar *TrackBar1 = nullptr, *TrackBar2 = nullptr;
    TComboBox *cboVideoDriver = nullptr, *cboAudioDriver = nullptr, *cboScreens = nullptr, *cboVideo = nullptr,
              *cboAudio = nullptr, *cboSubtitle = nullptr;
    TCheckBox *chkOpenPaused = nullptr, *chkStayOnTop = nullptr;
    TWinControl* FScreenControl = nullptr;
    // Last, so the player (and every event it delivers) ends before the rest.
    std::unique_ptr<TFFPlayer> FFPlayer;
};

} // namespace tovrel
