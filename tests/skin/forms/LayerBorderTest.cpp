// The skin's layered border: its geometry, its windows following the form
// where layered windows exist, nothing where they do not, its resize zones.
#include <gtest/gtest.h>

#include "SkinFormTestSupport.h"
#include "platform/vcl/Canvas.h"
#include "platform/wm/Layered.h"
#include "platform/wm/Styles.h"
#include "platform/wm/WindowPos.h"
#include "skin/data/SkinFixedEntries.h"
#include "skin/forms/LayerBorder.h"

namespace tovrel::test {

namespace {

using T = TskFormLayerBorderType;
using H = TskFormLayerBorderHit;

// A 30 x 30 layer picture: the form covers (5, 5)-(25, 25), the corners
// reach 8 pixels in, the margin is half transparent.
TskDataSkinLayerFrame LayerEntry()
{
    TskDataSkinLayerFrame e;
    e.ClRect = Rect(5, 5, 25, 25);
    e.LTPoint = {8, 8};
    e.RTPoint = {22, 8};
    e.LBPoint = {8, 22};
    e.RBPoint = {22, 22};
    e.AlphaBlendValue = 255;
    e.InActiveAlphaBlendValue = 180;
    return e;
}

// The in-memory backend with or without a compositor.
class TCompositorBackend : public TBackend {
public:
    bool LayeredWindowsAvailable() override { return layered; }
    void SetLayeredWindowsAvailable(bool value) { layered = value; }
    bool layered = false;
};

TRect WindowRectOf(HWND wnd)
{
    RECT r{};
    GetWindowRect(wnd, &r);
    return {r.Left, r.Top, r.Right, r.Bottom};
}

} // namespace

TEST(LayerBorderGeometryTest, WindowsSurroundTheFormAndSidesNeedAStrip)
{
    struct TCase {
        const char* name;
        int lbY;
        TRect form;
        TRect top, bottom, left, right;
    };
    const TCase cases[] = {
        {"sides fill between", 22, Rect(100, 50, 300, 250), Rect(95, 45, 305, 53), Rect(95, 247, 305, 255),
         Rect(95, 53, 100, 247), Rect(300, 53, 305, 247)},
        // The corners leave no rows to repeat: no side windows.
        {"no strip", 8, Rect(100, 50, 300, 250), Rect(95, 45, 305, 53), Rect(95, 233, 305, 255), TRect{}, TRect{}},
        {"form too low", 22, Rect(0, 0, 200, 4), Rect(-5, -5, 205, 3), Rect(-5, 1, 205, 9), TRect{}, TRect{}},
    };
    for (const TCase& c : cases) {
        TskDataSkinLayerFrame e = LayerEntry();
        e.LBPoint.Y = e.RBPoint.Y = c.lbY;
        const TskLayerBorderGeometry g = CalcLayerBorder(e, {30, 30}, c.form);
        EXPECT_EQ(c.top, g.Window(T::skflTop)) << c.name;
        EXPECT_EQ(c.bottom, g.Window(T::skflBottom)) << c.name;
        EXPECT_EQ(c.left, g.Window(T::skflLeft)) << c.name;
        EXPECT_EQ(c.right, g.Window(T::skflRight)) << c.name;
    }
}

TEST(LayerBorderGeometryTest, ZonesAndDragsKeepTheOppositeEdges)
{
    const TRect form = Rect(100, 100, 300, 250);
    const TskLayerBorderZones z{5, 5, 5, 5};
    struct THit {
        T type;
        TPoint p;
        H hit;
    };
    const THit hits[] = {
        {T::skflTop, {96, 96}, H::skflhTopLeft},        {T::skflTop, {102, 102}, H::skflhTopLeft},
        {T::skflTop, {150, 97}, H::skflhTop},           {T::skflTop, {303, 97}, H::skflhTopRight},
        {T::skflTop, {150, 90}, H::skflhNone},          {T::skflBottom, {150, 252}, H::skflhBottom},
        {T::skflBottom, {98, 251}, H::skflhBottomLeft}, {T::skflLeft, {96, 150}, H::skflhLeft},
        {T::skflLeft, {94, 150}, H::skflhNone},         {T::skflRight, {305, 150}, H::skflhRight},
    };
    for (const THit& h : hits)
        EXPECT_EQ(h.hit, LayerBorderHitMode(h.type, h.p, form, z)) << h.p.X << "," << h.p.Y;

    const TskSizeLimits limits{150, 100, 400, 0};
    EXPECT_EQ(Rect(90, 100, 300, 250), LayerBorderDragBounds(H::skflhLeft, -10, 0, form, limits));
    EXPECT_EQ(Rect(110, 90, 300, 250), LayerBorderDragBounds(H::skflhTopLeft, 10, -10, form, limits));
    EXPECT_EQ(Rect(100, 100, 300, 260), LayerBorderDragBounds(H::skflhBottom, 0, 10, form, limits));
    // The left edge would pass the minimum width: refused, not clamped.
    EXPECT_FALSE(LayerBorderDragBounds(H::skflhLeft, 60, 0, form, limits));
    // The right edge stops at the maximum width.
    EXPECT_EQ(Rect(100, 100, 500, 250), LayerBorderDragBounds(H::skflhRight, 900, 0, form, limits));
    EXPECT_FALSE(LayerBorderDragBounds(H::skflhRight, 0, 5, form, limits));
    EXPECT_FALSE(LayerBorderDragBounds(H::skflhNone, 5, 5, form, limits));
}

class LayerBorderTest : public SkinFormTest {
protected:
    void SetUp() override
    {
        SkinFormTest::SetUp();
        auto headless = std::make_shared<TCompositorBackend>();
        backend = headless.get();
        SetBackend(headless);
    }
    // Stored skin 1 with the layer entry and its pictures.
    TskSkinData* LayeredSkin(const TskDataSkinLayerFrame& e)
    {
        TskSkinData* data = LoadSkin(1);
        auto picture = std::make_unique<TBitmap>(30, 30);
        auto mask = std::make_unique<TBitmap>(30, 30);
        mask->Canvas()->Brush()->SetColor(TColor(RGB(128, 128, 128)));
        mask->Canvas()->FillRect(Rect(0, 0, 30, 30));
        picture->Canvas()->Brush()->SetColor(TColor(RGB(20, 40, 200)));
        picture->Canvas()->FillRect(Rect(0, 0, 30, 30));
        data->FActivePictures.push_back(std::move(picture));
        data->FActivePictures.push_back(std::move(mask));
        data->LayerFrame = e;
        data->LayerFrame.PictureIndex = int(data->FActivePictures.size()) - 2;
        data->LayerFrame.MaskPictureIndex = int(data->FActivePictures.size()) - 1;
        return data;
    }
    TskFormLayerBorder& Border(TskSkinForm& f) { return *f.BorderLayer(); }
    void ExpectFollows(TskSkinForm& f)
    {
        const TskLayerBorderGeometry g = CalcLayerBorder(skin->LayerFrame, {30, 30}, form->BoundsRect());
        for (T type : {T::skflLeft, T::skflTop, T::skflRight, T::skflBottom}) {
            const HWND wnd = Border(f).Window(type);
            ASSERT_NE(nullptr, wnd);
            EXPECT_TRUE(IsWindowVisible(wnd));
            EXPECT_EQ(g.Window(type), WindowRectOf(wnd)) << int(type);
        }
    }
    BYTE AlphaOf(TskSkinForm& f)
    {
        BYTE alpha = 0;
        GetLayeredWindowAttributes(Border(f).Window(T::skflTop), nullptr, &alpha, nullptr);
        return alpha;
    }

    TCompositorBackend* backend = nullptr;
};

TEST_F(LayerBorderTest, WithLayeredWindowsTheBorderComesInAndFollowsTheForm)
{
    backend->SetLayeredWindowsAvailable(true);
    TskSkinForm* f = ShowSkinned(LayeredSkin(LayerEntry()), Bounds(100, 80, 400, 300));
    ASSERT_TRUE(f->IsBorderFadeMode());
    ExpectFollows(*f);
    // Shown with the form at its opacity (none yet), opaque with the form at the first tick.
    EXPECT_EQ(0, AlphaOf(*f));
    EXPECT_TRUE(GetWindowLongPtr(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    Tick(25);
    EXPECT_EQ(255, AlphaOf(*f));
    EXPECT_FALSE(GetWindowLongPtr(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);

    form->SetBounds(150, 120, 400, 300);
    Pump();
    ExpectFollows(*f);
    form->SetBounds(150, 120, 500, 360);
    Pump();
    ExpectFollows(*f);
    // Dragging the caption moves it along.
    Drag(Screen({150, 10}), {30, 20});
    EXPECT_EQ(180, form->Left());
    ExpectFollows(*f);

    auto other = ShownForm(700, 0, 100, 100);
    EXPECT_EQ(180, AlphaOf(*f)) << "dimmed while inactive";
    SetActiveWindow(form->Handle());
    Pump();
    EXPECT_EQ(255, AlphaOf(*f));

    f->ApplyWindowState(wsMaximized);
    Pump();
    EXPECT_FALSE(Border(*f).Visible());
    EXPECT_EQ(nullptr, Border(*f).Window(T::skflTop));
    f->ApplyWindowState(wsNormal);
    Pump();
    ExpectFollows(*f);
    form->Hide();
    Pump();
    EXPECT_FALSE(Border(*f).Visible());
}

TEST_F(LayerBorderTest, WithoutLayeredWindowsNoBorderShowsAndTheFormStaysOpaque)
{
    backend->SetLayeredWindowsAvailable(false);
    TskSkinForm* f = ShowSkinned(LayeredSkin(LayerEntry()), Bounds(100, 80, 400, 300));
    EXPECT_FALSE(f->CanShowBorderLayer());
    form->SetBounds(150, 120, 500, 360);
    Pump();
    Tick(25);
    EXPECT_FALSE(Border(*f).Visible());
    for (T type : {T::skflLeft, T::skflTop, T::skflRight, T::skflBottom})
        EXPECT_EQ(nullptr, Border(*f).Window(type));
    EXPECT_FALSE(GetWindowLongPtr(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    // A skin without a layer picture neither.
    backend->SetLayeredWindowsAvailable(true);
    TskDataSkinLayerFrame none = LayerEntry();
    TskSkinData* data = LayeredSkin(none);
    data->LayerFrame.PictureIndex = 999;
    f = ShowSkinned(data, Bounds(100, 80, 400, 300));
    EXPECT_FALSE(f->CanShowBorderLayer());
    EXPECT_FALSE(Border(*f).Visible());
}

TEST_F(LayerBorderTest, AHitTestBorderResizesTheFormWithinItsLimits)
{
    backend->SetLayeredWindowsAvailable(true);
    TskDataSkinLayerFrame e = LayerEntry();
    e.HitTestEnable = true;
    e.BorderRect = Rect(0, 0, 30, 30);
    TskSkinForm* f = ShowSkinned(LayeredSkin(e), Bounds(100, 80, 400, 300));
    Tick(25);
    f->MinWidth = 300;
    const HWND left = Border(*f).Window(T::skflLeft);
    ASSERT_NE(nullptr, left);
    EXPECT_FALSE(GetWindowLongPtr(left, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    // The top window reaches 3 pixels into the form: there the pointer goes to the form.
    const HWND top = Border(*f).Window(T::skflTop);
    EXPECT_FALSE(LayeredPassesMouseAt(top, {50, 2}));
    EXPECT_TRUE(LayeredPassesMouseAt(top, {50, 6}));
    Drag({97, 200}, {-20, 0});
    EXPECT_EQ(Rect(80, 80, 500, 380), form->BoundsRect());
    ExpectFollows(*f);
    // Past the minimum width the left edge stays at the last accepted width.
    Drag({77, 200}, {150, 0});
    EXPECT_EQ(Rect(80, 80, 500, 380), form->BoundsRect());
    f->ApplyRollUpState(true);
    const TRect rolled = form->BoundsRect();
    Drag({77, 100}, {-20, 0});
    EXPECT_EQ(rolled, form->BoundsRect()) << "a rolled-up form is not sized by its border";
}

TEST_F(LayerBorderTest, ANullBorderRectLetsThePointerThroughAndOpacityFollowsTheForm)
{
    backend->SetLayeredWindowsAvailable(true);
    TskSkinForm* f = ShowSkinned(LayeredSkin(LayerEntry()), Bounds(100, 80, 400, 300));
    Tick(25);
    const HWND top = Border(*f).Window(T::skflTop);
    EXPECT_TRUE(GetWindowLongPtr(top, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_TRUE(LayeredPassesMouseAt(top, {50, 2}));
    Border(*f).CheckFormAlpha(128, true);
    EXPECT_EQ(128, AlphaOf(*f));
    EXPECT_EQ(90, Border(*f).CurrentInActiveAlphaBlendValue());
    // Fifteen steps of 17 on the 6-ms timer, ending at exactly 255.
    Border(*f).CheckFormAlpha(255, false);
    Border(*f).ShowWithFormAnimation();
    EXPECT_EQ(0, AlphaOf(*f));
    std::vector<int> steps;
    for (int i = 0; i < 16; ++i) {
        clock->Advance(10);
        Pump();
        steps.push_back(AlphaOf(*f));
    }
    EXPECT_EQ(17, steps.front());
    EXPECT_EQ(255, steps[14]);
    EXPECT_EQ(255, steps.back());
}

} // namespace tovrel::test
