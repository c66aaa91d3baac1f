#include "skin/controls/SkinListView.h"
#include "SkinViewTestSupport.h"
#include "platform/ctrls/Header.h"
#include "platform/ctrls/ScrollState.h"
#include "platform/wm/Input.h"
#include "platform/wm/WindowPos.h"
#include "skin/data/SkinViewEntries.h"

#include <cmath>
#include <string>
#include <vector>

namespace tovrel::test {

namespace {

// A report list of three 100-pixel columns at (10, 10), 250 x 150, with a
// vertical bar beside it and a horizontal bar under it.
class SkinListViewTest : public SkinViewTest<TskSkinListView> {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        PlaceViewAndBars(250, 150);
        list->SetViewStyle(vsReport);
        for (const char* caption : {"Name", "Size", "Progress"}) {
            TListColumn* column = list->Columns()->Add();
            column->SetCaption(caption);
            column->SetWidth(100);
        }
        AttachBars();
    }
    void AddRows(int count)
    {
        for (int i = 0; i < count; ++i)
            list->Items()->Add()->SetCaption("row " + std::to_string(list->Items()->Count()));
        Pump();
    }
    int TopRow() const { return list->TopItem() ? list->TopItem()->Index() : -1; }
    // The bar shows the list's own vertical scroll state.
    void ExpectBarMirrorsList()
    {
        int min = 0, max = 0;
        GetScrollRange(list->Handle(), SB_VERT, &min, &max);
        const int perPage = int(list->Perform(LVM_GETCOUNTPERPAGE, 0, 0));
        ASSERT_EQ(perPage < list->Items()->Count(), vbar->Visible());
        if (!vbar->Visible())
            return;
        EXPECT_EQ(min, vbar->Min());
        EXPECT_EQ(max, vbar->Max());
        EXPECT_EQ(perPage, vbar->PageSize());
        EXPECT_EQ(GetScrollPos(list->Handle(), SB_VERT), vbar->Position());
        EXPECT_EQ(perPage, vbar->LargeChange());
        // The thumb is as long as the page's share of the track.
        vbar->CalcRects();
        const TRect track = vbar->TrackArea(), thumb = vbar->Part(TskSkinScrollBar::kThumb).R;
        const int expected = std::max(16, int(std::nearbyint(double(track.Height()) * perPage / (max - min + 1))));
        EXPECT_NEAR(expected, thumb.Height(), 1);
    }
    TPoint HeaderPoint(int x)
    {
        POINT p{x, 5};
        ClientToScreen(list->SkinnedHeader(), &p);
        return TPoint{p.X, p.Y};
    }
    TskSkinListView*& list = view;
};

struct RowsCase {
    const char* Name;
    int Add;
    int ScrollTo; // top row asked for, -1 none
    int Remove;   // rows deleted from the end afterwards
};

const RowsCase kRowsCases[] = {
    {"empty", 0, -1, 0},
    {"fits", 3, -1, 0},
    {"one too many", 9, -1, 0},
    {"many", 100, -1, 0},
    {"scrolled", 100, 40, 0},
    {"scrolled to the end", 100, 1000, 0},
    {"removed while scrolled", 100, 95, 30},
    {"removed until it fits", 100, 50, 97},
};

TEST_F(SkinListViewTest, BarsFollowRowsAddedRemovedAndScrolled)
{
    for (const RowsCase& c : kRowsCases) {
        SCOPED_TRACE(c.Name);
        list->Items()->Clear();
        AddRows(c.Add);
        if (c.ScrollTo >= 0) {
            list->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, c.ScrollTo), 0);
            Pump();
        }
        for (int i = 0; i < c.Remove; ++i)
            list->Items()->Delete(list->Items()->Count() - 1);
        Pump();
        ExpectBarMirrorsList();
    }
}

TEST_F(SkinListViewTest, BarScrollsTheListByWholeRows)
{
    AddRows(100);
    ASSERT_TRUE(vbar->Visible());
    vbar->SetPosition(1);
    Pump();
    EXPECT_EQ(1, TopRow());
    vbar->SetPosition(vbar->Position() + vbar->LargeChange());
    Pump();
    EXPECT_EQ(1 + vbar->LargeChange(), TopRow());
    // Dragging the thumb to the end of the track shows the last page.
    DragThumbToTheEnd();
    EXPECT_EQ(vbar->Max() - vbar->PageSize() + 1, TopRow());
    ExpectBarMirrorsList();
}

TEST_F(SkinListViewTest, WheelOverTheListMovesTheBar)
{
    AddRows(100);
    list->SetFocus();
    Pump();
    InjectMouseWheel(-120, TPoint{100, 100});
    Pump();
    EXPECT_GT(TopRow(), 0);
    EXPECT_EQ(TopRow(), vbar->Position());
    // The bar stepped afterwards continues from there.
    vbar->SetPosition(vbar->Position() + 1);
    Pump();
    EXPECT_EQ(vbar->Position(), TopRow());
    // A focusable bar takes the wheel itself and scrolls the list a row a notch.
    const int before = TopRow();
    vbar->SetCanFocused(true);
    vbar->SetFocus();
    Pump();
    InjectMouseWheel(-120, TPoint{269, 80});
    Pump();
    EXPECT_EQ(before + 1, TopRow());
    EXPECT_EQ(TopRow(), vbar->Position());
}

TEST_F(SkinListViewTest, HorizontalBarShowsForWideColumnsAndLeavesTheCorner)
{
    EXPECT_TRUE(hbar->Visible()); // 300 pixels of columns in a 250-pixel list
    list->Columns()->Items(2)->SetWidth(40);
    Pump();
    EXPECT_FALSE(hbar->Visible());
    list->Columns()->Items(2)->SetWidth(200);
    Pump();
    ASSERT_TRUE(hbar->Visible());
    EXPECT_FALSE(hbar->Both());
    hbar->SetPosition(30);
    Pump();
    EXPECT_EQ(30, GetScrollPos(list->Handle(), SB_HORZ));
    AddRows(100);
    EXPECT_TRUE(hbar->Both());
    list->Items()->Clear();
    Pump();
    EXPECT_FALSE(hbar->Both());
    // Hiding the list hides its bars.
    list->SetVisible(false);
    Pump();
    EXPECT_FALSE(hbar->Visible());
    EXPECT_FALSE(vbar->Visible());
}

TEST_F(SkinListViewTest, ListStyleScrollsSidewaysByColumns)
{
    AddRows(100);
    ASSERT_TRUE(vbar->Visible());
    list->SetViewStyle(vsList);
    Pump();
    EXPECT_FALSE(vbar->Visible());
    ASSERT_TRUE(hbar->Visible());
    EXPECT_EQ(0, TopRow());
    hbar->SetPosition(2);
    Pump();
    EXPECT_EQ(2, GetScrollPos(list->Handle(), SB_HORZ));
    EXPECT_GT(TopRow(), 0);
    EXPECT_EQ(2, hbar->Position());
}

TEST_F(SkinListViewTest, BarsOutlivingTheListNoLongerDriveIt)
{
    AddRows(100);
    // A bar replaced by another one is let go as well.
    auto* other = Placed<TskSkinScrollBar>(*form, Bounds(300, 10, 19, 150));
    list->SetVScrollBar(other);
    vbar->SetPosition(3);
    Pump();
    EXPECT_EQ(0, TopRow());
    delete list;
    list = nullptr;
    vbar->SetPosition(5);
    hbar->SetPosition(5);
    Pump();
    EXPECT_EQ(5, vbar->Position());
}

TEST_F(SkinListViewTest, SkinEntryGivesColourAndFont)
{
    SkinWithColourfulEntry<TskDataSkinListView>("listview");
    ExpectColourfulEntry();
}

TEST_F(SkinListViewTest, HeaderIsTakenOverAndWider)
{
    const HWND header = list->SkinnedHeader();
    ASSERT_NE(nullptr, header);
    EXPECT_EQ(header, list->HeaderHandle());
    RECT r{};
    GetWindowRect(header, &r);
    EXPECT_EQ(list->ClientWidth() + 25, r.Right - r.Left);
}

TEST_F(SkinListViewTest, HeaderSectionShowsItsImageBeforeTheCaption)
{
    auto* images = new TImageList(form.get());
    images->SetSize(8, 8);
    TBitmap red(8, 8);
    red.Canvas()->Brush()->SetColor(TColor(0x0000FF));
    red.Canvas()->FillRect(TRect{0, 0, 8, 8});
    images->Add(&red, nullptr);
    list->SetSmallImages(images);
    list->Columns()->Items(1)->SetImageIndex(0);
    list->Columns()->Items(1)->SetAlignment(taRightJustify);
    Pump();
    RECT r{};
    GetClientRect(list->SkinnedHeader(), &r);
    // A short caption with its image keeps its alignment: the image ends 10
    // pixels before the caption, which ends 5 pixels before the section's end.
    POINT p{0, r.Bottom / 2};
    const int captionWidth = list->Canvas()->TextWidth("Size");
    p.X = 200 - 5 - captionWidth - 10 - 4;
    ClientToScreen(list->SkinnedHeader(), &p);
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(*form, p.X, p.Y));
}

TEST_F(SkinListViewTest, HeaderPressAndDividerDrag)
{
    std::vector<int> clicked;
    list->OnColumnClick = [&](TObject*, TListColumn* column) { clicked.push_back(column->Index()); };
    // A press inside the second section holds it down, even off it, until released.
    InjectMouseMove(HeaderPoint(150));
    InjectMouseButton(0, true, HeaderPoint(150));
    Pump();
    EXPECT_TRUE(list->HeaderDown());
    EXPECT_FALSE(list->DividerDown());
    EXPECT_EQ(1, list->ActiveSection());
    // Drawn pressed in the default look.
    POINT corner{102, 2};
    ClientToScreen(list->SkinnedHeader(), &corner);
    EXPECT_EQ(RGB(0x85, 0x93, 0xB5), PixelAt(*form, corner.X, corner.Y));
    InjectMouseButton(0, false, HeaderPoint(150));
    Pump();
    EXPECT_FALSE(list->HeaderDown());
    EXPECT_EQ(-1, list->ActiveSection());
    EXPECT_EQ(std::vector<int>{1}, clicked);
    // A press on the divider after the first section drags it.
    InjectMouseMove(HeaderPoint(100));
    InjectMouseButton(0, true, HeaderPoint(100));
    Pump();
    EXPECT_TRUE(list->DividerDown());
    EXPECT_FALSE(list->HeaderDown());
    InjectMouseMove(HeaderPoint(140));
    InjectMouseButton(0, false, HeaderPoint(140));
    Pump();
    EXPECT_FALSE(list->DividerDown());
    EXPECT_EQ(140, list->Columns()->Items(0)->Width());
    EXPECT_EQ(std::vector<int>{1}, clicked);
}

} // namespace

} // namespace tovrel::test
