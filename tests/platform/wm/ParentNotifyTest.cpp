// A button going down on a child tells its parents first (WM_PARENTNOTIFY
// with the button message and the point), unless WS_EX_NOPARENTNOTIFY stops
// the chain.
#include "WmTestSupport.h"

namespace tovrel::test {
namespace {

class ParentNotify : public TWmTest {};

struct TNotice {
    HWND To;
    WPARAM WParam;
    LPARAM LParam;
    bool operator==(const TNotice&) const = default;
};

TEST_F(ParentNotify, PressesGoUpTheChainWithThePointBeforeThePressArrives)
{
    // top (100, 100) > mid (10, 10) > leaf (5, 5); top > quiet (150, 10, no-notify) > inner (5, 5);
    // top > framed (10, 120, a border) ; top > mute leaf (150, 120, no-notify itself).
    HWND top = Canvas(Bounds(100, 100, 300, 200));
    HWND mid = Child(top, Bounds(10, 10, 100, 100));
    HWND leaf = Child(mid, Bounds(5, 5, 40, 40));
    HWND quiet = Child(top, Bounds(150, 10, 100, 100));
    SetWindowLongPtr(quiet, GWL_EXSTYLE, WS_EX_NOPARENTNOTIFY);
    HWND inner = Child(quiet, Bounds(5, 5, 40, 40));
    HWND framed = Child(top, Bounds(10, 120, 60, 60), WS_CHILD | WS_VISIBLE | WS_BORDER);
    HWND mute = Child(top, Bounds(150, 120, 60, 60));
    SetWindowLongPtr(mute, GWL_EXSTYLE, WS_EX_NOPARENTNOTIFY);

    struct TCase {
        const char* Name;
        int Button;
        TPoint Screen;
        HWND Target;
        UINT Pressed; // what reaches the target
        std::vector<TNotice> Notices;
    } cases[] = {
        {"left on a grandchild",
         0,
         {120, 120},
         leaf,
         WM_LBUTTONDOWN,
         {{mid, WM_LBUTTONDOWN, MAKELPARAM(10, 10)}, {top, WM_LBUTTONDOWN, MAKELPARAM(20, 20)}}},
        {"right on a child", 1, {160, 170}, mid, WM_RBUTTONDOWN, {{top, WM_RBUTTONDOWN, MAKELPARAM(60, 70)}}},
        {"middle on the top-level window", 2, {350, 250}, top, WM_MBUTTONDOWN, {}},
        {"below a no-notify child",
         0,
         {260, 120},
         inner,
         WM_LBUTTONDOWN,
         {{quiet, WM_LBUTTONDOWN, MAKELPARAM(10, 10)}}},
        {"on a no-notify child", 0, {260, 230}, mute, WM_LBUTTONDOWN, {}},
        {"on a child's frame", 0, {110, 220}, framed, WM_NCLBUTTONDOWN, {{top, WM_LBUTTONDOWN, MAKELPARAM(10, 120)}}},
    };
    for (const auto& c : cases) {
        clock->Advance(1000); // no double clicks
        Log().clear();
        InjectMouseButton(c.Button, true, c.Screen);
        InjectMouseButton(c.Button, false, c.Screen);
        Pump();
        std::vector<TNotice> notices;
        std::size_t pressAt = Log().size(), lastNotice = 0;
        for (std::size_t i = 0; i < Log().size(); ++i) {
            const auto& e = Log()[i];
            if (e.Message == WM_PARENTNOTIFY) {
                notices.push_back({e.Hwnd, e.WParam, e.LParam});
                lastNotice = i;
            } else if (e.Hwnd == c.Target && e.Message == c.Pressed && pressAt == Log().size()) {
                pressAt = i;
            }
        }
        EXPECT_EQ(notices, c.Notices) << c.Name;
        ASSERT_LT(pressAt, Log().size()) << c.Name;
        if (!notices.empty()) {
            EXPECT_LT(lastNotice, pressAt) << c.Name << ": the parents hear first";
        }
    }

    // A window holding the capture gets the press wherever it is, and its parents hear of it.
    SetCapture(leaf);
    Log().clear();
    Click({390, 290});
    Pump();
    EXPECT_EQ(Trace({WM_PARENTNOTIFY}),
              (std::vector<std::pair<HWND, UINT>>{{mid, WM_PARENTNOTIFY}, {top, WM_PARENTNOTIFY}}));
    EXPECT_EQ(Last(top, WM_PARENTNOTIFY)->LParam, MAKELPARAM(290, 190));
}

} // namespace
} // namespace tovrel::test
