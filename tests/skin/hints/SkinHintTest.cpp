#include "skin/hints/SkinHint.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/wm/Backend.h"
#include "platform/wm/Input.h"
#include "platform/wm/Layered.h"
#include "skin/controls/SkinButton.h"
#include "skin/data/SkinFixedEntries.h"
#include "skin/hints/HintLayout.h"
#include "skin/hints/SkinHintWindow.h"
#include "skin/stored/StoredSkins.h"

#include <vector>

namespace tovrel::test {

namespace {

// A shown form holding the hint component, skinned by the first stored user
// skin (or not).
class SkinHintTest : public ControlTest {
protected:
    void TearDown() override
    {
        Application->CancelHint();
        form.reset();
        skin.reset();
        Application->OnShowHint = nullptr;
        Application->SetHintWindowClass(nullptr);
        ControlTest::TearDown();
    }
    TskSkinHint* ShowForm(bool skinned)
    {
        form = ShownForm(200, 150, 400, 300);
        skin = skinned ? LoadStoredSkin(StoredSkinFiles(TStoredSkinRole::User).front()) : nullptr;
        auto* hint = new TskSkinHint(form.get());
        hint->SetSkinData(skin.get());
        return hint;
    }
    static TRect BoundsOf(TskSkinHintWindow& w) { return w.BoundsRect(); }

    std::unique_ptr<TForm> form;
    std::unique_ptr<TskSkinData> skin;
};

} // namespace

TEST(HintLayoutTest, TheSeparatorBreaksLinesAndAnEmptyOneChangesNothing)
{
    EXPECT_EQ("上移\n下移", BreakHintLines("上移@下移", "@"));
    EXPECT_EQ("a\nb\n", BreakHintLines("a@b@", "@"));
    EXPECT_EQ("a\nb", BreakHintLines("a<br>b", "<br>"));
    EXPECT_EQ("a@b", BreakHintLines("a@b", ""));
}

TEST(HintLayoutTest, TheSkinnedFrameGrowsUntilItsCornersMeet)
{
    // A 40 x 30 picture, corners 8 px in, client part 4/3 px in.
    const TskSkinCorners skin{{8, 8}, {32, 8}, {8, 22}, {32, 22}, {4, 3, 36, 27}};
    const auto frame = SkinnedHintFrame(skin, {40, 30}, {100, 14}, 5);
    EXPECT_EQ((TSize{113, 20}), frame.Size) << "text + client margins + 5; as tall as the text needs";
    EXPECT_EQ(Rect(4, 3, 109, 17), frame.Fresh.ClRect);
    // Content smaller than the corners: the corners decide the size.
    const auto tiny = SkinnedHintFrame(skin, {40, 30}, {2, 2}, 0);
    EXPECT_EQ((TSize{16, 16}), tiny.Size);
    EXPECT_EQ(tiny.Fresh.LTPt.X, tiny.Fresh.RTPt.X);
    EXPECT_EQ(tiny.Fresh.LTPt.Y, tiny.Fresh.LBPt.Y);
}

TEST_F(SkinHintTest, AHintStaysOnTheScreenAtEachOfItsFourEdges)
{
    TskSkinHint* hint = ShowForm(true);
    TskSkinHintWindow& window = *hint->Window();
    hint->ActivateHint({300, 300}, "静音");
    const TSize size{window.Width(), window.Height()};
    ASSERT_GT(size.cx, 0);
    const int W = Screen->Width(), H = Screen->Height();
    const struct {
        const char* Name;
        TPoint At;
        TPoint Expected;
    } cases[] = {
        {"left edge: right of the point", {0, 300}, {0, 300}},
        {"top edge: below the point", {300, 0}, {300, 0}},
        {"right edge: flips to the left", {W - 5, 300}, {W - 5 - size.cx - 2, 300}},
        {"bottom edge: flips above", {300, H - 5}, {300, H - 5 - size.cy - 2}},
        {"bottom right corner: both", {W - 1, H - 1}, {W - 1 - size.cx - 2, H - 1 - size.cy - 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        hint->ActivateHint(c.At, "静音");
        EXPECT_EQ(Bounds(c.Expected.X, c.Expected.Y, size.cx, size.cy), BoundsOf(window));
        EXPECT_TRUE(IsWindowVisible(window.Handle()));
    }
    // Centred on a rectangle at the left and top edges, the hint is held inside.
    hint->ActivateHint3(Rect(0, 0, 10, 10), "静音", true);
    clock->Advance(Application->HintPause);
    Pump();
    EXPECT_EQ(Bounds(0, 0, size.cx, size.cy), BoundsOf(window));
}

TEST_F(SkinHintTest, AControlsHintShowsInTheSkinsWindowAfterTheHintPause)
{
    for (bool skinned : {true, false}) {
        SCOPED_TRACE(skinned ? "skin" : "plain");
        clock->Advance(Application->HintHidePause); // long after any earlier hint
        ShowForm(skinned);
        auto* button = Placed<TskSkinButton>(*form, Bounds(20, 20, 80, 24));
        button->SetSkinData(skin.get());
        button->SetShowHint(true);
        button->Hint = "播放@暂停";
        InjectMouseMove(Point(240, 180));
        Pump();
        clock->Advance(Application->HintPause - 1);
        Pump();
        EXPECT_TRUE(!Application->HintWindow() || !IsWindowVisible(Application->HintWindow()->Handle()))
            << "not before the pause";
        clock->Advance(1);
        Pump();
        auto* window = dynamic_cast<TskSkinHintWindow*>(Application->HintWindow());
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(IsWindowVisible(window->Handle()));
        EXPECT_EQ(skinned, window->SkinEntry() != nullptr);
        EXPECT_EQ("播放\n暂停", window->Caption());
        EXPECT_EQ(240, window->Left());
        EXPECT_GT(window->Top(), 180);
        // Two lines: taller than a one-line hint of the same look.
        const int twoLines = window->Height();
        TskSkinHint* component = TskSkinHint::Current();
        component->ActivateHint({0, 0}, "播放");
        EXPECT_LT(component->Window()->Height(), twoLines);
        component->HideHint();
        // A click hides the control's hint at once.
        Click(Point(240, 180));
        EXPECT_FALSE(window->HandleAllocated() && IsWindowVisible(window->Handle()));
        Application->CancelHint();
    }
}

TEST_F(SkinHintTest, TheLastActivatedComponentOfAFormIsInChargeAndWithoutOneHintsStayPlain)
{
    TskSkinHint* first = ShowForm(true);
    auto* second = new TskSkinHint(form.get());
    EXPECT_FALSE(first->Active());
    EXPECT_EQ(second, TskSkinHint::Current());
    first->SetActive(true);
    EXPECT_FALSE(second->Active());
    EXPECT_EQ(first, TskSkinHint::Current());
    // No active component: the application's hints still show, plainly.
    first->SetActive(false);
    EXPECT_EQ(nullptr, TskSkinHint::Current());
    TskSkinHintWindow window(nullptr);
    window.ActivateHint(Bounds(10, 10, 0, 0), "暂停");
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_EQ(nullptr, window.SkinEntry());
    EXPECT_GT(window.Width(), 4);
}

TEST_F(SkinHintTest, ADelayedHintShowsAfterThePauseAndHidesAfterTheHidePause)
{
    TskSkinHint* hint = ShowForm(true);
    InjectMouseMove(Point(500, 400));
    Pump();
    hint->ActivateHint2("快照");
    clock->Advance(Application->HintPause - 1);
    Pump();
    EXPECT_FALSE(hint->IsVisible());
    clock->Advance(1);
    Pump();
    ASSERT_TRUE(hint->IsVisible());
    EXPECT_EQ(Point(500, 400 + TskSkinHint::GetCursorHeightMargin()),
              Point(hint->Window()->Left(), hint->Window()->Top()));
    clock->Advance(Application->HintHidePause);
    Pump();
    EXPECT_FALSE(hint->IsVisible());
    // Hidden before its pause, a pending hint never shows.
    hint->ActivateHint2("快照");
    hint->HideHint();
    clock->Advance(Application->HintPause);
    Pump();
    EXPECT_FALSE(hint->IsVisible());
}

TEST_F(SkinHintTest, ATitleAndAnImageMakeTheHintLargerOnlyWhenTheImageExists)
{
    TskSkinHint* hint = ShowForm(false);
    TCustomImageList images(nullptr);
    images.SetWidth(32);
    images.SetHeight(32);
    TBitmap picture(32, 32);
    images.Add(&picture, nullptr);
    hint->ActivateHint({10, 10}, "停止");
    const TSize plain{hint->Window()->Width(), hint->Window()->Height()};
    hint->ActivateHintEx({10, 10}, "", "停止", 5, &images);
    EXPECT_EQ(plain, (TSize{hint->Window()->Width(), hint->Window()->Height()})) << "no image: no room";
    hint->ActivateHintEx({10, 10}, "", "停止", 0, &images);
    EXPECT_EQ(plain.cx + 32 + 10, hint->Window()->Width());
    EXPECT_GE(hint->Window()->Height(), 32 + 4);
    hint->ActivateHintEx({10, 10}, "标题", "停止", -1, nullptr);
    EXPECT_TRUE(hint->Window()->ExtendedStyle());
    EXPECT_GT(hint->Window()->Height(), plain.cy);
}

TEST_F(SkinHintTest, ATranslucentHintFadesInOnTheClockOnlyWithLayeredWindows)
{
    const struct {
        const char* Name;
        bool Layered, Animation;
        int Value;
        std::vector<int> Steps;
    } cases[] = {
        {"animated", true, true, 60, {0, 4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44, 48, 52, 56, 60}},
        {"at once", true, false, 60, {60}},
        {"animated to nothing: ends at once", true, true, 0, {0}},
        {"no layered windows: opaque", false, true, 60, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto backend = std::make_shared<TLayeredBackend>();
        backend->layered = c.Layered;
        form.reset();
        SetBackend(backend);
        TskSkinHint* hint = ShowForm(false);
        hint->AlphaBlend = true;
        hint->AlphaBlendValue = std::uint8_t(c.Value);
        hint->AlphaBlendAnimation = c.Animation;
        hint->ActivateHint({10, 10}, "全屏");
        const HWND wnd = hint->Window()->Handle();
        std::vector<int> steps;
        BYTE alpha = 0;
        for (int i = 0; i < 40; ++i) {
            if ((GetWindowLongPtr(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) &&
                GetLayeredWindowAttributes(wnd, nullptr, &alpha, nullptr) && (steps.empty() || steps.back() != alpha))
                steps.push_back(alpha);
            clock->Advance(10);
            Pump();
        }
        EXPECT_EQ(c.Steps, steps);
        form.reset();
    }
}

} // namespace tovrel::test
