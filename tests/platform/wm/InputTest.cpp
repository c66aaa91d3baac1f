// Mouse and keyboard input: hit-test routing, capture across windows,
// focus and activation, double clicks, keys and text, leave tracking.
#include "WmTestSupport.h"

namespace tovrel::test {
namespace {

class Input : public TWmTest {};

const std::set<UINT> kMouse = {WM_MOUSEMOVE,     WM_LBUTTONDOWN, WM_LBUTTONUP,       WM_LBUTTONDBLCLK, WM_NCMOUSEMOVE,
                               WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK, WM_RBUTTONDOWN};

TEST_F(Input, HitTestsRouteToClientAndNonClientMessages)
{
    HWND top = Canvas(Bounds(100, 100, 200, 200));
    // The top band answers HTCAPTION, as skinned frames do.
    On(top, WM_NCHITTEST, [](HWND h, UINT, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        POINT p = PointFromLParam(l);
        ScreenToClient(h, &p);
        return p.Y < 20 ? HTCAPTION : HTCLIENT;
    });
    Answer(top, WM_NCLBUTTONDOWN, 0); // no move loop here
    HWND see = Child(top, Bounds(50, 50, 40, 40));
    HWND transparent = Child(top, Bounds(40, 40, 30, 30));
    Answer(transparent, WM_NCHITTEST, HTTRANSPARENT);
    HWND disabled = Child(top, Bounds(120, 120, 30, 30), WS_CHILD | WS_VISIBLE | WS_DISABLED);
    HWND shaped = Child(top, Bounds(150, 30, 40, 40));
    SetWindowRgn(shaped, CreateRectRgn(0, 0, 20, 20), 0);

    struct TCase {
        TPoint Screen;
        HWND Target;
        UINT Message;
        WPARAM WParam; // hit code for non-client messages
        LPARAM LParam;
    } cases[] = {
        {{110, 105}, top, WM_NCLBUTTONDOWN, WPARAM(HTCAPTION), MAKELPARAM(110, 105)},
        {{110, 150}, top, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 50)},
        {{155, 155}, see, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)},
        {{145, 145}, top, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 45)},   // transparent child, nothing under it
        {{165, 165}, see, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15)},   // through the transparent child
        {{225, 225}, top, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(125, 125)}, // disabled child passes to its parent
        {{255, 135}, shaped, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)},
        {{285, 165}, top, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(185, 65)}, // outside the child's region
    };
    for (const auto& c : cases) {
        Log().clear();
        InjectMouseButton(0, true, c.Screen);
        Pump();
        auto hit = Last(c.Target, c.Message);
        ASSERT_TRUE(hit) << c.Screen.X << "," << c.Screen.Y;
        EXPECT_EQ(hit->WParam, c.WParam) << c.Screen.X << "," << c.Screen.Y;
        EXPECT_EQ(hit->LParam, c.LParam) << c.Screen.X << "," << c.Screen.Y;
        EXPECT_EQ(Messages(disabled, kMouse).size(), 0u);
        // WM_SETCURSOR names the hit code and the mouse message before it arrives.
        auto cursor = Last(c.Target, WM_SETCURSOR);
        ASSERT_TRUE(cursor);
        EXPECT_EQ(HIWORD(ULONG_PTR(cursor->LParam)), c.Message);
        InjectMouseButton(0, false, c.Screen);
        clock->Advance(1000); // no double clicks here
        Pump();
    }
    EXPECT_EQ(WindowFromPoint(Point(165, 165)), see);
    EXPECT_EQ(WindowFromPoint(Point(10, 10)), nullptr);
}

TEST_F(Input, CaptureSpansWindowsAndAPopupNeverTakesTheFocus)
{
    HWND form = Top(Bounds(100, 100, 300, 200));
    HWND combo = Child(form, Bounds(10, 10, 100, 20));
    SetFocus(combo);
    ASSERT_EQ(GetFocus(), combo);
    HWND popup =
        Top(Bounds(110, 160, 100, 80), WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClass, form);
    Answer(popup, WM_MOUSEACTIVATE, MA_NOACTIVATE);
    ShowWindow(popup, SW_SHOW); // even a plain show does not activate it
    EXPECT_EQ(GetActiveWindow(), form);
    SetCapture(combo);

    Log().clear();
    const TPoint inPopup{150, 200};
    InjectMouseMove(inPopup);
    Click(inPopup);
    Pump();
    RECT r;
    GetWindowRect(combo, &r);
    // Coordinates relative to the combo's client area: beyond it, as the platform gives them.
    const LPARAM relative = MAKELPARAM(inPopup.X - r.Left, inPopup.Y - r.Top);
    EXPECT_EQ(Messages(combo, kMouse), (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(Last(combo, WM_LBUTTONUP)->LParam, relative);
    EXPECT_TRUE(Messages(popup, kMouse).empty());
    EXPECT_TRUE(Messages(popup, {WM_NCHITTEST, WM_SETCURSOR}).empty()) << "no hit tests while captured";

    ReleaseCapture();
    EXPECT_EQ(Last(combo, WM_CAPTURECHANGED)->LParam, 0);
    Log().clear();
    clock->Advance(1000);
    Click(inPopup);
    Pump();
    EXPECT_EQ(Messages(popup, {WM_MOUSEACTIVATE, WM_SETCURSOR, WM_LBUTTONDOWN, WM_LBUTTONUP}),
              (std::vector<UINT>{WM_MOUSEACTIVATE, WM_SETCURSOR, WM_LBUTTONDOWN, WM_SETCURSOR, WM_LBUTTONUP}));
    EXPECT_EQ(GetActiveWindow(), form);
    EXPECT_EQ(GetFocus(), combo);
    EXPECT_TRUE(Messages(combo, {WM_KILLFOCUS}).empty());
    EXPECT_EQ(SetFocus(popup), nullptr);
    EXPECT_EQ(GetFocus(), combo);

    // Capture moves to another window: the old holder hears who took it.
    SetCapture(combo);
    SetCapture(popup);
    EXPECT_EQ(HWND(Last(combo, WM_CAPTURECHANGED)->LParam), popup);
    EXPECT_EQ(GetCapture(), popup);
    DestroyWindow(popup);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Input, FocusAndActivationFollowThePlatformsRules)
{
    HWND a = Top(Bounds(0, 0, 200, 200));
    HWND aEdit = Child(a, Bounds(10, 10, 50, 20));
    SetFocus(aEdit);
    HWND b = Top(Bounds(300, 0, 200, 200), WS_OVERLAPPEDWINDOW); // hidden: activates when shown
    HWND bEdit = Child(b, Bounds(10, 10, 50, 20));
    ShowWindow(b, SW_SHOWNA);
    EXPECT_EQ(GetActiveWindow(), a);

    Log().clear();
    SetFocus(bEdit);
    const std::set<UINT> order = {WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS, WM_SETFOCUS};
    EXPECT_EQ(Trace(order), (std::vector<std::pair<HWND, UINT>>{{a, WM_NCACTIVATE},
                                                                {a, WM_ACTIVATE},
                                                                {b, WM_NCACTIVATE},
                                                                {b, WM_ACTIVATE},
                                                                {aEdit, WM_KILLFOCUS},
                                                                {b, WM_SETFOCUS},
                                                                {b, WM_KILLFOCUS},
                                                                {bEdit, WM_SETFOCUS}}));
    EXPECT_EQ(LOWORD(Last(a, WM_ACTIVATE)->WParam), WA_INACTIVE);
    EXPECT_EQ(HWND(Last(a, WM_ACTIVATE)->LParam), b);

    // A click activates with WA_CLICKACTIVE; a window answering MA_NOACTIVATE stays inactive.
    Log().clear();
    Click({50, 150});
    Pump();
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(LOWORD(Last(a, WM_ACTIVATE)->WParam), WA_CLICKACTIVE);
    Answer(b, WM_MOUSEACTIVATE, MA_NOACTIVATEANDEAT);
    Log().clear();
    clock->Advance(1000);
    Click({350, 150});
    Pump();
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_TRUE(Messages(b, {WM_LBUTTONDOWN, WM_LBUTTONUP}) == std::vector<UINT>{WM_LBUTTONUP})
        << "the press was eaten";

    // The desktop takes the keyboard: the application hears it.
    Log().clear();
    InjectAppDeactivated();
    Pump();
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(Last(a, WM_ACTIVATEAPP)->WParam, 0u);
    EXPECT_EQ(GetFocus(), nullptr);

    // Destroying the active window activates its owner.
    SetActiveWindow(b);
    HWND owned = Top(Bounds(0, 0, 50, 50), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, kClass, a);
    EXPECT_EQ(GetActiveWindow(), owned);
    DestroyWindow(owned);
    EXPECT_EQ(GetActiveWindow(), a);
    // Disabling the focus window takes the focus away.
    SetFocus(aEdit);
    EnableWindow(aEdit, 0);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Input, DoubleClicksNeedTheClassTimeAndDistance)
{
    HWND top = Canvas(Bounds(0, 0, 300, 100));
    HWND dbl = Child(top, Bounds(0, 0, 100, 100), WS_CHILD | WS_VISIBLE, 0, kClass);
    HWND plain = Child(top, Bounds(100, 0, 100, 100), WS_CHILD | WS_VISIBLE, 0, kPlainClass);
    HWND framed = Child(top, Bounds(200, 0, 100, 100), WS_CHILD | WS_VISIBLE | WS_CAPTION, 0, kPlainClass);
    struct TCase {
        const char* Name;
        HWND Target;
        TPoint First, Second;
        std::uint64_t Gap;
        UINT Expected;
    } cases[] = {
        {"quick and close", dbl, {50, 50}, {52, 48}, 400, WM_LBUTTONDBLCLK},
        {"at the time limit", dbl, {50, 50}, {50, 50}, 500, WM_LBUTTONDBLCLK},
        {"too slow", dbl, {50, 50}, {50, 50}, 501, WM_LBUTTONDOWN},
        {"too far", dbl, {50, 50}, {53, 50}, 100, WM_LBUTTONDOWN},
        {"class without CS_DBLCLKS", plain, {150, 50}, {150, 50}, 100, WM_LBUTTONDOWN},
        {"caption of any class", framed, {250, 5}, {250, 5}, 100, WM_NCLBUTTONDBLCLK},
    };
    for (const auto& c : cases) {
        clock->Advance(5000);
        Answer(framed, WM_NCLBUTTONDOWN, 0);
        Click(c.First);
        Pump();
        clock->Advance(c.Gap);
        Log().clear();
        Click(c.Second);
        Pump();
        auto messages = Messages(c.Target, kMouse);
        ASSERT_FALSE(messages.empty()) << c.Name;
        EXPECT_EQ(messages.front(), c.Expected) << c.Name;
    }
    // A third quick click starts over.
    Log().clear();
    Click({50, 50});
    Pump();
    EXPECT_EQ(Messages(dbl, kMouse).front(), WM_LBUTTONDOWN);
}

TEST_F(Input, KeysGoToTheFocusAndTextArrivesPerUtf16Unit)
{
    HWND top = Top(Bounds(0, 0, 200, 200));
    HWND edit = Child(top, Bounds(0, 0, 50, 20));
    SetFocus(edit);
    Log().clear();
    InjectKey(VK_SHIFT, true);
    InjectKey('A', true);
    InjectKey('A', false);
    InjectKey(VK_SHIFT, false);
    InjectKey(VK_CONTROL, true);
    InjectKey('C', true);
    InjectKey('C', false);
    InjectKey(VK_CONTROL, false);
    InjectText("中文😀");
    bool shiftSeen = false;
    On(edit, WM_KEYDOWN, [&](HWND, UINT, WPARAM w, LPARAM) {
        if (w == 'A')
            shiftSeen = GetKeyState(VK_SHIFT) < 0;
        return std::nullopt;
    });
    Pump();
    EXPECT_TRUE(shiftSeen);
    EXPECT_FALSE(GetKeyState(VK_SHIFT) < 0);
    std::vector<WPARAM> chars;
    for (const auto& e : Log())
        if (e.Hwnd == edit && e.Message == WM_CHAR)
            chars.push_back(e.WParam);
    EXPECT_EQ(chars, (std::vector<WPARAM>{3, 0x4E2D, 0x6587, 0xD83D, 0xDE00}));
    auto up = Last(edit, WM_KEYUP);
    ASSERT_TRUE(up);
    EXPECT_TRUE(up->LParam & KF_UP_BIT);
}

TEST_F(Input, TextOfAKeyPressThatWasNotTranslatedIsDropped)
{
    // A menu loop takes the press of an accelerator letter without translating it:
    // the letter's text must not reach the edit after the menu closed.
    HWND top = Top(Bounds(0, 0, 200, 200));
    HWND edit = Child(top, Bounds(0, 0, 50, 20));
    SetFocus(edit);
    auto typed = [&] {
        std::vector<WPARAM> chars;
        for (const auto& e : Log())
            if (e.Hwnd == edit && e.Message == WM_CHAR)
                chars.push_back(e.WParam);
        return chars;
    };
    Log().clear();
    InjectKey('D', true);
    InjectText("d");
    MSG m;
    ASSERT_TRUE(PeekMessage(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    ASSERT_EQ(m.message, UINT(WM_KEYDOWN)); // consumed: no TranslateMessage, no dispatch
    InjectKey('D', false);
    Pump();
    EXPECT_EQ(typed(), std::vector<WPARAM>{});

    // Translated presses keep their text, and text with no press before it (an
    // input method's commit) always arrives.
    Log().clear();
    InjectKey('E', true);
    InjectText("e");
    InjectKey('E', false);
    InjectText("中");
    Pump();
    EXPECT_EQ(typed(), (std::vector<WPARAM>{'e', 0x4E2D}));
}

TEST_F(Input, AltKeysMakeSystemCommands)
{
    HWND top = Top(Bounds(0, 0, 200, 200));
    HWND edit = Child(top, Bounds(0, 0, 50, 20));
    SetFocus(edit);
    Log().clear();
    InjectKey(VK_MENU, true);
    InjectKey(VK_MENU, false);
    Pump();
    auto menu = Last(top, WM_SYSCOMMAND);
    ASSERT_TRUE(menu) << "a lone Alt opens the menu";
    EXPECT_EQ(menu->WParam, SC_KEYMENU);
    EXPECT_EQ(Messages(edit, {WM_SYSKEYDOWN, WM_SYSKEYUP}), (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYUP}));

    // The menu key asks for a context menu at (-1, -1); the request climbs to the parent.
    InjectKey(VK_APPS, true);
    InjectKey(VK_APPS, false);
    Pump();
    auto context = Last(top, WM_CONTEXTMENU);
    ASSERT_TRUE(context);
    EXPECT_EQ(context->LParam, MAKELPARAM(-1, -1));
    EXPECT_EQ(HWND(context->WParam), edit);

    // Alt with a key that the application took itself (a menu accelerator) is no lone Alt.
    Log().clear();
    InjectKey(VK_MENU, true);
    InjectKey('F', true);
    InjectKey('F', false);
    InjectKey(VK_MENU, false);
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE))
        if (m.wParam != 'F')
            DispatchMessage(&m);
    EXPECT_FALSE(Last(top, WM_SYSCOMMAND));

    InjectKey(VK_MENU, true);
    InjectKey(VK_F4, true);
    InjectKey(VK_F4, false);
    InjectKey(VK_MENU, false);
    Pump();
    EXPECT_FALSE(IsWindow(top)) << "Alt+F4 closes";
}

TEST_F(Input, LeaveTrackingPostsOneLeaveMessage)
{
    HWND top = Canvas(Bounds(0, 0, 200, 100));
    HWND left = Child(top, Bounds(0, 0, 100, 100));
    InjectMouseMove({50, 50});
    Pump();
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = left;
    ASSERT_TRUE(TrackMouseEvent(&tme));
    Log().clear();
    InjectMouseMove({60, 50});
    InjectMouseMove({150, 50});
    InjectMouseMove({160, 50});
    InjectMouseMove({50, 50});
    Pump();
    EXPECT_EQ(Messages(left, {WM_MOUSEMOVE, WM_MOUSELEAVE}),
              (std::vector<UINT>{WM_MOUSEMOVE, WM_MOUSELEAVE, WM_MOUSEMOVE}));
    // Tracking a window the pointer is not over gives the leave at once.
    tme.hwndTrack = top;
    TrackMouseEvent(&tme);
    Log().clear();
    Pump();
    EXPECT_EQ(Messages(top, {WM_MOUSELEAVE}).size(), 1u);
}

TEST_F(Input, HoverComesOnceWhenThePointerRestsAndNonClientLeaveWhenItEntersTheClient)
{
    HWND top = Canvas(Bounds(0, 0, 200, 100), WS_POPUP | WS_VISIBLE | WS_CAPTION);
    InjectMouseMove({50, 50});
    Pump();
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_HOVER;
    tme.hwndTrack = top;
    tme.dwHoverTime = 300;
    ASSERT_TRUE(TrackMouseEvent(&tme));
    clock->Advance(200);
    InjectMouseMove({52, 51}); // within the rest area: the time keeps running
    Log().clear();
    Pump();
    clock->Advance(99);
    Pump();
    EXPECT_TRUE(Messages(top, {WM_MOUSEHOVER}).empty());
    clock->Advance(1);
    Pump();
    ASSERT_EQ(Messages(top, {WM_MOUSEHOVER}).size(), 1u);
    POINT at{50, 50};
    ScreenToClient(top, &at);
    EXPECT_EQ(Last(top, WM_MOUSEHOVER)->LParam, LParamFromPoint(at));
    clock->Advance(1000);
    Log().clear();
    Pump();
    EXPECT_TRUE(Messages(top, {WM_MOUSEHOVER}).empty()) << "one message per request";

    // A move beyond the rest area starts the wait again.
    TrackMouseEvent(&tme);
    clock->Advance(250);
    InjectMouseMove({60, 50});
    Pump();
    clock->Advance(250);
    Pump();
    EXPECT_TRUE(Messages(top, {WM_MOUSEHOVER}).empty());
    clock->Advance(50);
    Pump();
    EXPECT_EQ(Messages(top, {WM_MOUSEHOVER}).size(), 1u);

    // Non-client tracking ends when the pointer goes from the caption into the client area.
    InjectMouseMove({50, 5});
    Pump();
    tme.dwFlags = TME_LEAVE | TME_NONCLIENT;
    ASSERT_TRUE(TrackMouseEvent(&tme));
    Log().clear();
    InjectMouseMove({50, 60});
    Pump();
    EXPECT_EQ(Messages(top, {WM_NCMOUSELEAVE, WM_MOUSELEAVE}), (std::vector<UINT>{WM_NCMOUSELEAVE}));
}

TEST_F(Input, CaptionDragRunsTheMoveLoopAndSizingKeepsTheLimits)
{
    HWND top = Top(Bounds(100, 100, 200, 150));
    // Snap the x position to multiples of 10 while moving.
    On(top, WM_MOVING, [](HWND, UINT, WPARAM, LPARAM l) {
        RECT* r = FromLParam<RECT>(l);
        const int snapped = r->Left / 10 * 10;
        *r = Bounds(snapped, r->Top, r->Width(), r->Height());
        return std::optional<LRESULT>(1);
    });
    On(top, WM_GETMINMAXINFO, [](HWND, UINT, WPARAM, LPARAM l) {
        FromLParam<MINMAXINFO>(l)->ptMinTrackSize = {120, 80};
        FromLParam<MINMAXINFO>(l)->ptMaxTrackSize = {260, 190};
        return std::optional<LRESULT>(0);
    });
    Log().clear();
    InjectMouseButton(0, true, {150, 110}); // on the caption
    InjectMouseMove({163, 120});
    InjectMouseMove({177, 140});
    InjectMouseButton(0, false, {177, 140});
    Pump();
    RECT r;
    GetWindowRect(top, &r);
    EXPECT_EQ(r, Bounds(120, 130, 200, 150));
    EXPECT_EQ(Messages(top, {WM_ENTERSIZEMOVE, WM_MOVING, WM_EXITSIZEMOVE}),
              (std::vector<UINT>{WM_ENTERSIZEMOVE, WM_MOVING, WM_MOVING, WM_EXITSIZEMOVE}));
    EXPECT_EQ(GetCapture(), nullptr);

    // Each edge from the same start, 200 x 150 with its right at 320 and bottom at 280:
    // the edges held still stay put and the track size stays within 120 x 80 to 260 x 190.
    struct TSizeCase {
        const char* Name;
        WPARAM Edge;
        TPoint Drag;
        bool ReleaseOnly; // the release comes where no move was reported first
        TRect Sized;
    } cases[] = {
        {"bottom-right shrinks to the minimum width", WMSZ_BOTTOMRIGHT, {-149, -19}, false, Bounds(120, 130, 120, 131)},
        {"bottom-right by the release alone", WMSZ_BOTTOMRIGHT, {30, 10}, true, Bounds(120, 130, 230, 160)},
        {"right grows to the maximum width", WMSZ_RIGHT, {100, 5}, false, Bounds(120, 130, 260, 150)},
        {"left grows", WMSZ_LEFT, {-30, 7}, false, Bounds(90, 130, 230, 150)},
        {"left grows to the maximum width", WMSZ_LEFT, {-100, 0}, false, Bounds(60, 130, 260, 150)},
        {"left shrinks to the minimum width", WMSZ_LEFT, {150, 0}, false, Bounds(200, 130, 120, 150)},
        {"top grows", WMSZ_TOP, {9, -30}, false, Bounds(120, 100, 200, 180)},
        {"top grows to the maximum height", WMSZ_TOP, {0, -80}, false, Bounds(120, 90, 200, 190)},
        {"top shrinks to the minimum height", WMSZ_TOP, {0, 100}, false, Bounds(120, 200, 200, 80)},
        {"top-left grows", WMSZ_TOPLEFT, {-20, -10}, false, Bounds(100, 120, 220, 160)},
        {"top-left at both limits", WMSZ_TOPLEFT, {-200, 120}, false, Bounds(60, 200, 260, 80)},
        {"top-left by the release alone", WMSZ_TOPLEFT, {-10, -10}, true, Bounds(110, 120, 210, 160)},
    };
    for (const TSizeCase& c : cases) {
        SetWindowPos(top, nullptr, 120, 130, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE);
        const bool left = c.Edge == WMSZ_LEFT || c.Edge == WMSZ_TOPLEFT;
        const bool right = c.Edge == WMSZ_RIGHT || c.Edge == WMSZ_BOTTOMRIGHT;
        const bool upper = c.Edge == WMSZ_TOP || c.Edge == WMSZ_TOPLEFT;
        const TPoint grab{left ? 120 : right ? 319 : 220, upper ? 130 : c.Edge == WMSZ_BOTTOMRIGHT ? 279 : 205};
        const TPoint drop{grab.X + c.Drag.X, grab.Y + c.Drag.Y};
        clock->Advance(1000);
        Log().clear();
        InjectMouseButton(0, true, grab);
        if (!c.ReleaseOnly)
            InjectMouseMove(drop);
        InjectMouseButton(0, false, drop);
        Pump();
        RECT sized;
        GetWindowRect(top, &sized);
        EXPECT_EQ(sized, c.Sized) << c.Name;
        const auto sizing = Last(top, WM_SIZING);
        ASSERT_TRUE(sizing) << c.Name;
        EXPECT_EQ(sizing->WParam, c.Edge) << c.Name;
        EXPECT_EQ(GetCapture(), nullptr) << c.Name;
    }
}

TEST_F(Input, EscapeCancelsAMoveOrASizeAndPutsTheWindowBack)
{
    HWND top = Top(Bounds(100, 100, 200, 150));
    std::vector<RECT> placed;
    On(top, WM_WINDOWPOSCHANGED, [&placed](HWND h, UINT, WPARAM, LPARAM) {
        RECT r;
        GetWindowRect(h, &r);
        placed.push_back(r);
        return std::optional<LRESULT>();
    });
    const struct {
        const char* Name;
        TPoint Grab;
        TRect During; // where the drag by (-30, -20) had put the window
    } cases[] = {
        {"move", {150, 110}, Bounds(70, 80, 200, 150)},
        {"size from the top-left", {100, 100}, Bounds(70, 80, 230, 170)},
        {"size from the bottom-right", {299, 249}, Bounds(100, 100, 170, 130)},
    };
    for (const auto& c : cases) {
        placed.clear();
        Log().clear();
        clock->Advance(1000);
        InjectMouseButton(0, true, c.Grab);
        InjectMouseMove({c.Grab.X - 30, c.Grab.Y - 20});
        InjectKey(VK_ESCAPE, true);
        InjectKey(VK_ESCAPE, false);
        InjectMouseButton(0, false, {c.Grab.X - 30, c.Grab.Y - 20});
        Pump();
        ASSERT_EQ(placed.size(), 2u) << c.Name;
        EXPECT_EQ(placed[0], c.During) << c.Name;
        RECT r;
        GetWindowRect(top, &r);
        EXPECT_EQ(r, Bounds(100, 100, 200, 150)) << c.Name;
        EXPECT_EQ(GetCapture(), nullptr) << c.Name;
        EXPECT_TRUE(Last(top, WM_EXITSIZEMOVE)) << c.Name;
    }
}

TEST_F(Input, ASizeCodeAnsweredByAChildSizesItsTopLevelWindow)
{
    const TRect topRect = Bounds(100, 100, 300, 200);
    HWND top = Top(topRect);
    // A status bar's grip in the bottom-right corner of the client area, answering the test's code.
    const TRect gripRect = Bounds(250, 120, 20, 20);
    HWND grip = Child(top, gripRect);
    LRESULT code = HTBOTTOMRIGHT;
    On(grip, WM_NCHITTEST, [&](HWND, UINT, WPARAM, LPARAM) { return std::optional<LRESULT>(code); });
    On(grip, WM_GETMINMAXINFO, [](HWND, UINT, WPARAM, LPARAM l) {
        FromLParam<MINMAXINFO>(l)->ptMinTrackSize = {1, 1};
        return std::optional<LRESULT>(0);
    });
    RECT gripOnScreen;
    GetWindowRect(grip, &gripOnScreen);
    const TPoint press{gripOnScreen.Left + 10, gripOnScreen.Top + 10};

    struct TCase {
        const char* Name;
        LRESULT Hit;
        DWORD GripStyle;
        bool SizesTop; // else the grip itself
        WPARAM Edge;
        TRect Sized; // after a drag by (+20, +10); the grip's in its parent's client
    } cases[] = {
        {"grip", HTBOTTOMRIGHT, 0, true, WMSZ_BOTTOMRIGHT, Bounds(100, 100, 320, 210)},
        {"left edge", HTLEFT, 0, true, WMSZ_LEFT, Bounds(120, 100, 280, 200)},
        {"top edge", HTTOP, 0, true, WMSZ_TOP, Bounds(100, 110, 300, 190)},
        {"bottom-left corner", HTBOTTOMLEFT, 0, true, WMSZ_BOTTOMLEFT, Bounds(120, 100, 280, 210)},
        {"a child with its own sizing frame", HTBOTTOMRIGHT, WS_THICKFRAME, false, WMSZ_BOTTOMRIGHT,
         Bounds(250, 120, 40, 30)},
    };
    for (const auto& c : cases) {
        SetWindowPos(top, nullptr, topRect.Left, topRect.Top, topRect.Width(), topRect.Height(), SWP_NOZORDER);
        SetWindowPos(grip, nullptr, gripRect.Left, gripRect.Top, gripRect.Width(), gripRect.Height(), SWP_NOZORDER);
        SetWindowLongPtr(grip, GWL_STYLE, WS_CHILD | WS_VISIBLE | c.GripStyle);
        SetWindowPos(grip, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        code = c.Hit;
        clock->Advance(1000);
        Log().clear();
        InjectMouseButton(0, true, press);
        InjectMouseMove({press.X + 20, press.Y + 10});
        InjectMouseButton(0, false, {press.X + 20, press.Y + 10});
        Pump();
        const HWND sized = c.SizesTop ? top : grip;
        EXPECT_EQ(Messages(nullptr, {WM_ENTERSIZEMOVE}), (std::vector<UINT>{WM_ENTERSIZEMOVE})) << c.Name;
        ASSERT_TRUE(Last(sized, WM_SIZING)) << c.Name;
        EXPECT_EQ(Last(sized, WM_SIZING)->WParam, c.Edge) << c.Name;
        RECT r;
        GetWindowRect(sized, &r);
        if (!c.SizesTop)
            MapWindowPoints(nullptr, top, &r, 1);
        EXPECT_EQ(TRect(r), c.Sized) << c.Name;
    }
}

// Per-pixel alpha content for a layered window: the left half fully transparent,
// the right half opaque.
void GiveHalfTransparentContent(HWND hwnd, int width, int height)
{
    HDC memory = CreateCompatibleDC(nullptr);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(memory, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<std::uint8_t*>(bits);
    for (int i = 0; i < width * height; ++i)
        pixels[i * 4 + 3] = i % width < width / 2 ? 0 : 255;
    SelectObject(memory, ToGdiObj(picture));
    POINT origin{0, 0};
    SIZE size{width, height};
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    UpdateLayeredWindow(hwnd, nullptr, nullptr, &size, memory, &origin, 0, &blend, ULW_ALPHA);
    DeleteDC(memory);
    DeleteObject(ToGdiObj(picture));
}

TEST_F(Input, LayeredWindowsThatAreTransparentToTheMouseLetItThrough)
{
    HWND below = Canvas(Bounds(0, 0, 200, 200));
    // The glow window covers (50, 50)-(150, 150); its left half is (50..99).
    const auto constantAlpha = [](HWND glow) { SetLayeredWindowAttributes(glow, 0, 128, LWA_ALPHA); };
    const auto halfTransparent = [](HWND glow) { GiveHalfTransparentContent(glow, 100, 100); };
    struct TCase {
        const char* Name;
        DWORD ExStyle;
        std::function<void(HWND)> Prepare;
        TPoint At;
        bool Through;
        std::optional<TRegion> MouseRegion; // window coordinates; none: all of the window
    } cases[] = {
        {"layered and transparent", WS_EX_LAYERED | WS_EX_TRANSPARENT, constantAlpha, {100, 100}, true, TRegion()},
        {"layered only", WS_EX_LAYERED, constantAlpha, {100, 100}, false, std::nullopt},
        {"transparent only", WS_EX_TRANSPARENT, nullptr, {100, 100}, false, std::nullopt},
        {"made transparent later",
         WS_EX_LAYERED,
         [](HWND glow) {
             SetWindowLongPtr(glow, GWL_EXSTYLE, GetWindowLongPtr(glow, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
         },
         {100, 100},
         true,
         TRegion()},
        {"layered later, transparent from the start",
         WS_EX_TRANSPARENT,
         [](HWND glow) { SetWindowLongPtr(glow, GWL_EXSTYLE, GetWindowLongPtr(glow, GWL_EXSTYLE) | WS_EX_LAYERED); },
         {100, 100},
         true,
         TRegion()},
        {"transparency taken back",
         WS_EX_LAYERED | WS_EX_TRANSPARENT,
         [](HWND glow) {
             SetWindowLongPtr(glow, GWL_EXSTYLE, GetWindowLongPtr(glow, GWL_EXSTYLE) & ~WS_EX_TRANSPARENT);
         },
         {100, 100},
         false,
         std::nullopt},
        {"fully transparent pixel", WS_EX_LAYERED, halfTransparent, {70, 100}, true, TRegion({50, 0, 100, 100})},
        {"opaque pixel", WS_EX_LAYERED, halfTransparent, {120, 100}, false, TRegion({50, 0, 100, 100})},
        {"pixels no longer per-pixel alpha",
         WS_EX_LAYERED,
         [&](HWND glow) {
             halfTransparent(glow);
             constantAlpha(glow);
         },
         {70, 100},
         false,
         std::nullopt},
    };
    for (const auto& c : cases) {
        HWND glow = Top(Bounds(50, 50, 100, 100), WS_POPUP | WS_VISIBLE, c.ExStyle | WS_EX_TOPMOST);
        if (c.Prepare)
            c.Prepare(glow);
        clock->Advance(1000);
        Log().clear();
        InjectMouseMove(c.At);
        Click(c.At);
        Pump();
        const HWND expected = c.Through ? below : glow;
        EXPECT_EQ(WindowFromPoint(c.At), expected) << c.Name;
        EXPECT_EQ(Messages(expected, {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}),
                  (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}))
            << c.Name;
        EXPECT_TRUE(Messages(c.Through ? glow : below, {WM_NCHITTEST, WM_MOUSEMOVE, WM_LBUTTONDOWN}).empty()) << c.Name;
        EXPECT_EQ(LayeredMouseRegion(glow), c.MouseRegion) << c.Name << ": the input shape a desktop gets";
        DestroyWindow(glow);
    }
}

} // namespace
} // namespace tovrel::test
