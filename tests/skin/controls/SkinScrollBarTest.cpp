#include "skin/controls/SkinScrollBar.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "skin/data/SkinScrollEntries.h"

#include <vector>

namespace tovrel::test {

namespace {

// The bar sits at (10, 10) of a borderless form at the screen's origin.
constexpr int kLeft = 10, kTop = 10;

TPoint At(int x, int y)
{
    return TPoint{kLeft + x, kTop + y};
}

class SkinScrollBarTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(0, 0, 300, 300);
        bar = Placed<TskSkinScrollBar>(*form, Bounds(kLeft, kTop, 200, 19));
        bar->OnChange = [this](TObject*) { changes.push_back(bar->Position()); };
        bar->OnLastChange = [this](TObject*) { ++lastChanges; };
        Pump();
    }
    void Move(int x, int y)
    {
        InjectMouseMove(At(x, y));
        Pump();
    }
    void Press(int x, int y)
    {
        Move(x, y);
        InjectMouseButton(0, true, At(x, y));
        Pump();
    }
    void Release(int x, int y)
    {
        InjectMouseButton(0, false, At(x, y));
        Pump();
    }
    std::unique_ptr<TForm> form;
    TskSkinScrollBar* bar = nullptr;
    std::vector<int> changes;
    int lastChanges = 0;
};

struct ThumbCase {
    const char* Name;
    TScrollBarKind Kind;
    int Min, Max, Page, Position;
    int From, To; // the thumb along the bar
};

// A 200 x 19 bar (19 x 200 vertical): the track runs from 17 to 183.
const ThumbCase kThumbCases[] = {
    {"no page, at the start", sbHorizontal, 0, 100, 0, 0, 17, 33},
    {"no page, half way", sbHorizontal, 0, 100, 0, 50, 92, 108},
    {"half a pixel rounds to even", sbHorizontal, 0, 100, 0, 3, 21, 37},
    {"an odd thumb loses a pixel", sbHorizontal, 0, 99, 10, 0, 17, 33},
    {"half a page at the end", sbHorizontal, 0, 99, 50, 50, 101, 183},
    {"page covering the range, across", sbHorizontal, 0, 99, 200, 0, -149, 183},
    {"page covering the range, down", sbVertical, 0, 99, 200, 0, 17, 349},
    {"empty range", sbHorizontal, 5, 5, 0, 5, 17, 33},
    {"no thumb below 16", sbVertical, 0, 999, 1, 0, 17, 33},
};

TEST_F(SkinScrollBarTest, ThumbFollowsRangePageAndPosition)
{
    for (const ThumbCase& c : kThumbCases) {
        SCOPED_TRACE(c.Name);
        bar->SetKind(c.Kind);
        if (c.Kind == sbVertical)
            bar->SetBounds(kLeft, kTop, 19, 200);
        bar->SetRange(c.Min, c.Max, c.Page, c.Position);
        bar->CalcRects();
        const TRect t = bar->Part(TskSkinScrollBar::kThumb).R;
        EXPECT_EQ(c.From, c.Kind == sbHorizontal ? t.Left : t.Top);
        EXPECT_EQ(c.To, c.Kind == sbHorizontal ? t.Right : t.Bottom);
    }
}

TEST_F(SkinScrollBarTest, PositionIsClampedAndOnlyTheSetterReports)
{
    bar->SetRange(10, 50, 11, 100);
    EXPECT_EQ(40, bar->Position()); // Max - PageSize + 1
    bar->SimplySetPosition(0);
    EXPECT_EQ(10, bar->Position());
    bar->SetPosition(10);
    EXPECT_TRUE(changes.empty());
    bar->SetPosition(25);
    EXPECT_EQ(std::vector<int>{25}, changes);
    // A page reaching past Max from the position is refused; Min other than 0 counts.
    bar->SetPageSize(27);
    EXPECT_EQ(11, bar->PageSize());
    bar->SetPageSize(26);
    EXPECT_EQ(26, bar->PageSize());
    // A smaller Max pulls the position back by the bar's own rule.
    bar->SetMax(40);
    EXPECT_EQ(15, bar->Position());
}

TEST_F(SkinScrollBarTest, DraggingTheThumbMapsThePointerToThePosition)
{
    bar->SetRange(0, 100, 0, 0);
    Press(25, 9);
    Move(100, 9);
    EXPECT_EQ(50, bar->Position());
    Move(400, 9);
    EXPECT_EQ(100, bar->Position());
    Release(400, 9);
    EXPECT_EQ((std::vector<int>{50, 100}), changes);
    EXPECT_EQ(1, lastChanges);
    // Releasing the thumb reports even without a change; an arrow never does.
    bar->CalcRects();
    const TRect t = bar->Part(TskSkinScrollBar::kThumb).R;
    Press(t.Left + 2, 9);
    Release(t.Left + 2, 9);
    EXPECT_EQ(2, lastChanges);
    Press(190, 9);
    Release(190, 9);
    EXPECT_EQ(2, lastChanges);
}

TEST_F(SkinScrollBarTest, HeldArrowRepeatsAfterTheFirstDelay)
{
    bar->SetRange(0, 1000, 0, 0);
    const std::uint64_t start = clock->NowMs();
    std::vector<std::uint64_t> steps;
    bar->OnChange = [&](TObject*) { steps.push_back(clock->NowMs() - start); };
    Press(190, 9); // the up button, at the right end
    for (int i = 0; i < 13; ++i)
        Tick(50);
    EXPECT_EQ((std::vector<std::uint64_t>{0, 550, 600, 650}), steps);
    // Off the button the repeat pauses; back on it resumes after one interval.
    Move(100, 9);
    Tick(200);
    EXPECT_EQ(4u, steps.size());
    Move(190, 9);
    Tick(50);
    EXPECT_EQ(5u, steps.size());
    Release(190, 9);
    Tick(500);
    EXPECT_EQ(5u, steps.size());
    EXPECT_EQ(0, bar->TimerMode());
}

TEST_F(SkinScrollBarTest, PageRepeatStopsWhenTheThumbReachesThePointer)
{
    bar->SetRange(0, 100, 0, 0);
    bar->SetLargeChange(10);
    Press(60, 9); // beyond the thumb
    EXPECT_EQ(10, bar->Position());
    for (int i = 0; i < 40; ++i)
        Tick(50);
    // The thumb's right edge (33 + 1.5 px per step) passes x 60 at position 20.
    EXPECT_EQ(20, bar->Position());
    EXPECT_EQ(0, bar->TimerMode());
    Release(60, 9);
}

TEST_F(SkinScrollBarTest, FocusableBarTakesKeysAndWheel)
{
    bar->SetRange(0, 100, 0, 50);
    InjectMouseWheel(-120, At(100, 9));
    Pump();
    EXPECT_EQ(50, bar->Position()); // not focusable: the wheel is not its business
    bar->SetCanFocused(true);
    bar->SetFocus();
    Pump();
    InjectMouseWheel(-120, At(100, 9));
    Pump();
    EXPECT_EQ(51, bar->Position());
    InjectMouseWheel(120, At(100, 9));
    Pump();
    Key(VK_LEFT);
    EXPECT_EQ(49, bar->Position());
    Key(VK_DOWN);
    EXPECT_EQ(50, bar->Position());
}

// An 80 x 19 "hscrollbar" whose ends stay 20 pixels wide: the down button at
// the left, the up button at the right beyond the stretch point, a 32-pixel
// thumb picture and a distinct hot up button.
constexpr COLORREF kTrack = RGB(200, 200, 200), kThumbColour = RGB(0, 0, 255), kHotUp = RGB(255, 0, 0);

TskSkinData* ScrollSkin(TComponent* owner, int thumbMinSize)
{
    auto* skin = new TskSkinData(owner);
    auto picture = std::make_unique<TBitmap>(200, 19);
    const auto fill = [&](TRect r, COLORREF c) {
        picture->Canvas()->Brush()->SetColor(TColor(c));
        picture->Canvas()->FillRect(r);
    };
    fill(TRect{0, 0, 80, 19}, kTrack);
    fill(TRect{100, 0, 132, 19}, kThumbColour);
    fill(TRect{140, 0, 159, 19}, kHotUp);
    skin->FActivePictures.push_back(std::move(picture));
    auto e = std::make_unique<TskDataSkinScrollBarControl>("hscrollbar");
    e->PictureIndex = 0;
    e->SkinRect = TRect{0, 0, 80, 19};
    e->LTPoint = TPoint{20, 0};
    e->RTPoint = TPoint{60, 0};
    e->ClRect = TRect{20, 0, 60, 19};
    e->TrackArea = TRect{19, 0, 61, 19};
    e->DownButtonRect = TRect{0, 0, 19, 19};
    e->UpButtonRect = TRect{61, 0, 80, 19};
    e->ActiveUpButtonRect = TRect{140, 0, 159, 19};
    e->ThumbRect = TRect{100, 0, 132, 19};
    e->ThumbMinSize = thumbMinSize;
    skin->CtrlList.push_back(std::move(e));
    skin->Empty = false;
    return skin;
}

struct SkinnedThumbCase {
    const char* Name;
    int ThumbMinSize, Page, Position;
    int From, To;
};

// At 200 pixels the track runs from 19 to 181.
const SkinnedThumbCase kSkinnedThumbCases[] = {
    {"the picture's length without a page", 0, 0, 0, 19, 51},
    {"never shorter than the picture with a page", 0, 10, 0, 19, 51},
    {"the minimum size wins", 40, 10, 90, 141, 181},
    {"a long odd page loses a pixel", 0, 50, 50, 101, 181},
};

TEST_F(SkinScrollBarTest, SkinnedPartsFollowTheBarsLength)
{
    for (const SkinnedThumbCase& c : kSkinnedThumbCases) {
        SCOPED_TRACE(c.Name);
        bar->SetSkinData(ScrollSkin(form.get(), c.ThumbMinSize));
        bar->SetRange(0, 99, c.Page, c.Position);
        EXPECT_EQ(19, bar->Height()); // a strip entry keeps its height
        bar->CalcRects();
        EXPECT_EQ((TRect{181, 0, 200, 19}), bar->Part(TskSkinScrollBar::kUpButton).R);
        EXPECT_EQ((TRect{0, 0, 19, 19}), bar->Part(TskSkinScrollBar::kDownButton).R);
        const TRect t = bar->Part(TskSkinScrollBar::kThumb).R;
        EXPECT_EQ(c.From, t.Left);
        EXPECT_EQ(c.To, t.Right);
        EXPECT_EQ(0, t.Top);
        EXPECT_EQ(19, t.Bottom);
    }
    // The hot up button is cut from the skin at the bar's far end.
    bar->SetRange(0, 99, 0, 0);
    Pump();
    EXPECT_EQ(kThumbColour, PixelAt(*form, kLeft + 25, kTop + 9));
    EXPECT_EQ(kTrack, PixelAt(*form, kLeft + 190, kTop + 9));
    Move(190, 9);
    EXPECT_EQ(kHotUp, PixelAt(*form, kLeft + 190, kTop + 9));
}

} // namespace

} // namespace tovrel::test
