#pragma once
// The file list box: the names of one folder's entries that match a mask
// (patterns joined by ";", each entry listed once however many patterns it
// matches) on the skinned list box, folders in brackets when asked for. A
// directory list tells it the folder, a filter combo box the mask, and a
// linked edit box shows the chosen name (or the mask while none is chosen);
// a typed path is applied with ApplyFilePath.
//
// The folder is held as an absolute path and read where it lies: the
// process's current folder is left alone, so other threads' relative paths
// keep their meaning. A folder that cannot be read empties the list and
// raises EInOutError naming it.
#include "platform/ctrls/Edit.h"
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/Set.h"
#include "skin/controls/SkinListBox.h"

#include <cstdint>
#include <string>

namespace tovrel {

class TskSkinDirectoryListBox;
class TskSkinFilterComboBox;

enum TskFileAttr : std::uint8_t {
    skftReadOnly,
    skftHidden,
    skftSystem,
    skftVolumeID,
    skftDirectory,
    skftArchive,
    skftNormal,
};
// skftNormal lists every entry the search returns; the others pick entries
// by their attributes (and let hidden, system entries and folders into the search).
using TskFileType = TSet<TskFileAttr>;

class TskSkinFileListBox : public TskSkinListBox {
public:
    explicit TskSkinFileListBox(TComponent* AOwner);

    // The folder listed: absolute, without a trailing "/" (but the root).
    const std::string& Directory() const { return FDirectory; }
    // Lists NewDir (relative to Directory when it is relative); the same
    // folder again does nothing. A folder that cannot be read becomes
    // Directory all the same, with an empty list and EInOutError.
    void EnterFolder(const std::string& NewDir);
    void SetDirectory(const std::string& Value) { ApplyFilePath(Value); }
    // The mount path of the volume of Directory.
    std::string Drive() const;
    // Another volume lists its root.
    void SetDrive(const std::string& Value);

    const std::string& Mask() const { return FMask; }
    // A different text (case counts) re-reads the folder.
    void SetMask(const std::string& Value);
    TskFileType FileType() const { return FFileType; }
    void SetFileType(TskFileType Value);
    TEdit* FileEdit() const { return FFileEdit; }
    void SetFileEdit(TEdit* Value);

    // The chosen row's text, or "".
    std::string SelectedName();
    // Directory joined with the chosen row's text, or "" when none is chosen.
    virtual std::string FileName();
    void SetFileName(const std::string& Value) { ApplyFilePath(Value); }
    // Applies a typed path (relative to Directory): its folder is entered
    // (through a linked directory list, which this list then follows), a
    // last part with "*" or "?" becomes the Mask, a file name is chosen (a
    // file the mask hides becomes the mask). A path that names nothing raises
    // EInOutError and changes nothing.
    virtual void ApplyFilePath(const std::string& EditText);
    // Chooses the row of Name (its exact text first, else without regard
    // to case), or none; then reports the choice.
    void SelectName(const std::string& Name);
    // Reads the folder again (not Update, which repaints every control).
    void UpdateFiles() { ListFiles(); }

    // Link points: the filter combo box and the directory list set them.
    TskSkinFilterComboBox* FilterCombo() const { return FFilterCombo; }
    void SetFilterComboLink(TskSkinFilterComboBox* Value);
    TskSkinDirectoryListBox* DirList() const { return FDirList; }

    TNotifyEvent OnChange;

    void ListBoxClick() override;

protected:
    void CreateWnd() override;
    // The choice was made or the rows changed: the edit box and OnChange hear of it.
    virtual void SelectionChanged();
    virtual void ListFiles();

private:
    friend class TskSkinDirectoryListBox;
    // The attribute bits of FileType (skftNormal has none).
    int SearchAttributes() const;
    void ReadFolder(int Attr);

    std::string FDirectory;
    std::string FMask = "*.*";
    TskFileType FFileType{skftNormal};
    TComponentRef<TEdit> FFileEdit{*this};
    TComponentRef<TskSkinFilterComboBox> FFilterCombo{*this};
    TComponentRef<TskSkinDirectoryListBox> FDirList{*this};
    int FLastSel = -1;
};

} // namespace tovrel
