#include "skin/controls/SkinScrollBox.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/ctrls/Panel.h"

namespace tovrel::test {

namespace {

// A 150 x 150 box without a frame, a 400 x 400 child at (0, 0), and two
// bars beside it on the same form.
class SkinScrollBoxTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(0, 0, 400, 400);
        box = Placed<TskSkinScrollBox>(*form, Bounds(10, 10, 150, 150));
        box->SetBorderStyle(TskSkinBorderStyle::bvNone);
        child = Placed<TPanel>(*box, Bounds(0, 0, 400, 400));
        vbar = Placed<TskSkinScrollBar>(*form, Bounds(170, 10, 19, 150));
        vbar->SetKind(sbVertical);
        hbar = Placed<TskSkinScrollBar>(*form, Bounds(10, 170, 150, 19));
        box->SetVScrollBar(vbar);
        box->SetHScrollBar(hbar);
        Pump();
    }
    std::unique_ptr<TForm> form;
    TskSkinScrollBox* box = nullptr;
    TPanel* child = nullptr;
    TskSkinScrollBar* vbar = nullptr;
    TskSkinScrollBar* hbar = nullptr;
};

} // namespace

TEST_F(SkinScrollBoxTest, BarsCoverTheContentAndMoveIt)
{
    EXPECT_TRUE(vbar->Visible());
    EXPECT_EQ(399, vbar->Max());
    EXPECT_EQ(150, vbar->PageSize());
    EXPECT_TRUE(hbar->Both());
    vbar->SetPosition(100);
    EXPECT_EQ(-100, child->Top());
    vbar->SetPosition(0);
    EXPECT_EQ(0, child->Top());
    // Both scroll to the last position the bar allows (250), the vertical one included.
    box->VScroll(1000);
    box->HScroll(1000);
    EXPECT_EQ(250, vbar->Position());
    EXPECT_EQ(-250, child->Top());
    EXPECT_EQ(-250, child->Left());
}

TEST_F(SkinScrollBoxTest, ContentThatFitsScrollsBackAndHidesTheBar)
{
    vbar->SetPosition(100);
    child->SetBounds(child->Left(), child->Top(), 400, 100);
    box->GetVRange();
    EXPECT_EQ(0, child->Top());
    EXPECT_FALSE(vbar->Visible());
    EXPECT_EQ(0, vbar->Max());
    EXPECT_EQ(0, vbar->PageSize());
    // With the vertical bar gone the horizontal one takes the corner back.
    box->GetHRange();
    EXPECT_FALSE(hbar->Both());
}

TEST_F(SkinScrollBoxTest, GrowingAnAlignedBoxClosesTheBlankBelow)
{
    // Filling a 150 x 150 holder.
    auto* holder = Placed<TPanel>(*form, Bounds(200, 10, 150, 150));
    holder->SetBevelOuter(bvNone);
    box->SetParent(holder);
    box->SetAlign(alClient);
    Pump();
    ASSERT_EQ(150, box->Height());
    vbar->SetPosition(250);
    ASSERT_EQ(-250, child->Top());
    holder->SetBounds(holder->Left(), holder->Top(), 150, 200);
    ASSERT_EQ(200, box->Height());
    EXPECT_EQ(-200, child->Top());
    EXPECT_EQ(200, vbar->PageSize());
    EXPECT_EQ(200, vbar->Position());
    EXPECT_EQ(399, vbar->Max());
}

TEST_F(SkinScrollBoxTest, DefaultFrameTakesOnePixelAndTheBoxOutlivesNoBar)
{
    box->SetBorderStyle(TskSkinBorderStyle::bvFrame);
    Pump();
    EXPECT_EQ(148, box->ClientWidth());
    EXPECT_EQ(148, box->ClientHeight());
    box->SetVisible(false);
    EXPECT_FALSE(vbar->Visible());
    EXPECT_FALSE(hbar->Visible());
    // The bars stay and no longer call into a freed box.
    delete box;
    vbar->SetPosition(10);
    EXPECT_EQ(10, vbar->Position());
}

} // namespace tovrel::test
