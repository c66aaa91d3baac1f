#include "FileControlsBand.h"

#include "GalleryReportLines.h"
#include "ShellFixture.h"

#include "skin/controls/SkinStdLabel.h"
#include "skin/shell/DirectoryListBox.h"
#include "skin/shell/DriveComboBox.h"
#include "skin/shell/FileListBox.h"
#include "skin/shell/FilterComboBox.h"

#include <string>

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kBoxHeight = 22, kLabelHeight = 18, kListWidth = 290, kListHeight = 170, kGap = 20;

// Both video patterns match "访谈 第二集.MKV" (patterns ignore case): it is
// listed once.
constexpr const char* kFilter = "视频文件|*.mp4;*.mkv;*.MKV;*.avi|音频文件|*.mp3;*.wav|所有文件 (*.*)|*.*";

template <class T> T* Place(TForm& form, const char* name, TRect bounds, TskSkinData* skin)
{
    auto* control = new T(&form);
    control->SetName(name);
    control->SetParent(&form);
    control->SetBoundsRect(bounds);
    control->SetSkinData(skin);
    return control;
}

std::string Joined(TStrings& rows)
{
    std::string text;
    for (int i = 0; i < rows.Count(); ++i)
        text += (i ? "|" : "") + rows.Strings(i);
    return text;
}

// What each control shows: the drive, the directory list's folder, label
// and rows (the chosen one too), the file list's folder, mask and rows.
void WriteFileControlsState(std::ostream& out, TskSkinDriveComboBox& drives, TskSkinDirectoryListBox& dirs,
                            TskSkinStdLabel& label, TskSkinFileListBox& files, TskSkinFilterComboBox& filter)
{
    out << "files.drive=" << drives.Drive() << '\n'
        << "files.dir=" << dirs.Directory() << '\n'
        << "files.dirlabel=" << label.Caption() << '\n'
        << "files.dirrows=" << Joined(*dirs.Items()) << '\n'
        << "files.dirindex=" << dirs.ItemIndex() << '\n'
        << "files.folder=" << files.Directory() << '\n'
        << "files.mask=" << files.Mask() << '\n'
        << "files.filter=" << filter.Text() << '\n'
        << "files.rows=" << Joined(*files.Items()) << '\n';
}

} // namespace

int AddFileControls(TForm& form, TskSkinData* skin, int top)
{
    // Made before the controls, so it is removed after them.
    const std::string fixture = (new TTempShellFixture(&form))->Path();

    const int right = kLeft + kListWidth + kGap;
    auto* drives = Place<TskSkinDriveComboBox>(form, "filedrive", Bounds(kLeft, top, kListWidth, kBoxHeight), skin);
    auto* filter = Place<TskSkinFilterComboBox>(form, "filefilter", Bounds(right, top, kListWidth, kBoxHeight), skin);
    const int labelTop = top + kBoxHeight + 6, listTop = labelTop + kLabelHeight + 4;
    auto* label = Place<TskSkinStdLabel>(form, "filedirlabel", Bounds(kLeft, labelTop, kListWidth, kLabelHeight), skin);
    // Sized to its text; the path is fitted to the directory list's width.
    label->SetAutoSize(true);
    auto* dirs =
        Place<TskSkinDirectoryListBox>(form, "filedirs", Bounds(kLeft, listTop, kListWidth, kListHeight), skin);
    auto* files = Place<TskSkinFileListBox>(form, "filelist", Bounds(right, listTop, kListWidth, kListHeight), skin);

    drives->SetDirList(dirs);
    dirs->SetFileList(files);
    dirs->SetDirLabel(label);
    filter->SetFileList(files);
    filter->SetFilter(kFilter);
    // The filter hands its first mask over once its entries exist.
    filter->HandleNeeded();
    dirs->SetDirectory(fixture);

    dirs->OnChange = [](TObject*) { ReportChanged(); };
    files->OnChange = [](TObject*) { ReportChanged(); };
    AddReportLines([drives, dirs, label, files, filter](std::ostream& out) {
        WriteFileControlsState(out, *drives, *dirs, *label, *files, *filter);
    });
    return listTop + kListHeight - top;
}

} // namespace tovrel::skingallery
