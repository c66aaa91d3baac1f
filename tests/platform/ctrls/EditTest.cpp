#include "CtrlsTestSupport.h"

#include "platform/ctrls/Edit.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/Keys.h"

#include <functional>
#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class Edit : public CtrlsTest {
protected:
    TEdit& FocusedEdit(const char* text)
    {
        TEdit& edit = Place<TEdit>(Rect(10, 10, 160, 31));
        edit.SetText(text);
        edit.SetFocus();
        Pump();
        return edit;
    }
    static std::pair<int, int> Selection(TCustomEdit& edit)
    {
        return {edit.SelStart(), edit.SelStart() + edit.SelLength()};
    }
    static TPoint PointOf(TCustomEdit& edit, int pos)
    {
        const LRESULT r = edit.Perform(EM_POSFROMCHAR, WPARAM(pos), 0);
        return Point(GET_X_LPARAM(r), GET_Y_LPARAM(r) + 2);
    }
};

struct KeyCase {
    const char* name;
    const char* text;
    int selStart, selEnd;
    std::function<void()> keys;
    const char* expectedText;
    int expectedStart, expectedEnd;
};

TEST_F(Edit, KeyboardEditingTable)
{
    const KeyCase cases[] = {
        {"focus by code selects all", "abc", -1, -1, [] {}, "abc", 0, 3},
        {"typing replaces the selection", "abc", 0, 3, [] { Type("xy"); }, "xy", 2, 2},
        {"shift+left extends to the left", "abcd", 3, 3,
         [] {
             Key(VK_LEFT, {VK_SHIFT});
             Key(VK_LEFT, {VK_SHIFT});
         },
         "abcd", 1, 3},
        {"left collapses a selection to its start", "abcd", 1, 3, [] { Key(VK_LEFT); }, "abcd", 1, 1},
        {"ctrl+right goes to the next word", "one two", 0, 0, [] { Key(VK_RIGHT, {VK_CONTROL}); }, "one two", 4, 4},
        {"shift+ctrl+left selects the word before", "one two", 7, 7,
         [] {
             Key(VK_LEFT, {VK_SHIFT, VK_CONTROL});
         },
         "one two", 4, 7},
        {"shift+home selects to the start", "abc", 2, 2, [] { Key(VK_HOME, {VK_SHIFT}); }, "abc", 0, 2},
        {"end", "abc", 0, 0, [] { Key(VK_END); }, "abc", 3, 3},
        {"backspace", "abc", 2, 2, [] { Key(VK_BACK); }, "ac", 1, 1},
        {"delete removes the selection", "abcd", 1, 3, [] { Key(VK_DELETE); }, "ad", 1, 1},
        {"ctrl+delete removes to the next word", "one two", 0, 0, [] { Key(VK_DELETE, {VK_CONTROL}); }, "two", 0, 0},
        {"ctrl+a selects all", "abc", 1, 1, [] { Key('A', {VK_CONTROL}); }, "abc", 0, 3},
        {"cut and paste", "abcd", 0, 2,
         [] {
             Key('X', {VK_CONTROL});
             Key(VK_END);
             Key('V', {VK_CONTROL});
         },
         "cdab", 4, 4},
        {"copy and paste", "ab", 0, 1,
         [] {
             Key('C', {VK_CONTROL});
             Key(VK_END);
             Key('V', {VK_CONTROL});
         },
         "aba", 3, 3},
        {"shift+delete cuts, shift+insert pastes", "abc", 0, 1,
         [] {
             Key(VK_DELETE, {VK_SHIFT});
             Key(VK_INSERT, {VK_SHIFT});
             Key(VK_INSERT, {VK_SHIFT});
         },
         "aabc", 2, 2},
        {"ctrl+z undoes the typed run", "ab", 2, 2,
         [] {
             Type("c");
             Type("d");
             Key('Z', {VK_CONTROL});
         },
         "ab", 2, 2},
        {"enter and escape leave a single line alone", "ab", 2, 2,
         [] {
             Key(VK_RETURN);
             Key(VK_ESCAPE);
         },
         "ab", 2, 2},
        {"input-method text, characters counted", "", 0, 0,
         [] {
             Type("中文");
             Type("\xF0\x9F\x98\x80");
             Key(VK_LEFT, {VK_SHIFT});
         },
         "中文\xF0\x9F\x98\x80", 2, 3},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        TEdit& edit = FocusedEdit(c.text);
        if (c.selStart >= 0)
            edit.Perform(EM_SETSEL, WPARAM(c.selStart), c.selEnd);
        c.keys();
        EXPECT_EQ(edit.Text(), c.expectedText);
        EXPECT_EQ(Selection(edit), std::make_pair(c.expectedStart, c.expectedEnd));
        edit.Free();
    }
}

TEST_F(Edit, ReadOnlyCopiesButNeverEdits)
{
    TEdit& edit = FocusedEdit("abc");
    edit.SetReadOnly(true);
    SetClipboardText("zz");
    edit.Perform(EM_SETSEL, 0, 2);
    Type("x");
    Key(VK_BACK);
    Key(VK_DELETE);
    Key('X', {VK_CONTROL});
    Key('V', {VK_CONTROL});
    EXPECT_EQ(edit.Text(), "abc");
    EXPECT_EQ(GetClipboardText(), "zz");
    Key('C', {VK_CONTROL});
    EXPECT_EQ(GetClipboardText(), "ab");
}

TEST_F(Edit, PasswordHidesTextFromTheClipboard)
{
    TEdit& edit = FocusedEdit("secret");
    edit.SetPasswordChar(u'*');
    SetClipboardText("before");
    Key('C', {VK_CONTROL});
    Key('X', {VK_CONTROL});
    EXPECT_EQ(GetClipboardText(), "before");
    EXPECT_EQ(edit.Text(), "secret");
    EXPECT_EQ(edit.Perform(EM_GETPASSWORDCHAR, 0, 0), u'*');
}

TEST_F(Edit, LimitAndCaseApplyToTyping)
{
    TEdit& edit = FocusedEdit("");
    edit.SetMaxLength(3);
    edit.SetCharCase(ecUpperCase);
    edit.SetFocus();
    Pump();
    std::vector<int> codes;
    edit.WindowProc = [&edit, codes = &codes, old = edit.WindowProc](TMessage& m) {
        if (m.Msg == CN_COMMAND)
            codes->push_back(HIWORD(m.WParam));
        old(m);
    };
    Type("abcd");
    EXPECT_EQ(edit.Text(), "ABC");
    EXPECT_EQ(codes.back(), EN_MAXTEXT);
    // Code is not limited.
    edit.SetText("abcdef");
    EXPECT_EQ(edit.Text(), "abcdef");
}

TEST_F(Edit, NotificationsInTheFrameworksOrder)
{
    TEdit& edit = Place<TEdit>(Rect(10, 10, 160, 31));
    std::vector<std::string> log;
    edit.WindowProc = [&log, old = edit.WindowProc](TMessage& m) {
        if (m.Msg == CN_COMMAND)
            log.push_back("EN " + std::to_string(HIWORD(m.WParam)));
        if (m.Msg == CM_TEXTCHANGED)
            log.push_back("textchanged");
        old(m);
    };
    edit.OnChange = [&log](TObject*) { log.push_back("change"); };
    edit.SetFocus();
    Pump();
    Type("a");
    edit.SetText("b");
    const std::vector<std::string> expected = {"EN " + std::to_string(EN_SETFOCUS),
                                               "EN " + std::to_string(EN_UPDATE),
                                               "EN " + std::to_string(EN_CHANGE),
                                               "change",
                                               "EN " + std::to_string(EN_UPDATE),
                                               "EN " + std::to_string(EN_CHANGE),
                                               "change",
                                               "textchanged"};
    EXPECT_EQ(log, expected);
}

TEST_F(Edit, MouseSelection)
{
    TEdit& edit = Place<TEdit>(Rect(10, 10, 200, 31));
    edit.SetText("alpha beta gamma");
    ClickAt(edit, PointOf(edit, 2));
    EXPECT_TRUE(edit.Focused());
    EXPECT_EQ(Selection(edit), std::make_pair(2, 2)); // a click does not select all
    ClickAt(edit, PointOf(edit, 6), false);
    MoveTo(edit, PointOf(edit, 9));
    Release(edit, PointOf(edit, 9));
    EXPECT_EQ(Selection(edit), std::make_pair(6, 9));
    EXPECT_EQ(edit.SelText(), "bet");
    // A second press on the same place soon after is a double click: the word.
    ClickAt(edit, PointOf(edit, 12));
    ClickAt(edit, PointOf(edit, 12));
    EXPECT_EQ(edit.SelText(), "gamma");
}

TEST_F(Edit, MarginsFormattingRectAndScrolling)
{
    TEdit& edit = Place<TEdit>(Rect(10, 10, 110, 31));
    edit.SetText("0123456789 0123456789 0123456789");
    // Text starts after the font-based margin the window's font gave.
    const int x0 = PointOf(edit, 0).X - LOWORD(edit.Perform(EM_GETMARGINS, 0, 0));
    edit.Perform(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(6, 4));
    EXPECT_EQ(PointOf(edit, 0).X, x0 + 6);
    EXPECT_EQ(edit.Perform(EM_GETMARGINS, 0, 0), MAKELRESULT(6, 4));
    RECT r{};
    edit.Perform(EM_GETRECT, 0, ToLParam(&r));
    EXPECT_EQ(r.Left, 6);
    EXPECT_EQ(r.Right, edit.ClientWidth() - 4);

    const RECT narrow = Rect(20, 2, 60, 18);
    edit.Perform(EM_SETRECTNP, 0, ToLParam(&narrow));
    edit.Perform(EM_GETRECT, 0, ToLParam(&r));
    EXPECT_EQ(TRect(r), TRect(narrow));
    EXPECT_EQ(PointOf(edit, 0).X, 20);
    EXPECT_EQ(PointOf(edit, 0).Y, 2 + 2);

    // The caret at the end scrolls the start out of the rectangle.
    edit.SetFocus();
    Key(VK_END);
    const int end = PointOf(edit, int(edit.Text().size())).X;
    EXPECT_GE(end, 20);
    EXPECT_LT(end, 60);
    EXPECT_LT(PointOf(edit, 0).X, 20);
    EXPECT_GT(edit.Perform(EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    Key(VK_HOME);
    EXPECT_EQ(PointOf(edit, 0).X, 20);
}

TEST_F(Edit, PaintsTextAndSelection)
{
    TEdit& edit = Place<TEdit>(Rect(10, 10, 110, 31));
    edit.SetText("  WW");
    edit.SetFocus();
    Pump();
    edit.Perform(EM_SETSEL, 0, 2);
    Pump();
    auto surface = WindowSurface(form->Handle());
    auto pixel = [&](TPoint p) {
        const TPoint at = form->ScreenToClient(edit.ClientToScreen(p));
        const std::uint8_t* px = surface->ScanLine(at.Y) + at.X * 4;
        return RGB(px[2], px[1], px[0]);
    };
    const TPoint inSelection = Point((PointOf(edit, 0).X + PointOf(edit, 2).X) / 2, PointOf(edit, 0).Y);
    const TPoint pastText = Point(PointOf(edit, 4).X + 8, PointOf(edit, 4).Y);
    surface = WindowSurface(form->Handle());
    EXPECT_EQ(pixel(inSelection), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(pixel(pastText), GetSysColor(COLOR_WINDOW));
}

class Memo : public CtrlsTest {};

TEST_F(Memo, LinesEnterAndVerticalMoves)
{
    TMemo& memo = Place<TMemo>(Rect(10, 10, 210, 110));
    EXPECT_EQ(memo.Lines()->Count(), 0);
    memo.Lines()->Add("first");
    memo.Lines()->Add("second line");
    EXPECT_EQ(memo.Text(), "first\r\nsecond line\r\n");
    EXPECT_EQ(memo.Lines()->Count(), 2);
    EXPECT_EQ(memo.Perform(EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(memo.Perform(EM_LINEINDEX, 1, 0), 7);
    EXPECT_EQ(memo.Perform(EM_LINELENGTH, 8, 0), 11);
    EXPECT_EQ(memo.Perform(EM_LINEFROMCHAR, 8, 0), 1);

    memo.SetFocus();
    Pump();
    EXPECT_EQ(memo.SelLength(), 0); // a memo does not select all on entering
    memo.Perform(EM_SETSEL, 2, 2);
    Key(VK_RETURN);
    EXPECT_EQ(memo.Lines()->Strings(0), "fi");
    EXPECT_EQ(memo.Lines()->Strings(1), "rst");
    EXPECT_EQ(memo.SelStart(), 4);
    Key(VK_DOWN);
    EXPECT_EQ(memo.Perform(EM_LINEFROMCHAR, WPARAM(-1), 0), 2);
    Key(VK_END);
    Key(VK_UP);
    EXPECT_EQ(memo.SelStart(), memo.Perform(EM_LINEINDEX, 1, 0) + 3); // the shorter line's end
    Key(VK_HOME, {VK_CONTROL});
    Key(VK_END, {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(memo.SelLength(), int(memo.Text().size()));
}

TEST_F(Memo, WordWrapBreaksRowsAtSpaces)
{
    TMemo& memo = Place<TMemo>(Rect(10, 10, 110, 110));
    memo.SetText("alpha beta gamma delta epsilon");
    auto point = [&](int pos) {
        const LRESULT r = memo.Perform(EM_POSFROMCHAR, WPARAM(pos), 0);
        return Point(GET_X_LPARAM(r), GET_Y_LPARAM(r));
    };
    const int gamma = 11;
    const int row = point(gamma).Y - point(0).Y;
    ASSERT_GT(row, 0);                                 // "gamma" does not fit on the first row
    EXPECT_EQ(point(gamma).X, point(0).X);             // and starts the next one
    EXPECT_EQ(memo.Perform(EM_GETLINECOUNT, 0, 0), 1); // the text still has one line
    memo.SetFocus();
    memo.Perform(EM_SETSEL, 1, 1);
    Key(VK_DOWN);
    EXPECT_EQ(point(memo.SelStart()).Y, point(0).Y + row);
    memo.SetWordWrap(false);
    EXPECT_EQ(point(gamma).Y, point(0).Y);
}

TEST_F(Memo, WithoutWantReturnsEnterGoesToTheForm)
{
    TMemo& memo = Place<TMemo>(Rect(10, 10, 210, 110));
    memo.SetWantReturns(false);
    memo.SetFocus();
    Pump();
    Key(VK_RETURN);
    EXPECT_EQ(memo.Text(), "");
    EXPECT_EQ(memo.Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
}

} // namespace
} // namespace tovrel::test
