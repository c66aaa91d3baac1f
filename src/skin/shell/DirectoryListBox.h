#pragma once
// The directory list box: the current folder as its path from the root
// (open-folder pictures), the folder itself (current-folder picture) and its
// sub-folders (closed-folder pictures, hidden ones left out). Opening a row
// (double click, Enter) enters that folder, hands it to a linked file list
// and shows it, shortened to fit, in a linked label. Like the file list box
// it holds its folder as an absolute path and never changes the process's
// current folder.
#include "platform/shell/MountTable.h"
#include "platform/vcl/ComponentRef.h"
#include "skin/controls/SkinListBox.h"

#include <memory>
#include <string>
#include <vector>

namespace tovrel {

class TBitmap;
class TskSkinDriveComboBox;
class TskSkinStdLabel;
class TskSkinFileListBox;

class TskSkinDirectoryListBox : public TskSkinListBox {
public:
    explicit TskSkinDirectoryListBox(TComponent* AOwner);
    ~TskSkinDirectoryListBox() override;

    TskSkinFileListBox* FileList() const { return FFileList; }
    // Links both ways; the old file list forgets this list.
    void SetFileList(TskSkinFileListBox* Value);
    TskSkinStdLabel* DirLabel() const { return FDirLabel; }
    // Stores the label and shows the folder in it at once.
    void SetDirLabel(TskSkinStdLabel* Value);
    // The drive combo box whose DirList this is, or null.
    TskSkinDriveComboBox* DriveCombo() const { return FDriveCombo; }

    const std::string& Directory() const { return FDirectory; }
    // Enters the folder (a path, relative to Directory, or a "[name]" row
    // of the file list); a linked drive combo box follows a
    // change of volume. EInOutError when it cannot be entered.
    virtual void SetDirectory(const std::string& Value);
    // The mount path of the volume of Directory.
    std::string Drive() const;
    void SetDrive(const std::string& Value);
    bool PreserveCase() const { return FPreserveCase; }
    bool CaseSensitive() const { return FCaseSensitive; }
    TNotifyEvent OnChange;

    // Rebuilds the rows from Directory (selecting the current folder when
    // the window exists).
    virtual void ListFolders();
    // The folder a row stands for; "" past the end, EListError below 0.
    std::string GetItemPath(int Index);
    // Hands Directory to the file list and the label, then OnChange.
    virtual void DirectoryChanged();
    // Enters the root of another volume (a volume that cannot be entered
    // keeps Directory) and reports, unless a Directory change is under way.
    void ChangeToDrive(const std::string& NewDrive);
    // Enters the folder of the selected row.
    void OpenCurrent();
    // Reads the folder again and reports.
    void ReloadFolders();
    std::string DisplayCase(const std::string& S) const;
    // 0 when A and B name the same folder on the volume of Directory.
    int FileCompareText(const std::string& A, const std::string& B) const;
    void UpdateDirLabel();

    int GetItemWidth(int Index, TCanvas& Cnvs) override;
    void ListBoxDblClick() override;
    void ListBoxKeyPress(char16_t& Key) override;

protected:
    void CreateWnd() override;

private:
    friend class TskSkinDriveComboBox;
    // Enters NewDir from Directory, lists it and reports.
    void EnterFolder(const std::string& NewDir);
    void DrawFolderItem(TCanvas& Cnvs, int Index, TRect R);
    // The picture's left indent and width of a row.
    void RowIndent(int Index, int& Indent, int& Width) const;

    TComponentRef<TskSkinFileListBox> FFileList{*this};
    TComponentRef<TskSkinDriveComboBox> FDriveCombo{*this};
    TComponentRef<TskSkinStdLabel> FDirLabel{*this};
    bool FInSetDir = false;
    bool FPreserveCase = true;
    bool FCaseSensitive = true;
    std::unique_ptr<TBitmap> ClosedBMP, OpenedBMP, CurrentBMP;
    std::string FDirectory;
};

} // namespace tovrel
