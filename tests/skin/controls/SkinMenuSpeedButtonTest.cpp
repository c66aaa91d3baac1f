#include "skin/controls/SkinMenuSpeedButton.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinMenuHost.h"
#include "skin/menus/SkinMenuItem.h"
#include "skin/menus/SkinPopupWindow.h"

#include <functional>
#include <string>
#include <vector>

namespace tovrel::test {

namespace {

// A form's menu host without the skinned frame: only the engine.
class EngineHost : public TComponent, public TskSkinMenuHost {
public:
    explicit EngineHost(TForm* form) : TComponent(form), engine_(new TskSkinMenu(this, form)) {}
    TskSkinMenu* SkinMenu() const override { return engine_; }
    TskSkinData* SkinData() const override { return nullptr; }
    TskSkinData* MenusSkinData() const override { return nullptr; }

private:
    TskSkinMenu* engine_;
};

void Pumped(const std::function<void()>& input)
{
    input();
    Application->ProcessMessages();
}

class SkinMenuSpeedButtonTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(100, 100, 300, 200);
        host = new EngineHost(form.get());
        menu = new TskSkinPopupMenu(form.get());
        for (const char* caption : {"One", "Two"}) {
            auto* item = new TMenuItem(menu);
            item->SetCaption(caption);
            item->OnClick = [this, caption](TObject*) { log.push_back(std::string("command ") + caption); };
            menu->Items()->Add(item);
        }
        button = Placed<TskSkinMenuSpeedButton>(*form, Bounds(10, 10, 60, 25));
        button->SetSkinPopupMenu(menu);
        button->OnClick = [this](TObject*) { log.push_back("click"); };
        button->OnHideTrackMenu = [this](TObject*) { log.push_back("hidden"); };
        Pump();
    }
    void TearDown() override
    {
        form.reset();
        ControlTest::TearDown();
    }
    TPoint Screen(int x, int y) const { return {form->Left() + 10 + x, form->Top() + 10 + y}; }
    void Press(TPoint at)
    {
        Pumped([&] { InjectMouseMove(at); });
        Pumped([&] { InjectMouseButton(0, true, at); });
        Pumped([&] { InjectMouseButton(0, false, at); });
    }
    TskSkinMenu& Engine() const { return *host->SkinMenu(); }
    TPoint RowCenter(int i) const
    {
        TskSkinPopupWindow& level = *Engine().Level(0);
        const TRect r = level.ItemList[std::size_t(i)]->ObjectRect;
        return {level.Left() + (r.Left + r.Right) / 2, level.Top() + (r.Top + r.Bottom) / 2};
    }
    void Tick(int ms)
    {
        for (int t = 0; t < ms; t += 10) {
            clock->Advance(10);
            Pump();
        }
    }

    std::unique_ptr<TForm> form;
    EngineHost* host = nullptr;
    TskSkinPopupMenu* menu = nullptr;
    TskSkinMenuSpeedButton* button = nullptr;
    std::vector<std::string> log;
};

} // namespace

TEST_F(SkinMenuSpeedButtonTest, StaysDownWhileTheMenuIsOpenAndComesUpOnEachWayOfClosing)
{
    struct Way {
        const char* Name;
        std::function<void()> Close;
        std::vector<std::string> Log;
    };
    const Way ways[] = {
        {"a click on an item",
         [this] {
             const TPoint at = RowCenter(1);
             Pumped([&] { InjectMouseMove(at); });
             Tick(60);
             Press(at);
             Tick(60);
         },
         {"hidden", "command Two"}},
        {"Esc",
         [] {
             Pumped([] { InjectKey(VK_ESCAPE, true); });
             Pumped([] { InjectKey(VK_ESCAPE, false); });
         },
         {"hidden"}},
        {"a click outside",
         [this] {
             Press({form->Left() + 250, form->Top() + 150});
         },
         {"hidden"}},
    };
    for (const Way& way : ways) {
        log.clear();
        Press(Screen(20, 12));
        ASSERT_TRUE(Engine().Visible()) << way.Name;
        EXPECT_TRUE(button->MenuTracked());
        EXPECT_TRUE(button->Down()) << "the release does not raise it while the menu is open";
        EXPECT_TRUE(log.empty()) << "no click for a press that drops the menu";
        way.Close();
        EXPECT_FALSE(Engine().Visible()) << way.Name;
        EXPECT_FALSE(button->MenuTracked()) << way.Name;
        EXPECT_FALSE(button->Down()) << way.Name;
        EXPECT_EQ(way.Log, log) << way.Name;
    }
}

TEST_F(SkinMenuSpeedButtonTest, TrackModeDropsOnlyFromTheStrip)
{
    button->SetTrackButtonMode(true);
    // The strip's left edge (x = Width - 15) counts; one pixel left of it is a plain press.
    Press(Screen(60 - 16, 12));
    EXPECT_FALSE(Engine().Visible());
    EXPECT_EQ(log, std::vector<std::string>{"click"});
    Press(Screen(60 - 15, 12));
    EXPECT_TRUE(Engine().Visible());
    EXPECT_TRUE(button->Down());
    Engine().Hide();
    Pump();
    EXPECT_FALSE(button->Down());
}

TEST_F(SkinMenuSpeedButtonTest, WithoutAMenuOrAFormToShowItItIsAPlainButton)
{
    button->SetSkinPopupMenu(nullptr);
    Press(Screen(20, 12));
    EXPECT_EQ(log, std::vector<std::string>{"click"});

    // A menu that cannot open (no form component) does not leave the button down.
    log.clear();
    delete host;
    button->SetSkinPopupMenu(menu);
    Press(Screen(20, 12));
    EXPECT_FALSE(button->Down());
    EXPECT_FALSE(button->MenuTracked());
    EXPECT_EQ(log, std::vector<std::string>{"hidden"});
}

TEST_F(SkinMenuSpeedButtonTest, AMenuThatDidNotOpenFiresNoCloseLater)
{
    auto* empty = new TskSkinPopupMenu(form.get());
    int closes = 0;
    empty->OnMenuClose = [&closes](TObject*) { ++closes; };
    EXPECT_FALSE(empty->PopupFromRect(Rect(120, 120, 180, 140), false)) << "no items, nothing opens";
    EXPECT_TRUE(menu->PopupFromRect(Rect(120, 120, 180, 140), false));
    Engine().Hide();
    Pump();
    EXPECT_EQ(0, closes);
}

} // namespace tovrel::test
