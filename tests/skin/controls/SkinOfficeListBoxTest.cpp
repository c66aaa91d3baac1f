#include "skin/controls/SkinOfficeListBox.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "skin/controls/SkinScrollBar.h"

#include <string>
#include <vector>

namespace tovrel::test {

namespace {

// "H" a header, "x" a disabled entry, "." a normal one.
class OfficeListTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(0, 0, 300, 400);
        list = Placed<TskSkinOfficeListBox>(*form, Bounds(10, 10, 150, 124)); // four 30-px rows
        list->OnItemClick = [this](TObject*) { picks.push_back(list->ItemIndex()); };
        Pump();
    }
    void Fill(const std::string& shape)
    {
        list->Items()->Clear();
        for (char c : shape) {
            TskSkinOfficeItem* item = list->Items()->Add();
            item->SetHeader(c == 'H');
            item->SetEnabled(c != 'x');
        }
    }
    std::unique_ptr<TForm> form;
    TskSkinOfficeListBox* list = nullptr;
    std::vector<int> picks;
};

struct FindCase {
    const char* Name;
    const char* Shape;
    int Start;
    UINT Key;
    int Expected; // -1: nothing chosen
};

TEST_F(OfficeListTest, KeysSkipHeadersAndDisabledEntriesAndStopAtGroups)
{
    const FindCase cases[] = {
        {"down from none starts at the first", "H...", -1, VK_DOWN, 1},
        {"up from none does nothing", "....", -1, VK_UP, -1},
        {"up on the first does nothing", "....", 0, VK_UP, -1},
        {"down skips a disabled entry and a header", ".xH.", 0, VK_DOWN, 3},
        {"down at the last does nothing", "...", 2, VK_DOWN, -1},
        {"page down within a group goes a page", "........", 0, VK_NEXT, 5},
        {"page down stops after a header", "..H.....", 0, VK_NEXT, 3},
        {"page up stops after a header", "....H...", 7, VK_PRIOR, 3},
        {"page up without a header goes to the topmost", "........", 6, VK_PRIOR, 1},
    };
    for (const FindCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Fill(c.Shape);
        if (c.Start >= 0)
            list->SetItemIndex(c.Start);
        else
            list->SetItemIndex(-1);
        picks.clear();
        WORD key = WORD(c.Key);
        list->Perform(WM_KEYDOWN, key, 0);
        if (c.Expected == -1)
            EXPECT_TRUE(picks.empty());
        else
            EXPECT_EQ(std::vector<int>{c.Expected}, picks);
    }
}

TEST_F(OfficeListTest, TheMouseChoosesOnReleaseAndIgnoresHeaders)
{
    Fill("H.x.");
    const TPoint origin = list->ClientOrigin();
    const auto row = [&](int top) { return TPoint{origin.X + 20, origin.Y + 2 + top + 5}; };
    Click(row(0));       // the header
    Click(row(20 + 30)); // the disabled entry
    EXPECT_TRUE(picks.empty());
    clock->Advance(1000);
    InjectMouseButton(0, true, row(20));
    Pump();
    EXPECT_TRUE(list->Items()->Items(1)->Active); // marked on the press, chosen on the release
    EXPECT_TRUE(picks.empty());
    InjectMouseButton(0, false, row(20));
    Pump();
    EXPECT_EQ(std::vector<int>{1}, picks);
}

TEST_F(OfficeListTest, ABarAppearsOnlyWhileTheEntriesOverflowAndTheWheelScrollsByARow)
{
    Fill("....");
    EXPECT_EQ(nullptr, list->ScrollBar());
    EXPECT_EQ(4 * 30 + 5, list->CalcHeight(7));
    // A height of 0 would divide the page size by zero: refused.
    list->SetItemHeight(0);
    list->SetHeaderHeight(-1);
    EXPECT_EQ(30, list->ItemHeight());
    EXPECT_EQ(20, list->HeaderHeight());
    Fill("H.......");
    ASSERT_NE(nullptr, list->ScrollBar());
    EXPECT_EQ(19, list->ScrollBar()->Width());
    EXPECT_EQ(list->ItemsRect().Right, 148 - 19);
    list->SetFocus();
    InjectMouseWheel(-120, TPoint{list->ClientOrigin().X + 20, list->ClientOrigin().Y + 20});
    Pump();
    EXPECT_EQ(30, list->ScrollOffset());
    list->SetItemIndex(7);
    EXPECT_GT(list->ScrollOffset(), 30);
    // Scrolling to the first entry keeps its group's header in sight.
    list->ScrollToItem(1);
    EXPECT_EQ(0, list->ScrollOffset());
    Fill("..");
    EXPECT_EQ(nullptr, list->ScrollBar());
}

} // namespace

} // namespace tovrel::test
