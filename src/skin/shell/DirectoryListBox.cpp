#include "skin/shell/DirectoryListBox.h"

#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Errors.h"
#include "skin/controls/SkinFlagGuard.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/draw/TextHelpers.h"
#include "skin/shell/DriveComboBox.h"
#include "skin/shell/FileControlPaths.h"
#include "skin/shell/FileControlPictures.h"
#include "skin/shell/FileControlVolumes.h"
#include "skin/shell/FileListBox.h"
#include "skin/shell/UpdateScope.h"

#include <algorithm>
#include <dirent.h>

namespace tovrel {

namespace {

constexpr char16_t kEnter = 13;

// The visible sub-folders of Parent, without regard to case (bytes break
// ties); dot names are hidden. A folder that cannot be read has none.
std::vector<std::string> ReadSubfolderNames(const std::string& Parent)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(Parent.c_str());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.starts_with('.'))
            continue;
        if (entry->d_type == DT_DIR ||
            ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) && FolderExists(PathJoin(Parent, name))))
            names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int byText = CompareText(a, b);
        return byText != 0 ? byText < 0 : a < b;
    });
    return names;
}

// The folder names of an absolute path, root first.
std::vector<std::string> PathLevels(const std::string& path)
{
    std::vector<std::string> levels;
    std::size_t start = 1;
    while (start < path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        if (slash > start)
            levels.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    return levels;
}

} // namespace

TskSkinDirectoryListBox::TskSkinDirectoryListBox(TComponent* AOwner)
    : TskSkinListBox(AOwner), ClosedBMP(MakeFileControlPicture(TFileControlPicture::ClosedFolder)),
      OpenedBMP(MakeFileControlPicture(TFileControlPicture::OpenFolder)),
      CurrentBMP(MakeFileControlPicture(TFileControlPicture::CurrentFolder)), FDirectory(CurrentFolder())
{
    OnDrawItem = [this](TCanvas& c, int index, int, int, TRect r, TOwnerDrawState) { DrawFolderItem(c, index, r); };
    SetWidth(145);
    SetSorted(false);
}

TskSkinDirectoryListBox::~TskSkinDirectoryListBox()
{
    if (FDriveCombo)
        FDriveCombo->SetDirList(nullptr);
    SetFileList(nullptr);
}

void TskSkinDirectoryListBox::CreateWnd()
{
    TskSkinListBox::CreateWnd();
    ListFolders();
}

void TskSkinDirectoryListBox::SetFileList(TskSkinFileListBox* Value)
{
    if (TskSkinFileListBox* old = FFileList; old && old != Value)
        old->FDirList = nullptr;
    FFileList = Value;
    if (Value)
        Value->FDirList = this;
}

void TskSkinDirectoryListBox::SetDirLabel(TskSkinStdLabel* Value)
{
    FDirLabel = Value;
    UpdateDirLabel();
}

std::string TskSkinDirectoryListBox::Drive() const
{
    return VolumeRootOf(FDirectory, FileControlVolumes());
}

void TskSkinDirectoryListBox::ListFolders()
{
    const std::vector<TVolume> volumes = FileControlVolumes();
    const std::string root = VolumeRootOf(FDirectory, volumes);
    const auto volume =
        std::find_if(volumes.begin(), volumes.end(), [&](const TVolume& v) { return v.MountPath == root; });
    const TVolumeCase rules = volume == volumes.end() ? TVolumeCase{} : VolumeCaseOf(volume->FileSystem);
    FPreserveCase = rules.PreserveCase;
    FCaseSensitive = rules.CaseSensitive;

    TStrings& rows = *Items();
    int current = 0;
    {
        TUpdateScope<TStrings> update(rows);
        rows.Clear();
        const std::vector<std::string> levels = PathLevels(FDirectory);
        rows.AddObject("/", levels.empty() ? CurrentBMP.get() : OpenedBMP.get());
        for (std::size_t i = 0; i < levels.size(); ++i)
            rows.AddObject(levels[i], i + 1 == levels.size() ? CurrentBMP.get() : OpenedBMP.get());
        current = rows.Count() - 1;
        for (const std::string& name : ReadSubfolderNames(FDirectory))
            rows.AddObject(name, ClosedBMP.get());
    }
    if (HandleAllocated()) {
        SetItemIndex(current);
        UpDateScrollBar();
    }
}

std::string TskSkinDirectoryListBox::GetItemPath(int Index)
{
    if (Index < 0)
        ListIndexError(Index);
    if (Index >= Items()->Count())
        return {};
    TObject* picture = Items()->Objects(Index);
    if (picture == ClosedBMP.get())
        return PathJoin(FDirectory, Items()->Strings(Index));
    if (picture == CurrentBMP.get())
        return FDirectory;
    // A level of the path: the path up to it.
    std::string path;
    const std::vector<std::string> levels = PathLevels(FDirectory);
    for (int i = 0; i < Index && i < int(levels.size()); ++i)
        path += "/" + levels[std::size_t(i)];
    return path.empty() ? "/" : path;
}

void TskSkinDirectoryListBox::SetDirectory(const std::string& Value)
{
    if (Value.empty() || FileCompareText(Value, FDirectory) == 0)
        return;
    const TEditPath target = ResolveEditPath(Value, FDirectory);
    if (target.Drive != Drive()) {
        TskFlagGuard inSetDir(FInSetDir);
        if (FDriveCombo)
            FDriveCombo->SetDrive(target.Drive);
        else
            ChangeToDrive(target.Drive);
    }
    EnterFolder(target.DirPart);
}

void TskSkinDirectoryListBox::SetDrive(const std::string& Value)
{
    if (Value != Drive())
        SetDirectory(Value);
}

void TskSkinDirectoryListBox::ChangeToDrive(const std::string& NewDrive)
{
    if (NewDrive == Drive())
        return;
    // A volume that cannot be entered (gone, no medium) keeps the folder.
    if (!NewDrive.empty()) {
        try {
            FDirectory = ResolveFolder(FDirectory, NewDrive);
        } catch (const EInOutError&) {}
    }
    if (!FInSetDir) {
        ListFolders();
        DirectoryChanged();
    }
}

void TskSkinDirectoryListBox::EnterFolder(const std::string& NewDir)
{
    FDirectory = ResolveFolder(FDirectory, NewDir);
    ListFolders();
    DirectoryChanged();
}

void TskSkinDirectoryListBox::DirectoryChanged()
{
    if (TskSkinFileListBox* files = FFileList)
        files->EnterFolder(FDirectory);
    UpdateDirLabel();
    if (OnChange)
        OnChange(this);
}

void TskSkinDirectoryListBox::OpenCurrent()
{
    SetDirectory(GetItemPath(ItemIndex()));
}

void TskSkinDirectoryListBox::ReloadFolders()
{
    ListFolders();
    DirectoryChanged();
}

std::string TskSkinDirectoryListBox::DisplayCase(const std::string& S) const
{
    return FPreserveCase || FCaseSensitive ? S : LowerCase(S);
}

int TskSkinDirectoryListBox::FileCompareText(const std::string& A, const std::string& B) const
{
    if (FCaseSensitive)
        return A.compare(B);
    return CompareText(A, B);
}

void TskSkinDirectoryListBox::UpdateDirLabel()
{
    TskSkinStdLabel* label = FDirLabel;
    if (!label)
        return;
    TCanvas& canvas = *label->Canvas();
    canvas.SetFont(label->Font());
    label->SetCaption(FitPathToWidth(FDirectory, canvas, label->AutoSize() ? Width() : label->Width()));
}

void TskSkinDirectoryListBox::RowIndent(int Index, int& Indent, int& Width) const
{
    Width = 16;
    Indent = 4 * Index + 2;
    auto* picture = dynamic_cast<TBitmap*>(const_cast<TskSkinDirectoryListBox*>(this)->Items()->Objects(Index));
    if (!picture)
        return;
    if (picture == ClosedBMP.get())
        Indent = 4 * (SlashCount(FDirectory) + 1) + 2;
    Width = picture->Width();
}

void TskSkinDirectoryListBox::DrawFolderItem(TCanvas& Cnvs, int Index, TRect R)
{
    if (Index < 0 || Index >= Items()->Count())
        return;
    const int x0 = ListBox->HorizontalExtentValue();
    int indent = 0, width = 0;
    RowIndent(Index, indent, width);
    if (auto* picture = dynamic_cast<TBitmap*>(Items()->Objects(Index))) {
        const int left = R.Left + indent - x0, top = (R.Top + R.Bottom - picture->Height()) / 2;
        Cnvs.BrushCopy(Rect(left, top, left + picture->Width(), top + picture->Height()), picture,
                       Rect(0, 0, picture->Width(), picture->Height()), picture->TransparentColor());
    }
    Cnvs.Brush()->SetStyle(bsClear);
    const RECT r = R;
    DrawItemTextIndent(Cnvs.Handle(), Items()->Strings(Index), r, width + indent + 4 - x0);
}

int TskSkinDirectoryListBox::GetItemWidth(int Index, TCanvas& Cnvs)
{
    int indent = 0, width = 0;
    RowIndent(Index, indent, width);
    return TskSkinListBox::GetItemWidth(Index, Cnvs) + indent + width + 4;
}

void TskSkinDirectoryListBox::ListBoxDblClick()
{
    TskSkinListBox::ListBoxDblClick();
    OpenCurrent();
}

void TskSkinDirectoryListBox::ListBoxKeyPress(char16_t& Key)
{
    TskSkinListBox::ListBoxKeyPress(Key);
    if (Key == kEnter)
        OpenCurrent();
}

} // namespace tovrel
