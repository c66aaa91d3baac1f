#include "SkinMenuTestSupport.h"
#include "platform/wm/ModalLoop.h"
#include "platform/wm/Window.h"

namespace tovrel::test {

class SkinMenuEngineTest : public SkinMenuTest {
protected:
    // File / [Open, Recent > (A, B), -, Close] with every click logged.
    void BuildMenu()
    {
        TMenuItem* items = menu->Items();
        Add(items, "&Open", &log);
        recent = Add(items, "&Recent", &log);
        Add(recent, "A", &log);
        Add(recent, "&B", &log);
        Add(items, "-", &log);
        Add(items, "&Close", &log);
    }
    // A key for a nested loop to take in (the loop pumps, not the step).
    static void Press(UINT vk)
    {
        InjectKey(vk, true);
        InjectKey(vk, false);
    }
    std::vector<std::string> log;
    TMenuItem* recent = nullptr;
};

TEST_F(SkinMenuEngineTest, KeysMoveAcrossLevelsAndPick)
{
    BuildMenu();
    Open(nullptr);
    ASSERT_TRUE(engine->Visible());
    EXPECT_EQ(Level(0).ActiveItem, 0);

    Key(VK_RIGHT); // a plain row has no sub-menu
    EXPECT_EQ(engine->LevelCount(), 1);
    Key(VK_DOWN);
    EXPECT_EQ(Level(0).ActiveItem, 1);
    EXPECT_EQ(engine->LevelCount(), 1) << "a sub-menu chosen by key waits for Right or Enter";
    Key(VK_RIGHT);
    ASSERT_EQ(engine->LevelCount(), 2);
    EXPECT_TRUE(Row(0, 1).Down);
    EXPECT_EQ(Level(1).ActiveItem, 0);
    Key(VK_LEFT);
    EXPECT_EQ(engine->LevelCount(), 1);
    EXPECT_FALSE(Row(0, 1).Down);
    Key(VK_LEFT); // nothing below the first level
    EXPECT_EQ(engine->LevelCount(), 1);

    Key(VK_DOWN); // over the divider
    EXPECT_EQ(Level(0).ActiveItem, 3);
    Key(VK_DOWN); // wraps to the first row
    EXPECT_EQ(Level(0).ActiveItem, 0);
    Key(VK_UP);
    EXPECT_EQ(Level(0).ActiveItem, 3);

    Key(VK_RETURN);
    EXPECT_FALSE(engine->Visible());
    EXPECT_EQ(engine->LevelCount(), 0);
    EXPECT_EQ(log, std::vector<std::string>({"&Recent", "&Close"})) << "Right clicks the sub-menu row";
}

TEST_F(SkinMenuEngineTest, AcceleratorsAndEscape)
{
    BuildMenu();
    Open(nullptr);
    Key('R'); // opens the sub-menu at once
    ASSERT_EQ(engine->LevelCount(), 2);
    EXPECT_EQ(log, std::vector<std::string>({"&Recent"})) << "a sub-menu row's own command runs as it opens";
    Key(VK_ESCAPE);
    EXPECT_EQ(engine->LevelCount(), 1);
    Key(VK_ESCAPE);
    EXPECT_FALSE(engine->Visible());

    Open(nullptr);
    Key(VK_RIGHT);
    Key('R');
    Key('B');
    EXPECT_FALSE(engine->Visible());
    EXPECT_EQ(log, std::vector<std::string>({"&Recent", "&Recent", "&B"}));
}

TEST_F(SkinMenuEngineTest, SubMenuOpensAfterTheHoverDelay)
{
    BuildMenu();
    Open(nullptr);
    MoveTo(RowCenter(0, 1));
    Tick(400);
    EXPECT_EQ(engine->LevelCount(), 1);
    MoveTo(RowCenter(0, 0)); // leaving early cancels the wait
    Tick(600);
    EXPECT_EQ(engine->LevelCount(), 1);

    MoveTo(RowCenter(0, 1));
    Tick(520);
    ASSERT_EQ(engine->LevelCount(), 2);
    EXPECT_EQ(Level(1).Left(), Level(0).Left() + Row(0, 1).ObjectRect.Right + 1) << "beside its parent row";
    EXPECT_EQ(Level(1).Top() + Level(1).NewItemsRect.Top, Level(0).Top() + Row(0, 1).ObjectRect.Top);

    MoveTo(RowCenter(0, 0)); // a plain row of the same level closes the sub-menu at once
    EXPECT_EQ(engine->LevelCount(), 1);
}

TEST_F(SkinMenuEngineTest, ClicksActOnReleaseAndTheCommandRunsAfterTheClose)
{
    BuildMenu();
    std::vector<std::string> order;
    TMenuItem* open = menu->Items()->Items(0);
    open->OnClick = [&](TObject*) {
        order.push_back(engine->Visible() || engine->LevelCount() ? "command while open" : "command");
        menu.reset(); // the handler frees the menu it came from
    };
    Open(nullptr);
    engine->OnMenuClose = [&](TObject*) { order.push_back("closed"); };
    const TPoint at = RowCenter(0, 0);
    MoveTo(at);
    InjectMouseButton(0, true, at);
    Pump();
    EXPECT_TRUE(engine->Visible()) << "pressing alone does not act";
    InjectMouseButton(0, false, at);
    Pump();
    Tick(100);
    EXPECT_EQ(order, std::vector<std::string>({"closed", "command"}));
    EXPECT_EQ(menu, nullptr);
    EXPECT_FALSE(engine->Visible());
}

TEST_F(SkinMenuEngineTest, ACommandRunningAModalLoopLeavesTheClickedLevelAliveUntilItReturns)
{
    BuildMenu();
    HWND level = nullptr;
    bool levelDuringCommand = false;
    menu->Items()->Items(0)->OnClick = [&](TObject*) {
        Pump(); // as a modal dialog's loop would: the closed level's release arrives
        levelDuringCommand = IsWindow(level);
    };
    Open(nullptr);
    level = Level(0).Handle();
    const TPoint at = RowCenter(0, 0);
    MoveTo(at);
    InjectMouseButton(0, true, at);
    Pump();
    InjectMouseButton(0, false, at);
    Pump();
    EXPECT_TRUE(levelDuringCommand) << "the level was freed inside its own mouse handler";
    Pump();
    EXPECT_FALSE(IsWindow(level)) << "the level is freed once its handler returned";
}

TEST_F(SkinMenuEngineTest, AHandlerFreeingTheEngineDoesNoHarm)
{
    BuildMenu();
    menu->Items()->Items(0)->OnClick = [&](TObject*) { engine.reset(); };
    Open(nullptr);
    Key(VK_RETURN);
    Tick(100);
    EXPECT_EQ(engine, nullptr);
}

TEST_F(SkinMenuEngineTest, APressOutsideClosesEveryLevel)
{
    BuildMenu();
    Open(nullptr);
    Key(VK_DOWN);
    Key(VK_RIGHT);
    ASSERT_EQ(engine->LevelCount(), 2);
    Click({form->Left() + 250, form->Top() + 180});
    EXPECT_FALSE(engine->Visible());
    EXPECT_EQ(engine->LevelCount(), 0);
    EXPECT_TRUE(log.size() == 1) << "only the sub-menu row's own command ran";
}

TEST_F(SkinMenuEngineTest, LongMenusScroll)
{
    for (int i = 0; i < 8; ++i)
        Add(menu->Items(), "Row " + std::to_string(i), &log);
    engine->MaxMenuItemsInWindow = 5;
    Open(nullptr);
    TskSkinPopupWindow& level = Level(0);
    ASSERT_TRUE(level.Scroll);
    EXPECT_EQ(level.VisibleCount, 5);
    EXPECT_EQ(level.Height(), 5 * 20 + 4 + 20);
    EXPECT_EQ(Row(0, 0).ObjectRect.Top, level.NewItemsRect.Top + kScrollZone);
    EXPECT_FALSE(Row(0, 5).FVisible);

    for (int i = 0; i < 5; ++i)
        Key(VK_DOWN); // past the last shown row
    EXPECT_EQ(level.ActiveItem, 5);
    EXPECT_EQ(level.VisibleStartIndex, 1);
    EXPECT_TRUE(Row(0, 5).FVisible);

    // Holding the bottom zone scrolls one row per step until the last row shows.
    MoveTo({level.Left() + 20, level.Top() + level.NewItemsRect.Bottom - 5});
    EXPECT_EQ(level.ScrollCode, 2);
    Tick(400);
    EXPECT_EQ(level.VisibleStartIndex, 3);
    EXPECT_EQ(level.ScrollCode, 0);
    EXPECT_TRUE(Row(0, 7).FVisible);

    Key(VK_ESCAPE);
    EXPECT_FALSE(engine->Visible());
}

TEST_F(SkinMenuEngineTest, AMenuTallerThanTheWorkAreaTakesItsHeight)
{
    for (int i = 0; i < 200; ++i)
        Add(menu->Items(), "Row " + std::to_string(i));
    Open(nullptr);
    TskSkinPopupWindow& level = Level(0);
    EXPECT_TRUE(level.Scroll);
    EXPECT_EQ(level.Height(), engine->WorkArea.Height());
    EXPECT_EQ(level.Top(), engine->WorkArea.Top);
}

TEST_F(SkinMenuEngineTest, TheDroppingControlHearsCloseAndCommandDone)
{
    BuildMenu();
    std::vector<UINT> heard;
    auto* button = Placed<TCustomControl>(*form, Rect(10, 10, 60, 30));
    auto saved = button->WindowProc;
    button->WindowProc = [&, saved](TMessage& m) {
        if (m.Msg == SkinMenuClosedMessage || m.Msg == SkinMenuCommandDoneMessage)
            heard.push_back(m.Msg);
        saved(m);
    };
    menu->PopupComponent = button;
    Open(nullptr);
    Key(VK_RETURN);
    EXPECT_EQ(heard, std::vector<UINT>({SkinMenuClosedMessage, SkinMenuCommandDoneMessage}));
    button->WindowProc = saved;
}

} // namespace tovrel::test

namespace tovrel::test {

// Installed as the presenter, the engine shows every TPopupMenu skinned until
// it has closed; the chosen item is clicked once the menu is gone, and the
// caller may free the menu right after Popup returns.
TEST_F(SkinMenuEngineTest, ThePresenterShowsPopupMenusSkinnedUntilClosed)
{
    BuildMenu();
    std::vector<std::function<void()>> steps = {
        [&] { Press(VK_DOWN); },
        [&] { Press(VK_RIGHT); },
        [&] {
            EXPECT_EQ(engine->LevelCount(), 2);
            Press(VK_DOWN);
        },
        [&] { Press(VK_RETURN); },
    };
    std::size_t next = 0;
    auto saved = form->WindowProc;
    form->WindowProc = [&, saved](TMessage& m) {
        if (m.Msg == WM_ENTERIDLE && m.WParam == MSGF_MENU) {
            if (next < steps.size())
                steps[next++]();
            else
                engine->Hide();
        }
        saved(m);
    };
    menu->PopupComponent = form.get();
    InstallSkinPopupPresenter(engine.get(), nullptr);
    menu->Popup(120, 120);
    InstallSkinPopupPresenter(nullptr, nullptr);
    form->WindowProc = saved;
    menu.reset();
    Pump();
    EXPECT_EQ(next, steps.size());
    EXPECT_FALSE(engine->Visible());
    EXPECT_EQ(log, std::vector<std::string>({"&Recent", "&B"}));
}

} // namespace tovrel::test
