// Creating, showing, sizing and destroying windows: message order, the tree,
// stored values, and handles that outlive their windows.
#include "WmTestSupport.h"

namespace tovrel::test {
namespace {

class WindowLife : public TWmTest {};

TEST_F(WindowLife, CreateShowPaintSizeDestroyArriveInThePlatformsOrder)
{
    const std::set<UINT> lifecycle = {
        WM_GETMINMAXINFO, WM_NCCREATE,   WM_NCCALCSIZE,        WM_CREATE,           WM_SIZE,
        WM_MOVE,          WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_ACTIVATEAPP,
        WM_NCACTIVATE,    WM_ACTIVATE,   WM_SETFOCUS,          WM_KILLFOCUS,        WM_NCPAINT,
        WM_ERASEBKGND,    WM_PAINT,      WM_PARENTNOTIFY,      WM_DESTROY,          WM_NCDESTROY};
    HWND top = Top(Bounds(10, 20, 300, 200));
    ASSERT_TRUE(top);
    EXPECT_EQ(Messages(top, lifecycle),
              (std::vector<UINT>{WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE,
                                 WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_ACTIVATEAPP, WM_NCACTIVATE, WM_NCPAINT,
                                 WM_ACTIVATE, WM_SETFOCUS, WM_WINDOWPOSCHANGED}));
    HWND child = Child(top, Bounds(5, 5, 50, 50), WS_CHILD | WS_VISIBLE, 7);
    auto notify = Last(top, WM_PARENTNOTIFY);
    ASSERT_TRUE(notify);
    EXPECT_EQ(notify->WParam, MAKEWPARAM(WM_CREATE, 7));
    EXPECT_EQ(HWND(notify->LParam), child);

    Log().clear();
    Pump();
    // Erase, then paint, then the children.
    EXPECT_EQ(
        Trace({WM_NCPAINT, WM_ERASEBKGND, WM_PAINT}),
        (std::vector<std::pair<HWND, UINT>>{
            {top, WM_PAINT}, {top, WM_NCPAINT}, {top, WM_ERASEBKGND}, {child, WM_PAINT}, {child, WM_ERASEBKGND}}));
    Log().clear();
    Pump();
    EXPECT_TRUE(Log().empty()) << "painting validates";

    MoveWindow(top, 10, 20, 400, 250, 1);
    EXPECT_EQ(Messages(top, {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}),
              (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_SIZE}));
    RECT client;
    GetClientRect(top, &client);
    EXPECT_EQ(Last(top, WM_SIZE)->LParam, MAKELPARAM(client.Right, client.Bottom));

    Log().clear();
    ASSERT_TRUE(DestroyWindow(top));
    EXPECT_EQ(Trace({WM_DESTROY, WM_NCDESTROY}),
              (std::vector<std::pair<HWND, UINT>>{
                  {top, WM_DESTROY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}, {top, WM_NCDESTROY}}));
    EXPECT_EQ(Messages(top, {WM_WINDOWPOSCHANGED, WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP}),
              (std::vector<UINT>{WM_WINDOWPOSCHANGED, WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP}));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowLife, ADestroyedHandleIsHarmless)
{
    HWND top = Top(Bounds(0, 0, 100, 100));
    HWND child = Child(top, Bounds(0, 0, 10, 10));
    // Destroyed from inside its own handler: the rest of the handler still runs safely.
    On(child, WM_USER, [](HWND h, UINT, WPARAM, LPARAM) {
        DestroyWindow(GetParent(h));
        return std::optional<LRESULT>(SendMessage(h, WM_USER + 1, 0, 0) + 5);
    });
    EXPECT_EQ(SendMessage(child, WM_USER, 0, 0), 5);
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(child));
    Log().clear();
    EXPECT_EQ(SendMessage(child, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_FALSE(PostMessage(top, WM_USER, 0, 0));
    EXPECT_FALSE(SetWindowPos(top, nullptr, 0, 0, 1, 1, 0));
    EXPECT_FALSE(InvalidateRect(top, nullptr, 1));
    EXPECT_EQ(GetDC(top), nullptr);
    EXPECT_EQ(GetWindowLongPtr(top, GWL_STYLE), 0);
    EXPECT_FALSE(SetTimer(top, 1, 100, nullptr));
    EXPECT_EQ(SetFocus(child), nullptr);
    EXPECT_TRUE(Log().empty());
}

TEST_F(WindowLife, PostedMessagesToAWindowDestroyedMeanwhileAreDropped)
{
    HWND top = Top(Bounds(0, 0, 100, 100));
    ASSERT_TRUE(PostMessage(top, WM_USER, 1, 2));
    DestroyWindow(top);
    Log().clear();
    Pump();
    EXPECT_TRUE(Log().empty());
}

TEST_F(WindowLife, TreeNavigationFollowsZOrder)
{
    HWND top = Top(Bounds(0, 0, 200, 200));
    HWND a = Child(top, Bounds(0, 0, 10, 10), WS_CHILD | WS_VISIBLE, 1);
    HWND b = Child(top, Bounds(0, 0, 10, 10), WS_CHILD | WS_VISIBLE, 2);
    HWND inner = Child(b, Bounds(0, 0, 5, 5), WS_CHILD | WS_VISIBLE, 3);
    EXPECT_EQ(GetWindow(top, GW_CHILD), b) << "new windows go on top";
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDPREV), b);
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(b, GW_HWNDLAST), a);
    EXPECT_EQ(GetParent(inner), b);
    EXPECT_EQ(GetAncestor(inner, GA_ROOT), top);
    EXPECT_TRUE(IsChild(top, inner));
    EXPECT_FALSE(IsChild(a, inner));
    EXPECT_EQ(GetDlgItem(top, 2), b);
    EXPECT_EQ(GetDlgCtrlID(inner), 3);

    ShowWindow(b, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(inner)) << "visibility includes the parents";
    EXPECT_TRUE(GetWindowLongPtr(inner, GWL_STYLE) & WS_VISIBLE);
    EnableWindow(top, 0);
    EXPECT_FALSE(IsWindowEnabled(top));
    EXPECT_TRUE(IsWindowEnabled(a)) << "enabled state is the window's own";

    HWND popup = Top(Bounds(0, 0, 10, 10), WS_POPUP, WS_EX_TOOLWINDOW, kClass, a);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), top) << "the owner is the top-level window";
    EXPECT_EQ(GetParent(popup), top);
}

TEST_F(WindowLife, CoordinatesMapThroughParentsAndFrames)
{
    HWND top = Top(Bounds(100, 50, 300, 200), WS_POPUP | WS_BORDER | WS_VISIBLE);
    HWND child = Child(top, Bounds(10, 20, 100, 100), WS_CHILD | WS_VISIBLE, 0);
    HWND inner = Child(child, Bounds(5, 6, 20, 20), WS_CHILD | WS_VISIBLE | WS_BORDER, 0);
    RECT r;
    GetWindowRect(inner, &r);
    EXPECT_EQ(r, Bounds(100 + 1 + 10 + 5, 50 + 1 + 20 + 6, 20, 20));
    GetClientRect(inner, &r);
    EXPECT_EQ(r, Rect(0, 0, 18, 18));
    POINT p{0, 0};
    ClientToScreen(inner, &p);
    EXPECT_EQ(p, Point(117, 78));
    ScreenToClient(child, &p);
    EXPECT_EQ(p, Point(6, 7));
    POINT q{1, 1};
    MapWindowPoints(inner, top, &q, 1);
    EXPECT_EQ(q, Point(1 + 1 + 5 + 10, 1 + 1 + 6 + 20));
    EXPECT_EQ(ChildWindowFromPoint(top, Point(15, 25)), child);
    EXPECT_EQ(ChildWindowFromPoint(top, Point(250, 150)), top);
    EXPECT_EQ(ChildWindowFromPoint(top, Point(-1, 0)), nullptr);
}

TEST_F(WindowLife, PositionChangesHonourTheHandlersAnswers)
{
    HWND top = Canvas(Bounds(0, 0, 200, 200));
    HWND w = Child(top, Bounds(0, 0, 50, 50));
    // WM_WINDOWPOSCHANGING may change the position; WM_NCCALCSIZE decides the client area.
    On(w, WM_WINDOWPOSCHANGING, [](HWND, UINT, WPARAM, LPARAM l) {
        auto* pos = FromLParam<WINDOWPOS>(l);
        pos->cx = std::min(pos->cx, 80);
        return std::optional<LRESULT>(0);
    });
    On(w, WM_NCCALCSIZE, [](HWND, UINT, WPARAM wParam, LPARAM l) {
        RECT* r = wParam ? &FromLParam<NCCALCSIZE_PARAMS>(l)->rgrc[0] : FromLParam<RECT>(l);
        *r = {r->Left + 3, r->Top + 4, r->Right - 3, r->Bottom - 4};
        return std::optional<LRESULT>(0);
    });
    SetWindowPos(w, nullptr, 10, 10, 120, 60, SWP_NOZORDER);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r, Bounds(10, 10, 80, 60));
    GetClientRect(w, &r);
    EXPECT_EQ(r, Rect(0, 0, 74, 52));
    EXPECT_EQ(Last(w, WM_SIZE)->LParam, MAKELPARAM(74, 52));
    EXPECT_EQ(Last(w, WM_MOVE)->LParam, MAKELPARAM(13, 14)) << "WM_MOVE gives the client origin";

    Log().clear();
    SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(Messages(w, {WM_NCCALCSIZE, WM_SIZE, WM_MOVE}), (std::vector<UINT>{WM_NCCALCSIZE}));

    // Absurd sizes are cut to what messages can carry; the backing surface stays bounded.
    Handlers().clear();
    SetWindowPos(top, nullptr, -100000, 0, 100000, 100000, SWP_NOZORDER);
    GetWindowRect(top, &r);
    EXPECT_EQ(r, Bounds(-32767, 0, 32767, 32767));
    auto surface = WindowSurface(top);
    EXPECT_LE(std::int64_t(surface->Width()) * surface->Height(), 64ll * 1024 * 1024);
}

TEST_F(WindowLife, StoredValuesAndTexts)
{
    HWND top = Top(Bounds(0, 0, 100, 100));
    SetWindowLongPtr(top, GWLP_USERDATA, 1234);
    EXPECT_EQ(GetWindowLongPtr(top, GWLP_USERDATA), 1234);

    Log().clear();
    const LONG_PTR oldStyle = SetWindowLongPtr(top, GWL_STYLE, GetWindowLongPtr(top, GWL_STYLE) & ~WS_CAPTION);
    EXPECT_TRUE(oldStyle & WS_CAPTION);
    EXPECT_FALSE(GetWindowLongPtr(top, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(Messages(top), (std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED}));

    EXPECT_TRUE(SetWindowText(top, "转换器 TovrelMP4"));
    EXPECT_EQ(GetWindowTextString(top), "转换器 TovrelMP4");
    char small[5];
    EXPECT_EQ(GetWindowText(top, small, sizeof small), 3) << "cut before a split character";
    EXPECT_STREQ(small, "转");
    EXPECT_EQ(GetClassNameString(top), "TestWindow");

    SetProp(top, "object", reinterpret_cast<HANDLE>(std::intptr_t(99)));
    EXPECT_EQ(GetProp(top, "object"), reinterpret_cast<HANDLE>(std::intptr_t(99)));
    EXPECT_EQ(RemoveProp(top, "object"), reinterpret_cast<HANDLE>(std::intptr_t(99)));
    EXPECT_EQ(GetProp(top, "object"), nullptr);
}

LRESULT SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto old = WndProcOf(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (message == WM_USER)
        return 100 + CallWindowProc(old, hwnd, message, wParam, lParam);
    return CallWindowProc(old, hwnd, message, wParam, lParam);
}

TEST_F(WindowLife, ReplacedProceduresChainToTheOldOne)
{
    HWND top = Top(Bounds(0, 0, 100, 100));
    Answer(top, WM_USER, 7);
    const LONG_PTR old = SetWindowLongPtr(top, GWLP_WNDPROC, LongOf(SubclassProc));
    SetWindowLongPtr(top, GWLP_USERDATA, old);
    EXPECT_EQ(WndProcOf(old), &TWmTest::RecordingProc);
    EXPECT_EQ(SendMessage(top, WM_USER, 0, 0), 107);
    SetWindowLongPtr(top, GWLP_WNDPROC, old);
    EXPECT_EQ(SendMessage(top, WM_USER, 0, 0), 7);
}

TEST_F(WindowLife, MinimizeAndRestoreLeaveAndRegainTheScreen)
{
    struct TShowBackend : TBackend {
        std::vector<bool> Shown;
        void WindowShown(HWND, bool visible, bool) override { Shown.push_back(visible); }
    };
    auto backend = std::make_shared<TShowBackend>();
    SetBackend(backend);
    HWND other = Top(Bounds(500, 0, 100, 100));
    HWND top = Top(Bounds(10, 20, 300, 200));
    backend->Shown.clear();
    Log().clear();
    ShowWindow(top, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(top));
    EXPECT_EQ(Last(top, WM_SIZE)->WParam, SIZE_MINIMIZED);
    EXPECT_EQ(GetActiveWindow(), other) << "activation leaves a minimized window";
    EXPECT_EQ(backend->Shown, std::vector<bool>{false});
    ShowWindow(top, SW_RESTORE);
    EXPECT_FALSE(IsIconic(top));
    RECT r;
    GetWindowRect(top, &r);
    EXPECT_EQ(r, Bounds(10, 20, 300, 200));
    EXPECT_EQ(backend->Shown, (std::vector<bool>{false, true}));
    EXPECT_EQ(GetActiveWindow(), top);
}

TEST_F(WindowLife, ReparentingMovesWindowsBetweenTreeAndTopLevel)
{
    HWND a = Canvas(Bounds(0, 0, 100, 100));
    HWND b = Canvas(Bounds(200, 0, 100, 100));
    HWND child = Child(a, Bounds(10, 10, 20, 20));
    EXPECT_EQ(SetParent(child, b), a);
    EXPECT_EQ(GetParent(child), b);
    EXPECT_EQ(GetWindow(a, GW_CHILD), nullptr);
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r, Bounds(210, 10, 20, 20)) << "the position stays relative to the parent";
    EXPECT_EQ(SetParent(b, child), nullptr) << "no cycles";
    // WM_SETREDRAW(FALSE) takes the visible bit without hiding; TRUE gives it back.
    SendMessage(b, WM_SETREDRAW, 0, 0);
    EXPECT_FALSE(IsWindowVisible(child));
    SendMessage(b, WM_SETREDRAW, 1, 0);
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_EQ(RegisterWindowMessage("TaskbarCreated"), RegisterWindowMessage("taskbarcreated"));
    EXPECT_GE(RegisterWindowMessage("TaskbarCreated"), 0xC000u);
    EXPECT_NE(RegisterWindowMessage("Other"), RegisterWindowMessage("TaskbarCreated"));
}

TEST_F(WindowLife, CreationFailsCleanly)
{
    EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(CreateWindowEx(0, kClass, "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr)
        << "a child needs a parent";
    WNDCLASSEX again{};
    again.lpszClassName = "testwindow";
    EXPECT_EQ(RegisterClassEx(&again), 0) << "class names ignore case";

    HWND top = Top(Bounds(0, 0, 100, 100));
    // A child refusing WM_CREATE is destroyed and its creation fails.
    Handlers().clear();
    static HWND refused = nullptr;
    On(top, WM_PARENTNOTIFY, [](HWND, UINT, WPARAM, LPARAM) { return std::optional<LRESULT>(0); });
    Log().clear();
    WNDCLASSEX wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_CREATE) {
            refused = h;
            return -1;
        }
        return DefWindowProc(h, m, w, l);
    };
    wc.lpszClassName = "Refusing";
    RegisterClassEx(&wc);
    EXPECT_EQ(Child(top, Bounds(0, 0, 5, 5), WS_CHILD | WS_VISIBLE, 0, "Refusing"), nullptr);
    EXPECT_FALSE(IsWindow(refused));
    EXPECT_EQ(GetWindow(top, GW_CHILD), nullptr);
    // Destroyed as any child is: the parent hears of that, never of a creation.
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(Log()[0].Hwnd, top);
    EXPECT_EQ(Log()[0].Message, UINT(WM_PARENTNOTIFY));
    EXPECT_EQ(Log()[0].WParam, MAKEWPARAM(WM_DESTROY, 0));
    EXPECT_EQ(HWND(Log()[0].LParam), refused);
    UnregisterClass("Refusing", nullptr);
}

} // namespace
} // namespace tovrel::test
