#include "ControlTestSupport.h"

#include "platform/gdi/SysColors.h"
#include "platform/vcl/PopupMenuTracker.h"
#include "platform/vcl/Timer.h"
#include "platform/wm/Keys.h"

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace tovrel::test {
namespace {

// One 800 x 600 monitor whose work area stops at 560 (a panel below).
class TOneMonitorBackend : public TBackend {
public:
    std::vector<TMonitor> Monitors() override { return {{{0, 0, 800, 600}, {0, 0, 800, 560}}}; }
};

// No presenter is installed, so Popup runs the plain popup menu's loop. The
// test's steps run one by one each time the loop goes idle (WM_ENTERIDLE to
// the owner form) and feed it synthetic input.
class PopupMenuTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        SetBackend(std::make_shared<TOneMonitorBackend>());
        MakeForm();
    }

    // A form with "&Open", a line, "&Disabled" (disabled), "Hidden" (hidden),
    // "&More" (submenu "&First", "&Second") and "&Close" (checked).
    void MakeForm()
    {
        form = ShownForm(100, 100, 300, 200);
        menu = new TPopupMenu(form.get());
        open = Item(menu->Items(), "&Open");
        line = Item(menu->Items(), "-");
        disabled = Item(menu->Items(), "&Disabled");
        disabled->SetEnabled(false);
        hidden = Item(menu->Items(), "Hidden");
        hidden->SetVisible(false);
        more = Item(menu->Items(), "&More");
        first = Item(more, "&First");
        second = Item(more, "&Second");
        close = Item(menu->Items(), "&Close");
        close->SetChecked(true);
        const TWndMethod inherited = form->WindowProc;
        form->WindowProc = [this, inherited](TMessage& message) {
            if (message.Msg == WM_ENTERIDLE && message.WParam == MSGF_MENU)
                NextStep();
            inherited(message);
        };
    }
    TMenuItem* Item(TMenuItem* parent, const std::string& caption)
    {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        item->OnClick = [this, caption](TObject*) { log.push_back(caption); };
        parent->Add(item);
        return item;
    }
    void NextStep()
    {
        if (steps.empty()) {
            ADD_FAILURE() << "the menu is still open after the last step";
            Press(VK_ESCAPE);
            return;
        }
        const std::function<void()> step = std::move(steps.front());
        steps.pop_front();
        step();
    }

    // Pops the menu up and checks that the loop ran every step: a step's
    // checks count only if it ran.
    void Popup(int x, int y)
    {
        menu->Popup(x, y);
        EXPECT_TRUE(steps.empty()) << steps.size() << " step(s) never ran";
    }
    TMenuItem* Track(TPoint at)
    {
        TMenuItem* picked = TPopupMenuTracker::Track(*menu, at);
        EXPECT_TRUE(steps.empty()) << steps.size() << " step(s) never ran";
        return picked;
    }

    static const TPopupMenuTracker& Tracker() { return *TPopupMenuTracker::Active(); }
    static TRect LevelRect(int level) { return Tracker().Level(level).ScreenRect(); }
    static TRect RowRect(int level, const TMenuItem* item) { return Tracker().Level(level).RowScreenRect(item); }
    static TMenuItem* Hot(int level) { return Tracker().Level(level).HotItem(); }
    static TPoint Centre(TRect r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
    static void Press(UINT vk)
    {
        InjectKey(vk, true);
        InjectKey(vk, false);
    }
    static void MoveTo(TPoint p) { InjectMouseMove(p); }
    static void ClickAt(TPoint p, int button = 0)
    {
        InjectMouseMove(p);
        InjectMouseButton(button, true, p);
        InjectMouseButton(button, false, p);
    }

    std::unique_ptr<TForm> form;
    TPopupMenu* menu = nullptr;
    TMenuItem *open, *line, *disabled, *hidden, *more, *first, *second, *close;
    std::deque<std::function<void()>> steps;
    std::vector<std::string> log;
};

TEST_F(PopupMenuTest, OpensAtThePointAndFlipsWhereTheWorkAreaEnds)
{
    struct TCase {
        TPoint At;
        bool Left, Up;
        TPopupAlignment Alignment = paLeft;
    } const cases[] = {
        {{200, 150}, false, false}, {{790, 150}, true, false},
        {{200, 480}, false, true}, // inside the monitor, but past the work area
        {{790, 550}, true, true},   {{400, 150}, true, false, paRight},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.At.X << "," << c.At.Y);
        menu->Alignment = c.Alignment;
        TRect shown;
        steps.push_back([&] {
            shown = LevelRect(0);
            Press(VK_ESCAPE);
        });
        Popup(c.At.X, c.At.Y);
        ASSERT_FALSE(shown.IsEmpty());
        EXPECT_EQ(c.Left ? shown.Right : shown.Left, c.At.X);
        EXPECT_EQ(c.Up ? shown.Bottom : shown.Top, c.At.Y);
        EXPECT_LE(shown.Bottom, 560);
    }
    EXPECT_TRUE(log.empty());
}

TEST_F(PopupMenuTest, RowsShowTheHotRowDisabledRowsAndMarks)
{
    // The colours met in a row (level client coordinates), left part only or whole.
    const auto coloursIn = [](TRect row, int width) {
        const TRect level = LevelRect(0);
        auto surface = WindowSurface(Tracker().Level(0).Window());
        std::set<COLORREF> colours;
        for (int y = row.Top - level.Top; y < row.Bottom - level.Top; ++y)
            for (int x = row.Left - level.Left; x < row.Left - level.Left + width; ++x) {
                const std::uint8_t* p = surface->ScanLine(y) + x * 4;
                colours.insert(RGB(p[2], p[1], p[0]));
            }
        return colours;
    };
    close->SetRadioItem(true);
    steps.push_back([] { Press(VK_DOWN); });
    steps.push_back([&] {
        const TRect openRow = RowRect(0, open), disabledRow = RowRect(0, disabled), closeRow = RowRect(0, close);
        EXPECT_TRUE(coloursIn(openRow, openRow.Width()).contains(GetSysColor(COLOR_HIGHLIGHT)));
        EXPECT_TRUE(coloursIn(openRow, openRow.Width()).contains(GetSysColor(COLOR_HIGHLIGHTTEXT)));
        EXPECT_TRUE(coloursIn(disabledRow, disabledRow.Width()).contains(GetSysColor(COLOR_GRAYTEXT)));
        EXPECT_FALSE(coloursIn(disabledRow, disabledRow.Width()).contains(GetSysColor(COLOR_MENUTEXT)));
        EXPECT_TRUE(coloursIn(closeRow, 20).contains(GetSysColor(COLOR_MENUTEXT))) << "the radio mark";
        EXPECT_FALSE(coloursIn(RowRect(0, more), 20).contains(GetSysColor(COLOR_MENUTEXT))) << "no mark";
        Press(VK_ESCAPE);
    });
    Popup(200, 150);
}

TEST_F(PopupMenuTest, AClickOnARowPicksItOnceWhileLinesAndDisabledRowsStayOpen)
{
    HWND level = nullptr;
    bool openAfterDeadClicks = false;
    steps.push_back([&] {
        level = Tracker().Level(0).Window();
        EXPECT_TRUE(RowRect(0, hidden).IsEmpty()) << "hidden items have no row";
        ClickAt(Centre(RowRect(0, disabled)));
    });
    steps.push_back([&] { ClickAt(Centre(RowRect(0, line))); });
    steps.push_back([&] {
        openAfterDeadClicks = true;
        ClickAt(Centre(RowRect(0, open)));
    });
    Popup(200, 150);
    EXPECT_TRUE(openAfterDeadClicks);
    EXPECT_EQ(log, std::vector<std::string>{"&Open"});
    EXPECT_EQ(TPopupMenuTracker::Active(), nullptr);
    EXPECT_FALSE(IsWindow(level));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(PopupMenuTest, EscapeAltAPressOutsideOrAModalDialogReturnsNothing)
{
    const std::pair<const char*, std::function<void()>> cancels[] = {
        {"Escape", [] { Press(VK_ESCAPE); }},
        {"Alt", [] { Press(VK_MENU); }},
        {"left press outside",
         [] {
             ClickAt({50, 50});
         }},
        {"right press outside",
         [] {
             ClickAt({50, 50}, 1);
         }},
        {"a modal dialog opening",
         [] {
             // It disables the levels; their cancel mode closes the menu before the dialog runs.
             TForm dialog(nullptr);
             dialog.OnShow = [&](TObject*) {
                 EXPECT_FALSE(Tracker().Level(0).Shown());
                 dialog.SetModalResult(mrOk);
             };
             dialog.ShowModal();
         }},
    };
    for (const auto& [name, cancel] : cancels) {
        SCOPED_TRACE(name);
        steps.push_back(cancel);
        EXPECT_EQ(Track({200, 150}), nullptr);
        EXPECT_EQ(TPopupMenuTracker::Active(), nullptr);
    }
    EXPECT_TRUE(log.empty());
}

TEST_F(PopupMenuTest, ArrowsSkipLinesAndDisabledRowsAndEnterPicks)
{
    std::vector<TMenuItem*> hot; // before each key
    for (UINT key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, UINT('D'), VK_RETURN})
        steps.push_back([&, key] {
            hot.push_back(Hot(0));
            Press(key);
        });
    Popup(200, 150);
    EXPECT_EQ(hot, (std::vector<TMenuItem*>{nullptr, open, more, close, open, close, close}));
    EXPECT_EQ(log, std::vector<std::string>{"&Close"});

    steps.push_back([] { Press('O'); });
    Popup(200, 150);
    EXPECT_EQ(log, (std::vector<std::string>{"&Close", "&Open"})) << "a row's letter picks it";
}

TEST_F(PopupMenuTest, HoverOpensASubmenuBesideItsRowWhereThereIsRoom)
{
    for (const bool nearRightEdge : {false, true}) {
        SCOPED_TRACE(nearRightEdge ? "near the right edge" : "room on the right");
        steps.push_back([&] { MoveTo(Centre(RowRect(0, more))); });
        steps.push_back([&] {
            ASSERT_EQ(Tracker().LevelCount(), 2);
            EXPECT_EQ(Tracker().Level(1).Parent(), more);
            EXPECT_EQ(Hot(0), more);
            EXPECT_EQ(Hot(1), nullptr);
            if (nearRightEdge)
                EXPECT_EQ(LevelRect(1).Right, LevelRect(0).Left);
            else
                EXPECT_EQ(LevelRect(1).Left, LevelRect(0).Right);
            EXPECT_EQ(RowRect(1, first).Top, RowRect(0, more).Top);
            MoveTo(Centre(RowRect(1, second)));
        });
        steps.push_back([&] {
            EXPECT_EQ(Hot(0), more) << "the submenu's row stays hot above it";
            EXPECT_EQ(Hot(1), second);
            ClickAt(Centre(RowRect(1, second)));
        });
        Popup(nearRightEdge ? 790 : 200, 150);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"&Second", "&Second"}));

    steps.push_back([&] { MoveTo(Centre(RowRect(0, more))); });
    steps.push_back([&] { MoveTo(Centre(RowRect(0, open))); });
    steps.push_back([&] {
        EXPECT_EQ(Tracker().LevelCount(), 1) << "another row closes the submenu";
        Press(VK_ESCAPE);
    });
    Popup(200, 150);
}

TEST_F(PopupMenuTest, KeysOpenAndCloseSubmenus)
{
    const auto expectLevels = [](int count, TMenuItem* hot) {
        ASSERT_EQ(Tracker().LevelCount(), count);
        EXPECT_EQ(Hot(count - 1), hot);
    };
    steps.push_back([] { Press('M'); });
    steps.push_back([&] {
        expectLevels(2, first);
        Press(VK_LEFT);
    });
    steps.push_back([&] {
        expectLevels(1, more);
        Press(VK_RIGHT);
    });
    steps.push_back([&] {
        expectLevels(2, first);
        Press(VK_ESCAPE);
    });
    steps.push_back([&] {
        expectLevels(1, more); // Escape closed the submenu only
        Press(VK_RETURN);
    });
    steps.push_back([&] {
        expectLevels(2, first);
        Press(VK_DOWN);
        Press(VK_RETURN);
    });
    Popup(200, 150);
    EXPECT_EQ(log, std::vector<std::string>{"&Second"});
}

TEST_F(PopupMenuTest, TheOwnerKeepsTheFocusWhileTimersAndPaintingGoOn)
{
    const HWND focus = GetFocus();
    int ticks = 0, paints = 0;
    TTimer timer(form.get());
    timer.SetInterval(100);
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    form->OnPaint = [&](TObject*) { ++paints; };
    steps.push_back([&] {
        EXPECT_EQ(GetFocus(), focus);
        EXPECT_EQ(GetActiveWindow(), form->Handle());
        paints = 0;
        form->Invalidate();
        clock->Advance(150);
    });
    steps.push_back([&] {
        EXPECT_EQ(ticks, 1);
        EXPECT_EQ(paints, 1);
        Press(VK_ESCAPE);
    });
    Popup(200, 150);
    EXPECT_EQ(GetFocus(), focus);
    EXPECT_TRUE(log.empty());
}

TEST_F(PopupMenuTest, TheLoopEndsWhenTheOwnerGoesTheApplicationLosesTheDesktopOrQuits)
{
    const std::pair<const char*, std::function<void()>> endings[] = {
        {"owner window destroyed", [this] { DestroyWindow(form->Handle()); }},
        {"owner form freed with the menu", [this] { form.release()->Release(); }},
        {"owner destroyed by a main-thread call the wait runs",
         [this] { TMainThread::Post([this] { DestroyWindow(form->Handle()); }); }},
        {"application deactivated", [] { InjectAppDeactivated(); }},
        {"quit", [] { PostQuitMessage(3); }},
    };
    for (const auto& [name, ending] : endings) {
        SCOPED_TRACE(name);
        MakeForm();
        steps.push_back([&] { MoveTo(Centre(RowRect(0, more))); }); // a submenu open too
        steps.push_back(ending);
        EXPECT_EQ(Track({200, 150}), nullptr);
        EXPECT_EQ(TPopupMenuTracker::Active(), nullptr);
        EXPECT_EQ(GetCapture(), nullptr);
    }
    MSG quit;
    ASSERT_TRUE(PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is left for the outer loop";
    EXPECT_EQ(quit.wParam, 3u);
    EXPECT_TRUE(log.empty());
}

TEST_F(PopupMenuTest, ItemsChangedWhileOpenAreShownAgain)
{
    steps.push_back([&] { MoveTo(Centre(RowRect(0, more))); });
    steps.push_back([&] {
        const int height = LevelRect(0).Height(), rowHeight = RowRect(0, more).Height();
        TObject::Free(more); // with the submenu it shows
        EXPECT_EQ(Tracker().LevelCount(), 1);
        EXPECT_EQ(LevelRect(0).Height(), height - rowHeight);
        disabled->SetEnabled(true);
        ClickAt(Centre(RowRect(0, disabled)));
    });
    Popup(200, 150);
    EXPECT_EQ(log, std::vector<std::string>{"&Disabled"});
}

} // namespace
} // namespace tovrel::test
