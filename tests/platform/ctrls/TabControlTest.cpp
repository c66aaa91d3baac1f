#include "CtrlsTestSupport.h"

#include "platform/ctrls/PageControl.h"
#include "platform/wm/Keys.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class TabControl : public CtrlsTest {
protected:
    TTabControl& Tabs(TTabPosition position)
    {
        TTabControl& tabs = Place<TTabControl>(Rect(10, 10, 310, 210));
        for (const char* s : {"One", "Two", "Three"})
            tabs.Tabs()->Add(s);
        tabs.SetTabPosition(position);
        tabs.Perform(TCM_SETITEMSIZE, 0, MAKELPARAM(60, 20));
        Pump();
        return tabs;
    }
    static TRect ItemRect(TWinControl& tabs, int index)
    {
        RECT r{};
        tabs.Perform(TCM_GETITEMRECT, WPARAM(index), ToLParam(&r));
        return r;
    }
};

TEST_F(TabControl, ItemAndDisplayRectanglesOnEachSide)
{
    struct Case {
        TTabPosition position;
        TRect secondTab;
        TRect display; // of a 300 x 200 client area
    };
    const Case cases[] = {
        {tpTop, Rect(62, 2, 122, 22), Rect(4, 26, 296, 196)},
        {tpBottom, Rect(62, 178, 122, 198), Rect(4, 4, 296, 174)},
        {tpLeft, Rect(2, 62, 22, 122), Rect(26, 4, 296, 196)},
        {tpRight, Rect(278, 62, 298, 122), Rect(4, 4, 274, 196)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.position));
        TTabControl& tabs = Tabs(c.position);
        EXPECT_EQ(ItemRect(tabs, 1), c.secondTab);
        RECT r = Rect(0, 0, 300, 200);
        tabs.Perform(TCM_ADJUSTRECT, 0, ToLParam(&r));
        EXPECT_EQ(TRect(r), c.display);
        tabs.Perform(TCM_ADJUSTRECT, 1, ToLParam(&r));
        EXPECT_EQ(TRect(r), Rect(0, 0, 300, 200));
        EXPECT_EQ(tabs.DisplayRect(), c.display);
        tabs.Free();
    }
}

TEST_F(TabControl, ThumbScrollingPutsTabsOutOfView)
{
    TTabControl& tabs = Tabs(tpTop);
    tabs.Perform(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 1), 0);
    EXPECT_EQ(tabs.FirstVisibleTab(), 1);
    EXPECT_EQ(ItemRect(tabs, 0), Rect(0, 0, 0, 0));
    EXPECT_EQ(ItemRect(tabs, 1), Rect(2, 2, 62, 22));
    EXPECT_EQ(tabs.IndexOfTabAt(10, 10), 1);
}

TEST_F(TabControl, MultiLineStartsAnotherRow)
{
    TTabControl& tabs = Tabs(tpTop);
    for (const char* s : {"Four", "Five", "Six"})
        tabs.Tabs()->Add(s);
    tabs.SetMultiLine(true);
    EXPECT_EQ(ItemRect(tabs, 3), Rect(182, 2, 242, 22)); // four tabs fit in 296 px
    EXPECT_EQ(ItemRect(tabs, 4), Rect(2, 22, 62, 42));
    EXPECT_EQ(tabs.DisplayRect().Top, 4 + 2 + 40);
    tabs.Perform(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 1), 0);
    EXPECT_EQ(ItemRect(tabs, 0), Rect(2, 2, 62, 22)); // nothing scrolls in multi-line mode
}

TEST_F(TabControl, MeasuredTabsMakeRoomForAnImage)
{
    TTabControl& tabs = Place<TTabControl>(Rect(10, 10, 310, 210));
    tabs.Tabs()->Add("Tab");
    const int plain = ItemRect(tabs, 0).Width();
    TImageList images(form.get());
    images.SetSize(16, 16);
    tabs.SetImages(&images);
    EXPECT_EQ(ItemRect(tabs, 0).Width(), plain + 16 + 3);
}

TEST_F(TabControl, PressSelectsBeforeOnMouseDownAndCanBeRefused)
{
    TTabControl& tabs = Tabs(tpTop);
    std::vector<std::string> log;
    tabs.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        log.push_back("mousedown on tab " + std::to_string(tabs.TabIndex()));
    };
    tabs.OnChanging = [&](TObject*, bool& allow) {
        log.push_back("changing");
        allow = tabs.Tabs()->Count() > 0 && log.size() < 4;
    };
    tabs.OnChange = [&](TObject*) { log.push_back("change"); };
    ClickAt(tabs, Point(70, 10));
    ClickAt(tabs, Point(130, 10)); // refused: stays on "Two"
    EXPECT_EQ(tabs.TabIndex(), 1);
    tabs.SetTabIndex(0); // by code: silent
    const std::vector<std::string> expected = {"changing", "change", "mousedown on tab 1", "changing",
                                               "mousedown on tab 1"};
    EXPECT_EQ(log, expected);
}

class PageControl : public CtrlsTest {};

TEST_F(PageControl, EverySheetHasAnImageSlotUnlessItsIndexIsNegative)
{
    TPageControl& pages = Place<TPageControl>(Rect(10, 10, 310, 210));
    auto* plain = new TTabSheet(form.get());
    auto* hidden = new TTabSheet(form.get());
    for (TTabSheet* sheet : {plain, hidden}) {
        sheet->SetCaption("Tab");
        sheet->SetPageControl(&pages);
    }
    hidden->SetImageIndex(-1);
    auto width = [&](int tab) {
        RECT r{};
        pages.Perform(TCM_GETITEMRECT, WPARAM(tab), ToLParam(&r));
        return r.Right - r.Left;
    };
    const int before = width(0);
    TImageList images(form.get());
    images.SetSize(16, 16);
    pages.SetImages(&images);
    EXPECT_EQ(width(0), before + 16 + 3);
    EXPECT_EQ(width(1), before);
}

TEST_F(PageControl, SheetsFollowTheTabs)
{
    TPageControl& pages = Place<TPageControl>(Rect(10, 10, 310, 210));
    std::vector<TTabSheet*> sheets;
    for (const char* caption : {"General", "Video", "Audio"}) {
        auto* sheet = new TTabSheet(form.get());
        sheet->SetCaption(caption);
        sheet->SetPageControl(&pages);
        sheets.push_back(sheet);
    }
    Pump();
    EXPECT_EQ(pages.ActivePage(), sheets[0]);
    EXPECT_EQ(sheets[0]->BoundsRect(), pages.DisplayRect());
    EXPECT_TRUE(sheets[0]->Visible());
    EXPECT_FALSE(sheets[1]->Visible());

    RECT tab{};
    pages.Perform(TCM_GETITEMRECT, 2, ToLParam(&tab));
    ClickAt(pages, Point(tab.Left + 5, tab.Top + 5));
    EXPECT_EQ(pages.ActivePage(), sheets[2]);
    EXPECT_TRUE(sheets[2]->Visible());
    EXPECT_FALSE(sheets[0]->Visible());

    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(pages.Tabs()->Text(), "General\r\nAudio\r\n");
    EXPECT_EQ(sheets[2]->TabIndex(), 1);
    EXPECT_EQ(sheets[1]->TabIndex(), -1);
    EXPECT_EQ(pages.TabIndex(), 1);

    pages.SetFocus();
    Key(VK_TAB, {VK_CONTROL});
    EXPECT_EQ(pages.ActivePage(), sheets[0]);
    sheets[2]->SetPageIndex(0);
    EXPECT_EQ(pages.Pages(0), sheets[2]);
    EXPECT_EQ(pages.Tabs()->Strings(0), "Audio");
    delete sheets[0]; // the active one: the next takes its place
    EXPECT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(pages.ActivePage(), sheets[2]);
}

} // namespace
} // namespace tovrel::test
