#pragma once
// The open dialog component: Execute builds a skinned open dialog form in
// the caller's skins, shows it modally over the owner's form, copies the
// chosen names back and frees the form. Size, filter and view style are
// remembered from one run to the next, cancelled or not.
#include "platform/ctrls/ListView.h"
#include "platform/vcl/ComponentRef.h"
#include "skin/data/SkinData.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tovrel {

class TFont;
class TStringList;
class TskOpenDlgForm;

// What the open dialog and the picture dialogs share: their settings, the
// run of Execute and the results. The picture dialogs add their preview
// through the protected steps.
class TskCustomOpenDialog : public TComponent {
public:
    explicit TskCustomOpenDialog(TComponent* AOwner);
    ~TskCustomOpenDialog() override;

    bool ShowHiddenFiles = false;
    bool ToolButtonsTransparent = false;
    // Save mode: ask before accepting a name that exists.
    bool OverwritePromt = false;
    // The client size of the next run (0 or less: the default size);
    // rewritten after every run.
    int DialogWidth = 0;
    int DialogHeight = 0;
    int DialogMinWidth = 0;
    int DialogMinHeight = 0;
    bool CheckFileExists = true;
    bool MultiSelection = false;
    bool AlphaBlend = false;
    std::uint8_t AlphaBlendValue = 225;
    bool AlphaBlendAnimation = false;
    // The frame's menus (the combo boxes' lists open opaque here).
    bool CtrlAlphaBlend = false;
    std::uint8_t CtrlAlphaBlendValue = 225;
    bool CtrlAlphaBlendAnimation = false;
    std::string LVHeaderSkinDataName = "resizebutton";
    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value) { FSkinData = Value; }
    // The controls' skin and the source of every text.
    TskSkinData* CtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TskSkinData* Value) { FCtrlSkinData = Value; }
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(const TFont* Value);
    std::string Title = "Open file";
    std::string InitialDir;
    std::string Filter = "All files|*.*";
    // 1-based; rewritten after every run.
    int FilterIndex = 1;
    const std::string& FileName() const { return FFileName; }
    virtual void SetFileName(const std::string& Value) { FFileName = Value; }
    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

    // Full paths of the chosen files after an accepted run: the selected
    // file rows, or the accepted name when no file row was selected.
    TStringList* Files() const { return FFiles.get(); }
    // The list's view style at the next run; rewritten after every run.
    TViewStyle ListViewStyle = vsList;
    bool FSaveMode = false;
    TNotifyEvent FOnChange;
    // The form while Execute runs.
    TskOpenDlgForm* FDlgFrm = nullptr;

    // True when the dialog closed with a name accepted.
    bool Execute();

protected:
    virtual TskOpenDlgForm* CreateForm();
    // Right after the filter box has its filter and selection.
    virtual void FilterApplied(TskOpenDlgForm&) {}
    virtual int DefaultClientWidth() const { return 450; }
    // Right after the client size is set.
    virtual void SizeApplied(TskOpenDlgForm&) {}
    // Before the name edit is filled from FileName.
    virtual void BeforeNameShown(TskOpenDlgForm&) {}
    // When the modal loop has ended, before the common values are read back.
    virtual void ReadBack(TskOpenDlgForm&) {}

    std::string DefaultExt;
    TNotifyEvent OnFolderChange;
    std::string FFileName;

private:
    void PrepareForm(TskOpenDlgForm& form);
    void SetStartFolder(TskOpenDlgForm& form);
    void SetClientSize(TskOpenDlgForm& form);
    void CentreOnOwner(TskOpenDlgForm& form);
    void StoreResults(TskOpenDlgForm& form);

    TComponentRef<TskSkinData> FSkinData{*this};
    TComponentRef<TskSkinData> FCtrlSkinData{*this};
    std::unique_ptr<TFont> FDefaultFont;
    std::unique_ptr<TStringList> FFiles;
};

class TskSkinOpenDialog : public TskCustomOpenDialog {
public:
    using TskCustomOpenDialog::TskCustomOpenDialog;

    // The extension, without the dot, for typed names without one.
    using TskCustomOpenDialog::DefaultExt;
    // Raised by the form each time the list opens a folder or a row changes.
    using TskCustomOpenDialog::OnFolderChange;
    // While the dialog runs, also writes the whole value into the name edit.
    void SetFileName(const std::string& Value) override;
    // The file selected in the running dialog's list; "" without a dialog.
    std::string GetSelectedFile() const;
};

} // namespace tovrel
