#include "CtrlsTestSupport.h"

#include "platform/ctrls/Header.h"
#include "platform/ctrls/ListView.h"
#include "platform/vcl/Errors.h"
#include "platform/wm/Keys.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class ListView : public CtrlsTest {
protected:
    // Three columns (60, 0 and 80 px) and `count` items.
    TListView& View(int count, int height = 150)
    {
        TListView& view = *new TListView(form.get());
        for (auto [caption, width] : {std::pair{"Name", 60}, std::pair{"Hidden", 0}, std::pair{"Size", 80}}) {
            TListColumn* column = view.Columns()->Add();
            column->SetCaption(caption);
            column->SetWidth(width);
        }
        view.WindowProc = [this, old = view.WindowProc](TMessage& m) {
            if (m.Msg == WM_PARENTNOTIFY && LOWORD(m.WParam) == WM_CREATE)
                log.push_back("parentnotify " + GetClassNameString(reinterpret_cast<HWND>(m.LParam)));
            old(m);
        };
        view.SetParent(form.get());
        view.SetBounds(10, 10, 200, height);
        for (int i = 0; i < count; ++i) {
            TListItem* item = view.Items()->Add();
            item->SetCaption("item " + std::to_string(i));
            item->SubItems()->Add("hidden");
            item->SubItems()->Add(std::to_string(i * 100));
        }
        Pump();
        return view;
    }
    void LogEvents(TListView& view)
    {
        view.OnChange = [this](TObject*, TListItem* item, TItemChange) {
            log.push_back("change " + std::to_string(item->Index()));
        };
        view.OnSelectItem = [this](TObject*, TListItem* item, bool selected) {
            log.push_back("select " + std::to_string(item->Index()) + (selected ? " on" : " off"));
        };
        view.OnClick = [this](TObject*) { log.push_back("click"); };
        view.OnColumnClick = [this](TObject*, TListColumn* column) { log.push_back("column " + column->Caption()); };
        view.WindowProc = [this, old = view.WindowProc](TMessage& m) {
            if (m.Msg == CN_NOTIFY) {
                const auto* nm = FromLParam<const NMLISTVIEW>(m.LParam);
                if (nm->hdr.code == LVN_ITEMCHANGING)
                    log.push_back("LVN_ITEMCHANGING " + std::to_string(nm->iItem));
                if (nm->hdr.code == NM_CLICK)
                    log.push_back("NM_CLICK");
            }
            if (m.Msg == WM_NOTIFY) {
                const auto* nm = FromLParam<const NMHDR>(m.LParam);
                log.push_back("HDN " + std::to_string(-nm->code));
            }
            old(m);
        };
    }
    static TPoint RowPoint(TListView& view, int row, int x = 10)
    {
        RECT r{};
        r.Left = LVIR_BOUNDS;
        view.Perform(LVM_GETITEMRECT, WPARAM(row), ToLParam(&r));
        return Point(x, r.Top + 2);
    }
    static TRect HeaderRect(TListView& view, int section)
    {
        RECT r{};
        SendMessage(view.HeaderHandle(), HDM_GETITEMRECT, WPARAM(section), ToLParam(&r));
        return r;
    }
    void PressHeader(TListView& view, int x)
    {
        InjectMouseButton(0, true, view.ClientToScreen(Point(x, 5)));
        Pump();
    }
    void MoveHeader(TListView& view, int x) { MoveTo(view, Point(x, 5)); }
    void ReleaseHeader(TListView& view, int x) { Release(view, Point(x, 5)); }

    std::vector<std::string> log;
};

TEST_F(ListView, HeaderIsAFindableChildWindow)
{
    TListView& view = View(0);
    EXPECT_EQ(GetClassNameString(view.HeaderHandle()), "SysHeader32");
    EXPECT_EQ(GetParent(view.HeaderHandle()), view.Handle());
    EXPECT_EQ(log, std::vector<std::string>{"parentnotify SysHeader32"});
    EXPECT_EQ(view.Perform(LVM_GETHEADER, 0, 0), reinterpret_cast<LRESULT>(view.HeaderHandle()));
    EXPECT_EQ(SendMessage(view.HeaderHandle(), HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(HeaderRect(view, 0), Rect(0, 0, 60, HeaderRect(view, 0).Bottom));
    EXPECT_EQ(HeaderRect(view, 2).Left, 60);
    EXPECT_EQ(HeaderRect(view, 2).Right, 140);
}

WNDPROC headerProc = nullptr;
int headerPaints = 0;

LRESULT CountingHeaderProc(HWND hwnd, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_PAINT)
        ++headerPaints;
    return CallWindowProc(headerProc, hwnd, message, w, l);
}

TEST_F(ListView, HeaderProcedureCanBeReplacedAndChained)
{
    TListView& view = View(0);
    headerProc = WndProcOf(SetWindowLongPtr(view.HeaderHandle(), GWLP_WNDPROC, LongOf(CountingHeaderProc)));
    ASSERT_NE(headerProc, nullptr);
    headerPaints = 0;
    InvalidateRect(view.HeaderHandle(), nullptr, 1);
    Pump();
    EXPECT_GT(headerPaints, 0);
    EXPECT_EQ(SendMessage(view.HeaderHandle(), HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(HeaderPressedItem(view.HeaderHandle()), -1);
    SetWindowLongPtr(view.HeaderHandle(), GWLP_WNDPROC, LongOf(headerProc));
}

TEST_F(ListView, ScrollStateInRowsWithHiddenBars)
{
    TListView& view = View(20);
    const int page = int(view.Perform(LVM_GETCOUNTPERPAGE, 0, 0));
    const int row = view.RowHeight();
    RECT header{};
    GetClientRect(view.HeaderHandle(), &header);
    EXPECT_EQ(page, (view.ClientHeight() - header.Bottom) / row);
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(view.Handle(), SB_VERT, &info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 19);
    EXPECT_EQ(int(info.nPage), page);
    EXPECT_TRUE(view.ScrollStateOf(SB_VERT)->Visible());

    struct Step {
        int dy;
        int top;
    };
    const Step steps[] = {{row * 3, 3}, {1, 4}, {-1, 3}, {row * 100, 20 - page}, {-row * 100, 0}};
    for (const Step& s : steps) {
        view.Perform(LVM_SCROLL, 0, s.dy);
        EXPECT_EQ(view.Perform(LVM_GETTOPINDEX, 0, 0), s.top) << s.dy;
        EXPECT_EQ(GetScrollPos(view.Handle(), SB_VERT), s.top);
    }
    view.Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5), 0);
    EXPECT_EQ(view.TopItem()->Index(), 5);
    // Horizontal: pixels over the columns' total width.
    info.fMask = SIF_ALL;
    GetScrollInfo(view.Handle(), SB_HORZ, &info);
    EXPECT_EQ(info.nMax, 139);
    EXPECT_FALSE(view.ScrollStateOf(SB_HORZ)->Visible());
}

TEST_F(ListView, FewItemsNeedNoBar)
{
    TListView& view = View(2);
    EXPECT_FALSE(view.ScrollStateOf(SB_VERT)->Visible());
    view.Perform(LVM_SCROLL, 0, 100);
    EXPECT_EQ(view.Perform(LVM_GETTOPINDEX, 0, 0), 0);
}

TEST_F(ListView, ClickNotifiesInTheFrameworksOrder)
{
    TListView& view = View(5);
    view.Items()->Item(1)->SetSelected(true);
    LogEvents(view);
    log.clear();
    ClickAt(view, RowPoint(view, 3));
    const std::vector<std::string> expected = {"LVN_ITEMCHANGING 1", "change 1", "select 1 off",
                                               "LVN_ITEMCHANGING 3", "change 3", "select 3 on",
                                               "NM_CLICK",           "click"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(view.Selected(), view.Items()->Item(3));
    EXPECT_EQ(view.ItemFocused(), view.Items()->Item(3));
    Key(VK_DOWN);
    EXPECT_EQ(view.Selected(), view.Items()->Item(4));
    EXPECT_EQ(view.SelCount(), 1);
    view.Items()->Item(2)->SetCaption("movie");
    Type("M");
    EXPECT_EQ(view.Selected(), view.Items()->Item(2)); // typing finds a caption
}

TEST_F(ListView, RowSelectDecidesWhereARowCanBeHit)
{
    TListView& view = View(5);
    ClickAt(view, RowPoint(view, 2, 100)); // in the third column
    EXPECT_EQ(view.Selected(), nullptr);
    view.SetRowSelect(true);
    ClickAt(view, RowPoint(view, 2, 100));
    EXPECT_EQ(view.Selected(), view.Items()->Item(2));
    ClickAt(view, RowPoint(view, 2, 180)); // past the last column
    EXPECT_EQ(view.Selected(), nullptr);
}

TEST_F(ListView, HeaderHitTest)
{
    TListView& view = View(0);
    struct Case {
        int x, y;
        UINT flags;
        int item;
    };
    const int bottom = HeaderRect(view, 0).Bottom;
    const Case cases[] = {
        {10, 5, HHT_ONHEADER, 0},  {57, 5, HHT_ONDIVIDER, 0}, // left of the edge between Name and the hidden column
        {62, 5, HHT_ONDIVOPEN, 1},                            // right of it: the zero-width column opens
        {100, 5, HHT_ONHEADER, 2}, {139, 5, HHT_ONDIVIDER, 2},
        {170, 5, HHT_NOWHERE, -1}, {10, bottom + 3, HHT_BELOW, -1},
    };
    for (const Case& c : cases) {
        HDHITTESTINFO info;
        info.pt = Point(c.x, c.y);
        SendMessage(view.HeaderHandle(), HDM_HITTEST, 0, ToLParam(&info));
        EXPECT_EQ(info.flags, c.flags) << c.x << "," << c.y;
        EXPECT_EQ(info.iItem, c.item) << c.x << "," << c.y;
    }
}

TEST_F(ListView, DividerDragResizesTheColumn)
{
    TListView& view = View(3);
    LogEvents(view);
    log.clear();
    PressHeader(view, 59);
    MoveHeader(view, 75);
    MoveHeader(view, 89);
    ReleaseHeader(view, 89);
    EXPECT_EQ(view.Columns()->Items(0)->Width(), 90);
    EXPECT_EQ(HeaderRect(view, 2).Left, 90);
    EXPECT_EQ(view.Perform(LVM_GETCOLUMNWIDTH, 0, 0), 90);
    const std::vector<std::string> expected = {
        "HDN " + std::to_string(-HDN_BEGINTRACKW),   "HDN " + std::to_string(-HDN_TRACKW),
        "HDN " + std::to_string(-HDN_ITEMCHANGINGW), "HDN " + std::to_string(-HDN_ITEMCHANGEDW),
        "HDN " + std::to_string(-HDN_TRACKW),        "HDN " + std::to_string(-HDN_ITEMCHANGINGW),
        "HDN " + std::to_string(-HDN_ITEMCHANGEDW),  "HDN " + std::to_string(-HDN_ENDTRACKW)};
    EXPECT_EQ(log, expected);
    // Dragging the zero-width column open from the right of the divider.
    PressHeader(view, 92);
    MoveHeader(view, 112);
    ReleaseHeader(view, 112);
    EXPECT_EQ(view.Columns()->Items(0)->Width(), 90);
    EXPECT_EQ(view.Columns()->Items(1)->Width(), 20);
}

TEST_F(ListView, ParentCanRefuseTheDrag)
{
    TListView& view = View(0);
    view.WindowProc = [old = view.WindowProc](TMessage& m) {
        if (m.Msg == WM_NOTIFY && FromLParam<const NMHDR>(m.LParam)->code == HDN_BEGINTRACKW) {
            m.Result = 1;
            return;
        }
        old(m);
    };
    PressHeader(view, 59);
    MoveHeader(view, 90);
    ReleaseHeader(view, 90);
    EXPECT_EQ(view.Columns()->Items(0)->Width(), 60);
}

TEST_F(ListView, SectionPressAndColumnClick)
{
    TListView& view = View(0);
    LogEvents(view);
    PressHeader(view, 100);
    EXPECT_EQ(HeaderPressedItem(view.HeaderHandle()), 2);
    MoveHeader(view, 20); // off the section: no longer shown pressed
    EXPECT_EQ(HeaderPressedItem(view.HeaderHandle()), -1);
    ReleaseHeader(view, 20);
    MoveHeader(view, 100);
    PressHeader(view, 100);
    ReleaseHeader(view, 100);
    EXPECT_EQ(HeaderPressedItem(view.HeaderHandle()), -1);
    std::vector<std::string> clicks;
    for (const std::string& entry : log)
        if (entry.rfind("column", 0) == 0)
            clicks.push_back(entry);
    EXPECT_EQ(clicks, std::vector<std::string>{"column Size"});
}

TEST_F(ListView, LabelEditingInPlace)
{
    TListView& view = View(3);
    std::vector<std::string> edited;
    view.OnEdited = [&edited](TObject*, TListItem*, std::string& text) {
        edited.push_back(text);
        text += "!";
    };
    view.OnEditing = [](TObject*, TListItem* item, bool& allow) { allow = item->Index() != 2; };
    ASSERT_NE(view.Perform(LVM_EDITLABELW, 1, 0), 0);
    ASSERT_NE(view.EditControl(), nullptr);
    EXPECT_EQ(view.EditControl()->Text(), "item 1");
    EXPECT_TRUE(view.EditControl()->Focused());
    Type("renamed");
    Key(VK_RETURN);
    EXPECT_EQ(view.EditControl(), nullptr);
    EXPECT_EQ(view.Items()->Item(1)->Caption(), "renamed!");
    EXPECT_TRUE(view.Focused());

    view.Items()->Item(0)->EditCaption();
    Type("dropped");
    Key(VK_ESCAPE);
    EXPECT_EQ(view.Items()->Item(0)->Caption(), "item 0");

    EXPECT_EQ(view.Perform(LVM_EDITLABELW, 2, 0), 0); // refused by OnEditing
    EXPECT_EQ(view.EditControl(), nullptr);

    view.Items()->Item(0)->EditCaption();
    Type("kept");
    ClickAt(view, RowPoint(view, 2)); // leaving the editor keeps the text
    EXPECT_EQ(view.Items()->Item(0)->Caption(), "kept!");
    EXPECT_EQ(edited, (std::vector<std::string>{"renamed", "kept"}));
}

TEST_F(ListView, OwnerDataRowsComeFromOnData)
{
    TListView& view = View(0);
    int requests = 0;
    view.SetOwnerData(true);
    view.OnData = [&requests](TObject*, TListItem* item) {
        ++requests;
        item->SetCaption("row " + std::to_string(item->Index()));
        item->SubItems()->Add("");
        item->SubItems()->Add(std::to_string(item->Index() * 10));
    };
    view.Items()->SetCount(100000);
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    GetScrollInfo(view.Handle(), SB_VERT, &info);
    EXPECT_EQ(info.nMax, 99999);
    requests = 0;
    view.Invalidate();
    Pump();
    EXPECT_LE(requests, view.VisibleRowCount() + 1); // only the rows in view
    LogEvents(view);
    view.Perform(LVM_SCROLL, 0, view.RowHeight() * 50000);
    ClickAt(view, RowPoint(view, 50002));
    ASSERT_NE(view.Selected(), nullptr);
    EXPECT_EQ(view.Selected()->Caption(), "row 50002");
    EXPECT_EQ(view.Selected()->SubItems()->Strings(1), "500020");
    EXPECT_THROW(view.Items()->Add(), EInvalidOperation);
}

TEST_F(ListView, ColumnOrder)
{
    TListView& view = View(0);
    const int order[3] = {2, 0, 1};
    EXPECT_TRUE(view.Perform(LVM_SETCOLUMNORDERARRAY, 3, ToLParam(order)));
    int read[3] = {};
    EXPECT_TRUE(SendMessage(view.HeaderHandle(), HDM_GETORDERARRAY, 3, ToLParam(read)));
    EXPECT_EQ(std::vector<int>(read, read + 3), std::vector<int>(order, order + 3));
    EXPECT_EQ(HeaderRect(view, 2).Left, 0);
    EXPECT_EQ(HeaderRect(view, 0).Left, 80);
    const int bad[3] = {0, 0, 1};
    EXPECT_FALSE(view.Perform(LVM_SETCOLUMNORDERARRAY, 3, ToLParam(bad)));
}

} // namespace
} // namespace tovrel::test
