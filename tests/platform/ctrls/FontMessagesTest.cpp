// The standard controls and their font messages: the framework sends a
// control's Font to its window (WM_SETFONT through WindowProc) when the window
// is made and on each font change, a font sent from outside becomes the
// control's font, and WM_GETFONT answers the font in use.
#include "CtrlsTestSupport.h"

#include "platform/ctrls/ComboBox.h"
#include "platform/ctrls/Edit.h"
#include "platform/ctrls/ListBox.h"
#include "platform/ctrls/ListView.h"
#include "platform/ctrls/TabControl.h"
#include "platform/ctrls/TextMeasure.h"
#include "platform/ctrls/TreeView.h"
#include "platform/gdi/GdiObjects.h"

#include <functional>
#include <memory>
#include <string>

namespace tovrel::test {
namespace {

LOGFONT LogFontOf(HGDIOBJ font)
{
    LOGFONT lf;
    EXPECT_NE(GetObject(font, int(sizeof(LOGFONT)), &lf), 0);
    return lf;
}

class FontMessages : public CtrlsTest {};

// The skinned edit's rule: after the default handling of WM_SETFONT it sets
// its own margins, which must stay until the next font.
TEST_F(FontMessages, EditHookSeesEachFontAndKeepsItsMargins)
{
    auto* edit = new TEdit(form.get());
    auto seen = std::make_shared<std::vector<WPARAM>>();
    const std::vector<WPARAM>& fonts = *seen;
    // The hook outlives the test body: it holds what it uses.
    edit->WindowProc = [edit, seen, inherited = edit->WindowProc](TMessage& message) {
        inherited(message);
        if (message.Msg == WM_SETFONT) {
            seen->push_back(message.WParam);
            edit->Perform(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 0));
        }
    };
    edit->Font()->SetHeight(-15); // no window yet: nothing to send
    EXPECT_TRUE(fonts.empty());

    edit->SetParent(form.get());
    edit->SetBounds(10, 10, 150, 24);
    Pump();
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts.back(), WPARAM(edit->Font()->Handle()));

    edit->Font()->SetHeight(-20);
    edit->Font()->SetStyle({fsBold});
    form->Font()->SetName("DejaVu Serif"); // the edit no longer follows its parent's font
    Pump();
    EXPECT_EQ(fonts.size(), 3u);
    EXPECT_EQ(fonts.back(), WPARAM(edit->Font()->Handle()));
    EXPECT_EQ(edit->Perform(EM_GETMARGINS, 0, 0), MAKELRESULT(2, 0));
}

TEST_F(FontMessages, EachFontResetsTheEditMarginsToTheFontWidth)
{
    TEdit& edit = Place<TEdit>(Rect(10, 10, 160, 34));
    edit.Perform(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(9, 7));
    edit.Font()->SetHeight(-24);
    const int fontMargin = TTextMeasure(*edit.Font()).Metrics().tmAveCharWidth / 2;
    EXPECT_GT(fontMargin, 0);
    EXPECT_EQ(edit.Perform(EM_GETMARGINS, 0, 0), MAKELRESULT(fontMargin, fontMargin));
}

struct TStandardControl {
    const char* Name;
    std::function<TWinControl*(TComponent*)> Make;
};

class FontMessagesOf : public CtrlsTest, public ::testing::WithParamInterface<TStandardControl> {};

TEST_P(FontMessagesOf, AnswerGetFontAndTakeASentFont)
{
    TWinControl* control = GetParam().Make(form.get());
    control->SetParent(form.get());
    control->SetBounds(10, 10, 200, 120);
    Pump();
    EXPECT_EQ(LogFontOf(HGDIOBJ(control->Perform(WM_GETFONT, 0, 0))), control->Font()->LogFont());

    LOGFONT wanted;
    wanted.lfHeight = -19;
    wanted.lfWeight = FW_BOLD;
    wanted.lfItalic = 1;
    wanted.lfFaceName = "DejaVu Serif";
    HFONT sent = CreateFontIndirect(&wanted);
    SendMessage(control->Handle(), WM_SETFONT, WPARAM(sent), 1);
    EXPECT_EQ(control->Perform(WM_GETFONT, 0, 0), LRESULT(sent));
    EXPECT_EQ(control->Font()->Name(), "DejaVu Serif");
    EXPECT_EQ(control->Font()->Height(), -19);
    EXPECT_EQ(control->Font()->Style(), TFontStyles({fsBold, fsItalic}));
    EXPECT_FALSE(control->ParentFont());
    Pump();

    // A handle that is no font changes nothing; a later change of Font is answered.
    HGDIOBJ brush = CreateSolidBrush(RGB(1, 2, 3));
    SendMessage(control->Handle(), WM_SETFONT, WPARAM(brush), 1);
    EXPECT_EQ(control->Perform(WM_GETFONT, 0, 0), LRESULT(sent));
    control->Font()->SetHeight(-12);
    EXPECT_EQ(LogFontOf(HGDIOBJ(control->Perform(WM_GETFONT, 0, 0))).lfHeight, -12);
    Pump();
    DeleteObject(brush);
    DeleteObject(sent);
}

INSTANTIATE_TEST_SUITE_P(
    StandardControls, FontMessagesOf,
    ::testing::Values(TStandardControl{"Edit", [](TComponent* o) { return new TEdit(o); }},
                      TStandardControl{"Memo", [](TComponent* o) { return new TMemo(o); }},
                      TStandardControl{"ListBox", [](TComponent* o) { return new TListBox(o); }},
                      TStandardControl{"ComboBox", [](TComponent* o) { return new TComboBox(o); }},
                      TStandardControl{"ListView", [](TComponent* o) { return new TListView(o); }},
                      TStandardControl{"TreeView", [](TComponent* o) { return new TTreeView(o); }},
                      TStandardControl{"TabControl", [](TComponent* o) { return new TTabControl(o); }}),
    [](const ::testing::TestParamInfo<TStandardControl>& info) { return std::string(info.param.Name); });

} // namespace
} // namespace tovrel::test
