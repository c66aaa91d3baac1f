// Minimize and restore (by code and by the window manager), maximize within
// WM_GETMINMAXINFO, insert-after restacking and display changes: the messages
// the layer sends and what it asks of the backend.
#include "WmTestSupport.h"

#include <algorithm>

namespace tovrel::test {

namespace {

// Records what the layer asks of the display; monitors can be changed.
class TRecordingBackend : public TBackend {
public:
    std::vector<std::pair<HWND, bool>> Minimized;
    std::vector<HWND> Raised;
    std::vector<HWND> OwnerChanged;
    std::vector<TMonitor> Screens{{{0, 0, 800, 600}, {0, 0, 800, 560}}};

    void WindowMinimized(HWND hwnd, bool minimized) override { Minimized.push_back({hwnd, minimized}); }
    void WindowRaised(HWND hwnd) override { Raised.push_back(hwnd); }
    void WindowOwnerChanged(HWND hwnd) override { OwnerChanged.push_back(hwnd); }
    std::vector<TMonitor> Monitors() override { return Screens; }
};

} // namespace

class WindowStateTest : public TWmTest {
protected:
    void SetUp() override
    {
        TWmTest::SetUp();
        backend = std::make_shared<TRecordingBackend>();
        SetBackend(backend);
    }

    // WM_SIZE kinds and WM_SYSCOMMAND commands the window got, in order.
    static std::vector<WPARAM> WParams(HWND hwnd, UINT message)
    {
        std::vector<WPARAM> out;
        for (const auto& e : Log())
            if (e.Hwnd == hwnd && e.Message == message)
                out.push_back(e.WParam);
        return out;
    }

    std::shared_ptr<TRecordingBackend> backend;
};

TEST_F(WindowStateTest, MinimizeAndRestoreByCodeOrByTheWindowManager)
{
    struct TCase {
        const char* Name;
        bool MinimizedByWindowManager;
        bool RestoredByWindowManager;
    };
    const TCase cases[] = {
        {"code, code", false, false},
        {"window manager, code", true, false},
        {"code, window manager", false, true},
        {"window manager, window manager", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        HWND form = Top({50, 40, 350, 240});
        Pump();
        Log().clear();
        backend->Minimized.clear();

        // Changes the state as the case says; checks the commands and the size kind it gave.
        const auto change = [&](bool minimize, bool byWindowManager) {
            Log().clear();
            if (byWindowManager)
                InjectWindowMinimized(form, minimize);
            else
                ShowWindow(form, minimize ? SW_MINIMIZE : SW_RESTORE);
            Pump();
            EXPECT_EQ(IsIconic(form) != 0, minimize);
            const WPARAM command = minimize ? SC_MINIMIZE : SC_RESTORE;
            EXPECT_EQ(WParams(form, WM_SYSCOMMAND), byWindowManager ? std::vector{command} : std::vector<WPARAM>{});
            EXPECT_EQ(WParams(form, WM_SIZE), std::vector<WPARAM>{minimize ? SIZE_MINIMIZED : SIZE_RESTORED});
        };
        change(true, c.MinimizedByWindowManager);
        // The window manager reporting the state it already has changes nothing.
        Log().clear();
        InjectWindowMinimized(form, true);
        Pump();
        EXPECT_TRUE(Messages(form, {WM_SYSCOMMAND}).empty());

        change(false, c.RestoredByWindowManager);
        RECT r;
        GetWindowRect(form, &r);
        EXPECT_EQ(r, (RECT{50, 40, 350, 240}));
        // Painted again, frame and client.
        const auto painted = Messages(form, {WM_NCPAINT, WM_ERASEBKGND, WM_PAINT});
        EXPECT_EQ(std::count(painted.begin(), painted.end(), WM_PAINT), 1);
        EXPECT_EQ(std::vector<UINT>(painted.end() - 2, painted.end()), (std::vector<UINT>{WM_NCPAINT, WM_ERASEBKGND}));
        EXPECT_EQ(backend->Minimized, (std::vector<std::pair<HWND, bool>>{{form, true}, {form, false}}));
        DestroyWindow(form);
    }
}

// A window manager takes owned windows off the screen with their minimized
// owner and brings the group back when one of them is activated.
TEST_F(WindowStateTest, MinimizingAnOwnerActivatesNoneOfItsOwnedWindows)
{
    HWND other = Top({500, 0, 100, 100});
    HWND form = Top({0, 0, 300, 200});
    HWND dialog = Top({50, 50, 100, 80}, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, kClass, form);
    SetActiveWindow(form);
    Pump();
    backend->Raised.clear();
    ShowWindow(form, SW_MINIMIZE);
    Pump();
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(std::count(backend->Raised.begin(), backend->Raised.end(), dialog), 0);
    DestroyWindow(dialog);
    DestroyWindow(form);
    DestroyWindow(other);
}

TEST_F(WindowStateTest, WindowManagerReportsOnHiddenOrChildWindowsAreIgnored)
{
    HWND hidden = Top({0, 0, 100, 100}, WS_OVERLAPPEDWINDOW);
    HWND parent = Top({0, 0, 200, 200});
    HWND child = Child(parent, {0, 0, 50, 50});
    Pump();
    Log().clear();
    for (HWND hwnd : {hidden, child})
        InjectWindowMinimized(hwnd, true);
    Pump();
    EXPECT_TRUE(Messages(nullptr, {WM_SYSCOMMAND}).empty());
    EXPECT_FALSE(IsIconic(hidden));
}

TEST_F(WindowStateTest, MaximizeHonoursMinMaxInfo)
{
    struct TCase {
        const char* Name;
        std::function<void(MINMAXINFO&)> Answer; // null: the default
        RECT Expected;
    };
    const TCase cases[] = {
        {"the work area", nullptr, {0, 0, 800, 560}},
        {"a size and position of its own",
         [](MINMAXINFO& m) {
             m.ptMaxSize = {600, 400};
             m.ptMaxPosition = {20, 10};
         },
         {20, 10, 620, 410}},
        {"limited by the track size",
         [](MINMAXINFO& m) {
             m.ptMaxTrackSize = {500, 300};
         },
         {0, 0, 500, 300}},
        {"at least the minimum track size",
         [](MINMAXINFO& m) {
             m.ptMaxSize = {50, 40};
             m.ptMinTrackSize = {200, 150};
         },
         {0, 0, 200, 150}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        HWND form = Top({100, 100, 300, 250});
        Log().clear();
        std::optional<MINMAXINFO> proposed;
        On(form, WM_GETMINMAXINFO, [&](HWND, UINT, WPARAM, LPARAM l) {
            auto* info = reinterpret_cast<MINMAXINFO*>(l);
            proposed = *info;
            if (c.Answer)
                c.Answer(*info);
            return std::optional<LRESULT>(0);
        });
        ShowWindow(form, SW_MAXIMIZE);
        ASSERT_TRUE(proposed);
        EXPECT_EQ(proposed->ptMaxSize, (POINT{800, 560}));
        EXPECT_EQ(proposed->ptMaxPosition, (POINT{0, 0}));
        EXPECT_TRUE(IsZoomed(form));
        RECT r;
        GetWindowRect(form, &r);
        EXPECT_EQ(r, c.Expected);
        EXPECT_EQ(WParams(form, WM_SIZE), std::vector<WPARAM>{SIZE_MAXIMIZED});
        ShowWindow(form, SW_RESTORE);
        GetWindowRect(form, &r);
        EXPECT_EQ(r, (RECT{100, 100, 300, 250}));
        DestroyWindow(form);
    }
}

TEST_F(WindowStateTest, InsertAfterRestacksJustBelowThatWindow)
{
    HWND bottom = Top({0, 0, 100, 100});
    HWND middle = Top({0, 0, 100, 100});
    HWND top = Top({0, 0, 100, 100});
    ASSERT_EQ(TopLevels(), (std::vector<HWND>{top, middle, bottom}));
    backend->Raised.clear();

    // A border window sits just below its form.
    SetWindowPos(bottom, top, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(TopLevels(), (std::vector<HWND>{top, bottom, middle}));
    EXPECT_EQ(GetWindow(top, GW_HWNDNEXT), bottom);
    EXPECT_EQ(backend->Raised, std::vector<HWND>{bottom});

    SetWindowPos(top, middle, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(TopLevels(), (std::vector<HWND>{bottom, middle, top}));

    HWND a = Child(top, {0, 0, 10, 10});
    HWND b = Child(top, {0, 0, 10, 10});
    HWND c = Child(top, {0, 0, 10, 10});
    SetWindowPos(c, a, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), c);
}

TEST_F(WindowStateTest, OwnedWindowsStayAboveTheirOwner)
{
    const TRect overlap{0, 0, 100, 100};
    HWND owner = Top(overlap);
    HWND owned = Top(overlap, WS_POPUP | WS_VISIBLE, 0, kClass, owner);
    HWND ownedByOwned = Top(overlap, WS_POPUP | WS_VISIBLE, 0, kClass, owned);
    HWND other = Top(overlap);
    // Topmost and owned: stays in its own band.
    HWND topmost = Top({300, 300, 50, 50}, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, kClass, owner);
    ASSERT_EQ(TopLevels(), (std::vector<HWND>{topmost, other, ownedByOwned, owned, owner}));
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    struct TCase {
        const char* Name;
        HWND Placed;
        HWND InsertAfter;
        std::vector<HWND> Order;
    } cases[] = {
        {"the owner raised brings what it owns along", owner, HWND_TOP, {topmost, ownedByOwned, owned, owner, other}},
        {"another window raised", other, HWND_TOP, {topmost, other, ownedByOwned, owned, owner}},
        {"an owned window sent to the bottom stays above its owner",
         owned,
         HWND_BOTTOM,
         {topmost, other, ownedByOwned, owned, owner}},
        {"an owned window raised, its owner stays", owned, HWND_TOP, {topmost, ownedByOwned, owned, other, owner}},
        {"the owner put below another window", owner, other, {topmost, other, ownedByOwned, owned, owner}},
    };
    for (const auto& c : cases) {
        SetWindowPos(c.Placed, c.InsertAfter, 0, 0, 0, 0, keep);
        EXPECT_EQ(TopLevels(), c.Order) << c.Name;
        EXPECT_EQ(WindowFromPoint(Point(50, 50)), c.Order[1]) << c.Name << ": the pointer finds the top one";
    }
}

TEST_F(WindowStateTest, OwnersGivenLaterFormNoCycle)
{
    HWND owner = Top({0, 0, 100, 100});
    HWND child = Child(owner, {0, 0, 10, 10});
    HWND dialog = Top({0, 0, 100, 100});
    HWND nested = Top({0, 0, 100, 100}, WS_POPUP | WS_VISIBLE, 0, kClass, dialog);
    const auto setOwner = [](HWND hwnd, HWND to) {
        return reinterpret_cast<HWND>(SetWindowLongPtr(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(to)));
    };
    struct TCase {
        const char* Name;
        HWND Window;
        HWND Given;
        HWND Returned;
        HWND Owner; // afterwards
        bool Told;  // the backend hears of it
    } cases[] = {
        {"a top-level window", dialog, owner, nullptr, owner, true},
        {"a child stands for its top-level window", nested, child, dialog, owner, true},
        {"none", nested, nullptr, owner, nullptr, true},
        {"itself", owner, owner, nullptr, nullptr, false},
        {"a window it owns", owner, dialog, nullptr, nullptr, false},
        {"an unknown window", dialog, reinterpret_cast<HWND>(std::uintptr_t(0xdead0)), nullptr, owner, false},
    };
    for (const auto& c : cases) {
        backend->OwnerChanged.clear();
        EXPECT_EQ(setOwner(c.Window, c.Given), c.Returned) << c.Name;
        EXPECT_EQ(GetWindow(c.Window, GW_OWNER), c.Owner) << c.Name;
        EXPECT_EQ(backend->OwnerChanged, c.Told ? std::vector<HWND>{c.Window} : std::vector<HWND>{}) << c.Name;
    }
}

TEST_F(WindowStateTest, DisplayChangeReachesEveryTopLevelWindow)
{
    HWND shown = Top({0, 0, 100, 100});
    HWND hidden = Top({0, 0, 100, 100}, WS_OVERLAPPEDWINDOW);
    HWND child = Child(shown, {0, 0, 10, 10});
    Log().clear();
    backend->Screens = {{{0, 0, 1024, 768}, {0, 0, 1024, 740}}, {{1024, 0, 2304, 1024}, {1024, 0, 2304, 1024}}};

    NotifyDisplayChange();

    for (HWND hwnd : {shown, hidden}) {
        auto entry = Last(hwnd, WM_DISPLAYCHANGE);
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->WParam, 32u);
        EXPECT_EQ(LOWORD(entry->LParam), 1024);
        EXPECT_EQ(HIWORD(entry->LParam), 768);
    }
    EXPECT_FALSE(Last(child, WM_DISPLAYCHANGE));
    EXPECT_EQ(MonitorFromPoint({1500, 500}, MONITOR_DEFAULTTONULL), reinterpret_cast<HMONITOR>(2));
}

} // namespace tovrel::test
