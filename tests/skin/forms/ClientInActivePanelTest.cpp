#include "SkinFormTestSupport.h"
#include "platform/gdi/SysColors.h"
#include "platform/vcl/Canvas.h"
#include "platform/wm/Input.h"
#include "skin/draw/SkinBitmap.h"

namespace tovrel::test {

namespace {

// A control painting one colour over its whole area.
class TColourBlock : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(ClientRect());
    }
};

} // namespace

TEST_F(SkinFormTest, AnInactiveFormShowsItsClientBlurredOrVeiled)
{
    const struct {
        const char* Name;
        TskClientInActiveEffect Effect;
    } cases[] = {{"veiled", TskClientInActiveEffect::skieSemiTransparent},
                 {"blurred", TskClientInActiveEffect::skieBlur}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TskSkinForm* f = ShowSkinned(nullptr, Bounds(0, 0, 300, 200));
        f->ClientInActiveEffect = true;
        f->ClientInActiveEffectType = c.Effect;
        auto* block = new TColourBlock(form.get());
        block->SetParent(form.get());
        block->SetBounds(0, 0, 100, 100);
        Pump();
        const TPoint origin = form->ClientToScreen({0, 0});
        const TPoint inBlock{origin.X - form->Left() + 50, origin.Y - form->Top() + 50};
        const TPoint atEdge{origin.X - form->Left() + 99, origin.Y - form->Top() + 50};
        ASSERT_EQ(RGB(255, 0, 0), PixelAt(*form, inBlock.X, inBlock.Y));

        auto other = ShownForm(400, 0, 100, 100);
        ASSERT_FALSE(form->Active());
        TskClientInActivePanel* panel = f->InActivePanel();
        ASSERT_NE(nullptr, panel);
        EXPECT_TRUE(panel->Visible());
        EXPECT_EQ(Bounds(0, 0, form->ClientWidth(), form->ClientHeight()), panel->BoundsRect());
        if (c.Effect == TskClientInActiveEffect::skieSemiTransparent) {
            // 170/255 of the background over the red.
            const COLORREF face = ColorToRGB(clBtnFace);
            const COLORREF veiled = PixelAt(*form, inBlock.X, inBlock.Y);
            EXPECT_NEAR((GetRValue(face) * 170 + 255 * 85) / 255, GetRValue(veiled), 2);
            EXPECT_NEAR(GetGValue(face) * 170 / 255, GetGValue(veiled), 2);
        } else {
            // The inside stays red, the edge softens.
            EXPECT_EQ(RGB(255, 0, 0), PixelAt(*form, inBlock.X, inBlock.Y));
            EXPECT_NE(RGB(255, 0, 0), PixelAt(*form, atEdge.X, atEdge.Y));
        }
        // A click on the cover does not reach the control under it.
        bool clicked = false;
        block->OnClick = [&](TObject*) { clicked = true; };
        Click({origin.X + 50, origin.Y + 50});
        EXPECT_FALSE(clicked);

        SetActiveWindow(form->Handle());
        Pump();
        EXPECT_TRUE(form->Active());
        EXPECT_EQ(nullptr, f->InActivePanel());
        EXPECT_EQ(RGB(255, 0, 0), PixelAt(*form, inBlock.X, inBlock.Y));
        // A form closed while covered takes its cover with it.
        SetActiveWindow(other->Handle());
        Pump();
        ASSERT_NE(nullptr, f->InActivePanel());
        form.reset();
    }
}

TEST_F(SkinFormTest, AFormsComponentIsItsFirstSkinnedFormComponent)
{
    EXPECT_EQ(nullptr, GetSkinForm(nullptr));
    TForm plain(nullptr);
    EXPECT_EQ(nullptr, GetSkinForm(&plain));
    TskSkinForm* first = ShowSkinned(nullptr, Bounds(0, 0, 200, 150));
    new TskSkinForm(form.get());
    EXPECT_EQ(first, GetSkinForm(form.get()));
}

} // namespace tovrel::test
