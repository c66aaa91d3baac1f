#include "skin/controls/SkinListBox.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/gdi/SysColors.h"
#include "platform/vcl/Bitmap.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Wm.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinData.h"
#include "skin/stored/StoredSkins.h"

#include <string>

namespace tovrel::test {

namespace {

// A 120 x 120 list box at (10, 10) without a skin: rows of 20 pixels, five
// of them in view.
class SkinListBoxTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(0, 0, 300, 300);
        list = Placed<TskSkinListBox>(*form, Bounds(10, 10, 120, 120));
        Pump();
    }
    void AddItems(int count)
    {
        for (int i = 0; i < count; ++i)
            list->Items()->Add("item " + std::to_string(list->Items()->Count()));
        Pump();
    }
    TPoint OnList(int x, int y) { return list->ClientToScreen(Point(x, y)); }

    std::unique_ptr<TForm> form;
    TskSkinListBox* list = nullptr;
};

struct ScrollCase {
    const char* Name;
    int Add;
    int Top;    // top row asked for afterwards, -1 none
    int Remove; // items deleted from the end after that
    bool Bar;
    int Max, Position;
};

const ScrollCase kScrollCases[] = {
    {"empty", 0, -1, 0, false, 0, 0},
    {"as many as fit", 5, -1, 0, false, 0, 0},
    {"one more than fit", 6, -1, 0, true, 5, 0},
    {"many, scrolled", 40, 10, 0, true, 39, 10},
    {"scrolled to the end", 40, 39, 0, true, 39, 35},
    {"removed while scrolled to the end", 40, 39, 20, true, 19, 15},
    {"removed until they fit", 40, 39, 36, false, 0, 0},
};

} // namespace

TEST_F(SkinListBoxTest, BarFollowsItemsAddedRemovedAndScrolled)
{
    for (const ScrollCase& c : kScrollCases) {
        SCOPED_TRACE(c.Name);
        list->Clear();
        AddItems(c.Add);
        if (c.Top >= 0)
            list->SetTopIndex(c.Top);
        for (int i = 0; i < c.Remove; ++i)
            list->Items()->Delete(list->Items()->Count() - 1);
        Pump();
        ASSERT_EQ(c.Bar, list->ScrollBar != nullptr);
        if (!c.Bar) {
            // The list takes the whole client area again.
            EXPECT_EQ(Bounds(2, 2, 116, 116), list->ListBox->BoundsRect());
            continue;
        }
        const TskSkinScrollBar& bar = *list->ScrollBar;
        EXPECT_EQ(0, bar.Min());
        EXPECT_EQ(c.Max, bar.Max());
        EXPECT_EQ(5, bar.PageSize());
        EXPECT_EQ(5, bar.LargeChange());
        EXPECT_EQ(c.Position, bar.Position());
        EXPECT_EQ(c.Position, list->TopIndex());
        // The bar stands at the right; the list ends where it begins.
        EXPECT_EQ(Bounds(100, 1, 19, 118), bar.BoundsRect());
        EXPECT_EQ(100, list->ListBox->BoundsRect().Right);
    }
}

TEST_F(SkinListBoxTest, KeysAndTheBarScrollEachOther)
{
    AddItems(40);
    list->ListBox->SetFocus();
    list->SetItemIndex(0);
    Pump();
    for (int i = 0; i < 7; ++i)
        Key(VK_DOWN);
    EXPECT_EQ(7, list->ItemIndex());
    EXPECT_EQ(list->TopIndex(), list->ScrollBar->Position());
    EXPECT_EQ(3, list->TopIndex());
    // The bar scrolls by its full position, beyond any 16-bit limit too.
    list->ScrollBar->SetPosition(20);
    Pump();
    EXPECT_EQ(20, list->TopIndex());
}

TEST_F(SkinListBoxTest, WheelScrollsALineMoreThanTheListItself)
{
    AddItems(40);
    list->ListBox->SetFocus();
    Pump();
    const WPARAM towardsUser = WPARAM(std::uint32_t(-120) << 16), away = 120 << 16;
    list->ListBox->Perform(WM_MOUSEWHEEL, towardsUser, 0);
    Pump();
    EXPECT_EQ(4, list->TopIndex());
    EXPECT_EQ(4, list->ScrollBar->Position());
    list->ListBox->Perform(WM_MOUSEWHEEL, away, 0);
    Pump();
    EXPECT_EQ(0, list->TopIndex());
    EXPECT_EQ(0, list->ScrollBar->Position());
}

TEST_F(SkinListBoxTest, WideItemsScrollSidewaysWithTheirOwnBar)
{
    list->SetHorizontalExtent(true);
    AddItems(2);
    EXPECT_EQ(nullptr, list->HScrollBar);
    list->Items()->Add(std::string(60, 'W'));
    Pump();
    ASSERT_NE(nullptr, list->HScrollBar);
    TskSkinScrollBar& bar = *list->HScrollBar;
    TBitmap measure(1, 1);
    measure.Canvas()->SetFont(list->ListBox->Font());
    const int widest = measure.Canvas()->TextWidth(std::string(60, 'W'));
    EXPECT_EQ(widest, bar.Max());
    EXPECT_EQ(list->ListBox->Width() - 4, bar.PageSize());
    // The list ends above the bar.
    EXPECT_EQ(bar.Top(), list->ListBox->BoundsRect().Bottom);
    // Right and Left move the bar, and the rows with it.
    list->ListBox->SetFocus();
    Pump();
    for (int i = 0; i < 5; ++i)
        Key(VK_RIGHT);
    EXPECT_EQ(5 * bar.SmallChange(), bar.Position());
    EXPECT_EQ(bar.Position(), list->ListBox->HorizontalExtentValue());
    Key(VK_LEFT);
    EXPECT_EQ(4 * bar.SmallChange(), list->ListBox->HorizontalExtentValue());
    // A wider list scrolls back by what it gained.
    const int offset = list->ListBox->HorizontalExtentValue();
    list->ListBox->SetBounds(list->ListBox->Left(), list->ListBox->Top(), list->ListBox->Width() + 10,
                             list->ListBox->Height());
    EXPECT_EQ(offset - 10, list->ListBox->HorizontalExtentValue());
    // Without the wide item the bar goes and the rows return.
    list->Items()->Delete(2);
    Pump();
    EXPECT_EQ(nullptr, list->HScrollBar);
    EXPECT_EQ(0, list->ListBox->HorizontalExtentValue());
}

TEST_F(SkinListBoxTest, HeightForRowsAndCaptionButtonSize)
{
    list->SetDefaultItemHeight(20);
    EXPECT_EQ(104, list->CalcHeight(5));
    list->SetCaptionMode(true);
    EXPECT_EQ(124, list->CalcHeight(5));
    for (auto [captionHeight, size] : {std::pair{20, 17}, std::pair{12, 9}}) {
        list->SetDefaultCaptionHeight(captionHeight);
        list->Repaint();
        Pump();
        EXPECT_EQ(size, list->CaptionButton(0).R.Width());
        EXPECT_EQ(size, list->CaptionButton(1).R.Width());
    }
    // A row count binds the height.
    list->SetCaptionMode(false);
    list->SetRowCount(3);
    EXPECT_EQ(64, list->Height());
}

TEST_F(SkinListBoxTest, CaptionButtonsStepAndRepeatWhileHeld)
{
    AddItems(10);
    list->SetCaptionMode(true);
    list->SetItemIndex(5);
    list->Repaint();
    Pump();
    const auto centre = [&](int i) {
        const TRect r = list->CaptionButton(i).R;
        return OnList((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    };
    // A click steps once.
    InjectMouseMove(centre(0));
    Click(centre(0));
    EXPECT_EQ(4, list->ItemIndex());
    Click(centre(1));
    EXPECT_EQ(5, list->ItemIndex());
    // Held: one step per 100 ms after a first wait of 500 ms, and one more on release.
    InjectMouseMove(centre(1));
    InjectMouseButton(0, true, centre(1));
    Pump();
    clock->Advance(500);
    Pump();
    EXPECT_EQ(5, list->ItemIndex());
    for (int i = 0; i < 3; ++i) {
        clock->Advance(100);
        Pump();
    }
    EXPECT_EQ(8, list->ItemIndex());
    InjectMouseButton(0, false, centre(1));
    Pump();
    EXPECT_EQ(9, list->ItemIndex());
    EXPECT_EQ(0, list->TimerMode());
    // The last item stops the down button.
    Click(centre(1));
    EXPECT_EQ(9, list->ItemIndex());
    // A release away from the pressed button does nothing.
    InjectMouseMove(centre(0));
    InjectMouseButton(0, true, centre(0));
    InjectMouseMove(OnList(10, 60));
    InjectMouseButton(0, false, OnList(10, 60));
    Pump();
    EXPECT_EQ(9, list->ItemIndex());
}

TEST_F(SkinListBoxTest, CaptionButtonWithHandlerFiresOnlyTheHandler)
{
    AddItems(10);
    list->SetCaptionMode(true);
    list->SetItemIndex(5);
    int ups = 0;
    list->OnUpButtonClick = [&](TObject*) { ++ups; };
    list->Repaint();
    Pump();
    const TRect r = list->CaptionButton(0).R;
    const TPoint p = OnList(r.Left + 3, r.Top + 3);
    InjectMouseMove(p);
    Click(p);
    EXPECT_EQ(1, ups);
    EXPECT_EQ(5, list->ItemIndex());
}

TEST_F(SkinListBoxTest, RowStatesOfSingleAndMultipleSelection)
{
    AddItems(4);
    TskListBox& rows = *list->ListBox;
    rows.SetItemIndex(1);
    EXPECT_EQ(TOwnerDrawState{odSelected}, rows.GetItemState(1));
    EXPECT_EQ(TOwnerDrawState{}, rows.GetItemState(2));
    rows.SetFocus();
    Pump();
    EXPECT_EQ((TOwnerDrawState{odSelected, odFocused}), rows.GetItemState(1));
    // In a multi-select list the caret row shows selected, selected or not.
    list->SetMultiSelect(true);
    Pump();
    rows.SetSelected(3, true);
    rows.SetItemIndex(0);
    EXPECT_FALSE(rows.Selected(0));
    EXPECT_TRUE(rows.GetItemState(0).Contains(odSelected));
    EXPECT_EQ(TOwnerDrawState{odSelected}, rows.GetItemState(3));
    EXPECT_EQ(TOwnerDrawState{}, rows.GetItemState(2));
}

TEST_F(SkinListBoxTest, BackgroundPaintedOnRequestOnlyWhenEmpty)
{
    TBitmap target(50, 50);
    HDC dc = target.Canvas()->Handle();
    EXPECT_EQ(SkinPaintKey, list->ListBox->Perform(SkinPaintBackgroundToMessage, WPARAM(dc), SkinPaintKey));
    EXPECT_EQ(ColorToRGB(clWindow), ColorToRGB(target.Canvas()->Pixels(10, 10)));
    EXPECT_NE(SkinPaintKey, list->ListBox->Perform(SkinPaintBackgroundToMessage, WPARAM(dc), 1));
    AddItems(1);
    EXPECT_NE(SkinPaintKey, list->ListBox->Perform(SkinPaintBackgroundToMessage, WPARAM(dc), SkinPaintKey));
}

TEST_F(SkinListBoxTest, TabStopLines)
{
    EXPECT_EQ(40, TabStopValue("40"));
    EXPECT_EQ(0, TabStopValue("x1"));
    EXPECT_EQ(0, TabStopValue(""));
    EXPECT_EQ(2147483647, TabStopValue("99999999999"));
}

// Rows drawn in the default look and from two stored skins.
TEST_F(SkinListBoxTest, RowsAndFrameFromEachLook)
{
    AddItems(3);
    list->SetItemIndex(1);
    const auto files = StoredSkinFiles(TStoredSkinRole::User);
    std::unique_ptr<TskSkinData> skins[2] = {LoadStoredSkin(files.at(0)), LoadStoredSkin(files.at(1))};
    for (TskSkinData* skin : {static_cast<TskSkinData*>(nullptr), skins[0].get(), skins[1].get()}) {
        SCOPED_TRACE(skin ? "skinned" : "default look");
        list->SetSkinData(skin);
        list->ChangeSkinData();
        form->Repaint();
        Pump();
        const TRect row = list->ListBox->ItemRect(1);
        const TPoint inner =
            list->ListBox->BoundsRect().Left == 0 ? Point(0, 0) : Point(list->ListBox->Left(), list->ListBox->Top());
        const int rowX = list->Left() + inner.X + row.Left, rowY = list->Top() + inner.Y + row.Top;
        if (!skin) {
            EXPECT_EQ(ColorToRGB(clBtnShadow), PixelAt(*form, list->Left(), list->Top()));
            EXPECT_EQ(ColorToRGB(clHighlight), PixelAt(*form, rowX + row.Width() - 3, rowY + 2));
            EXPECT_EQ(ColorToRGB(clWindow), PixelAt(*form, rowX + row.Width() - 3, rowY - 2));
            continue;
        }
        const TskSkinControlGeometry& g = list->Geometry();
        ASSERT_NE(nullptr, g.Picture);
        EXPECT_EQ(ColorToRGB(g.Picture->Canvas()->Pixels(g.SkinRect.Left, g.SkinRect.Top)),
                  PixelAt(*form, list->Left(), list->Top()));
        // The selected row is the entry's selected item picture (left piece copied as it is).
        EXPECT_EQ(list->Look.SItemRect.Height(), row.Height());
        const TRect& active = list->Look.ActiveItemRect;
        EXPECT_EQ(ColorToRGB(g.Picture->Canvas()->Pixels(active.Left, active.Top + 1)), PixelAt(*form, rowX, rowY + 1));
        const TRect& normal = list->Look.SItemRect;
        EXPECT_EQ(ColorToRGB(g.Picture->Canvas()->Pixels(normal.Left, normal.Top + 1)),
                  PixelAt(*form, rowX, rowY + row.Height() + 1));
    }
}

} // namespace tovrel::test
