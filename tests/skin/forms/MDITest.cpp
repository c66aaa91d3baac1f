#include "SkinFormTestSupport.h"
#include "platform/vcl/MDIClient.h"
#include "platform/vcl/Menus.h"
#include "skin/forms/MDIArrange.h"
#include "skin/forms/MenuBarMDIButton.h"
#include "skin/forms/SkinMDIFrame.h"
#include "skin/forms/SkinMDITabsBar.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/menus/SkinPopupMenu.h"

#include <string>
#include <vector>

namespace tovrel::test {

TEST(MDIArrangeTest, TileFillsColumnsFromTheRight)
{
    // Five children: two columns, the right one holds the last three.
    const std::vector<TRect> five = TileRects(5, 600, 600);
    const std::vector<TRect> expected = {Bounds(0, 0, 300, 300), Bounds(0, 300, 300, 300), Bounds(300, 0, 300, 200),
                                         Bounds(300, 200, 300, 200), Bounds(300, 400, 300, 200)};
    EXPECT_EQ(five, expected);
    EXPECT_EQ(TileRects(1, 400, 300), std::vector<TRect>{Bounds(0, 0, 400, 300)});
    EXPECT_TRUE(TileRects(0, 400, 300).empty());
}

TEST(MDIArrangeTest, CascadeStepsFromTheLastChild)
{
    const std::vector<TskCascadeChild> three(3);
    const std::vector<TRect> r = CascadeRects(three, 1000, 700, 30, 100, 50);
    EXPECT_EQ(r[2], Bounds(0, 0, 940, 640));
    EXPECT_EQ(r[1], Bounds(30, 30, 940, 640));
    EXPECT_EQ(r[0], Bounds(60, 60, 940, 640));
    // A fixed-size child keeps its size; a zero step (no caption band) still steps.
    const std::vector<TRect> fixed = CascadeRects({{200, 100, true}, {}}, 1000, 700, 0, 0, 0);
    EXPECT_EQ(fixed[0], Bounds(1, 1, 200, 100));
}

class MDITest : public SkinFormTest {
protected:
    // A frame with a menu bar, a tab bar and three skinned children, skinned by `data`.
    void ShowFrame(TskSkinData* data)
    {
        skinForm = ShowSkinned(data, Rect(20, 20, 820, 620));
        menu = new TMainMenu(form.get());
        windowMenu = new TMenuItem(menu);
        windowMenu->SetCaption("&Window");
        menu->Items()->Add(windowMenu);
        bar = new TskSkinMainMenuBar(form.get());
        bar->SetAlign(alTop);
        bar->SetParent(form.get());
        bar->SetSkinForm(skinForm);
        skinForm->SetMainMenuBar(bar);
        bar->SetSkinData(data);
        bar->SetMainMenu(menu);
        tabs = new TskSkinMDITabsBar(form.get());
        tabs->SetAlign(alTop);
        tabs->SetTop(100);
        tabs->SetParent(form.get());
        tabs->SetSkinData(data);
        client = new TMDIClient(form.get());
        client->SetParent(form.get());
        frame = new TskSkinMDIFrame(form.get());
        frame->SetWindowMenu(windowMenu);
        frame->SetMDITabsBar(tabs);
        frame->SetClient(client);
        for (const char* name : {"One", "Two", "Three"}) {
            auto* child = new TForm(form.get());
            child->SetName(name);
            child->SetCaption(name);
            child->SetBounds(10, 10, 300, 200);
            child->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
            new TskSkinForm(child);
            GetSkinForm(child)->SetSkinData(data);
            client->AddChild(child);
            child->Show();
            children.push_back(child);
        }
        Pump();
    }
    TskSkinMainMenuBarButton* Button(int index) const
    {
        return dynamic_cast<TskSkinMainMenuBarButton*>(bar->Objects()[std::size_t(index)].get());
    }
    TPoint OnBar(TControl* control, TRect r) const
    {
        return control->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }
    std::string TabOrder() const
    {
        std::string order;
        for (int i = 0; i < tabs->TabCount(); ++i)
            order += tabs->Tabs(i)->Child->Name() + " ";
        return order;
    }

    TskSkinForm* skinForm = nullptr;
    TMainMenu* menu = nullptr;
    TMenuItem* windowMenu = nullptr;
    TskSkinMainMenuBar* bar = nullptr;
    TskSkinMDITabsBar* tabs = nullptr;
    TMDIClient* client = nullptr;
    TskSkinMDIFrame* frame = nullptr;
    std::vector<TForm*> children;
};

TEST_F(MDITest, TileAndCascadeLayTheChildrenOutInTheClient)
{
    for (int skinIndex : {-1, 0}) {
        SCOPED_TRACE(skinIndex);
        children.clear();
        ShowFrame(skinIndex < 0 ? nullptr : LoadSkin(skinIndex));
        const TRect area = client->MDIWorkArea();
        frame->Tile();
        const std::vector<TRect> tiled = TileRects(3, area.Width(), area.Height());
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(children[std::size_t(i)]->BoundsRect(), tiled[std::size_t(i)]);
        frame->Cascade();
        const int step = children[1]->Left() - children[2]->Left();
        EXPECT_EQ(children[2]->Left(), 0);
        EXPECT_EQ(children[2]->Top(), 0);
        EXPECT_GT(step, 0);
        EXPECT_EQ(children[0]->Top(), 2 * step);
        form.reset();
    }
}

TEST_F(MDITest, MenuBarButtonsFollowAMaximizedChild)
{
    for (int skinIndex : {-1, 0}) {
        SCOPED_TRACE(skinIndex);
        children.clear();
        ShowFrame(skinIndex < 0 ? nullptr : LoadSkin(skinIndex));
        TskSkinForm* second = GetSkinForm(children[1]);
        second->ApplyWindowState(wsMaximized);
        second->ApplyWindowState(wsMaximized);
        Pump();
        ASSERT_EQ(bar->ButtonsCount, 4);
        EXPECT_EQ(frame->GetMaximizedMDIChild(), children[1]);
        // The child's client area covers the MDI client, its frame outside.
        EXPECT_EQ(children[1]->ClientOrigin(), client->ClientOrigin());
        EXPECT_EQ(children[1]->ClientWidth(), client->ClientWidth());
        const std::vector<TskStdCommand> order = {TskStdCommand::cmSysMenu, TskStdCommand::cmClose,
                                                  TskStdCommand::cmMaximize, TskStdCommand::cmMinimize};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Button(i)->Command, order[std::size_t(i)]);
        // Close rightmost, restore left of it, minimize left of restore; the system menu at the left.
        EXPECT_GT(Button(1)->ObjectRect.Left, Button(2)->ObjectRect.Left);
        EXPECT_GT(Button(2)->ObjectRect.Left, Button(3)->ObjectRect.Left);
        EXPECT_LT(Button(0)->ObjectRect.Right, bar->Item(4)->ObjectRect.Left);
        // A press on restore released elsewhere does nothing.
        const TPoint restore = OnBar(bar, Button(2)->ObjectRect);
        InjectMouseMove(restore);
        InjectMouseButton(0, true, restore);
        InjectMouseMove(Point(restore.X - 200, restore.Y));
        Tick(100); // the bar polls the pointer
        InjectMouseButton(0, false, Point(restore.X - 200, restore.Y));
        Pump();
        EXPECT_EQ(second->WindowState(), wsMaximized);
        Click(restore);
        EXPECT_EQ(second->WindowState(), wsNormal);
        EXPECT_EQ(bar->ButtonsCount, 0);
        EXPECT_EQ(children[1]->BoundsRect(), Bounds(10, 10, 300, 200));
        form.reset();
    }
}

TEST_F(MDITest, ButtonsFollowTheChildsBorderIconsAndClose)
{
    ShowFrame(nullptr);
    TskSkinForm* first = GetSkinForm(children[0]);
    first->SetBorderIcons(TskBorderIcons{TskBorderIcon::biMaximize});
    first->ApplyWindowState(wsMaximized);
    Pump();
    ASSERT_EQ(bar->ButtonsCount, 4);
    EXPECT_FALSE(Button(0)->Enabled);
    EXPECT_FALSE(Button(3)->Enabled);
    EXPECT_TRUE(Button(1)->Enabled && Button(2)->Enabled);
    Click(OnBar(bar, Button(1)->ObjectRect));
    Pump();
    EXPECT_EQ(client->MDIChildCount(), 2);
    EXPECT_EQ(bar->ButtonsCount, 0);
}

TEST_F(MDITest, TabsSwitchReorderAndClose)
{
    ShowFrame(nullptr);
    ASSERT_EQ(tabs->TabCount(), 3);
    EXPECT_EQ(TabOrder(), "One Two Three ");
    Click(OnBar(tabs, tabs->Tabs(0)->ObjectRect));
    EXPECT_EQ(client->ActiveMDIChild(), children[0]);
    EXPECT_TRUE(tabs->Tabs(0)->Active);
    EXPECT_FALSE(tabs->Tabs(2)->Active);
    // Dragging One right past the centre of Two puts it behind Two.
    const TRect one = tabs->Tabs(0)->ObjectRect;
    Drag(OnBar(tabs, one), Point(one.Width() * 3 / 4, 0));
    EXPECT_EQ(TabOrder(), "Two One Three ");
    // Released before any centre: the order stays.
    Drag(OnBar(tabs, tabs->Tabs(0)->ObjectRect), Point(10, 0));
    EXPECT_EQ(TabOrder(), "Two One Three ");
    // A drag never takes a tab off the bar.
    Drag(OnBar(tabs, tabs->Tabs(2)->ObjectRect), Point(2000, 0));
    EXPECT_EQ(TabOrder(), "Two One Three ");

    tabs->SetShowCloseButtons(true);
    Pump();
    const TPoint close = OnBar(tabs, tabs->Tabs(1)->CloseButtonOnBar());
    // A drag that ends on a close button closes nothing.
    Drag(OnBar(tabs, tabs->Tabs(0)->ObjectRect), Point(close.X - OnBar(tabs, tabs->Tabs(0)->ObjectRect).X, 0));
    EXPECT_EQ(client->MDIChildCount(), 3);
    Click(OnBar(tabs, tabs->Tabs(1)->CloseButtonOnBar()));
    Pump();
    EXPECT_EQ(client->MDIChildCount(), 2);
    EXPECT_EQ(tabs->TabCount(), 2);
}

TEST_F(MDITest, TabLayoutHidesWhatDoesNotFit)
{
    ShowFrame(nullptr);
    tabs->SetAlign(alNone);
    tabs->SetBounds(0, 0, 315, 21);
    tabs->CalcTabRects();
    EXPECT_EQ(tabs->Tabs(0)->ObjectRect, Rect(15, 0, 115, 21));
    EXPECT_EQ(tabs->Tabs(2)->ObjectRect, Rect(215, 0, 315, 21));
    tabs->SetWidth(240);
    tabs->CalcTabRects();
    EXPECT_EQ(tabs->Tabs(2)->ObjectRect.Right, 240);
    tabs->MinTabWidth = 80;
    tabs->SetWidth(200);
    tabs->Repaint();
    Pump();
    EXPECT_EQ(tabs->InVisibleCount(), 1);
    EXPECT_EQ(tabs->Tabs(1)->ObjectRect, Rect(95, 0, 175, 21));
    ASSERT_NE(tabs->HideListButton(), nullptr);
    tabs->FillListMenu(true);
    ASSERT_EQ(tabs->HideListMenu()->Items()->Count(), 1);
    EXPECT_EQ(tabs->HideListMenu()->Items()->Items(0)->Name(), "Three_BSFCHILDITEMBAR" + std::string("HIDE"));
}

TEST_F(MDITest, WindowMenuListsTheChildren)
{
    ShowFrame(nullptr);
    ASSERT_EQ(windowMenu->Count(), 3);
    EXPECT_EQ(windowMenu->Items(1)->Name(), "Two_BSFCHILDITEM");
    EXPECT_TRUE(windowMenu->Items(2)->Checked());
    GetSkinForm(children[1])->ApplyWindowState(wsMinimized);
    windowMenu->Items(1)->Click();
    Pump();
    EXPECT_EQ(GetSkinForm(children[1])->WindowState(), wsNormal);
    EXPECT_EQ(client->ActiveMDIChild(), children[1]);
    EXPECT_TRUE(windowMenu->Items(1)->Checked());
    frame->CloseAll();
    Pump();
    EXPECT_EQ(windowMenu->Count(), 0);
    EXPECT_EQ(tabs->TabCount(), 0);
    EXPECT_EQ(tabs->ListButton(), nullptr);
}

TEST_F(MDITest, TheActiveChildsCaptionButtonMaximizesItInTheClient)
{
    ShowFrame(LoadSkin(0));
    TCustomForm* child = children[2];
    ASSERT_EQ(client->ActiveMDIChild(), child);
    RECT window{};
    GetWindowRect(child->Handle(), &window);
    for (const auto& object : GetSkinForm(child)->Objects())
        if (auto* b = dynamic_cast<const TskSkinStdButtonObject*>(object.get());
            b && b->Visible && b->Command == TskStdCommand::cmMaximize) {
            const TRect r = b->ObjectRect;
            Click(Point(window.Left + (r.Left + r.Right) / 2, window.Top + (r.Top + r.Bottom) / 2));
        }
    EXPECT_EQ(GetSkinForm(child)->WindowState(), wsMaximized);
    EXPECT_EQ(bar->ButtonsCount, 4);
    EXPECT_EQ(child->ClientOrigin(), client->ClientOrigin());
}

} // namespace tovrel::test
