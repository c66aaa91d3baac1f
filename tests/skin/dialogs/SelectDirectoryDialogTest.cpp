#include "MessageBoxDriver.h"

#include "../../platform/shell/TempTree.h"
#include "platform/rtl/Files.h"
#include "platform/shell/NamespaceFolders.h"
#include "platform/shell/ShellRoots.h"
#include "platform/shell/ShellUnit.h"
#include "platform/wm/Keys.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/dialogs/SelDirDlgForm.h"
#include "skin/dialogs/SelectDirectoryDialog.h"
#include "skin/shell/ShellTreeView.h"

#include <deque>
#include <string>
#include <vector>

namespace tovrel::test {
namespace {

// One step of a scripted run: done on the first modal form of its kind that
// becomes active (the folder form, or a message over it).
struct TStep {
    bool OnMessageBox = false;
    std::function<void(TForm&)> Act;
};

class SelectDirectoryDialogTest : public MessageBoxTest {
protected:
    void SetUp() override
    {
        MessageBoxTest::SetUp();
        InitializeShellUnit();
        for (const char* folder : {"videos", "videos/2024", "videos/2024/夏天", "output"})
            tree.Folder(folder);
        owner = ShownForm(200, 150, 640, 480);
        dialog = new TskSkinSelectDirectoryDialog(owner.get());
    }

    // Runs Execute with the steps armed; every step must have run.
    bool Run(std::vector<TStep> steps)
    {
        std::deque<TStep> pending(steps.begin(), steps.end());
        Application->OnMessage = [&](MSG&, bool&) {
            TCustomForm* active = Screen->ActiveForm();
            if (pending.empty() || !active || !active->Modal())
                return;
            const bool isBox = dynamic_cast<TskMessageForm*>(active) != nullptr;
            if (isBox != pending.front().OnMessageBox || (!isBox && !dynamic_cast<TskSelDirDlgForm*>(active)))
                return;
            const TStep step = pending.front();
            pending.pop_front();
            step.Act(*dynamic_cast<TForm*>(active));
        };
        const bool result = dialog->Execute();
        Application->OnMessage = nullptr;
        EXPECT_TRUE(pending.empty()) << pending.size() << " steps did not run";
        return result;
    }
    static TskSelDirDlgForm& Folders(TForm& form) { return dynamic_cast<TskSelDirDlgForm&>(form); }
    // Types a path into the edit and presses Enter there.
    static TStep TypeAndEnter(std::string text)
    {
        return {false, [text](TForm& form) {
                    TskSkinEdit& edit = *Folders(form).DirEdit;
                    edit.SetFocus();
                    edit.SetText(text);
                    Keys({VK_RETURN});
                }};
    }

    TTempTree tree;
    std::unique_ptr<TForm> owner;
    TskSkinSelectDirectoryDialog* dialog = nullptr;
};

// OK returns the folder selected in the tree: the start folder, or the one
// the user moved to; the form sits over the centre of its owner.
TEST_F(SelectDirectoryDialogTest, OkReturnsTheFolderSelectedInTheTree)
{
    dialog->Directory = tree.Path("videos");
    TPoint centre{};
    std::string startPath;
    EXPECT_TRUE(Run({{false, [&](TForm& form) {
                          centre = TPoint{form.Left() + form.Width() / 2, form.Top() + form.Height() / 2};
                          startPath = Folders(form).DirTreeView->Path();
                          // Down moves to the first child of the expanded start folder.
                          Keys({VK_DOWN, VK_RETURN});
                      }}}));
    EXPECT_EQ(startPath, tree.Path("videos"));
    EXPECT_EQ(dialog->Directory, tree.Path("videos/2024"));
    EXPECT_NEAR(centre.X, 200 + 640 / 2, 1);
    EXPECT_NEAR(centre.Y, 150 + 480 / 2, 1);
    EXPECT_EQ(dialog->Form(), nullptr);
}

// Enter in the path edit selects the typed folder and accepts it (a leading
// "~" is the home folder); the edit shows every folder selected in the tree.
TEST_F(SelectDirectoryDialogTest, EnterInThePathEditAcceptsTheTypedFolder)
{
    dialog->ShowToolBar = true;
    dialog->Directory = tree.Path("videos");
    std::string shown;
    EXPECT_TRUE(Run({{false, [&](TForm& form) {
                          shown = Folders(form).DirEdit->Text();
                          TypeAndEnter(tree.Path("videos/2024/夏天") + "  ").Act(form);
                      }}}));
    EXPECT_EQ(shown, tree.Path("videos"));
    EXPECT_EQ(dialog->Directory, tree.Path("videos/2024/夏天"));

    TScopedEnv home{"HOME", tree.Root()};
    EXPECT_TRUE(Run({TypeAndEnter("~/output")}));
    EXPECT_EQ(dialog->Directory, tree.Path("output"));

    // An empty edit leaves Enter to OK, which takes the tree's folder.
    EXPECT_TRUE(Run({TypeAndEnter("")}));
    EXPECT_EQ(dialog->Directory, tree.Path("output"));
}

// A typed path that names no folder is named in a message; the dialog stays
// open on its folder, and Esc then leaves Directory as it was.
TEST_F(SelectDirectoryDialogTest, ATypedPathThatIsNoFolderIsNamedAndTheDialogStays)
{
    const std::string file = tree.File("videos/clip.mp4");
    const struct {
        std::string Typed;
        std::string Says;
    } cases[] = {
        {tree.Path("videos/gone"), "文件夹不存在：\"" + tree.Path("videos/gone") + "\""},
        {file, "这不是文件夹：\"" + file + "\""},
        {"videos/2024", "请输入文件夹的完整路径（以 / 开头）：\"videos/2024\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        dialog->ShowToolBar = true;
        dialog->Directory = tree.Path("videos");
        std::string said, stillAt;
        EXPECT_FALSE(Run({TypeAndEnter(c.Typed),
                          {true,
                           [&](TForm& box) {
                               said = dynamic_cast<TskMessageForm&>(box).Message->Caption();
                               Keys({VK_RETURN});
                           }},
                          {false, [&](TForm& form) {
                               stillAt = Folders(form).DirTreeView->Path();
                               Keys({VK_ESCAPE});
                           }}}));
        EXPECT_EQ(said, c.Says);
        EXPECT_EQ(stillAt, tree.Path("videos"));
        EXPECT_EQ(dialog->Directory, tree.Path("videos"));
    }
}

// The default button shows while the tree has the focus: its panel paints
// around it, never over it.
TEST_F(SelectDirectoryDialogTest, TheDefaultButtonShowsWhileTheTreeHasTheFocus)
{
    int drawn = 0;
    EXPECT_FALSE(Run({{false, [&](TForm& form) {
                           Pump();
                           TskSelDirDlgForm& f = Folders(form);
                           EXPECT_TRUE(f.DirTreeView->Focused());
                           const TPoint origin = form.ScreenToClient(f.OkButton->ClientOrigin());
                           // The client area's place in the window's picture.
                           const TPoint window{form.ClientOrigin().X - form.Left(), form.ClientOrigin().Y - form.Top()};
                           const int y = window.Y + origin.Y + f.OkButton->Height() / 2;
                           const COLORREF panel = PixelAt(form, window.X + origin.X - 3, y);
                           for (int x = 0; x < f.OkButton->Width(); ++x)
                               drawn += PixelAt(form, window.X + origin.X + x, y) != panel ? 1 : 0;
                           Keys({VK_ESCAPE});
                       }}}));
    EXPECT_GT(drawn, 4) << "the button's frame and caption";
}

// A start folder that is gone opens on the computer; the client size at
// closing is the next run's, also after Cancel.
TEST_F(SelectDirectoryDialogTest, AMissingStartFolderOpensOnTheComputerAndTheSizeIsKept)
{
    dialog->Directory = tree.Path("deleted");
    std::string selected;
    EXPECT_FALSE(Run({{false, [&](TForm& form) {
                           selected = Folders(form).DirTreeView->Path();
                           form.SetClientSize(333, 299);
                           Keys({VK_ESCAPE});
                       }}}));
    EXPECT_EQ(selected, CreateFolderForID(SpecialFolderLocation(TRootFolder::rfMyComputer).get())->PathName());
    EXPECT_EQ(dialog->Directory, tree.Path("deleted"));
    EXPECT_EQ(dialog->DialogWidth, 333);
    EXPECT_EQ(dialog->DialogHeight, 299);

    TPoint size{};
    EXPECT_FALSE(Run({{false, [&](TForm& form) {
                           size = TPoint{form.ClientWidth(), form.ClientHeight()};
                           Keys({VK_ESCAPE});
                       }}}));
    EXPECT_EQ(size.X, 333);
    EXPECT_EQ(size.Y, 299);
}

// The new-folder button makes "New Folder" in the selected folder and shows
// it under its node; a second click finds it there and does nothing.
TEST_F(SelectDirectoryDialogTest, NewFolderButtonMakesTheFolderOnceAndShowsIt)
{
    dialog->ShowToolBar = true;
    dialog->Directory = tree.Path("output");
    std::vector<std::string> children;
    std::string selected;
    EXPECT_FALSE(Run({{false, [&](TForm& form) {
                           TskSelDirDlgForm& f = Folders(form);
                           ClickOn(form, "NewFolderToolButton");
                           ClickOn(form, "NewFolderToolButton");
                           Pump();
                           TTreeNode* node = f.DirTreeView->Selected();
                           for (int i = 0; node && i < node->Count(); ++i)
                               children.push_back(node->Item(i)->Text());
                           selected = f.DirTreeView->Path();
                           Keys({VK_ESCAPE});
                       }}}));
    EXPECT_TRUE(DirectoryExists(tree.Path("output/New Folder")));
    EXPECT_EQ(children, std::vector<std::string>{"New Folder"});
    EXPECT_EQ(selected, tree.Path("output"));
}

} // namespace
} // namespace tovrel::test
