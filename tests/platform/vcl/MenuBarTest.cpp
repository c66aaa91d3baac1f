#include "ControlTestSupport.h"

#include "platform/gdi/SysColors.h"
#include "platform/vcl/MenuBar.h"
#include "platform/wm/Keys.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

// A form with "&File" (Open, a line, Exit) and "&Help" (About) on its bar.
class MenuBarTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(20, 20, 300, 200);
        menu = new TMainMenu(form.get());
        form->SetMenu(menu);
    }
    void AddItems()
    {
        TMenuItem* file = Item(menu->Items(), "&File");
        Item(file, "&Open");
        Item(file, "-");
        Item(file, "E&xit");
        Item(Item(menu->Items(), "&Help"), "&About");
        Pump();
    }
    TMenuItem* Item(TMenuItem* parent, const std::string& caption)
    {
        auto* item = new TMenuItem(form.get());
        item->SetCaption(caption);
        item->OnClick = [this, caption](TObject*) { log.push_back(caption); };
        parent->Add(item);
        return item;
    }
    TMenuBar& Bar() { return *form->MenuBar(); }
    static TPoint Centre(TRect r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
    int RowHeight() { return form->ClientOrigin().Y - 20; }
    bool DroppedDown() { return Bar().DropDown() && IsWindowVisible(Bar().DropDown()); }

    std::unique_ptr<TForm> form;
    TMainMenu* menu = nullptr;
    std::vector<std::string> log;
};

TEST_F(MenuBarTest, TheRowIsReservedDrawnAndHitWhileTheMenuHasItems)
{
    EXPECT_EQ(RowHeight(), 0) << "an empty menu takes no room";
    AddItems();
    ASSERT_EQ(RowHeight(), GetSystemMetrics(SM_CYMENU));
    const TRect file = Bar().ItemScreenRect(0);
    EXPECT_EQ(SendMessage(form->Handle(), WM_NCHITTEST, 0, LParamFromPoint(Centre(file))), HTMENU);
    bool captionDrawn = false;
    for (int x = file.Left; x < file.Right; ++x)
        for (int y = file.Top; y < file.Bottom; ++y)
            captionDrawn = captionDrawn || PixelAt(*form, x - 20, y - 20) == GetSysColor(COLOR_MENUTEXT);
    EXPECT_TRUE(captionDrawn);
    EXPECT_EQ(PixelAt(*form, file.Right + 60, file.Top + 1), GetSysColor(COLOR_MENU));

    menu->Items()->Items(1)->SetVisible(false);
    EXPECT_TRUE(Bar().ItemScreenRect(1).IsEmpty());
    menu->Items()->Items(1)->SetVisible(true);
    form->SetWidth(file.Right - 20 + 10);
    EXPECT_TRUE(Bar().ItemScreenRect(1).IsEmpty()) << "an item that does not fit the row is not shown";
    TObject::Free(menu);
    EXPECT_EQ(form->MenuBar(), nullptr);
    EXPECT_EQ(RowHeight(), 0) << "the row goes with the menu";
}

TEST_F(MenuBarTest, AClickOpensTheDropDownWithoutTakingTheFocusAndAClickOnAnItemRunsIt)
{
    AddItems();
    const HWND focus = GetFocus();
    Click(Centre(Bar().ItemScreenRect(0)));
    ASSERT_TRUE(DroppedDown());
    EXPECT_EQ(Bar().OpenIndex(), 0);
    EXPECT_EQ(GetActiveWindow(), form->Handle());
    EXPECT_EQ(GetFocus(), focus);

    Click(Centre(Bar().DropDownRowScreenRect(2)));
    EXPECT_FALSE(DroppedDown());
    EXPECT_EQ(log, std::vector<std::string>{"E&xit"});
}

TEST_F(MenuBarTest, TheBarOutlivesANewFormWindowAndClosesWhenTheFormHides)
{
    AddItems();
    Click(Centre(Bar().ItemScreenRect(0)));
    form->SetBorderStyle(bsSingle); // a new window, and with it a new owner for the drop-down
    Pump();
    EXPECT_FALSE(DroppedDown());
    Pump();
    EXPECT_GT(RowHeight(), GetSystemMetrics(SM_CYMENU)) << "caption, then the row";
    Click(Centre(Bar().ItemScreenRect(1)));
    ASSERT_TRUE(DroppedDown());
    form->Hide();
    EXPECT_FALSE(DroppedDown());
}

TEST_F(MenuBarTest, EscapeAPressElsewhereTheOpenItemOrAModalDialogCloseWithoutRunningAnything)
{
    AddItems();
    const TPoint file = Centre(Bar().ItemScreenRect(0)), help = Centre(Bar().ItemScreenRect(1));
    Click(file);
    Key(VK_ESCAPE);
    EXPECT_FALSE(DroppedDown());

    Click(file);
    Click(form->ClientToScreen({150, 150}));
    EXPECT_FALSE(DroppedDown());

    Click(file);
    Click(help);
    EXPECT_EQ(Bar().OpenIndex(), 1) << "a press on another item switches to it";
    Click(help);
    EXPECT_FALSE(DroppedDown());

    // A modal dialog opening disables the form, whose cancel mode closes the drop-down.
    Click(file);
    TForm dialog(nullptr);
    bool droppedDownInDialog = true;
    dialog.OnShow = [&](TObject*) {
        droppedDownInDialog = DroppedDown();
        dialog.SetModalResult(mrOk);
    };
    dialog.ShowModal();
    EXPECT_FALSE(droppedDownInDialog);
    EXPECT_TRUE(log.empty());
}

TEST_F(MenuBarTest, KeysOpenMoveAndChoose)
{
    AddItems();
    InjectKey(VK_MENU, true);
    Key('H');
    InjectKey(VK_MENU, false);
    Pump();
    ASSERT_EQ(Bar().OpenIndex(), 1) << "Alt+H opens &Help";
    Key(VK_RETURN);
    EXPECT_EQ(log, std::vector<std::string>{"&About"});

    Key(VK_F10);
    ASSERT_EQ(Bar().OpenIndex(), 0) << "F10 opens the first menu";
    Key(VK_RIGHT);
    EXPECT_EQ(Bar().OpenIndex(), 1);
    Key(VK_LEFT);
    Key(VK_DOWN); // past the line, from Open to Exit
    Key(VK_RETURN);
    EXPECT_FALSE(DroppedDown());
    EXPECT_EQ(log, (std::vector<std::string>{"&About", "E&xit"}));
}

} // namespace
} // namespace tovrel::test
