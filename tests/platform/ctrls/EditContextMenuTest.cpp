#include "CtrlsTestSupport.h"

#include "platform/ctrls/Edit.h"
#include "platform/ctrls/ListView.h"
#include "platform/vcl/Menus.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Monitors.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

const std::vector<std::string> kCaptions = {"&Undo", "-", "Cu&t", "&Copy", "&Paste", "&Delete", "-", "Select &All"};

// What the presenter saw of the last menu it was given.
struct TShownMenu {
    int Count = 0;
    TPopupMenu* Menu = nullptr; // valid inside the presenter only
    TComponent* Component = nullptr;
    TPoint At;
    std::vector<std::string> Captions;
    std::string Enabled; // per command item its accelerator letter, '-' when disabled
};

class EditMenu : public CtrlsTest {
protected:
    void SetUp() override
    {
        CtrlsTest::SetUp();
        SetPopupPresenter([this](TPopupMenu& menu, TPoint screen) -> TMenuItem* {
            ++shown.Count;
            shown.Menu = &menu;
            shown.Component = menu.PopupComponent;
            shown.At = screen;
            shown.Captions.clear();
            shown.Enabled.clear();
            TMenuItem* chosen = nullptr;
            for (int i = 0; i < menu.Items()->Count(); ++i) {
                TMenuItem* item = menu.Items()->Items(i);
                shown.Captions.push_back(item->Caption());
                if (item->IsLine())
                    continue;
                const std::string& caption = item->Caption();
                shown.Enabled += item->Enabled() ? caption[caption.find('&') + 1] : '-';
                if (StripHotkey(caption) == choose)
                    chosen = item;
            }
            return chosen;
        });
    }
    void TearDown() override
    {
        SetPopupPresenter(nullptr);
        CtrlsTest::TearDown();
    }
    void RightClick(TControl& control, TPoint p)
    {
        const TPoint screen = control.ClientToScreen(p);
        InjectMouseButton(1, true, screen);
        InjectMouseButton(1, false, screen);
        Pump();
    }

    TShownMenu shown;
    std::string choose; // the caption (without "&") the presenter picks
};

struct TStateCase {
    const char* Name;
    const char* Text;
    int SelStart, SelEnd;
    bool MakeUndo, ReadOnly, Password;
    const char* Clipboard;
    const char* Enabled;
};

TEST_F(EditMenu, ItemsAreEnabledByTheEditsState)
{
    const TStateCase cases[] = {
        {"empty", "", 0, 0, false, false, false, "", "------"},
        {"caret only, clipboard text", "abc", 1, 1, false, false, false, "x", "---P-A"},
        {"part selected", "abc", 0, 2, false, false, false, "", "-tC-DA"},
        {"all selected", "abc", 0, 3, false, false, false, "x", "-tCPD-"},
        {"after an edit", "abc", 1, 1, true, false, false, "", "U----A"},
        {"read-only", "abc", 0, 2, true, true, false, "x", "--C--A"},
        {"password", "abc", 0, 2, false, false, true, "x", "---PDA"},
    };
    TEdit& edit = Place<TEdit>(Rect(10, 10, 160, 31));
    for (const TStateCase& c : cases) {
        SCOPED_TRACE(c.Name);
        edit.SetReadOnly(false);
        edit.SetPasswordChar(0);
        edit.SetText(c.MakeUndo ? "" : c.Text);
        edit.ClearUndo();
        if (c.MakeUndo)
            edit.SetSelText(c.Text);
        edit.Perform(EM_SETSEL, WPARAM(c.SelStart), c.SelEnd);
        edit.SetReadOnly(c.ReadOnly);
        if (c.Password)
            edit.SetPasswordChar(u'*');
        SetClipboardText(c.Clipboard);
        RightClick(edit, Point(20, 5));
        EXPECT_EQ(shown.Captions, kCaptions);
        EXPECT_EQ(shown.Enabled, c.Enabled);
        EXPECT_EQ(shown.At, edit.ClientToScreen(Point(20, 5)));
        EXPECT_EQ(shown.Component, &edit);
    }
}

struct TCommandCase {
    const char* Choose;
    int SelStart, SelEnd;
    const char* Text;
    const char* Clipboard;
    int ExpectedStart, ExpectedEnd;
};

TEST_F(EditMenu, EachItemDoesWhatItsMessageDoes)
{
    // "abc", an undoable "X" typed over "b", then the selection given.
    const TCommandCase cases[] = {
        {"Undo", 1, 1, "abc", "clip", 1, 2}, {"Cut", 0, 2, "c", "aX", 0, 0},
        {"Copy", 0, 2, "aXc", "aX", 0, 2},   {"Paste", 1, 2, "aclipc", "clip", 5, 5},
        {"Delete", 0, 2, "c", "clip", 0, 0}, {"Select All", 1, 1, "aXc", "clip", 0, 3},
    };
    TEdit& edit = Place<TEdit>(Rect(10, 10, 160, 31));
    int changes = 0;
    edit.OnChange = [&](TObject*) { ++changes; };
    for (const TCommandCase& c : cases) {
        SCOPED_TRACE(c.Choose);
        edit.SetText("abc");
        edit.Perform(EM_SETSEL, 1, 2);
        edit.SetSelText("X");
        edit.Perform(EM_SETSEL, WPARAM(c.SelStart), c.SelEnd);
        SetClipboardText("clip");
        choose = c.Choose;
        changes = 0;
        RightClick(edit, Point(5, 5));
        EXPECT_EQ(edit.Text(), c.Text);
        EXPECT_EQ(GetClipboardText(), c.Clipboard);
        EXPECT_EQ(edit.SelStart(), c.ExpectedStart);
        EXPECT_EQ(edit.SelStart() + edit.SelLength(), c.ExpectedEnd);
        EXPECT_EQ(changes, c.Text == std::string("aXc") ? 0 : 1) << "OnChange once per edit";
    }
}

TEST_F(EditMenu, TakesTheFocusForItsMenu)
{
    // What is typed after a command goes to the edit whose menu it was.
    TEdit& first = Place<TEdit>(Rect(10, 10, 160, 31));
    TEdit& second = Place<TEdit>(Rect(10, 40, 160, 61));
    first.SetFocus();
    Pump();
    HWND focusWhileShown = nullptr;
    SetPopupPresenter([&](TPopupMenu&, TPoint) -> TMenuItem* {
        focusWhileShown = GetFocus();
        return nullptr;
    });
    RightClick(second, Point(5, 5));
    EXPECT_EQ(focusWhileShown, second.Handle());
    EXPECT_TRUE(second.Focused());
}

// Handles WM_CONTEXTMENU itself, as the skinned edit does.
class TOwnMenuEdit : public TEdit {
public:
    using TEdit::TEdit;
    int Requests = 0;
    void WndProc(TMessage& message) override
    {
        if (message.Msg == WM_CONTEXTMENU) {
            ++Requests;
            return;
        }
        TEdit::WndProc(message);
    }
};

TEST_F(EditMenu, GivesWayToThePopupMenuAndToHandlers)
{
    TEdit& edit = Place<TEdit>(Rect(10, 10, 160, 31));
    edit.SetText("abc");
    auto* own = new TPopupMenu(form.get());
    auto* item = new TMenuItem(own);
    item->SetCaption("Own");
    own->Items()->Add(item);
    edit.SetPopupMenu(own);
    RightClick(edit, Point(5, 5));
    EXPECT_EQ(shown.Menu, own);
    EXPECT_EQ(shown.Captions, std::vector<std::string>{"Own"});

    edit.SetPopupMenu(nullptr);
    edit.OnContextPopup = [](TObject*, TPoint, bool& handled) { handled = true; };
    shown = {};
    RightClick(edit, Point(5, 5));
    EXPECT_EQ(shown.Count, 0);

    TOwnMenuEdit& skinned = Place<TOwnMenuEdit>(Rect(10, 40, 160, 61));
    RightClick(skinned, Point(5, 5));
    EXPECT_EQ(skinned.Requests, 1);
    EXPECT_EQ(shown.Count, 0);

    // The edit's menu answers the request: the form's own menu does not follow it.
    edit.OnContextPopup = nullptr;
    form->SetPopupMenu(own);
    RightClick(edit, Point(5, 5));
    EXPECT_EQ(shown.Count, 1);
    EXPECT_EQ(shown.Captions, kCaptions);
}

TEST_F(EditMenu, ListViewRenameEditorHasItAndStaysOpen)
{
    TListView& view = Place<TListView>(Rect(10, 10, 210, 160));
    view.Items()->Add()->SetCaption("clip.avi");
    ASSERT_NE(view.Perform(LVM_EDITLABELW, 0, 0), 0);
    TCustomEdit* editor = view.EditControl();
    ASSERT_NE(editor, nullptr);
    editor->Perform(EM_SETSEL, 0, 4);
    choose = "Cut";
    RightClick(*editor, Point(3, 3));
    EXPECT_EQ(shown.Captions, kCaptions);
    ASSERT_EQ(view.EditControl(), editor) << "the menu does not end the rename";
    EXPECT_EQ(editor->Text(), ".avi");
    EXPECT_EQ(GetClipboardText(), "clip");
    EXPECT_TRUE(editor->Focused());
}

TEST_F(EditMenu, KeyboardOpensItAtTheCaret)
{
    auto caretOnScreen = [](TCustomEdit& edit) {
        const LRESULT r = edit.Perform(EM_POSFROMCHAR, WPARAM(edit.Buffer().Caret()), 0);
        return edit.ClientToScreen(Point(GET_X_LPARAM(r), GET_Y_LPARAM(r)));
    };
    TEdit& edit = Place<TEdit>(Rect(10, 10, 160, 31));
    edit.SetText("abcdef");
    edit.SetFocus();
    edit.Perform(EM_SETSEL, 4, 4);
    Pump();
    Key(VK_F10, {VK_SHIFT});
    ASSERT_EQ(shown.Count, 1);
    EXPECT_EQ(shown.At, caretOnScreen(edit));
    EXPECT_GT(shown.At.X, edit.ClientToScreen(Point(0, 0)).X);

    TMemo& memo = Place<TMemo>(Rect(10, 40, 210, 140));
    memo.SetText("ab\r\ncd");
    memo.SetFocus();
    memo.Perform(EM_SETSEL, 5, 5);
    Pump();
    Key(VK_APPS);
    ASSERT_EQ(shown.Count, 2);
    EXPECT_EQ(shown.At, caretOnScreen(memo));
    EXPECT_GT(shown.At.Y, memo.ClientToScreen(Point(0, 0)).Y) << "the second line";
    EXPECT_EQ(shown.Captions, kCaptions);
}

} // namespace
} // namespace tovrel::test
