#include "SkinFormTestSupport.h"
#include "platform/vcl/Menus.h"
#include "platform/wm/Keys.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinMenuItem.h"
#include "skin/menus/SkinPopupWindow.h"

namespace tovrel::test {

class SystemMenuTest : public SkinFormTest {
protected:
    static std::vector<std::string> Names(TMenuItem* items)
    {
        std::vector<std::string> names;
        for (int i = 0; i < items->Count(); ++i)
            names.push_back(items->Items(i)->IsLine() ? "-" : items->Items(i)->Name());
        return names;
    }
    TPoint CaptionPoint() const { return Screen({60, 8}); }
};

TEST_F(SystemMenuTest, ItemsFollowTheFormState)
{
    TskSkinForm* skinForm = ShowSkinned(nullptr, Rect(50, 50, 450, 350));
    using Names_ = std::vector<std::string>;
    EXPECT_EQ(Names(skinForm->GetSystemMenuItems()),
              Names_({"BSF_MINITEM", "BSF_MAXITEM", "BSF_ROLLUP", "-", "BSF_CLOSE"}));
    EXPECT_EQ(skinForm->GetSystemMenuItems()->Items(0)->Caption(), "Mi&nimize");
    EXPECT_EQ(ShortCutToText(skinForm->GetSystemMenuItems()->Items(4)->ShortCut()), "Alt+F4");

    skinForm->ApplyWindowState(wsMaximized);
    Pump();
    // Roll-up stays for a maximized form that is not an MDI child.
    EXPECT_EQ(Names(skinForm->GetSystemMenuItems()),
              Names_({"BSF_MINITEM", "BSF_RESTORE", "BSF_ROLLUP", "-", "BSF_CLOSE"}));
    skinForm->ApplyWindowState(wsNormal);
    skinForm->ApplyRollUpState(true);
    Pump();
    EXPECT_EQ(Names(skinForm->GetSystemMenuItems()),
              Names_({"BSF_MINITEM", "BSF_MAXITEM", "BSF_RESTORE", "-", "BSF_CLOSE"}));
    skinForm->SetBorderIcons({});
    EXPECT_EQ(Names(skinForm->GetSystemMenuItems()), Names_({"BSF_RESTORE", "-", "BSF_CLOSE"}));
}

TEST_F(SystemMenuTest, AUserMenuGetsTheStandardItemsMergedOnce)
{
    TskSkinForm* skinForm = ShowSkinned(nullptr, Rect(50, 50, 450, 350));
    TPopupMenu user(nullptr);
    auto* own = new TMenuItem(&user);
    own->SetName("Own");
    user.Items()->Add(own);
    skinForm->SetSystemMenu(&user);
    using Names_ = std::vector<std::string>;
    // Opened again and again, the standard items are replaced, not added.
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(Names(skinForm->GetSystemMenuItems()),
                  Names_({"BSF_MINITEM", "BSF_MAXITEM", "BSF_ROLLUP", "Own", "BSF_CLOSE"}));
    skinForm->ApplyRollUpState(true);
    Pump();
    EXPECT_EQ(Names(skinForm->GetSystemMenuItems()),
              Names_({"BSF_MINITEM", "BSF_RESTORE", "BSF_MAXITEM", "Own", "BSF_CLOSE"}));
    skinForm->ApplyRollUpState(false);
    Pump();

    // Its items work as the default menu's do.
    skinForm->PopupSystemMenu(100, 100);
    TskSkinMenu& engine = *skinForm->SkinMenu();
    ASSERT_TRUE(engine.Visible());
    Key(VK_DOWN); // Maximize
    Key(VK_RETURN);
    EXPECT_EQ(skinForm->WindowState(), wsMaximized);
    skinForm->ApplyWindowState(wsNormal);
    Pump();

    skinForm->UseDefaultSysMenu = false;
    EXPECT_EQ(Names(skinForm->GetSystemMenuItems()).back(), "BSF_CLOSE") << "left as they were";
    // Given up, the user's menu keeps only its own items, and the default menu comes back.
    skinForm->SetSystemMenu(nullptr);
    EXPECT_EQ(Names(user.Items()), Names_({"Own"}));
    EXPECT_EQ(Names(skinForm->GetSystemMenuItems()),
              Names_({"BSF_MINITEM", "BSF_MAXITEM", "BSF_ROLLUP", "-", "BSF_CLOSE"}));
}

TEST_F(SystemMenuTest, TheMenuSettingsReachTheEngine)
{
    TskSkinForm* skinForm = ShowSkinned(nullptr, Rect(50, 50, 450, 350));
    TskSkinMenu& engine = *skinForm->SkinMenu();
    EXPECT_EQ(skinForm->MenusAlphaBlendValue(), 200);
    skinForm->SetMaxMenuItemsInWindow(3);
    skinForm->SetMaxMenuItemsInWindow(-1);
    skinForm->SetDefMenuItemHeight(24);
    skinForm->SetDefMenuItemHeight(0);
    skinForm->SetMenusAlphaBlend(true);
    skinForm->SetMenusAlphaBlendAnimation(true);
    skinForm->SetUseSkinFontInMenu(false);
    EXPECT_EQ(engine.MaxMenuItemsInWindow, 3);
    EXPECT_EQ(engine.DefaultMenuItemHeight, 24);
    EXPECT_TRUE(engine.AlphaBlend && engine.AlphaBlendAnimation && !engine.UseSkinFont);
    // The system menu's rows take the height.
    skinForm->PopupSystemMenu(100, 100);
    EXPECT_EQ(engine.Level(0)->ItemList[0]->Height(), 24);
    Key(VK_ESCAPE);
}

TEST_F(SystemMenuTest, ARightClickOnTheCaptionOpensItAndItsItemsAct)
{
    for (int skinIndex : {-1, 0}) {
        TskSkinForm* skinForm = ShowSkinned(skinIndex < 0 ? nullptr : LoadSkin(skinIndex), Rect(50, 50, 450, 350));
        ASSERT_EQ(HitAt({60, 8}), HTCAPTION);
        const TPoint at = CaptionPoint();
        InjectMouseButton(1, true, at);
        InjectMouseButton(1, false, at);
        Pump();
        TskSkinMenu& engine = *skinForm->SkinMenu();
        ASSERT_TRUE(engine.Visible()) << skinIndex;
        EXPECT_EQ(engine.Level(0)->Left(), at.X);
        EXPECT_EQ(engine.Level(0)->Top(), at.Y);
        EXPECT_EQ(engine.Level(0)->ItemList.size(), 5u);

        Key(VK_DOWN); // Maximize
        Key(VK_RETURN);
        EXPECT_FALSE(engine.Visible());
        EXPECT_EQ(skinForm->WindowState(), wsMaximized) << skinIndex;
    }
}

TEST_F(SystemMenuTest, MessagesThatEndMenusCloseIt)
{
    TskSkinForm* skinForm = ShowSkinned(nullptr, Rect(50, 50, 450, 350));
    TskSkinMenu& engine = *skinForm->SkinMenu();
    for (UINT message : {UINT(WM_CANCELMODE), UINT(WM_MOVE), UINT(WM_KILLFOCUS), UINT(WM_LBUTTONDOWN)}) {
        skinForm->PopupSystemMenu(100, 100);
        ASSERT_TRUE(engine.Visible());
        SendMessage(form->Handle(), message, 0, 0);
        EXPECT_FALSE(engine.Visible()) << message;
    }
    skinForm->PopupSystemMenu(100, 100);
    Click(Screen({200, 200})); // on the client
    EXPECT_FALSE(engine.Visible());
}

TEST_F(SystemMenuTest, AltSpaceOpensItUnderTheSystemMenuButton)
{
    TskSkinForm* skinForm = ShowSkinned(nullptr, Rect(50, 50, 450, 350));
    bool handled = false;
    form->OnShortCut(VK_SPACE, TShiftState{ssAlt}, handled);
    EXPECT_TRUE(handled);
    TskSkinMenu& engine = *skinForm->SkinMenu();
    ASSERT_TRUE(engine.Visible());
    for (auto& object : skinForm->Objects()) {
        auto* button = dynamic_cast<TskSkinStdButtonObject*>(object.get());
        if (button && button->Command == TskStdCommand::cmSysMenu) {
            EXPECT_EQ(engine.Level(0)->Top(), form->Top() + button->ObjectRect.Bottom);
        }
    }
    Key(VK_ESCAPE);
    EXPECT_FALSE(engine.Visible());
}

} // namespace tovrel::test

namespace tovrel::test {

TEST_F(SystemMenuTest, AFreedComponentGivesTheFormItsShortCutsBack)
{
    std::vector<WORD> keys;
    form = std::make_unique<TForm>(nullptr);
    form->OnShortCut = [&](WORD key, TShiftState, bool&) { keys.push_back(key); };
    auto* skinForm = new TskSkinForm(form.get());
    form->Show();
    Pump();
    skinForm->PopupSystemMenu(100, 100);
    ASSERT_TRUE(skinForm->SkinMenu()->Visible());
    delete skinForm; // with its menu open
    Pump();
    bool handled = false;
    form->OnShortCut(VK_SPACE, TShiftState{ssAlt}, handled);
    EXPECT_EQ(keys, std::vector<WORD>({WORD(VK_SPACE)}));
    EXPECT_FALSE(handled);
}

} // namespace tovrel::test
