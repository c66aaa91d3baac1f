// The context menu hook's default: the framework's popup menu, driven by
// synthetic keys while it tracks, returns the chosen verb; an installed popup
// presenter (the skinned popup) takes its place.
#include "TempTree.h"

#include "platform/shell/ShellContextMenu.h"
#include "platform/shell/ShellRoots.h"
#include "platform/shell/ShellUnit.h"
#include "platform/vcl/ControlTestSupport.h"
#include "platform/vcl/PopupMenuTracker.h"
#include "platform/wm/Keys.h"

#include <deque>

namespace tovrel::test {
namespace {

using test::TTempTree;

class TRecordingView : public IbsShellVerbHandler {
public:
    void ExecuteCommand(const std::string& Verb, bool& Handled) override
    {
        Log += "execute " + Verb + ";";
        Handled = true; // nothing runs on the file system
    }
    void CommandCompleted(const std::string&, bool) override {}
    std::string Log;
};

class ShellContextMenuTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        InitializeShellUnit();
        SetShellMenuPopup({});
        form = ShownForm(100, 100, 300, 200);
        const TWndMethod inherited = form->WindowProc;
        form->WindowProc = [this, inherited](TMessage& message) {
            if (message.Msg == WM_ENTERIDLE && message.WParam == MSGF_MENU && !keys.empty()) {
                const WORD key = keys.front();
                keys.pop_front();
                InjectKey(key, true);
                InjectKey(key, false);
            }
            inherited(message);
        };
        file = tree.File("clip.mp4");
    }

    // Shows the file's menu and types `typed` into it while it tracks.
    std::string ChooseByKeys(std::deque<WORD> typed)
    {
        keys = std::move(typed);
        std::unique_ptr<TskShellFolder> none;
        TRoot root = file;
        TRecordingView view;
        ShowItemContextMenu(&view, CreateFolderForRoot(none, "", root).get(), TPoint{150, 150});
        EXPECT_TRUE(keys.empty()) << "the menu closed before every key was typed";
        return view.Log;
    }

    TTempTree tree;
    std::string file;
    std::unique_ptr<TForm> form;
    std::deque<WORD> keys;
};

TEST_F(ShellContextMenuTest, PopupMenuReturnsTheVerbChosenByKeys)
{
    struct TCase {
        const char* Name;
        std::deque<WORD> Keys;
        const char* Runs;
    } const cases[] = {
        {"first row", {VK_DOWN, VK_RETURN}, "execute open;"},
        {"third row", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, "execute copy;"},
        {"up from the top wraps to the last", {VK_UP, VK_RETURN}, "execute properties;"},
        {"escape chooses nothing", {VK_DOWN, VK_ESCAPE}, ""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ChooseByKeys(c.Keys), c.Runs) << c.Name;
}

TEST_F(ShellContextMenuTest, PresenterShowsTheMenuInsteadOfThePlainOne)
{
    TPoint shownAt;
    std::vector<std::string> captions;
    SetPopupPresenter([&](TPopupMenu& menu, TPoint at) {
        shownAt = at;
        for (int i = 0; i < menu.Items()->Count(); ++i)
            captions.push_back(menu.Items()->Items(i)->Caption());
        return menu.Items()->Find("删除");
    });
    EXPECT_EQ(ChooseByKeys({}), "execute delete;");
    SetPopupPresenter(nullptr);
    EXPECT_EQ(shownAt.X, 150);
    EXPECT_EQ(captions, (std::vector<std::string>{"打开", "剪切", "复制", "删除", "重命名", "属性"}));
}

} // namespace
} // namespace tovrel::test
