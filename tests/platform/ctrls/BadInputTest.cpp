#include "CtrlsTestSupport.h"

#include "platform/ctrls/ComboBox.h"
#include "platform/ctrls/Header.h"
#include "platform/ctrls/ListView.h"
#include "platform/ctrls/PageControl.h"
#include "platform/ctrls/TreeView.h"

#include <string>

namespace tovrel::test {
namespace {

class BadInput : public CtrlsTest {};

// Messages with missing records or indexes out of range answer with the
// platform's error values and change nothing.
TEST_F(BadInput, MessagesWithMissingRecordsOrBadIndexes)
{
    TEdit& edit = Place<TEdit>(Rect(0, 0, 100, 21));
    edit.SetText("abc");
    TListBox& list = Place<TListBox>(Rect(0, 30, 100, 100));
    list.Items()->Add("one");
    TComboBox& combo = Place<TComboBox>(Rect(0, 110, 100, 131));
    TListView& view = Place<TListView>(Rect(110, 0, 300, 100));
    view.Columns()->Add()->SetCaption("A");
    TTabControl& tabs = Place<TTabControl>(Rect(110, 110, 300, 200));
    tabs.Tabs()->Add("T");
    TTreeView& tree = Place<TTreeView>(Rect(0, 200, 100, 290));
    const HWND header = view.HeaderHandle();

    struct Case {
        const char* name;
        TControl* control;
        UINT message;
        WPARAM w;
        LPARAM l;
        LRESULT expected;
    };
    const Case cases[] = {
        {"LB_GETTEXT past the end", &list, LB_GETTEXT, 5, 0, LB_ERR},
        {"LB_GETTEXTLEN negative", &list, LB_GETTEXTLEN, WPARAM(-2), 0, LB_ERR},
        {"LB_GETITEMRECT without a record", &list, LB_GETITEMRECT, 0, 0, LB_ERR},
        {"LB_DELETESTRING past the end", &list, LB_DELETESTRING, 9, 0, LB_ERR},
        {"LB_INSERTSTRING past the end", &list, LB_INSERTSTRING, 9, ToLParam("x"), LB_ERR},
        {"LB_SETSEL in a single-selection list", &list, LB_SETSEL, 1, 0, LB_ERR},
        {"LB_SETITEMHEIGHT of 0", &list, LB_SETITEMHEIGHT, 0, 0, LB_ERR},
        {"CB_GETLBTEXTLEN past the end", &combo, CB_GETLBTEXTLEN, 3, 0, CB_ERR},
        {"CB_SETCURSEL past the end", &combo, CB_SETCURSEL, 3, 0, CB_ERR},
        {"EM_POSFROMCHAR past the end", &edit, EM_POSFROMCHAR, 99, 0, -1},
        {"EM_GETLINE without a buffer", &edit, EM_GETLINE, 0, 0, 0},
        {"LVM_GETITEMRECT without a record", &view, LVM_GETITEMRECT, 0, 0, 0},
        {"LVM_HITTEST without a record", &view, LVM_HITTEST, 0, 0, -1},
        {"LVM_SETCOLUMNWIDTH of a missing column", &view, LVM_SETCOLUMNWIDTH, 7, 10, 0},
        {"LVM_EDITLABELW of a missing item", &view, LVM_EDITLABELW, 3, 0, 0},
        {"CN_NOTIFY without a record", &view, CN_NOTIFY, 0, 0, 0},
        {"TCM_GETITEMRECT without a record", &tabs, TCM_GETITEMRECT, 0, 0, 0},
        {"TCM_HITTEST without a record", &tabs, TCM_HITTEST, 0, 0, -1},
        {"TCM_DELETEITEM past the end", &tabs, TCM_DELETEITEM, 4, 0, 0},
        {"TVM_EXPAND without a node", &tree, TVM_EXPAND, TVE_EXPAND, 0, 0},
        {"TVM_GETITEMRECT without a record", &tree, TVM_GETITEMRECT, 0, 0, 0},
        {"TVM_EDITLABELW without a node", &tree, TVM_EDITLABELW, 0, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.control->Perform(c.message, c.w, c.l), c.expected) << c.name;

    EXPECT_EQ(SendMessage(header, HDM_HITTEST, 0, 0), -1);
    EXPECT_EQ(SendMessage(header, HDM_GETITEMRECT, 5, 0), 0);
    EXPECT_EQ(SendMessage(header, HDM_SETORDERARRAY, 1, 0), 0);
    int order[1] = {};
    EXPECT_EQ(SendMessage(header, HDM_GETORDERARRAY, 0, ToLParam(order)), 0); // too small
    EXPECT_EQ(SendMessage(header, HDM_INSERTITEMW, WPARAM(-1), 0), -1);

    // Nothing changed.
    EXPECT_EQ(edit.Text(), "abc");
    EXPECT_EQ(list.Items()->Text(), "one\r\n");
    EXPECT_EQ(view.Columns()->Count(), 1);
    EXPECT_EQ(tabs.Tabs()->Count(), 1);
}

} // namespace
} // namespace tovrel::test
