#include "SkinFormTestSupport.h"
#include "platform/wm/Backend.h"
#include "skin/forms/MagneticDocking.h"

namespace tovrel::test {

namespace {

// The in-memory backend with a scripted monitor.
class TMonitorBackend : public TBackend {
public:
    std::vector<TMonitor> Monitors() override { return monitors; }
    std::vector<TMonitor> monitors;
};

// A skinned form on one scripted monitor of 1024 x 768.
class FormStatesTest : public SkinFormTest {
protected:
    void SetUp() override
    {
        SkinFormTest::SetUp();
        backend = std::make_shared<TMonitorBackend>();
        SetMonitor({0, 0, 1024, 728});
        SetBackend(backend);
    }
    void SetMonitor(TRect workArea) { backend->monitors = {TMonitor{{0, 0, 1024, 768}, workArea}}; }
    static TRect BoundsOf(const TCustomForm& f) { return f.BoundsRect(); }

    std::shared_ptr<TMonitorBackend> backend;
};

} // namespace

TEST_F(FormStatesTest, MaximizeFillsTheWorkAreaAndRestoreBringsTheBoundsBack)
{
    const struct {
        const char* Name;
        TRect WorkArea;
        bool FullScreen;
        TRect Maximized;
    } cases[] = {
        {"work area under a task bar", {0, 40, 1024, 728}, false, {0, 40, 1024, 728}},
        {"hidden task bar: a pixel free at each edge", {0, 0, 1024, 768}, false, {1, 1, 1023, 767}},
        {"full screen", {0, 40, 1024, 728}, true, {0, 0, 1024, 768}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        SetMonitor(c.WorkArea);
        TskSkinForm* f = ShowSkinned(LoadSkin(1), Bounds(100, 120, 400, 300));
        f->MaximizeOnFullScreen = c.FullScreen;
        f->ApplyWindowState(wsMaximized);
        Pump();
        EXPECT_EQ(wsMaximized, f->WindowState());
        EXPECT_EQ(c.Maximized, BoundsOf(*form));
        f->ApplyWindowState(wsNormal);
        Pump();
        EXPECT_EQ(Bounds(100, 120, 400, 300), BoundsOf(*form));
    }
}

TEST_F(FormStatesTest, TheSizeLoopHoldsTheLimits)
{
    TskSkinForm* f = ShowSkinned(LoadSkin(1), Bounds(100, 100, 400, 300));
    f->MinWidth = 300;
    f->MinHeight = 250;
    f->MaxWidth = 500;
    f->MaxHeight = 420;
    const auto corner = [&] { return Screen({form->Width() - 2, form->Height() - 2}); };
    ASSERT_EQ(HTBOTTOMRIGHT, HitAt({form->Width() - 2, form->Height() - 2}));
    Drag(corner(), {-300, -300});
    EXPECT_EQ((TSize{300, 250}), (TSize{form->Width(), form->Height()}));
    Drag(corner(), {400, 400});
    EXPECT_EQ((TSize{500, 420}), (TSize{form->Width(), form->Height()}));
}

TEST_F(FormStatesTest, MinimizedFormsFillCellsFromTheBottomLeftRowByRow)
{
    TskSkinData* data = LoadSkin(1);
    std::vector<std::unique_ptr<TForm>> forms;
    std::vector<TskSkinForm*> skinned;
    for (int i = 0; i < 4; ++i) {
        forms.push_back(std::make_unique<TForm>(nullptr));
        forms.back()->SetBounds(50 + 10 * i, 50, 400, 300);
        skinned.push_back(new TskSkinForm(forms.back().get()));
        skinned.back()->SetSkinData(data);
        forms.back()->Show();
    }
    Pump();
    skinned[0]->ApplyWindowState(wsMinimized);
    const int W = forms[0]->Width(), H = forms[0]->Height();
    ASSERT_EQ(W, skinned[0]->GetMinWidth());
    // Room for two cells and a half in a row.
    SetMonitor({0, 0, 2 * W + W / 2, 700});
    skinned[0]->ApplyWindowState(wsNormal);
    for (TskSkinForm* f : skinned)
        f->ApplyWindowState(wsMinimized);
    Pump();
    const TPoint expected[] = {{0, 700 - H}, {W, 700 - H}, {0, 700 - 2 * H}, {W, 700 - 2 * H}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(expected[i], (TPoint{forms[std::size_t(i)]->Left(), forms[std::size_t(i)]->Top()})) << i;
        EXPECT_EQ(wsMinimized, skinned[std::size_t(i)]->WindowState());
    }
    skinned[1]->ApplyWindowState(wsNormal);
    EXPECT_EQ(Bounds(60, 50, 400, 300), BoundsOf(*forms[1]));
}

TEST_F(FormStatesTest, TheFirstShowCentresTheFormByItsPlacement)
{
    const struct {
        TskPositionInMonitor Position;
        TPoint Expected;
    } cases[] = {{TskPositionInMonitor::skpDefault, {10, 20}},
                 {TskPositionInMonitor::skpScreenCenter, {312, 234}},
                 {TskPositionInMonitor::skpDesktopCenter, {312, 214}}};
    for (const auto& c : cases) {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(10, 20, 400, 300);
        auto* f = new TskSkinForm(form.get());
        f->PositionInMonitor = c.Position;
        form->Show();
        Pump();
        EXPECT_EQ(c.Expected, (TPoint{form->Left(), form->Top()})) << int(c.Position);
    }
}

TEST(MagneticDockingTest, EdgesCatchHoldAndLetGoOfTheForm)
{
    // A form 200 wide in an area from 0 to 1000, magnet 5; each step is the
    // position the drag proposes, the cursor, and the position kept.
    struct TStep {
        int Pos, Cursor, Kept;
    };
    const struct {
        const char* Name;
        std::vector<TStep> Steps;
    } cases[] = {
        {"away from the edges", {{100, 300, 100}, {400, 600, 400}}},
        {"the magnet's size away does not catch", {{5, 205, 5}, {795, 995, 795}}},
        {"caught at the left, held, let go", {{4, 204, 0}, {2, 202, 0}, {-1, 199, 0}, {-3, 197, -7}}},
        {"caught at the right, held, let go", {{797, 500, 800}, {799, 502, 800}, {806, 509, 809}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TskMagnetAxis axis;
        for (const TStep& s : c.Steps)
            EXPECT_EQ(s.Kept, MagneticPosition(axis, s.Pos, 200, 0, 1000, s.Cursor, 5)) << s.Pos;
    }
}

TEST(MagneticDockingTest, OtherFormsEdgesCatchTheNearestSideUnlessTheAreaHolds)
{
    // A form 200 wide; another form spans 300..500 on this axis, magnet 5.
    const std::vector<TskMagnetEdge> edges{{500, false}, {300, true}};
    struct TStep {
        int Pos, Cursor, Kept;
    };
    const struct {
        const char* Name;
        bool AreaHolds;
        std::vector<TStep> Steps;
    } cases[] = {
        {"left side to the other's right, held, let go", false, {{503, 600, 500}, {501, 598, 500}, {497, 594, 494}}},
        {"right side to the other's left", false, {{96, 200, 100}, {98, 202, 100}}},
        {"out of reach", false, {{505, 600, 505}, {94, 200, 94}}},
        {"the area's edge holds first", true, {{503, 600, 503}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TskMagnetAxis axis;
        axis.Near = c.AreaHolds;
        for (const TStep& s : c.Steps)
            EXPECT_EQ(s.Kept, MagneticToEdges(axis, s.Pos, 200, edges, s.Cursor, 5)) << s.Pos;
    }
}

TEST_F(FormStatesTest, AMagneticFormDraggedNearTheWorkAreaSticksToIt)
{
    TskSkinForm* f = ShowSkinned(LoadSkin(1), Bounds(100, 100, 400, 300));
    f->Magnetic = true;
    const TPoint grip = Screen({200, 8});
    ASSERT_EQ(HTCAPTION, HitAt({200, 8}));
    Drag(grip, {-97, 0});
    EXPECT_EQ(0, form->Left());
    Drag(Screen({200, 8}), {0, 728 - 300 - 100 + 3});
    EXPECT_EQ(728 - 300, form->Top());
}

TEST_F(FormStatesTest, AMagneticFormDraggedBesideAnotherFormSticksToItsSide)
{
    auto other = std::make_unique<TForm>(nullptr);
    other->SetBounds(600, 150, 200, 200);
    other->Show();
    TskSkinForm* f = ShowSkinned(LoadSkin(1), Bounds(100, 100, 400, 300));
    f->Magnetic = true;
    // The right side comes 3 px short of the other form's left side.
    Drag(Screen({200, 8}), {97, 0});
    EXPECT_EQ(600 - 400, form->Left());
    // Below the other form, nothing beside it: no docking.
    Drag(Screen({200, 8}), {-50, 260});
    Drag(Screen({200, 8}), {47, 0});
    EXPECT_EQ(600 - 400 - 3, form->Left());
}

} // namespace tovrel::test
