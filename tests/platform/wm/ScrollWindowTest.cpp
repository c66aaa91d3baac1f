// ScrollWindow: the shown pixels move, pending repaints move with them, and
// only what no moved pixel covers is invalidated; a scroll rectangle keeps
// the rest (children included) in place, a clip rectangle limits what changes.
#include "WmTestSupport.h"

namespace tovrel::test {
namespace {

class ScrollingWindow : public TWmTest {
protected:
    static constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

    // A 100 x 100 canvas, red above row 50 and green below, with a blue child.
    void SetUp() override
    {
        TWmTest::SetUp();
        top = Canvas(Bounds(0, 0, 100, 100));
        On(top, WM_PAINT, [](HWND h, UINT, WPARAM, LPARAM) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            for (auto [band, colour] : {std::pair{Rect(0, 0, 100, 50), kRed}, {Rect(0, 50, 100, 100), kGreen}}) {
                HBRUSH brush = CreateSolidBrush(colour);
                FillRect(dc, &band, brush);
                DeleteObject(ToGdiObj(brush));
            }
            EndPaint(h, &ps);
            return std::optional<LRESULT>(0);
        });
        child = Child(top, Bounds(70, 70, 20, 20));
        PaintsIn(child, kBlue);
        Pump();
    }
    TRegion UpdateRegion() const
    {
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        GetUpdateRgn(top, rgn, 0);
        const TRegion region = *RegionOf(rgn);
        DeleteObject(ToGdiObj(rgn));
        return region;
    }
    TRect ChildPlace() const
    {
        RECT r;
        GetWindowRect(child, &r);
        return r;
    }

    HWND top = nullptr;
    HWND child = nullptr;
};

TEST_F(ScrollingWindow, AScrollRectangleMovesOnlyItsPixelsAndPendingRepaints)
{
    const RECT pending = Rect(10, 30, 20, 40);
    InvalidateRect(top, &pending, 1);
    const RECT scroll = Rect(0, 0, 60, 100);
    ScrollWindow(top, 0, -10, &scroll, nullptr);

    EXPECT_EQ(ChildPlace(), Bounds(70, 70, 20, 20));
    EXPECT_EQ(UpdateRegion(), TRegion::FromRects({Rect(10, 20, 20, 30), Rect(0, 90, 60, 100)}));
    EXPECT_EQ(PixelAt(top, 30, 45), kGreen); // moved up from row 55
    EXPECT_EQ(PixelAt(top, 80, 45), kRed);   // beside the rectangle: untouched
    EXPECT_EQ(PixelAt(top, 80, 80), kBlue);
}

TEST_F(ScrollingWindow, AClipRectangleLimitsWhatChanges)
{
    const RECT clip = Rect(0, 0, 100, 60);
    ScrollWindow(top, 0, 15, nullptr, &clip);

    EXPECT_EQ(ChildPlace(), Bounds(70, 85, 20, 20));
    EXPECT_EQ(UpdateRegion(), TRegion(Rect(0, 0, 100, 15)));
    EXPECT_EQ(PixelAt(top, 30, 55), kRed);   // moved down from row 40
    EXPECT_EQ(PixelAt(top, 30, 62), kGreen); // below the clip: untouched
}

} // namespace
} // namespace tovrel::test
