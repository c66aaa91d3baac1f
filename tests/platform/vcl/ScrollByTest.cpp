// ScrollBy as scrolled content needs it: every child, windowed or not, moves
// by the distance without realigning, the shown pixels move with them, and
// only the strip the move uncovered is painted again.
#include "ControlTestSupport.h"

#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Regions.h"
#include "platform/vcl/CustomControls.h"
#include "platform/vcl/Forms.h"
#include "platform/wm/Paint.h"

namespace tovrel::test {
namespace {

// Every pixel shows its content coordinates, so a pixel left where it was or
// moved the wrong way is seen.
COLORREF ContentColor(int x, int y)
{
    return RGB(x & 0xFF, y & 0xFF, 0x80);
}

class TContentBox : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TPoint Scrolled{0, 0}; // content coordinates of the client's top-left corner
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        HDC dc = Canvas()->Handle();
        const TRect r = ClientRect();
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                SetPixelV(dc, x, y, ContentColor(x + Scrolled.X, y + Scrolled.Y));
    }
};

class TSolidWindow : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Paints = 0;

protected:
    void Paint() override { ++Paints; }
};

class TSolidGraphic : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    }
};

struct TScrollCase {
    int dx, dy;
};

class ScrollBy : public ControlTest, public ::testing::WithParamInterface<TScrollCase> {};

TEST_P(ScrollBy, MovesEveryChildAndRepaintsOnlyTheUncoveredStrip)
{
    const auto [dx, dy] = GetParam();
    auto form = ShownForm(0, 0, 260, 200);
    auto* box = Placed<TContentBox>(*form, Bounds(20, 10, 200, 150));
    auto* windowed = Placed<TSolidWindow>(*box, Bounds(10, 40, 30, 30));
    windowed->SetColor(clRed);
    auto* graphic = Placed<TSolidGraphic>(*box, Bounds(50, 40, 30, 30));
    // An aligned child scrolls too and is not pulled back to its edge.
    auto* banner = Placed<TSolidWindow>(*box, Bounds(0, 0, 200, 20));
    banner->SetAlign(alTop);
    Pump();
    const int windowPaints = windowed->Paints, bannerPaints = banner->Paints;

    box->ScrollBy(dx, dy);
    box->Scrolled = Point(-dx, -dy);

    EXPECT_EQ(windowed->BoundsRect(), Bounds(10 + dx, 40 + dy, 30, 30));
    EXPECT_EQ(graphic->BoundsRect(), Bounds(50 + dx, 40 + dy, 30, 30));
    EXPECT_EQ(banner->BoundsRect(), Bounds(dx, dy, 200, 20));
    RECT placed;
    GetWindowRect(windowed->Handle(), &placed);
    EXPECT_EQ(TRect(placed), Bounds(20 + 10 + dx, 10 + 40 + dy, 30, 30));

    HRGN update = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(box->Handle(), update, 0);
    TRegion uncovered(Rect(0, 0, 200, 150));
    uncovered = uncovered.Combined(TRegion(Bounds(dx, dy, 200, 150)), TRegionOp::Diff);
    EXPECT_EQ(RegionOf(update), uncovered);
    DeleteObject(ToGdiObj(update));

    Pump();
    EXPECT_EQ(windowed->Paints, windowPaints);
    EXPECT_EQ(banner->Paints, bannerPaints);
    // The box's own pixels, moved or painted, show the scrolled content.
    for (TPoint p : {Point(190, 35), Point(5, 140), Point(120, 100), Point(199, 149), Point(0, 90)})
        EXPECT_EQ(PixelAt(*form, 20 + p.X, 10 + p.Y), ContentColor(p.X - dx, p.Y - dy)) << p.X << "," << p.Y;
    EXPECT_EQ(PixelAt(*form, 20 + 10 + dx + 15, 10 + 40 + dy + 15), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(*form, 20 + 50 + dx + 15, 10 + 40 + dy + 15), RGB(0, 0, 255));
}

INSTANTIATE_TEST_SUITE_P(Directions, ScrollBy,
                         ::testing::Values(TScrollCase{0, -12}, TScrollCase{0, 9}, TScrollCase{-7, 0},
                                           TScrollCase{5, -4}));

class ScrolledContent : public ControlTest {};

// Scrolled content keeps its place when the box resizes afterwards.
TEST_F(ScrolledContent, StaysWhenTheParentResizes)
{
    auto form = ShownForm(0, 0, 260, 200);
    auto* box = Placed<TContentBox>(*form, Bounds(0, 0, 200, 150));
    auto* child = Placed<TSolidWindow>(*box, Bounds(10, 40, 30, 30));
    box->ScrollBy(0, -25);
    box->SetBounds(0, 0, 220, 180);
    EXPECT_EQ(child->BoundsRect(), Bounds(10, 15, 30, 30));
}

} // namespace
} // namespace tovrel::test
