// What lies behind a control: the parent's background and content, and only
// the graphic siblings below it.
#include <gtest/gtest.h>

#include "platform/gdi/Gdi.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/ControlTestSupport.h"
#include "platform/vcl/CustomControls.h"
#include "platform/vcl/Forms.h"
#include "skin/draw/ParentBackground.h"
#include "skin/draw/SkinBitmap.h"

namespace tovrel::test {
namespace {

// A control that fills its client area with one colour.
template <class Base> class TFilled : public Base {
public:
    TFilled(TComponent* owner, TColor fill) : Base(owner), fill_(fill) {}
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        this->Canvas()->Brush()->SetColor(fill_);
        this->Canvas()->FillRect(this->ClientRect());
    }

private:
    TColor fill_;
};

using TParentBackground = test::ControlTest;

COLORREF At(const TskBitmap& b, int x, int y)
{
    return ColorFromPixel(b.Pixel(x, y));
}

TEST_F(TParentBackground, ParentContentAndLowerSiblingsOnlyAtTheControlsOffset)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 200, 100);
    auto* panel = new TFilled<TCustomControl>(&form, TColor(RGB(0, 255, 0)));
    panel->SetParent(&form);
    panel->SetBounds(10, 10, 150, 80);
    auto* below = new TFilled<TGraphicControl>(&form, TColor(RGB(255, 0, 0)));
    below->SetParent(panel);
    below->SetBounds(20, 20, 30, 30);
    auto* target = new TFilled<TGraphicControl>(&form, TColor(RGB(9, 9, 9)));
    target->SetParent(panel);
    target->SetBounds(40, 30, 40, 30);
    auto* above = new TFilled<TGraphicControl>(&form, TColor(RGB(0, 0, 255)));
    above->SetParent(panel);
    above->SetBounds(60, 40, 30, 30);
    form.Show();
    Application->ProcessMessages();

    TskBitmap back;
    back.SetSize(40, 30);
    back.Clear(0);
    const int targetPaints = target->Paints;
    PaintParentBackground(target, back.DC());
    EXPECT_EQ(At(back, 0, 0), RGB(255, 0, 0)); // the sibling below covers (40..50, 30..50)
    EXPECT_EQ(At(back, 9, 19), RGB(255, 0, 0));
    EXPECT_EQ(At(back, 10, 0), RGB(0, 255, 0));  // the panel's own painting
    EXPECT_EQ(At(back, 25, 15), RGB(0, 255, 0)); // the sibling above is left out
    EXPECT_EQ(target->Paints, targetPaints);
    EXPECT_FALSE(panel->ControlState.Contains(csPaintCopy));
    POINT origin{};
    GetViewportOrgEx(back.DC(), &origin);
    EXPECT_EQ(origin, (TPoint{0, 0}));

    TskBitmap part;
    part.SetSize(10, 10);
    PaintParentBackgroundRect(target, Rect(5, 15, 15, 25), part.DC());
    EXPECT_EQ(At(part, 0, 0), RGB(255, 0, 0)); // panel (45, 45) lies in the lower sibling
    EXPECT_EQ(At(part, 6, 0), RGB(0, 255, 0)); // panel (51, 45) does not

    PaintParentBackground(nullptr, back.DC());
    PaintParentBackground(&form, back.DC()); // no parent: nothing
}

} // namespace
} // namespace tovrel::test
