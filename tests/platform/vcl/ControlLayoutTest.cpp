#include "ControlTestSupport.h"

#include "platform/vcl/CustomControls.h"

namespace tovrel::test {
namespace {

class Layout : public ControlTest {};

TControl* Place(TWinControl& parent, TAlign align, TRect bounds)
{
    auto* c = new TGraphicControl(&parent);
    c->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    c->SetAlign(align);
    c->SetParent(&parent);
    return c;
}

TEST_F(Layout, AlignedControlsShareTheClientAreaInTheFrameworkOrder)
{
    auto form = ShownForm(0, 0, 200, 100);
    TControl* top2 = Place(*form, alTop, Bounds(0, 50, 10, 10));
    TControl* top1 = Place(*form, alTop, Bounds(0, 0, 10, 20));
    TControl* bottom = Place(*form, alBottom, Bounds(0, 0, 10, 15));
    TControl* left = Place(*form, alLeft, Bounds(0, 0, 30, 10));
    TControl* right = Place(*form, alRight, Bounds(0, 0, 40, 10));
    TControl* client = Place(*form, alClient, Bounds(0, 0, 1, 1));

    EXPECT_EQ(top1->BoundsRect(), Rect(0, 0, 200, 20));
    EXPECT_EQ(top2->BoundsRect(), Rect(0, 20, 200, 30));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 85, 200, 100));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 30, 30, 85));
    EXPECT_EQ(right->BoundsRect(), Rect(160, 30, 200, 85));
    EXPECT_EQ(client->BoundsRect(), Rect(30, 30, 160, 85));

    form->SetBounds(0, 0, 300, 120);
    EXPECT_EQ(client->BoundsRect(), Rect(30, 30, 260, 105));
    right->SetVisible(false);
    EXPECT_EQ(client->BoundsRect(), Rect(30, 30, 300, 105));
}

TEST_F(Layout, AnchorsFollowTheParentAndConstraintsClampSizes)
{
    auto form = ShownForm(0, 0, 200, 100);
    TControl* pinned = Place(*form, alNone, Bounds(150, 10, 40, 20));
    pinned->SetAnchors({akRight, akTop});
    TControl* stretched = Place(*form, alNone, Bounds(10, 40, 180, 20));
    stretched->SetAnchors({akLeft, akRight, akBottom});
    form->SetBounds(0, 0, 260, 130);
    EXPECT_EQ(pinned->BoundsRect(), Bounds(210, 10, 40, 20));
    EXPECT_EQ(stretched->BoundsRect(), Bounds(10, 70, 240, 20));

    stretched->Constraints()->SetMaxWidth(100);
    EXPECT_EQ(stretched->Width(), 100);
    stretched->SetWidth(5);
    stretched->Constraints()->SetMinWidth(20);
    EXPECT_EQ(stretched->Width(), 20);
}

TEST_F(Layout, LoadingDefersAlignmentAndResizeEventsUntilLoaded)
{
    auto form = ShownForm(0, 0, 200, 100);
    form->BeginLoading();
    int resizes = 0;
    auto* panel = new TGraphicControl(form.get());
    panel->OnResize = [&](TObject*) { ++resizes; };
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 10, 10);
    panel->SetAlign(alClient);
    EXPECT_EQ(panel->Width(), 10) << "no alignment while loading";
    EXPECT_EQ(resizes, 0);
    form->EndLoading();
    form->Realign();
    EXPECT_EQ(panel->BoundsRect(), Rect(0, 0, 200, 100));
    EXPECT_EQ(resizes, 1);
}

} // namespace
} // namespace tovrel::test
