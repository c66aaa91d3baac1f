#include "skin/shell/FileListBox.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSearch.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"
#include "platform/vcl/ControlTypes.h"
#include "skin/shell/DirectoryListBox.h"
#include "skin/shell/FileControlPaths.h"
#include "skin/shell/FileControlVolumes.h"
#include "skin/shell/FileMaskPatterns.h"
#include "skin/shell/FilterComboBox.h"

#include <cerrno>
#include <cstring>

namespace tovrel {

namespace {

// Rows from this position on show the hourglass while a long folder is read.
constexpr int kHourglassRow = 100;

constexpr int kAttributeBits[] = {faReadOnly, faHidden, faSysFile, faVolumeID, faDirectory, faArchive};

// The screen cursor as it was, put back however the listing ends.
class TScreenCursorKeeper {
public:
    TScreenCursorKeeper() : saved_(ScreenCursor()) {}
    ~TScreenCursorKeeper() { SetScreenCursor(saved_); }
    TScreenCursorKeeper(const TScreenCursorKeeper&) = delete;
    TScreenCursorKeeper& operator=(const TScreenCursorKeeper&) = delete;

private:
    TCursor saved_;
};

std::string AbsoluteFolder(const std::string& Base, const std::string& Dir)
{
    const std::string path = !Dir.empty() && Dir[0] == PathDelim ? Dir : PathJoin(Base, Dir);
    return ExcludeTrailingPathDelimiter(ExpandFileName(path));
}

} // namespace

TskSkinFileListBox::TskSkinFileListBox(TComponent* AOwner)
    : TskSkinListBox(AOwner), FDirectory(ExcludeTrailingPathDelimiter(ExpandFileName(".")))
{
    SetWidth(145);
    SetMultiSelect(false);
    SetSorted(true);
    SetTabStop(false);
}

void TskSkinFileListBox::CreateWnd()
{
    TskSkinListBox::CreateWnd();
    // A folder gone by now shows as an empty list; the error is for whoever
    // sets the folder, not for the window being made.
    try {
        ListFiles();
    } catch (const EInOutError&) {}
}

void TskSkinFileListBox::EnterFolder(const std::string& NewDir)
{
    const std::string folder = AbsoluteFolder(FDirectory, NewDir);
    if (folder == FDirectory)
        return;
    FDirectory = folder;
    ListFiles();
}

void TskSkinFileListBox::SetMask(const std::string& Value)
{
    if (Value == FMask)
        return;
    FMask = Value;
    ListFiles();
}

void TskSkinFileListBox::SetFileType(TskFileType Value)
{
    if (Value == FFileType)
        return;
    FFileType = Value;
    ListFiles();
}

void TskSkinFileListBox::SetFileEdit(TEdit* Value)
{
    FFileEdit = Value;
    if (Value) {
        const std::string name = SelectedName();
        Value->SetText(name.empty() ? FMask : name);
    }
}

void TskSkinFileListBox::SetFilterComboLink(TskSkinFilterComboBox* Value)
{
    FFilterCombo = Value;
}

std::string TskSkinFileListBox::Drive() const
{
    return VolumeRootOf(FDirectory, FileControlVolumes());
}

void TskSkinFileListBox::SetDrive(const std::string& Value)
{
    if (Value != Drive())
        ApplyFilePath(Value);
}

void TskSkinFileListBox::ApplyFilePath(const std::string& EditText)
{
    // Names differing only in case are two files here, so the text is
    // compared as it stands.
    if (EditText.empty() || EditText == FileName())
        return;
    const TEditPath target = ResolveEditPath(EditText, FDirectory);
    if (TskSkinDirectoryListBox* dirList = FDirList)
        dirList->SetDirectory(target.DirPart);
    // Just linked, the directory list may already show the folder.
    EnterFolder(target.DirPart);
    if (IsFileMask(target.FilePart)) {
        SetMask(target.FilePart);
        return;
    }
    if (target.FilePart.empty())
        return;
    SelectName(target.FilePart);
    if (ItemIndex() < 0 && FileExists(PathJoin(FDirectory, target.FilePart))) {
        // A file the mask hides is shown by making its name the mask.
        SetMask(target.FilePart);
        SelectName(target.FilePart);
    }
}

int TskSkinFileListBox::SearchAttributes() const
{
    int attr = 0;
    for (int member = skftReadOnly; member < skftNormal; ++member)
        if (FFileType.Contains(TskFileAttr(member)))
            attr |= kAttributeBits[member];
    return attr;
}

void TskSkinFileListBox::ListFiles()
{
    if (!HandleAllocated())
        return;
    const int attr = SearchAttributes();
    Clear();
    try {
        TScreenCursorKeeper cursor;
        ReadFolder(attr);
    } catch (const EInOutError&) {
        // What the list showed belonged to a folder it no longer shows.
        Clear();
        SelectionChanged();
        throw;
    }
    SelectionChanged();
}

void TskSkinFileListBox::ReadFolder(int Attr)
{
    if (!DirectoryExists(FDirectory))
        throw EInOutError(ENOENT, "The folder \"" + FDirectory + "\" does not exist");
    TSearchRec rec;
    // One pass over the folder and the mask's patterns as a whole: an entry
    // two patterns match is listed once.
    int found = FindFirst(PathJoin(FDirectory, "*"), Attr, rec);
    if (found != 0 && found != ENOENT)
        throw EInOutError(found, "Cannot read the folder \"" + FDirectory + "\": " + std::strerror(found));
    for (; found == 0; found = FindNext(rec)) {
        if (!FFileType.Contains(skftNormal) && (rec.Attr & Attr) == 0)
            continue;
        if (!MatchesFileMask(rec.Name, FMask))
            continue;
        const int row = Items()->Add((rec.Attr & faDirectory) ? "[" + rec.Name + "]" : rec.Name);
        if (row == kHourglassRow)
            SetScreenCursor(crHourGlass);
    }
    FindClose(rec);
}

std::string TskSkinFileListBox::SelectedName()
{
    const int index = ItemIndex();
    return index >= 0 && index < Items()->Count() ? Items()->Get(index) : std::string();
}

std::string TskSkinFileListBox::FileName()
{
    const std::string name = SelectedName();
    return name.empty() ? std::string() : PathJoin(FDirectory, name);
}

void TskSkinFileListBox::SelectName(const std::string& Name)
{
    if (Name == SelectedName())
        return;
    // Names differing only in case are two files here: the exact one wins.
    int index = -1;
    for (int i = 0; i < Items()->Count() && index < 0; ++i)
        if (Items()->Get(i) == Name)
            index = i;
    for (int i = 0; i < Items()->Count() && index < 0; ++i)
        if (LowerCase(Items()->Get(i)) == LowerCase(Name))
            index = i;
    SetItemIndex(index);
    SelectionChanged();
}

void TskSkinFileListBox::SelectionChanged()
{
    FLastSel = ItemIndex();
    if (TEdit* edit = FFileEdit) {
        const std::string name = SelectedName();
        edit->SetText(name.empty() ? FMask : name);
        edit->SelectAll();
    }
    if (OnChange)
        OnChange(this);
}

void TskSkinFileListBox::ListBoxClick()
{
    TskSkinListBox::ListBoxClick();
    if (ItemIndex() != FLastSel)
        SelectionChanged();
}

} // namespace tovrel
