// List view columns: width limits under SetWidth and divider drags, deleting
// a column with its texts, and rebuilding all columns inside one update.
#include "CtrlsTestSupport.h"

#include "platform/ctrls/Header.h"
#include "platform/ctrls/ListView.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class ListViewColumns : public CtrlsTest {
protected:
    // Columns of the given captions and widths; `rows` items whose column c text is "<caption c> <row>".
    TListView& View(const std::vector<std::pair<std::string, int>>& columns, int rows)
    {
        TListView& view = Place<TListView>(Rect(10, 10, 300, 150));
        for (const auto& [caption, width] : columns) {
            TListColumn* column = view.Columns()->Add();
            column->SetCaption(caption);
            column->SetWidth(width);
        }
        for (int row = 0; row < rows; ++row) {
            TListItem* item = view.Items()->Add();
            item->SetCaption(columns[0].first + " " + std::to_string(row));
            for (std::size_t c = 1; c < columns.size(); ++c)
                item->SubItems()->Add(columns[c].first + " " + std::to_string(row));
        }
        Pump();
        return view;
    }
    static std::vector<std::string> Texts(TListView& view, int row)
    {
        TListItem* item = view.Items()->Item(row);
        std::vector<std::string> texts{item->Caption()};
        for (int i = 0; i < item->SubItems()->Count(); ++i)
            texts.push_back(item->SubItems()->Strings(i));
        return texts;
    }
    static std::vector<std::string> HeaderTexts(TListView& view)
    {
        std::vector<std::string> texts;
        const int count = int(SendMessage(view.HeaderHandle(), HDM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[64] = {};
            HDITEM item;
            item.mask = HDI_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessage(view.HeaderHandle(), HDM_GETITEMW, WPARAM(i), ToLParam(&item));
            texts.push_back(text);
        }
        return texts;
    }
    void Drag(TListView& view, int fromX, int toX)
    {
        InjectMouseButton(0, true, view.ClientToScreen(Point(fromX, 5)));
        Pump();
        MoveTo(view, Point(toX, 5));
        Release(view, Point(toX, 5));
    }
};

TEST_F(ListViewColumns, WidthLimitsHoldForSettersAndDividerDrags)
{
    // Name 60 | Hidden 0 | Size 80: Name's divider is at x 60; the hidden
    // column opens from just right of it.
    struct Case {
        int column, minWidth, maxWidth;
        int pressX, releaseX;
        int width;
    };
    const Case cases[] = {
        {0, 0, 0, 59, 89, 90},  // no limits
        {0, 0, 70, 59, 89, 70}, // held at the maximum
        {0, 40, 0, 59, 20, 40}, // held at the minimum
        {1, 0, 0, 62, 92, 30},  // a zero-width column dragged open
        {1, 0, 1, 62, 92, 1},   // the main file list's hidden columns: max width 1
    };
    for (const Case& c : cases) {
        TListView& view = View({{"Name", 60}, {"Hidden", 0}, {"Size", 80}}, 2);
        TListColumn& column = *view.Columns()->Items(c.column);
        column.SetMinWidth(c.minWidth);
        column.SetMaxWidth(c.maxWidth);
        Drag(view, c.pressX, c.releaseX);
        EXPECT_EQ(column.Width(), c.width) << c.column << " " << c.minWidth << "-" << c.maxWidth;
        RECT section{};
        SendMessage(view.HeaderHandle(), HDM_GETITEMRECT, WPARAM(c.column), ToLParam(&section));
        EXPECT_EQ(section.Right - section.Left, c.width) << "the header shows the held width";
        delete &view;
    }

    TListView& view = View({{"Name", 60}, {"Hidden", 0}}, 0);
    TListColumn& hidden = *view.Columns()->Items(1);
    hidden.SetMaxWidth(1);
    EXPECT_EQ(hidden.Width(), 0);
    hidden.SetWidth(500);
    EXPECT_EQ(hidden.Width(), 1);
    view.Perform(LVM_SETCOLUMNWIDTH, 1, 200);
    EXPECT_EQ(view.Perform(LVM_GETCOLUMNWIDTH, 1, 0), 1);
    TListColumn& name = *view.Columns()->Items(0);
    name.SetMinWidth(100); // a new limit moves the width at once
    EXPECT_EQ(name.Width(), 100);
    name.SetMaxWidth(50); // the maximum wins over the minimum
    EXPECT_EQ(name.Width(), 50);
}

TEST_F(ListViewColumns, DeletedColumnTakesItsTextsWithIt)
{
    TListView& view = View({{"Name", 60}, {"Type", 50}, {"Size", 80}, {"Date", 70}}, 2);
    EXPECT_EQ(view.Perform(LVM_DELETECOLUMN, 1, 0), 1);
    EXPECT_EQ(HeaderTexts(view), (std::vector<std::string>{"Name", "Size", "Date"}));
    EXPECT_EQ(view.Columns()->Items(1)->Index(), 1);
    EXPECT_EQ(Texts(view, 1), (std::vector<std::string>{"Name 1", "Size 1", "Date 1"}));
    view.Columns()->Delete(0); // the first column's texts are the captions
    EXPECT_EQ(Texts(view, 0), (std::vector<std::string>{"Size 0", "Date 0"}));
    EXPECT_EQ(view.Perform(LVM_DELETECOLUMN, 7, 0), 0);
    EXPECT_EQ(view.Perform(LVM_DELETECOLUMN, WPARAM(-1), 0), 0);
    EXPECT_EQ(view.Columns()->Count(), 2);
    view.Columns()->Delete(1);
    view.Columns()->Delete(0); // the last column leaves the captions
    EXPECT_EQ(Texts(view, 1), (std::vector<std::string>{"Size 1"}));
    EXPECT_EQ(SendMessage(view.HeaderHandle(), HDM_GETITEMCOUNT, 0, 0), 0);
}

// Counts what the header is told and how often the list paints.
struct TRebuildCounter {
    int headerChanges = 0;
    int paints = 0;
};
TRebuildCounter* counter = nullptr;
WNDPROC headerProc = nullptr;

LRESULT CountingHeaderProc(HWND hwnd, UINT message, WPARAM w, LPARAM l)
{
    if (counter && (message == HDM_INSERTITEMW || message == HDM_DELETEITEM || message == HDM_SETITEMW))
        ++counter->headerChanges;
    return CallWindowProc(headerProc, hwnd, message, w, l);
}

TEST_F(ListViewColumns, RebuildInsideOneUpdateKeepsSubItemsAligned)
{
    const std::vector<std::pair<std::string, int>> four = {{"Name", 60}, {"Size", 50}, {"Type", 50}, {"Date", 70}};
    for (bool ownerData : {false, true}) {
        TListView& view = View(four, ownerData ? 0 : 3);
        if (ownerData) {
            // As the shell list: one detail text per column after the first.
            view.SetOwnerData(true);
            view.OnData = [&view](TObject*, TListItem* item) {
                item->SetCaption("Name " + std::to_string(item->Index()));
                for (int c = 1; c < view.Columns()->Count(); ++c)
                    item->SubItems()->Add(view.Columns()->Items(c)->Caption() + " " + std::to_string(item->Index()));
            };
            view.Items()->SetCount(3);
        }
        TRebuildCounter counts;
        counter = &counts;
        headerProc = WndProcOf(SetWindowLongPtr(view.HeaderHandle(), GWLP_WNDPROC, LongOf(CountingHeaderProc)));
        view.WindowProc = [&counts, old = view.WindowProc](TMessage& m) {
            if (m.Msg == WM_PAINT)
                ++counts.paints;
            old(m);
        };
        const auto rebuild = [&](std::size_t columns) {
            view.Columns()->BeginUpdate();
            view.Columns()->Clear();
            for (std::size_t c = 0; c < columns; ++c) {
                TListColumn* column = view.Columns()->Add();
                column->SetCaption(four[c].first);
                column->SetWidth(four[c].second);
            }
            Pump();
            EXPECT_EQ(counts.headerChanges, 0) << "nothing reaches the header during the update";
            EXPECT_EQ(counts.paints, 0);
            view.Columns()->EndUpdate();
            Pump();
        };
        Pump();
        counts = {};
        rebuild(1);
        EXPECT_EQ(HeaderTexts(view), std::vector<std::string>{"Name"});
        EXPECT_EQ(counts.paints, 1) << "one relayout";
        counts = {};
        rebuild(4);
        EXPECT_EQ(counts.paints, 1);
        EXPECT_EQ(HeaderTexts(view), (std::vector<std::string>{"Name", "Size", "Type", "Date"}));
        for (int row = 0; row < 3; ++row) {
            const std::string n = std::to_string(row);
            EXPECT_EQ(Texts(view, row), (std::vector<std::string>{"Name " + n, "Size " + n, "Type " + n, "Date " + n}))
                << ownerData;
        }
        RECT size{};
        size.Top = 1;
        view.Perform(LVM_GETSUBITEMRECT, 0, ToLParam(&size));
        EXPECT_EQ(size.Left, 60);
        EXPECT_EQ(size.Right, 110);
        SetWindowLongPtr(view.HeaderHandle(), GWLP_WNDPROC, LongOf(headerProc));
        counter = nullptr;
        delete &view;
    }
}

TEST_F(ListViewColumns, ColClickIsOverridable)
{
    struct TSortingView : TListView {
        using TListView::TListView;
        std::vector<std::string> log;
        void ColClick(TListColumn* column) override
        {
            TListView::ColClick(column); // fires OnColumnClick
            log.push_back("sort " + std::to_string(column->Index()));
        }
    };
    TSortingView& view = Place<TSortingView>(Rect(10, 10, 300, 150));
    view.Columns()->Add()->SetWidth(60);
    view.Columns()->Add()->SetWidth(60);
    view.OnColumnClick = [&view](TObject*, TListColumn* column) {
        view.log.push_back("event " + std::to_string(column->Index()));
    };
    Pump();
    ClickAt(view, Point(80, 5));
    EXPECT_EQ(view.log, (std::vector<std::string>{"event 1", "sort 1"}));
}

TEST_F(ListViewColumns, CanvasMeasuresInTheControlsFont)
{
    // Shell columns are sized in widths of "X" measured this way, outside any paint.
    TListView& view = View({{"Name", 100}}, 0);
    const int normal = view.Canvas()->TextWidth("X");
    view.Font()->SetHeight(view.Font()->Height() * 2);
    const int large = view.Canvas()->TextWidth("X");
    EXPECT_GT(normal, 0);
    EXPECT_GT(large, normal);
}

} // namespace
} // namespace tovrel::test
