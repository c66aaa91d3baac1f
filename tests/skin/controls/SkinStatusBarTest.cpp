#include "skin/controls/SkinStatusBar.h"
#include "PointerDrag.h"

#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/Input.h"
#include "platform/wm/WindowPos.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/data/SkinPanelEntries.h"

namespace tovrel::test {

namespace {

constexpr COLORREF kFace = RGB(0, 0, 200), kBorder = RGB(200, 0, 0), kGrip = RGB(0, 200, 0);

void Fill(TCanvas& c, TRect r, COLORREF color)
{
    c.Brush()->SetColor(TColor(color));
    c.FillRect(r);
}

// "statusbar": a nine-slice 40x20 image framed in kBorder round a kFace
// client block, and a 12x14 gripper picture.
struct StatusSkin {
    explicit StatusSkin(TComponent* owner, bool gripper) : skin(new TskSkinData(owner))
    {
        auto picture = std::make_unique<TBitmap>(60, 20);
        Fill(*picture->Canvas(), Rect(0, 0, 40, 20), kBorder);
        Fill(*picture->Canvas(), Rect(2, 2, 38, 18), kFace);
        Fill(*picture->Canvas(), Rect(40, 0, 52, 14), kGrip);
        skin->FActivePictures.push_back(std::move(picture));
        auto e = std::make_unique<TskDataSkinPanelControl>("statusbar");
        e->PictureIndex = 0;
        e->SkinRect = Rect(0, 0, 40, 20);
        e->LTPoint = {2, 2};
        e->RTPoint = {38, 2};
        e->LBPoint = {2, 18};
        e->RBPoint = {38, 18};
        e->ClRect = Rect(2, 2, 38, 18);
        if (gripper)
            e->GripperRect = Rect(40, 0, 52, 14);
        skin->SkinColors.FcBtnHighLight = TColor(RGB(250, 250, 250));
        skin->SkinColors.FcBtnShadow = TColor(RGB(90, 90, 90));
        skin->CtrlList.push_back(std::move(e));
        skin->Empty = false;
    }
    TskSkinData* skin;
};

class SkinStatusBarTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsSizeable);
        form->SetBounds(50, 50, 300, 200);
        form->Show();
        Pump();
    }
    void TearDown() override
    {
        form.reset();
        ControlTest::TearDown();
    }
    TskSkinStatusBar* Bar(TskSkinData* skin)
    {
        auto* bar = Placed<TskSkinStatusBar>(*form, Rect(0, 0, 100, 21));
        bar->SetSkinData(skin);
        bar->SetSizeGrip(true);
        Pump();
        return bar;
    }
    static LRESULT HitTest(TControl& bar, TPoint client)
    {
        return SendMessage(static_cast<TWinControl&>(bar).Handle(), WM_NCHITTEST, 0,
                           LParamFromPoint(bar.ClientToScreen(client)));
    }
    COLORREF Pixel(TWinControl& bar, int x, int y)
    {
        Pump();
        // The form's surface includes its frame.
        const TPoint at = bar.ClientToScreen(Point(x, y));
        RECT window;
        GetWindowRect(form->Handle(), &window);
        return PixelAt(*form, at.X - window.Left, at.Y - window.Top);
    }

    std::unique_ptr<TForm> form;
};

TEST_F(SkinStatusBarTest, TheGripSizesTheFormThroughSyntheticInput)
{
    StatusSkin skin(form.get(), true);
    for (TskSkinData* data : {static_cast<TskSkinData*>(nullptr), skin.skin}) {
        SCOPED_TRACE(data ? "skinned" : "default look");
        auto* bar = Bar(data);
        ASSERT_EQ(bar->Width(), form->ClientWidth());
        const TRect before = form->BoundsRect();
        const TPoint grip = bar->ClientToScreen(Point(bar->Width() - 3, bar->Height() - 3));
        DragPointer(*clock, grip, 40, 25);
        EXPECT_EQ(form->BoundsRect(), Rect(before.Left, before.Top, before.Right + 40, before.Bottom + 25));
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(bar->Width(), form->ClientWidth()); // the bar follows the corner
        form->SetBoundsRect(before);
        delete bar;
    }
}

TEST_F(SkinStatusBarTest, OnlyTheGripAnswersTheSizingCode)
{
    StatusSkin skin(form.get(), true);
    auto* bar = Bar(skin.skin);
    const int w = bar->Width(), h = bar->Height();
    // The skinned gripper is 12x14 at the bottom right, its edges included.
    EXPECT_EQ(bar->GetGripRect(), Rect(w - 12, h - 14, w, h));
    struct Case {
        const char* Name;
        TPoint At;
        LRESULT Hit;
    };
    const Case cases[] = {
        {"grip's top left corner", {w - 12, h - 14}, HTBOTTOMRIGHT},
        {"grip's middle", {w - 6, h - 7}, HTBOTTOMRIGHT},
        {"left of the grip", {w - 13, h - 7}, HTCLIENT},
        {"above the grip", {w - 6, h - 15}, HTCLIENT},
        {"the bar's left end", {2, 2}, HTCLIENT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(HitTest(*bar, c.At), c.Hit);
    }
    // The children's area ends where the grip begins.
    EXPECT_EQ(bar->ClientRect().Width(), w);
    EXPECT_EQ(bar->GetSkinClientRect(), Rect(0, 0, w - 12, h));
}

TEST_F(SkinStatusBarTest, AGripThatIsNotShownLeavesTheWholeBarToTheClient)
{
    auto* bar = Bar(nullptr);
    const int w = bar->Width(), h = bar->Height();
    EXPECT_EQ(bar->GetSkinClientRect(), Rect(0, 0, w - h, h)); // default: a square grip
    EXPECT_EQ(HitTest(*bar, {w - 3, h - 3}), HTBOTTOMRIGHT);
    bar->SetShowGrip(false);
    EXPECT_FALSE(bar->GripActive());
    EXPECT_EQ(bar->GetSkinClientRect(), Rect(0, 0, w, h));
    EXPECT_EQ(HitTest(*bar, {w - 3, h - 3}), HTCLIENT);
    // Nothing drawn in the corner: the plain face.
    EXPECT_EQ(Pixel(*bar, w - 8, h - 5), ColorToRGB(clBtnFace));
}

TEST_F(SkinStatusBarTest, DrawsTheGripFromTheSkinOrAsLines)
{
    StatusSkin pictured(form.get(), true);
    StatusSkin lined(form.get(), false);
    auto* bar = Bar(nullptr);
    const int w = bar->Width(), h = bar->Height();
    // Default look: grip square (w - h + 2, 0, w, h - 2); first shadow line
    // from (left + 3, bottom) up to (right, top + 3).
    const int left = w - h + 2, bottom = h - 2;
    EXPECT_EQ(Pixel(*bar, left + 4, bottom - 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(*bar, left + 5, bottom - 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(*bar, 10, 10), ColorToRGB(clBtnFace));

    bar->SetSkinData(lined.skin);
    EXPECT_EQ(Pixel(*bar, left + 4, bottom - 1), RGB(90, 90, 90));
    EXPECT_EQ(Pixel(*bar, left + 5, bottom - 1), RGB(250, 250, 250));
    // No border: the client block covers the whole bar.
    EXPECT_EQ(Pixel(*bar, 0, 0), kFace);
    EXPECT_EQ(Pixel(*bar, 10, h - 1), kFace);

    bar->SetSkinData(pictured.skin);
    EXPECT_EQ(Pixel(*bar, w - 6, h - 7), kGrip);
    EXPECT_EQ(Pixel(*bar, w - 6, 2), kFace);
}

TEST_F(SkinStatusBarTest, HandsItsSkinDataToItsSkinnedChildren)
{
    StatusSkin skin(form.get(), false);
    auto* bar = Bar(nullptr);
    auto* child = Placed<TskSkinCustomControl>(*bar, Rect(2, 2, 40, 18));
    bar->SetSkinData(skin.skin);
    EXPECT_EQ(child->SkinData(), skin.skin);
}

} // namespace

} // namespace tovrel::test
