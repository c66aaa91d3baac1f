#include "skin/controls/SkinOfficeComboBox.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/vcl/Errors.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Layered.h"
#include "platform/wm/Window.h"
#include "skin/draw/MonitorAreas.h"

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tovrel::test {

namespace {

constexpr int kLeft = 10, kTop = 10;

class OfficeComboTest : public ControlTest {
public:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(0, 0, 300, 300);
        box = Placed<TskSkinOfficeComboBox>(*form, Bounds(kLeft, kTop, 120, 41));
        box->SetDropDownCount(4);
        for (int i = 0; i < 6; ++i)
            box->Items()->Add()->SetCaption("entry " + std::to_string(i));
        box->OnClick = [this](TObject*) { events.push_back("click " + std::to_string(box->ItemIndex())); };
        box->OnChange = [this](TObject*) { events.push_back("change " + std::to_string(box->ItemIndex())); };
        box->OnCloseUp = [this](TObject*) { events.push_back("closeup"); };
        box->OnDropDown = [this](TObject*) { events.push_back("dropdown"); };
        box->SetFocus();
        Pump();
    }
    void MoveTo(TPoint p)
    {
        clock->Advance(1000); // never a double click
        InjectMouseMove(p);
        Pump();
    }
    void Button(TPoint p, bool down)
    {
        InjectMouseButton(0, down, p);
        Pump();
    }
    // Screen point of row `row` of the open list (30-px rows, 2-px frame).
    TPoint ListRow(int row) const
    {
        const TPoint origin = box->ListBox()->ClientOrigin();
        return TPoint{origin.X + 20, origin.Y + 2 + row * 30 + 15};
    }
    TPoint BoxPoint() const { return TPoint{kLeft + 30, kTop + 20}; }
    // The click that opens the list leaves it open; then a press on a row.
    void ClickBoxThenPressRow(int row)
    {
        MoveTo(BoxPoint());
        Button(BoxPoint(), true);
        Button(BoxPoint(), false);
        MoveTo(ListRow(row));
        Button(ListRow(row), true);
    }

    std::unique_ptr<TForm> form;
    TskSkinOfficeComboBox* box = nullptr;
    std::vector<std::string> events;
};

using Events = std::vector<std::string>;

struct EventCase {
    const char* Input;
    int Start;
    std::function<void(OfficeComboTest&)> Act;
    Events Expected;
    int Final;
};

TEST_F(OfficeComboTest, EveryChoiceFiresClickThenChangeEvenForTheSameIndex)
{
    const EventCase cases[] = {
        {"set from code, another index", 0, [](OfficeComboTest& t) { t.box->SetItemIndex(2); },
         Events{"click 2", "change 2"}, 2},
        {"set from code, the same index", 2, [](OfficeComboTest& t) { t.box->SetItemIndex(2); },
         Events{"click 2", "change 2"}, 2},
        {"down arrow, closed", 1, [](OfficeComboTest&) { Key(VK_DOWN); }, Events{"click 2", "change 2"}, 2},
        {"down arrow at the last entry", 5, [](OfficeComboTest&) { Key(VK_DOWN); }, Events{"click 5", "change 5"}, 5},
        {"page up, closed: the topmost within a page", 5, [](OfficeComboTest&) { Key(VK_PRIOR); },
         Events{"click 0", "change 0"}, 0},
        {"wheel towards the user, closed", 1,
         [](OfficeComboTest& t) {
             InjectMouseWheel(-120, t.BoxPoint());
             Pump();
         },
         Events{"click 2", "change 2"}, 2},
        {"enter while open", 1,
         [](OfficeComboTest& t) {
             t.box->DropDown();
             Key(VK_RETURN);
         },
         Events{"dropdown", "click 1", "change 1", "closeup"}, 1},
        {"escape while open", 1,
         [](OfficeComboTest& t) {
             t.box->DropDown();
             Key(VK_ESCAPE);
         },
         Events{"dropdown"}, 1},
        {"wheel over the open list, then escape", 1,
         [](OfficeComboTest& t) {
             t.box->DropDown();
             InjectMouseWheel(-120, t.BoxPoint());
             Pump();
             Key(VK_ESCAPE);
         },
         Events{"dropdown"}, 1},
        {"mouse: press the box, release over a row", 0,
         [](OfficeComboTest& t) {
             t.MoveTo(t.BoxPoint());
             t.Button(t.BoxPoint(), true);
             t.MoveTo(t.ListRow(3));
             t.Button(t.ListRow(3), false);
         },
         Events{"dropdown", "click 3", "change 3", "closeup"}, 3},
        {"mouse: click the box, then click a row", 0,
         [](OfficeComboTest& t) {
             t.ClickBoxThenPressRow(2);
             t.Button(t.ListRow(2), false);
         },
         Events{"dropdown", "click 2", "change 2", "closeup"}, 2},
        {"mouse: the row last chosen by mouse again, after code set another index", 0,
         [](OfficeComboTest& t) {
             t.ClickBoxThenPressRow(2);
             t.Button(t.ListRow(2), false);
             t.box->SetItemIndex(0);
             t.events.clear();
             t.ClickBoxThenPressRow(2);
             t.Button(t.ListRow(2), false);
         },
         Events{"dropdown", "click 2", "change 2", "closeup"}, 2},
        {"mouse: press on the list, release outside", 0,
         [](OfficeComboTest& t) {
             t.ClickBoxThenPressRow(2);
             t.MoveTo(TPoint{280, 280});
             t.Button(TPoint{280, 280}, false);
         },
         Events{"dropdown"}, 0},
    };
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.Input);
        box->SetItemIndex(c.Start);
        events.clear();
        c.Act(*this);
        EXPECT_EQ(c.Expected, events);
        EXPECT_EQ(c.Final, box->ItemIndex());
        EXPECT_FALSE(box->IsPopupVisible());
        box->CloseUp(false);
    }
}

TEST_F(OfficeComboTest, LoadingIsSilentAndAnIndexPastTheEntriesChangesNothing)
{
    form->BeginLoading();
    auto* loaded = Placed<TskSkinOfficeComboBox>(*form, Bounds(kLeft, 60, 120, 41));
    loaded->Items()->Add();
    loaded->Items()->Add();
    loaded->OnClick = [this](TObject*) { events.push_back("click"); };
    loaded->OnChange = [this](TObject*) { events.push_back("change"); };
    loaded->SetItemIndex(1);
    form->EndLoading();
    EXPECT_TRUE(events.empty());
    loaded->SetItemIndex(1);
    EXPECT_EQ((Events{"click", "change"}), events);

    box->SetItemIndex(3);
    events.clear();
    EXPECT_THROW(box->SetItemIndex(6), EListError);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(3, box->ItemIndex());
}

TEST_F(OfficeComboTest, ClearKeepsTheStaleIndexAndANewEntryThereStartsCurrent)
{
    box->SetItemIndex(4);
    box->Items()->Clear();
    EXPECT_EQ(4, box->ItemIndex());
    for (int i = 0; i < 5; ++i)
        box->Items()->Add();
    EXPECT_TRUE(box->Items()->Items(4)->Active);
    EXPECT_FALSE(box->Items()->Items(0)->Active);
    events.clear();
    box->SetItemIndex(0);
    EXPECT_EQ((Events{"click 0", "change 0"}), events);
}

TEST_F(OfficeComboTest, TheListOpensBelowRightAlignedOrAboveWithoutRoom)
{
    box->ListBoxWidth = 150;
    RECT area{0, 0, 0, 0};
    GetMonitorWorkArea(box->Handle(), true, area);
    struct Case {
        const char* Name;
        int Top;
        bool Above;
    };
    const int listHeight = 4 * 30 + 5;
    const Case cases[] = {
        {"room below", kTop, false},
        {"just room below", area.Bottom - 41 - listHeight, false},
        {"no room below", area.Bottom - 41 - listHeight + 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        form->SetBounds(0, c.Top - kTop, 300, 300);
        box->DropDown();
        const int height = box->ListBox()->Height();
        const TPoint boxOrigin = box->ClientOrigin();
        EXPECT_EQ(listHeight, height);
        EXPECT_EQ(boxOrigin.X + 120, box->ListBox()->ClientOrigin().X + 150);
        EXPECT_EQ(c.Above ? boxOrigin.Y - listHeight : boxOrigin.Y + 41, box->ListBox()->ClientOrigin().Y);
        box->CloseUp(false);
    }
}

} // namespace

} // namespace tovrel::test

namespace tovrel::test {

namespace {

TEST_F(OfficeComboTest, TheClosedBoxShowsItsStateInTheDefaultLook)
{
    const auto pixel = [&](int x, int y) {
        box->Repaint();
        Pump();
        return PixelAt(*form, kLeft + x, kTop + y);
    };
    const COLORREF hot = RGB(0xB6, 0xBD, 0xD2), open = RGB(0x85, 0x93, 0xB5);
    // The points of the entry's text area that are not background.
    const auto Ink = [&](COLORREF background) {
        box->Repaint();
        Pump();
        std::set<std::pair<int, int>> ink;
        for (int y = 2; y < 36; ++y)
            for (int x = 2; x < 95; ++x)
                if (PixelAt(*form, kLeft + x, kTop + y) != background)
                    ink.insert({x, y});
        return ink;
    };
    // Plain box: the button at (101, 2)-(118, 39) lights up under the mouse;
    // the focused entry area is highlighted.
    EXPECT_EQ(ColorToRGB(clHighlight), pixel(10, 3));
    EXPECT_EQ(ColorToRGB(clBtnFace), pixel(105, 5));
    MoveTo(TPoint{kLeft + 110, kTop + 20});
    EXPECT_EQ(hot, pixel(105, 5));
    MoveTo(TPoint{kLeft + 200, kTop + 200});
    // Tool button: hot while focused, pressed while open; the open box keeps
    // showing the entry chosen before opening.
    box->SetToolButtonStyle(true);
    box->SetItemIndex(1);
    EXPECT_EQ(hot, pixel(60, 38));
    box->DropDown();
    Key(VK_DOWN);
    EXPECT_EQ(2, box->ItemIndex());
    box->CloseUp(false);
    box->DropDown();
    InjectMouseWheel(-120, BoxPoint()); // moves only the highlight
    Pump();
    EXPECT_EQ(open, pixel(60, 38));
    const std::set<std::pair<int, int>> whileOpen = Ink(open);
    Key(VK_ESCAPE);
    EXPECT_EQ(2, box->ItemIndex());
    EXPECT_EQ(hot, pixel(60, 38));
    // The same entry while open: 2 px further right, and its text area 2 px
    // lower and shorter, so the centred caption sits 1 px lower.
    std::set<std::pair<int, int>> closed;
    for (auto [x, y] : Ink(hot))
        closed.insert({x + 2, y + 1});
    EXPECT_FALSE(whileOpen.empty());
    EXPECT_EQ(closed, whileOpen);
}

} // namespace

} // namespace tovrel::test

namespace tovrel::test {

namespace {

class TLayeredBackend : public TBackend {
public:
    bool LayeredWindowsAvailable() override { return layered; }
    bool layered = true;
};

TEST_F(OfficeComboTest, TheDropDownFadesInOnTheClockWhereLayeredWindowsExist)
{
    struct Case {
        const char* Name;
        bool Layered, Animation;
        std::vector<int> Alphas; // after opening, then after each 10-ms step
    };
    const Case cases[] = {
        {"fade", true, true, {0, 10, 20}},
        {"no animation", true, false, {150, 150, 150}},
        {"no compositor", false, true, {-1, -1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        auto backend = std::make_shared<TLayeredBackend>();
        backend->layered = c.Layered;
        SetBackend(backend);
        auto shown = ShownForm(0, 0, 300, 300);
        auto* combo = Placed<TskSkinOfficeComboBox>(*shown, Bounds(kLeft, kTop, 120, 41));
        combo->Items()->Add();
        combo->AlphaBlend = true;
        combo->AlphaBlendValue = 150;
        combo->AlphaBlendAnimation = c.Animation;
        Pump();
        combo->DropDown();
        std::vector<int> alphas;
        for (int i = 0; i < 3; ++i) {
            BYTE alpha = 0;
            const HWND list = combo->ListBox()->Handle();
            const bool layered = GetWindowLongPtr(list, GWL_EXSTYLE) & WS_EX_LAYERED;
            alphas.push_back(layered && GetLayeredWindowAttributes(list, nullptr, &alpha, nullptr) ? alpha : -1);
            clock->Advance(10);
            Pump();
        }
        EXPECT_EQ(c.Alphas, alphas);
        for (int i = 0; i < 20; ++i) {
            clock->Advance(10);
            Pump();
        }
        EXPECT_EQ(c.Layered ? 150 : 255, combo->ListBox()->FadeAlpha());
        combo->CloseUp(false);
    }
}

} // namespace

} // namespace tovrel::test
