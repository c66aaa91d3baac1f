#include "SelectFolderBand.h"

#include "GalleryReportLines.h"
#include "SkinGalleryReport.h"
#include "platform/rtl/MainThread.h"
#include "platform/shell/ShellEnvironment.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/dialogs/SelDirDlgForm.h"
#include "skin/dialogs/SelectDirectoryDialog.h"

#include <sstream>
#include <string>

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kWidth = 140, kHeight = 25;

std::string CentreText(TForm& form, TControl& control)
{
    std::ostringstream out;
    out << CentreInWindow(form, control);
    return out.str();
}

// Where the dialog's path edit and new-folder button are, relative to its
// window, once its form is up.
void NoteDialogShown(TForm& gallery, TskSkinSelectDirectoryDialog& dialog)
{
    TskSelDirDlgForm* form = dialog.Form();
    if (!form)
        return;
    NoteGalleryState(gallery, "selectfolder.edit.at", CentreText(*form, *form->DirEdit));
    NoteGalleryState(gallery, "selectfolder.newfolder.at", CentreText(*form, *form->NewFolderToolButton));
    NoteGalleryState(gallery, "selectfolder.showing", "1");
}

} // namespace

int AddSelectFolderButton(TForm& form, TskSkinData* skin, int top)
{
    auto* dialog = new TskSkinSelectDirectoryDialog(&form);
    dialog->SetSkinData(skin);
    dialog->SetCtrlSkinData(skin);
    dialog->ShowToolBar = true;
    dialog->Title = "选择目录";
    dialog->Directory = HomeFolder();
    auto* button = new TskSkinButton(&form);
    button->SetParent(&form);
    button->SetBounds(kLeft, top, kWidth, kHeight);
    // The report gives its place as button.SelectFolder.at.
    button->SetCaption("SelectFolder");
    button->SetSkinData(skin);
    button->OnClick = [&form, dialog](TObject*) {
        // The modal loop runs this once the form is up.
        TMainThread::Post([&form, dialog] { NoteDialogShown(form, *dialog); });
        const bool accepted = dialog->Execute();
        NoteGalleryState(form, "selectfolder.directory", dialog->Directory);
        NoteGalleryState(form, "selectfolder.result", accepted ? "ok" : "cancel");
        NoteGalleryState(form, "selectfolder.showing", "0");
    };
    NoteGalleryState(form, "selectfolder.showing", "0");
    return kHeight;
}

} // namespace tovrel::skingallery
