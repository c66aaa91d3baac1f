#include "OpenDialogBand.h"

#include "GalleryReportLines.h"
#include "HeadlessScreenshot.h"
#include "SkinGalleryReport.h"

#include "platform/backend/DesktopBackend.h"
#include "platform/rtl/MainThread.h"
#include "platform/rtl/Paths.h"
#include "platform/shell/FileOperations.h"
#include "platform/shell/ShellUnit.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Picture.h"
#include "platform/vcl/StringList.h"
#include "platform/wm/Backend.h"
#include "skin/controls/SkinButton.h"
#include "skin/dialogs/OpenDlgForm.h"
#include "skin/dialogs/SkinOpenDialog.h"
#include "skin/dialogs/SkinOpenPictureDialog.h"
#include "skin/shell/ShellListView.h"

#include <cstdlib>
#include <fcntl.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kWidth = 140, kHeight = 25, kGap = 10;
constexpr int kPictureWidth = 48, kPictureHeight = 32;

// A small picture with a few coloured bands, for the preview and for saving.
std::unique_ptr<TBitmap> SamplePicture()
{
    auto bitmap = std::make_unique<TBitmap>(kPictureWidth, kPictureHeight, TPixelFormat::pf24bit);
    TCanvas& c = *bitmap->Canvas();
    const TColor colours[] = {clTeal, clMaroon, clNavy, clOlive};
    for (int i = 0; i < 4; ++i) {
        c.Brush()->SetColor(colours[i]);
        c.FillRect(Rect(0, i * kPictureHeight / 4, kPictureWidth, (i + 1) * kPictureHeight / 4));
    }
    return bitmap;
}

// The band's own folder of files to pick, made at start and removed with
// the form.
class TDialogFixture : public TComponent {
public:
    explicit TDialogFixture(TComponent* owner) : TComponent(owner)
    {
        std::string pattern =
            std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/tovrel-dialogs-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make the dialogs' fixture folder");
        Root = pattern;
        ::mkdir((Root + "/clips").c_str(), 0755);
        for (const char* name : {"clips/a.mp4", "clips/b.mp4", "clips/c.avi", "readme.txt"}) {
            const int fd = ::open((Root + "/" + name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0)
                ::close(fd);
        }
        SamplePicture()->SaveToFile(Root + "/sample.bmp");
    }
    ~TDialogFixture() override { RemoveEntryTree(Root); }
    std::string Root;
};

// The screen point of the middle of each row and of the Open button, so a
// script can click them.
void NoteDialogPlaces(TForm& gallery, TskOpenDlgForm& dialog)
{
    TskSkinFileListView& list = *dialog.FileListView;
    NoteGalleryState(gallery, "opendlg.path", list.Path());
    for (int i = 0; i < list.FolderCount(); ++i) {
        const TRect r = list.Items()->Item(i)->DisplayRect(drBounds);
        const TPoint p = list.ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        std::ostringstream at;
        at << p;
        NoteGalleryState(gallery, "opendlg.row." + list.GetFolder(i)->DisplayName() + ".at", at.str());
    }
    TControl& open = *dialog.OpenButton;
    std::ostringstream at;
    at << open.ClientToScreen(Point(open.Width() / 2, open.Height() / 2));
    NoteGalleryState(gallery, "opendlg.open.at", at.str());
}

// With TOVREL_GALLERY_SHOTS set, the X screen goes to that folder once the
// dialog is up (desktop backend only).
void GrabDialog(const std::string& name)
{
    const char* folder = std::getenv("TOVREL_GALLERY_SHOTS");
    auto* desktop = dynamic_cast<TDesktopBackend*>(&Backend());
    if (!folder || !*folder || !desktop)
        return;
    // The dialog's first paint first.
    Application->ProcessMessages();
    gallery::DesktopScreenshot(*desktop, std::string(folder) + "/" + name + ".png");
}

void RunOpenDialog(TForm& gallery, TskSkinOpenDialog& dialog, const std::string& folder)
{
    // The first run starts in the fixture; later ones where the last file was.
    if (dialog.FileName().empty())
        dialog.SetFileName(folder + "/");
    NoteGalleryState(gallery, "opendlg.showing", "1");
    const bool accepted = dialog.Execute();
    NoteGalleryState(gallery, "opendlg.result", accepted ? "1" : "0");
    NoteGalleryState(gallery, "opendlg.files", std::to_string(dialog.Files()->Count()));
    for (int i = 0; i < dialog.Files()->Count(); ++i)
        NoteGalleryState(gallery, "opendlg.file." + std::to_string(i), dialog.Files()->Strings(i));
    NoteGalleryState(gallery, "opendlg.showing", "0");
}

// Writes the sample picture under the chosen name, in the kind its
// extension names, and reads it back.
void SavePicture(TForm& gallery, const std::string& fileName)
{
    try {
        auto graphic = TPicture::GraphicForExtension(ExtractFileExt(fileName));
        if (!graphic)
            throw std::runtime_error("no writer for " + fileName);
        graphic->Assign(SamplePicture().get());
        graphic->SaveToFile(fileName);
        TPicture readBack;
        readBack.LoadFromFile(fileName);
        NoteGalleryState(gallery, "savepic.readback",
                         std::to_string(readBack.Width()) + "x" + std::to_string(readBack.Height()));
    } catch (const std::exception& error) {
        NoteGalleryState(gallery, "savepic.error", error.what());
    }
}

void RunSaveDialog(TForm& gallery, TskSkinSavePictureDialog& dialog, const std::string& folder)
{
    if (dialog.FileName().empty())
        dialog.SetFileName(folder + "/sample.bmp");
    NoteGalleryState(gallery, "savepic.showing", "1");
    const bool accepted = dialog.Execute();
    NoteGalleryState(gallery, "savepic.result", accepted ? "1" : "0");
    if (accepted) {
        SavePicture(gallery, dialog.FileName());
        NoteGalleryState(gallery, "savepic.file", dialog.FileName());
    }
    NoteGalleryState(gallery, "savepic.showing", "0");
}

void AddSavePictureButton(TForm& form, TskSkinData* skin, int top, const std::string& folder)
{
    NoteGalleryState(form, "savepic.showing", "0");
    auto* dialog = new TskSkinSavePictureDialog(&form);
    dialog->SetSkinData(skin);
    dialog->SetCtrlSkinData(skin);
    dialog->Filter = "BMP文件 (*.bmp)|*.bmp|JPEG文件 (*jpg)|*.jpg|PNG (*.png)|*.png|GIF (*.gif)|*.gif";
    dialog->OnShow = [](TObject*) { TMainThread::Post([] { GrabDialog("savepic"); }); };
    auto* button = new TskSkinButton(&form);
    button->SetParent(&form);
    button->SetBounds(kLeft, top, kWidth, kHeight);
    // The report gives its place as button.Save picture.at.
    button->SetCaption("Save picture");
    button->SetSkinData(skin);
    button->OnClick = [&form, dialog, folder](TObject*) { RunSaveDialog(form, *dialog, folder); };
}

} // namespace

int AddOpenDialogButton(TForm& form, TskSkinData* skin, int top)
{
    InitializeShellUnit();
    auto* fixture = new TDialogFixture(&form);
    NoteGalleryState(form, "opendlg.folder", fixture->Root);
    NoteGalleryState(form, "opendlg.showing", "0");

    auto* dialog = new TskSkinOpenDialog(&form);
    dialog->SetSkinData(skin);
    dialog->SetCtrlSkinData(skin);
    dialog->MultiSelection = true;
    dialog->Filter = "Media files|*.mp4;*.avi|All files|*.*";
    // Rows move whenever the list opens another folder: note them after the
    // list has laid them out.
    dialog->OnFolderChange = [&form, dialog](TObject*) {
        TMainThread::Post([&form, dialog] {
            if (dialog->FDlgFrm && dialog->FDlgFrm->Visible())
                NoteDialogPlaces(form, *dialog->FDlgFrm);
        });
    };
    dialog->OnShow = [&form, dialog](TObject*) {
        TMainThread::Post([&form, dialog] {
            if (!dialog->FDlgFrm)
                return;
            NoteDialogPlaces(form, *dialog->FDlgFrm);
            GrabDialog("opendlg");
        });
    };

    auto* button = new TskSkinButton(&form);
    button->SetParent(&form);
    button->SetBounds(kLeft, top, kWidth, kHeight);
    // The report gives its place as button.Open dialog.at.
    button->SetCaption("Open dialog");
    button->SetSkinData(skin);
    const std::string folder = fixture->Root;
    button->OnClick = [&form, dialog, folder](TObject*) { RunOpenDialog(form, *dialog, folder); };
    AddSavePictureButton(form, skin, top + kHeight + kGap, folder);
    return 2 * kHeight + kGap;
}

} // namespace tovrel::skingallery
