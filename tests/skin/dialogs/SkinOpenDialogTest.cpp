#include "OpenDialogDriver.h"

#include "platform/rtl/Files.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StringList.h"
#include "platform/wm/Keys.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/dialogs/OpenDialogNames.h"
#include "skin/dialogs/SkinOpenDialog.h"
#include "skin/shell/FilterComboBox.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class SkinOpenDialog : public OpenDialogTest {
protected:
    void SetUp() override
    {
        OpenDialogTest::SetUp();
        tree.Folder("clips");
        tree.File("clips/a.mp4");
        tree.File("clips/b.mp4");
        tree.File("clips/c.avi");
        tree.Folder("home");
    }
    // What a run saw when its form came up; the run is then cancelled.
    struct TSeen {
        std::string Folder;
        std::string Edit;
    };
    TSeen Opened()
    {
        TSeen seen;
        Answer(
            [&](TskOpenDlgForm& form) {
                seen = {form.FileListView->Path(), form.FileNameEdit->Text()};
                form.SetModalResult(mrCancel);
            },
            [&] { return dialog.Execute(); });
        return seen;
    }
    std::vector<std::string> Files() const
    {
        std::vector<std::string> files;
        for (int i = 0; i < dialog.Files()->Count(); ++i)
            files.push_back(dialog.Files()->Strings(i));
        return files;
    }
    TTempTree tree;
    TScopedEnv home{"HOME", tree.Path("home")};
    TskSkinOpenDialog dialog{nullptr};
};

// The dialog opens wherever the remembered file's folder went: the remembered
// folder while it exists, else the initial folder, else the home folder.
TEST_F(SkinOpenDialog, StartsInTheFirstFolderThatStillExists)
{
    struct TCase {
        const char* Name;
        std::string FileName, InitialDir, Folder, Edit;
    };
    const std::vector<TCase> cases = {
        {"remembered folder", tree.Path("clips/a.mp4"), tree.Root(), tree.Path("clips"), "a.mp4"},
        {"remembered folder deleted", tree.Path("gone/a.mp4"), tree.Path("clips"), tree.Path("clips"), "a.mp4"},
        {"initial folder missing too", tree.Path("gone/a.mp4"), tree.Path("missing"), tree.Path("home"), "a.mp4"},
        {"bare name, no initial folder", "a.mp4", "", tree.Path("home"), "a.mp4"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        dialog.SetFileName(c.FileName);
        dialog.InitialDir = c.InitialDir;
        const TSeen seen = Opened();
        EXPECT_EQ(seen.Folder, c.Folder);
        EXPECT_EQ(seen.Edit, c.Edit);
        EXPECT_EQ(dialog.FileName(), c.FileName) << "a cancelled run keeps the name";
        EXPECT_EQ(dialog.FDlgFrm, nullptr);
    }
}

TEST_F(SkinOpenDialog, ReturnsTheSelectedRowsOrTheTypedName)
{
    struct TCase {
        const char* Name;
        bool Multi;
        std::vector<const char*> Rows;
        std::string Typed;
        std::vector<std::string> Files;
    };
    const std::vector<TCase> cases = {
        {"one row", false, {"b.mp4"}, "", {tree.Path("clips/b.mp4")}},
        {"two rows", true, {"a.mp4", "c.avi"}, "", {tree.Path("clips/a.mp4"), tree.Path("clips/c.avi")}},
        // No row selected: the typed name is the result, in Files too.
        {"typed name", true, {}, "b.mp4", {tree.Path("clips/b.mp4")}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        dialog.MultiSelection = c.Multi;
        dialog.SetFileName(tree.Path("clips/"));
        const bool accepted = Answer(
            [&](TskOpenDlgForm& form) {
                for (const char* row : c.Rows)
                    SelectRows(form, {row});
                if (!c.Typed.empty()) {
                    form.FileNameEdit->SetText(c.Typed);
                    form.FileNameEdit->SetFocus();
                    Keys({VK_RETURN});
                } else {
                    form.OpenButtonClick(form.OpenButton);
                }
            },
            [&] { return dialog.Execute(); });
        EXPECT_TRUE(accepted);
        EXPECT_EQ(Files(), c.Files);
        EXPECT_EQ(dialog.FileName(), c.Files.front()) << "the first selected row";
    }
}

// A typed name of no file leaves the dialog open; Esc then cancels and the
// results stay as they were.
TEST_F(SkinOpenDialog, AMissingTypedNameKeepsTheDialogOpenAndEscCancels)
{
    dialog.SetFileName(tree.Path("clips/a.mp4"));
    bool stillOpen = false;
    const bool accepted = Answer(
        [&](TskOpenDlgForm& form) {
            form.FileNameEdit->SetText("none.mp4");
            form.FileNameEdit->SetFocus();
            Keys({VK_RETURN});
            Pump();
            stillOpen = form.ModalResult() == mrNone;
            Keys({VK_ESCAPE});
        },
        [&] { return dialog.Execute(); });
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(accepted);
    EXPECT_EQ(dialog.FileName(), tree.Path("clips/a.mp4"));
    EXPECT_EQ(dialog.Files()->Count(), 0);
}

// Size, view style and filter outlive a run, also a cancelled one.
TEST_F(SkinOpenDialog, RemembersSizeViewStyleAndFilterAcrossTwoOpenings)
{
    dialog.SetFileName(tree.Path("clips/a.mp4"));
    dialog.Filter = "Videos|*.mp4|AVI|*.avi";
    Answer(
        [&](TskOpenDlgForm& form) {
            EXPECT_EQ(form.ClientWidth(), 450);
            EXPECT_EQ(form.ClientHeight(), 290);
            EXPECT_TRUE(form.ListMenuItem->Checked());
            form.SetClientSize(600, 380);
            form.ReportItemClick(form.ReportMenuItem);
            form.FilterComboBox->SetItemIndex(1);
            form.SetModalResult(mrCancel);
        },
        [&] { return dialog.Execute(); });
    EXPECT_EQ(dialog.DialogWidth, 600);
    EXPECT_EQ(dialog.DialogHeight, 380);
    EXPECT_EQ(dialog.ListViewStyle, vsReport);
    EXPECT_EQ(dialog.FilterIndex, 2);

    Answer(
        [&](TskOpenDlgForm& form) {
            EXPECT_EQ(form.ClientWidth(), 600);
            EXPECT_EQ(form.ClientHeight(), 380);
            EXPECT_EQ(form.FileListView->ViewStyle(), vsReport);
            EXPECT_TRUE(form.ReportMenuItem->Checked());
            EXPECT_FALSE(form.ListMenuItem->Checked());
            EXPECT_EQ(form.FilterComboBox->Mask(), "*.avi");
            EXPECT_EQ(form.FileListView->FolderCount(), 1) << "only c.avi shows";
            form.SetModalResult(mrCancel);
        },
        [&] { return dialog.Execute(); });
}

// Up, then Back returns to the start; Back at the start does nothing. New
// folder skips a name that exists and numbers the next one.
TEST_F(SkinOpenDialog, WalksTheHistoryAndMakesNumberedNewFolders)
{
    tree.Folder("clips/New Folder");
    dialog.SetFileName(tree.Path("clips/a.mp4"));
    Answer(
        [&](TskOpenDlgForm& form) {
            form.BackToolButtonClick(nullptr);
            EXPECT_EQ(form.FileListView->Path(), tree.Path("clips"));
            form.UpToolButtonClick(nullptr);
            EXPECT_EQ(form.FileListView->Path(), tree.Root());
            form.BackToolButtonClick(nullptr);
            EXPECT_EQ(form.FileListView->Path(), tree.Path("clips"));
            EXPECT_EQ(form.FolderHistory.size(), 1u);

            form.NewFolderToolButtonClick(nullptr);
            form.NewFolderToolButtonClick(nullptr);
            EXPECT_TRUE(DirectoryExists(tree.Path("clips/New Folder(2)")));
            EXPECT_EQ(form.FileListView->ItemIndex(), RowOf(form, "New Folder(2)"));
            form.SetModalResult(mrCancel);
        },
        [&] { return dialog.Execute(); });
}

// In the list, Enter opens a folder or accepts a file and Backspace goes up;
// the dialog shows centred over the form that placed it.
TEST_F(SkinOpenDialog, KeysInTheListAndPlacementOverTheOwner)
{
    auto owner = ShownForm(100, 80, 640, 480);
    auto* placed = new TskSkinOpenDialog(owner.get());
    placed->SetFileName(tree.Root() + "/");
    const bool accepted = Answer(
        [&](TskOpenDlgForm& form) {
            EXPECT_NEAR(form.Left() + form.Width() / 2, 100 + 640 / 2, 1);
            EXPECT_NEAR(form.Top() + form.Height() / 2, 80 + 480 / 2, 1);
            form.FileListView->SetFocus();
            form.FileListView->SetItemIndex(RowOf(form, "clips"));
            Keys({VK_RETURN});
            Pump();
            EXPECT_EQ(form.FileListView->Path(), tree.Path("clips"));
            Keys({VK_BACK});
            Pump();
            EXPECT_EQ(form.FileListView->Path(), tree.Root());
            form.FileListView->SetItemIndex(RowOf(form, "clips"));
            Keys({VK_RETURN});
            Pump();
            form.FileListView->SetItemIndex(RowOf(form, "b.mp4"));
            Keys({VK_RETURN});
        },
        [&] { return placed->Execute(); });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(placed->FileName(), tree.Path("clips/b.mp4"));
}

TEST(OpenDialogNames, FilterMaskExtension)
{
    EXPECT_EQ(FilterMaskExtension("*.*"), "");
    EXPECT_EQ(FilterMaskExtension("*.mp4;*.*"), "");
    EXPECT_EQ(FilterMaskExtension("*.bmp"), ".bmp");
    EXPECT_EQ(FilterMaskExtension("*.jpg;*.jpeg"), ".jpg");
    EXPECT_EQ(DefaultExtension("txt", "*.bmp"), ".txt");
    EXPECT_EQ(DefaultExtension("", "*.bmp"), ".bmp");
}

} // namespace
} // namespace tovrel::test
