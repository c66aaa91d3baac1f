#include "TempTree.h"

#include "platform/shell/ShellContextMenu.h"
#include "platform/shell/ShellEnvironment.h"
#include "platform/shell/ShellRoots.h"
#include "platform/shell/ShellUnit.h"

#include <gtest/gtest.h>

namespace tovrel::test {
namespace {

using test::ReadText;
using test::TScopedEnv;
using test::TTempTree;

class TRecordingView : public IbsShellVerbHandler {
public:
    void ExecuteCommand(const std::string& Verb, bool& Handled) override
    {
        Log += "execute " + Verb + ";";
        Handled = Verb == HandledVerb;
    }
    void CommandCompleted(const std::string& Verb, bool Succeeded) override
    {
        Log += "completed " + Verb + (Succeeded ? " ok;" : " failed;");
    }
    std::string HandledVerb;
    std::string Log;
};

class ShellVerbsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitializeShellUnit();
        ShellClipboard() = {};
        SetShellMenuPopup([this](const std::vector<TShellVerb>& verbs, TPoint) {
            shown.clear();
            for (const TShellVerb& v : verbs)
                shown += std::string(v.Verb) + " ";
            const auto found = std::find_if(verbs.begin(), verbs.end(), [&](auto& v) { return v.Verb == pick; });
            return found == verbs.end() ? 0 : found->Id;
        });
    }
    void TearDown() override
    {
        SetShellMenuPopup({});
        ShellClipboard() = {};
    }

    std::unique_ptr<TskShellFolder> Item(const std::string& path)
    {
        std::unique_ptr<TskShellFolder> none;
        TRoot root = path;
        return CreateFolderForRoot(none, "", root);
    }

    // Picks verb in the item's menu.
    void Choose(const std::string& path, const std::string& verb)
    {
        pick = verb;
        ShowItemContextMenu(&view, Item(path).get(), TPoint{10, 20});
    }

    TTempTree tree;
    TScopedEnv data{"XDG_DATA_HOME", tree.Folder("data")};
    TRecordingView view;
    std::string pick;
    std::string shown;
};

TEST_F(ShellVerbsTest, MenuOffersWhatTheItemAllows)
{
    tree.File("clip.mp4");
    Choose(tree.Path("clip.mp4"), "");
    EXPECT_EQ(shown, "open cut copy delete rename properties ");
    EXPECT_EQ(view.Log, "") << "nothing chosen, nothing run";
    Choose("rfMyComputer", "");
    EXPECT_EQ(shown, "open ");
}

TEST_F(ShellVerbsTest, HandledVerbDoesNotReachTheShell)
{
    const std::string file = tree.File("keep.txt");
    view.HandledVerb = "delete";
    Choose(file, "delete");
    EXPECT_EQ(ReadText(file), "x");
    EXPECT_EQ(view.Log, "execute delete;completed delete ok;");
}

TEST_F(ShellVerbsTest, DeleteMovesToTheTrash)
{
    const std::string file = tree.File("old.txt", "old");
    Choose(file, "delete");
    EXPECT_EQ(view.Log, "execute delete;completed delete ok;");
    EXPECT_EQ(ReadText(TrashFolder() + "/files/old.txt"), "old");
    EXPECT_EQ(ReadText(file), "");
}

TEST_F(ShellVerbsTest, CopyCutAndPasteNeverReplace)
{
    tree.Folder("to");
    const std::string file = tree.File("a.txt", "a");
    Choose(file, "copy");
    Choose(tree.Path("to"), "paste");
    EXPECT_EQ(ReadText(tree.Path("to/a.txt")), "a");
    view.Log.clear();
    Choose(tree.Path("to"), "paste");
    EXPECT_EQ(view.Log, "execute paste;completed paste failed;") << "the copy already there stays";

    tree.Folder("moved");
    Choose(file, "cut");
    Choose(tree.Path("moved"), "paste");
    EXPECT_EQ(ReadText(tree.Path("moved/a.txt")), "a");
    EXPECT_EQ(ReadText(file), "");
    EXPECT_TRUE(ShellClipboard().Paths.empty());
}

TEST_F(ShellVerbsTest, PropertiesGoToThePresenter)
{
    const std::string file = tree.File("p.txt");
    Choose(file, "properties");
    EXPECT_EQ(view.Log, "execute properties;completed properties failed;");
    std::string shownFor;
    SetShellPropertiesPresenter([&](const TskShellFolder& item) {
        shownFor = item.DisplayName();
        return true;
    });
    InvokeItemVerb(Item(file).get(), "PROPERTIES");
    EXPECT_EQ(shownFor, "p.txt");
    SetShellPropertiesPresenter({});
}

} // namespace
} // namespace tovrel::test
