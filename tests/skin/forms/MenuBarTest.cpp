#include "SkinFormTestSupport.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/GraphicsObjects.h"
#include "platform/vcl/Menus.h"
#include "platform/wm/Keys.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinMenuEntries.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinMenuItem.h"
#include "skin/menus/SkinPopupWindow.h"

#include <string>
#include <vector>

namespace tovrel::test {

class MenuBarTest : public SkinFormTest {
protected:
    // A bar of "&File" (Open, Save), "&Edit" (Copy), "&Tools" (disabled), "&View" (Zoom)
    // on a form skinned by `data`.
    TskSkinMainMenuBar* ShowBar(TskSkinData* data, int width = 500)
    {
        skinForm = ShowSkinned(data, Rect(40, 40, 40 + width, 340));
        menu = new TMainMenu(form.get());
        const auto add = [this](TMenuItem* parent, const std::string& caption) {
            auto* item = new TMenuItem(menu);
            item->SetCaption(caption);
            item->OnClick = [this, caption](TObject*) { commands.push_back(StripHotkey(caption)); };
            parent->Add(item);
            return item;
        };
        TMenuItem* file = add(menu->Items(), "&File");
        add(file, "&Open");
        add(file, "&Save");
        add(add(menu->Items(), "&Edit"), "&Copy");
        TMenuItem* tools = add(menu->Items(), "&Tools");
        add(tools, "&Options");
        tools->SetEnabled(false);
        add(add(menu->Items(), "&View"), "&Zoom");
        bar = new TskSkinMainMenuBar(form.get());
        bar->SetParent(form.get());
        bar->SetSkinForm(skinForm);
        skinForm->SetMainMenuBar(bar);
        bar->SetSkinData(data);
        bar->SetMainMenu(menu);
        Pump();
        return bar;
    }
    TskSkinMenu& Engine() const { return *skinForm->SkinMenu(); }
    // The caption of the first row of the open menu; "" when none is open.
    std::string OpenMenu() const
    {
        if (!Engine().Visible() || Engine().LevelCount() == 0)
            return "";
        return StripHotkey(Engine().Level(0)->ItemList[0]->MenuItem->Caption());
    }
    // The captions of the items that are hot or pressed.
    std::string HotItems() const
    {
        std::string hot;
        for (int i = 0; i < bar->ItemCount(); ++i)
            if (bar->Item(i)->Active || bar->Item(i)->FDown)
                hot += StripHotkey(bar->Item(i)->MenuItem->Caption());
        return hot;
    }
    TPoint ItemCentre(int index) const
    {
        const TRect r = bar->Item(index)->ObjectRect;
        return bar->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }
    static void AltLetter(UINT letter)
    {
        InjectKey(VK_MENU, true);
        InjectKey(letter, true);
        InjectKey(letter, false);
        InjectKey(VK_MENU, false);
        Pump();
    }
    // One key of a sequence: 'A' alone is a lone Alt.
    void Press(char key)
    {
        switch (key) {
        case 'A': Key(VK_MENU); break;
        case '>': Key(VK_RIGHT); break;
        case '<': Key(VK_LEFT); break;
        case 'v': Key(VK_DOWN); break;
        case 'e': Key(VK_ESCAPE); break;
        case 'n': Key(VK_RETURN); break;
        case '0': Key(VK_F10); break;
        default: AltLetter(UINT(key)); break;
        }
    }
    static int TextWidth(const std::string& text, const std::string& font = "Arial", int height = 14,
                         TFontStyles style = {})
    {
        TBitmap scratch(1, 1);
        scratch.Canvas()->Font()->SetName(font);
        scratch.Canvas()->Font()->SetHeight(height);
        scratch.Canvas()->Font()->SetStyle(style);
        RECT r = Rect(0, 0, 0, 0);
        DrawText(scratch.Canvas()->Handle(), text, &r, DT_CALCRECT | DT_CENTER);
        return r.Width();
    }

    TskSkinForm* skinForm = nullptr;
    TMainMenu* menu = nullptr;
    TskSkinMainMenuBar* bar = nullptr;
    std::vector<std::string> commands;
};

TEST_F(MenuBarTest, ItemsTakeTheirCaptionsWidthWithoutTheAmpersand)
{
    ShowBar(nullptr);
    ASSERT_EQ(bar->ItemCount(), 4);
    EXPECT_EQ(bar->Height(), 22);
    int left = 2;
    for (int i = 0; i < bar->ItemCount(); ++i) {
        const TRect r = bar->Item(i)->ObjectRect;
        EXPECT_EQ(r.Left, left) << i;
        EXPECT_EQ(r.Width(), TextWidth(StripHotkey(bar->Item(i)->MenuItem->Caption())) + 12) << i;
        EXPECT_EQ(r.Top, 2);
        EXPECT_EQ(r.Bottom, 20);
        left = r.Right;
    }
    EXPECT_FALSE(bar->Scroll);

    // A skinned item keeps its picture's parts beside the text and the picture's height.
    TskSkinData* data = LoadSkin(0);
    ShowBar(data);
    const int index = data->GetIndex(bar->MenuBarItem);
    ASSERT_NE(index, -1);
    const TskDataSkinObject& entry = *data->ObjectList[std::size_t(index)];
    const TskSkinMainMenuBarItem& file = *bar->Item(0);
    ASSERT_TRUE(file.FSkinSupport);
    EXPECT_EQ(bar->Height(), data->CtrlList[std::size_t(data->GetControlIndex("mainmenubar"))]->SkinRect.Height());
    EXPECT_EQ(file.ObjectRect.Height(), entry.SkinRect.Height());
    EXPECT_EQ(file.ObjectRect.Width(), entry.SkinRect.Width() - file.TextRct.Width() + 2 +
                                           TextWidth("File", file.FontName, file.FontHeight, file.FontStyle));
    EXPECT_EQ(bar->Item(1)->ObjectRect.Left, file.ObjectRect.Right);

    // Skin data freed under the bar: the built-in look, at any size.
    skin.reset();
    form->SetClientWidth(300);
    bar->Repaint();
    Pump();
    EXPECT_EQ(bar->Item(0)->ObjectRect.Left, 2);
}

TEST_F(MenuBarTest, ItemsThatDoNotFitHideBehindTheMarker)
{
    ShowBar(nullptr);
    std::vector<int> rights;
    for (int i = 0; i < bar->ItemCount(); ++i)
        rights.push_back(bar->Item(i)->ObjectRect.Right);
    // The items area ends 2 px before the bar's edge, the marker takes its last 5.
    struct TCase {
        int width;
        bool scrollMenu;
        int fitted;
    } const cases[] = {
        {rights[3] + 7, true, 4},  {rights[3] + 6, true, 3},  {rights[1] + 7, true, 2}, {rights[0] + 6, true, 0},
        {rights[3] + 2, false, 4}, {rights[3] + 1, false, 3}, {600, true, 4},
    };
    for (const TCase& c : cases) {
        bar->ScrollMenu = c.scrollMenu;
        form->SetClientWidth(c.width); // the bar spans the form
        bar->Repaint();
        Pump();
        ASSERT_EQ(bar->Width(), c.width);
        int fitted = 0;
        for (int i = 0; i < bar->ItemCount(); ++i)
            fitted += bar->Item(i)->Visible ? 1 : 0;
        EXPECT_EQ(fitted, c.fitted) << c.width;
        EXPECT_EQ(bar->Scroll, c.fitted < 4) << c.width;
        // A hidden item is disabled; one that fits again gets its own state back ("Tools" is disabled).
        for (int i = 0; i < bar->ItemCount(); ++i)
            EXPECT_EQ(bar->Item(i)->Enabled, i < c.fitted && i != 2) << c.width << ' ' << i;
        // The marker's arrow: a line of the shadow colour in the middle of its 5 px.
        const TRect marker = bar->GetMarkerRect();
        EXPECT_EQ(marker.Width(), 5);
        bool arrow = false;
        for (int x = marker.Left; x < marker.Right; ++x)
            for (int y = marker.Top; y < marker.Bottom; ++y) {
                const TPoint p = bar->ClientToScreen(Point(x, y));
                arrow = arrow || PixelAt(*form, p.X - form->Left(), p.Y - form->Top()) == ColorToRGB(clBtnShadow);
            }
        EXPECT_EQ(arrow, c.scrollMenu && c.fitted < 4) << c.width;
    }
}

TEST_F(MenuBarTest, TheMarkerListsTheHiddenItems)
{
    ShowBar(nullptr);
    // A menu item that is not shown must not shift the list.
    auto* invisible = new TMenuItem(menu);
    invisible->SetCaption("&Invisible");
    invisible->SetVisible(false);
    menu->Items()->Insert(0, invisible);
    bar->UpDateItems();
    form->SetClientWidth(bar->Item(1)->ObjectRect.Right + 7);
    Pump();
    ASSERT_TRUE(bar->Scroll);
    const TRect marker = bar->GetMarkerRect();
    Click(bar->ClientToScreen(Point(marker.Left + 2, (marker.Top + marker.Bottom) / 2)));
    ASSERT_TRUE(Engine().Visible());
    std::vector<std::string> rows;
    for (const auto& row : Engine().Level(0)->ItemList)
        rows.push_back(StripHotkey(row->MenuItem->Caption()));
    EXPECT_EQ(rows, std::vector<std::string>({"Tools", "View"}));
}

TEST_F(MenuBarTest, KeysOpenAndSwitchTheMenus)
{
    // Keys, then the menu open (its first row) and the items hot or pressed afterwards.
    struct TCase {
        const char* keys;
        const char* open;
        const char* hot;
        bool menuMode;
    } const cases[] = {
        {"A", "", "File", true},         // Alt alone highlights the first item
        {"Av", "Open", "File", true},    // Down opens it
        {"An", "Open", "File", true},    // so does Enter
        {"Av>", "Copy", "Edit", true},   // Right switches to the next menu
        {"Av>>", "Zoom", "View", true},  // skipping the disabled item
        {"Av>>>", "Open", "File", true}, // and wraps around
        {"Av<", "Zoom", "View", true},   // Left wraps to the last
        {"A<<", "", "Edit", true},       // the arrows move the highlight without a menu
        {"Ave", "", "File", true},       // Esc closes the menu, the item stays highlighted
        {"Avee", "", "", false},         // a second Esc leaves menu mode
        {"AA", "", "", false},           // as does Alt again
        {"00", "", "", false},           // F10 enters and leaves it too
        {"E", "Copy", "Edit", true},     // Alt+letter opens that menu
        {"EV", "Zoom", "View", true},    // and another letter switches to its menu
        {"T", "", "", false},            // a disabled item does not open
        {"Ave>", "", "Edit", true},      // with the menu closed Right only moves
        {"A>v", "Copy", "Edit", true},
    };
    ShowBar(nullptr);
    for (const TCase& c : cases) {
        for (const char* k = c.keys; *k; ++k)
            Press(*k);
        EXPECT_EQ(OpenMenu(), c.open) << c.keys;
        EXPECT_EQ(HotItems(), c.hot) << c.keys;
        EXPECT_EQ(skinForm->InMainMenu(), c.menuMode) << c.keys;
        if (skinForm->InMainMenu())
            skinForm->EndMainMenu();
        Pump();
        ASSERT_FALSE(Engine().Visible()) << c.keys;
        ASSERT_EQ(HotItems(), "") << c.keys;
    }
}

TEST_F(MenuBarTest, ARowOpenedByKeysRunsItsCommandAndEndsMenuMode)
{
    ShowBar(nullptr);
    // A menu opens with its first row highlighted.
    for (const char* keys : {"Fn", "Avn", "A>>>vvn", "FS"}) {
        for (const char* k = keys; *k; ++k)
            Press(*k);
        EXPECT_FALSE(Engine().Visible()) << keys;
        EXPECT_FALSE(skinForm->InMainMenu()) << keys;
        EXPECT_EQ(HotItems(), "") << keys;
    }
    EXPECT_EQ(commands, std::vector<std::string>({"Open", "Open", "Save", "Save"}));
}

TEST_F(MenuBarTest, TheMouseOpensAndSwitchesMenus)
{
    for (TskSkinData* data : {static_cast<TskSkinData*>(nullptr), LoadSkin(2)}) {
        ShowBar(data);
        InjectMouseMove(ItemCentre(0));
        Tick(100);
        EXPECT_EQ(HotItems(), "File");
        EXPECT_EQ(OpenMenu(), "");
        Click(ItemCentre(0));
        EXPECT_EQ(OpenMenu(), "Open");
        EXPECT_TRUE(skinForm->InMainMenu());
        // Along the bar with a menu open: the neighbour's menu; the disabled item does not react.
        for (auto [index, open] : {std::pair{1, "Copy"}, std::pair{2, "Copy"}, std::pair{3, "Zoom"}}) {
            InjectMouseMove(ItemCentre(index));
            Tick(100);
            EXPECT_EQ(OpenMenu(), open) << index;
        }
        // A click on another item while a menu is open switches to its menu.
        Click(ItemCentre(0));
        EXPECT_EQ(OpenMenu(), "Open");
        EXPECT_EQ(HotItems(), "File");
        Click(ItemCentre(1));
        EXPECT_EQ(OpenMenu(), "Copy");
        EXPECT_EQ(HotItems(), "Edit");
        // A click on a row runs it, closes the menu and leaves menu mode.
        const TskSkinPopupWindow& level = *Engine().Level(0);
        const TRect row = level.ItemList[0]->ObjectRect;
        Click(Point(level.Left() + (row.Left + row.Right) / 2, level.Top() + (row.Top + row.Bottom) / 2));
        EXPECT_FALSE(Engine().Visible());
        EXPECT_FALSE(skinForm->InMainMenu());
        // A click elsewhere on the form closes an open menu.
        Click(ItemCentre(0));
        EXPECT_EQ(OpenMenu(), "Open");
        Click(Screen({200, 200}));
        EXPECT_FALSE(Engine().Visible());
        EXPECT_FALSE(skinForm->InMainMenu());
    }
    EXPECT_EQ(commands, std::vector<std::string>({"Copy", "Copy"}));
}

TEST_F(MenuBarTest, AMenuItemFreedUnderTheBarLeavesIt)
{
    ShowBar(nullptr);
    InjectMouseMove(ItemCentre(1));
    Tick(100);
    ASSERT_EQ(HotItems(), "Edit");
    delete menu->Items()->Items(1); // Edit, while it is hot
    AltLetter('E');
    Press('>');
    Pump();
    ASSERT_EQ(bar->ItemCount(), 3);
    EXPECT_EQ(StripHotkey(bar->Item(1)->MenuItem->Caption()), "Tools");
    EXPECT_EQ(bar->Item(1)->ObjectRect.Left, bar->Item(0)->ObjectRect.Right);
}

TEST_F(MenuBarTest, AnItemWithoutSubItemsRunsOnThePress)
{
    ShowBar(nullptr);
    auto* help = new TMenuItem(menu);
    help->SetCaption("&Help");
    help->OnClick = [this](TObject*) { commands.push_back("Help"); };
    menu->Items()->Add(help);
    bar->UpDateItems();
    Pump();
    InjectMouseMove(ItemCentre(4));
    InjectMouseButton(0, true, ItemCentre(4));
    Pump();
    EXPECT_EQ(commands, std::vector<std::string>({"Help"}));
    InjectMouseButton(0, false, ItemCentre(4));
    Pump();
    AltLetter('H');
    EXPECT_EQ(commands, std::vector<std::string>({"Help", "Help"}));
    EXPECT_FALSE(skinForm->InMainMenu());
}

} // namespace tovrel::test

namespace tovrel::test {

TEST_F(MenuBarTest, HoverMorphsAndAnimatesOnlyWithSkinEffects)
{
    // The stored skin's item entry gets a morph, or a three-frame strip, for the case.
    struct TCase {
        bool morph;
        int frames;
        bool inActiveAnimation;
        bool effects;
        std::vector<int> hot, left; // morph factor x 10 or frame after each 25-ms tick
    } const cases[] = {
        // The pointer is found on the bar by the 50-ms tracking, but heard leaving at once.
        {true, 0, false, true, {2, 4, 6, 8, 10, 10}, {4, 2, 0, 0}},
        {true, 0, false, false, {0}, {0}},
        {false, 3, true, true, {1, 2, 3, 4, 4}, {1, 0, 0}},
        {false, 3, false, true, {1, 2, 3, 4, 4}, {0, 0}},
        {false, 3, true, false, {0}, {0}},
        {false, 0, true, true, {0}, {0}}, // a strip without frames does not play
    };
    for (const TCase& c : cases) {
        TskSkinData* data = LoadSkin(0);
        auto& entry =
            dynamic_cast<TskDataSkinMainMenuItem&>(*data->ObjectList[std::size_t(data->GetIndex("menubaritem"))]);
        entry.Morphing = c.morph;
        entry.AnimateSkinRect = Rect(entry.SkinRect.Left, entry.SkinRect.Top,
                                     entry.SkinRect.Left + 3 * entry.SkinRect.Width(), entry.SkinRect.Bottom);
        entry.FrameCount = c.frames;
        entry.AnimateInterval = 25;
        entry.InActiveAnimation = c.inActiveAnimation;
        data->EnableSkinEffects = c.effects;
        ShowBar(data);
        const TskSkinMainMenuBarItem& file = *bar->Item(0);
        const auto state = [&] { return c.morph ? int(file.FMorphKf * 10 + 0.5) : file.CurrentFrame; };
        const auto run = [&](TPoint to, const std::vector<int>& expected) {
            InjectMouseMove(to);
            Pump();
            std::vector<int> seen;
            // The 50-ms tracking timer notices the pointer first.
            Tick(50);
            for (std::size_t i = 0; i < expected.size(); ++i) {
                Tick(25);
                seen.push_back(state());
            }
            EXPECT_EQ(seen, expected) << c.morph << c.frames << c.inActiveAnimation << c.effects;
        };
        run(ItemCentre(0), c.hot);
        run(Screen({200, 200}), c.left);
    }
}

} // namespace tovrel::test
