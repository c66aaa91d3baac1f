#include "skin/controls/SkinEdit.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/ctrls/Button.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Menus.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Monitors.h"
#include "skin/controls/SkinNumEdit.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinEditEntries.h"

#include <string>
#include <vector>

namespace tovrel::test {

namespace {

class SkinEditTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(0, 0, 300, 200);
    }
    static void Type(TWinControl& edit, std::u16string_view chars)
    {
        for (char16_t ch : chars)
            edit.Perform(WM_CHAR, ch, 0);
    }
    std::unique_ptr<TForm> form;
};

// A loaded skin with an "edit" entry 40 x 20 whose text area is (3, 4, 37, 16).
struct EditSkin {
    explicit EditSkin(TComponent* owner) : skin(new TskSkinData(owner))
    {
        auto picture = std::make_unique<TBitmap>(40, 40);
        skin->FActivePictures.push_back(std::move(picture));
        auto entry = std::make_unique<TskDataSkinEditControl>("edit");
        entry->PictureIndex = 0;
        entry->SkinRect = Rect(0, 0, 40, 20);
        entry->ActiveSkinRect = Rect(0, 20, 40, 40);
        entry->LTPoint = {5, 0};
        entry->RTPoint = {35, 0};
        entry->ClRect = Rect(3, 4, 37, 16);
        entry->FontHeight = 12;
        skin->CtrlList.push_back(std::move(entry));
        skin->Empty = false;
    }
    TskSkinData* skin;
};

} // namespace

TEST_F(SkinEditTest, NonClientFrameLeavesTheTextAreaAtEverySize)
{
    struct Case {
        const char* Name;
        bool Skinned, ButtonMode;
        TSize Asked;
        TSize Window, Client;
    } cases[] = {
        {"default look", false, false, {120, 20}, {120, 20}, {116, 16}},
        {"default look, wide and tall", false, false, {300, 40}, {300, 40}, {296, 36}},
        {"default look, too small for a text area", false, false, {3, 3}, {3, 3}, {0, 0}},
        {"default look with a button", false, true, {120, 20}, {120, 20}, {96, 16}},
        {"skinned: the skin's height, the frame's insets", true, false, {120, 50}, {120, 20}, {114, 12}},
        {"skinned, narrow", true, false, {30, 10}, {30, 20}, {24, 12}},
    };
    EditSkin skin(form.get());
    for (const Case& c : cases) {
        auto* edit = Placed<TskSkinEdit>(*form, Bounds(10, 10, 50, 20));
        edit->SetButtonMode(c.ButtonMode);
        if (c.Skinned)
            edit->SetSkinData(skin.skin);
        edit->SetBounds(10, 10, c.Asked.cx, c.Asked.cy);
        Pump();
        EXPECT_EQ(c.Window, (TSize{edit->Width(), edit->Height()})) << c.Name;
        EXPECT_EQ(c.Client, (TSize{edit->ClientWidth(), edit->ClientHeight()})) << c.Name;
        if (c.ButtonMode) {
            EXPECT_EQ(Rect(c.Asked.cx - c.Asked.cy, 0, c.Asked.cx, c.Asked.cy), edit->ButtonRect()) << c.Name;
            EXPECT_EQ(edit->ButtonRect().Left - 2, edit->EditRect().Right) << c.Name;
        }
        delete edit;
    }
}

TEST_F(SkinEditTest, CommittedTextReachesEveryEdit)
{
    auto* skinned = Placed<TskSkinEdit>(*form, Bounds(10, 10, 120, 20));
    auto* inner = Placed<TskCustomEdit>(*form, Bounds(10, 40, 120, 20));
    auto* transparent = Placed<TskCustomEdit>(*form, Bounds(10, 70, 120, 20));
    transparent->SetEditTransparent(true);
    Pump();
    for (TskCustomEdit* edit : {static_cast<TskCustomEdit*>(skinned), inner, transparent}) {
        edit->SetFocus();
        // What an input method commits, a character outside the basic plane included.
        InjectText("格式转换𠀋");
        Pump();
        EXPECT_EQ("格式转换𠀋", edit->Text());
    }
}

TEST_F(SkinEditTest, ButtonClickNeedsPressAndReleaseOnTheButton)
{
    auto* edit = Placed<TskSkinEdit>(*form, Bounds(10, 10, 120, 20));
    edit->SetButtonMode(true);
    int clicks = 0;
    edit->OnButtonClick = [&](TObject*) { ++clicks; };
    Pump();
    const TPoint button = Point(10 + 110, 10 + 10), text = Point(10 + 20, 10 + 10);
    EXPECT_EQ(HTHSCROLL, edit->Perform(WM_NCHITTEST, 0, LParamFromPoint(button)));
    EXPECT_EQ(HTCLIENT, edit->Perform(WM_NCHITTEST, 0, LParamFromPoint(text)));
    edit->Perform(WM_NCMOUSEMOVE, HTHSCROLL, LParamFromPoint(button));
    EXPECT_TRUE(edit->ButtonActive());
    edit->Perform(WM_NCLBUTTONDOWN, HTHSCROLL, LParamFromPoint(button));
    edit->Perform(WM_NCLBUTTONUP, HTHSCROLL, LParamFromPoint(button));
    EXPECT_EQ(1, clicks);
    // Pressed on the button, released in the frame beside the text: no click.
    edit->Perform(WM_NCLBUTTONDOWN, HTHSCROLL, LParamFromPoint(button));
    edit->Perform(WM_NCLBUTTONUP, HTVSCROLL, LParamFromPoint(text));
    EXPECT_EQ(1, clicks);
    EXPECT_FALSE(edit->ButtonDown());
}

TEST_F(SkinEditTest, ImageButtonClicksNeedPressAndReleaseOnTheSameButton)
{
    auto* images = new TImageList(form.get());
    images->SetSize(16, 16);
    TBitmap square(16, 16);
    images->Add(&square, nullptr);
    auto* edit = Placed<TskSkinEdit>(*form, Bounds(10, 10, 120, 20));
    edit->SetImages(images);
    edit->SetLeftImageIndex(0);
    edit->SetRightImageIndex(0);
    std::string clicks;
    edit->OnLeftButtonClick = [&](TObject*) { clicks += 'L'; };
    edit->OnRightButtonClick = [&](TObject*) { clicks += 'R'; };
    Pump();
    // The default frame leaves a 116 x 16 text area; the buttons take 16 pixels at each end.
    EXPECT_EQ(Rect(0, 0, 16, 16), edit->LeftButton().R);
    EXPECT_EQ(Rect(100, 0, 116, 16), edit->RightButton().R);
    const auto at = [&](int x) { return LParamFromPoint(edit->ClientToScreen(Point(x, 8))); };
    const auto hit = [&](int x) { return edit->Perform(WM_NCHITTEST, 0, at(x)); };
    EXPECT_EQ(104, hit(5));
    EXPECT_EQ(105, hit(110));
    EXPECT_EQ(HTCLIENT, hit(50));
    struct Case {
        const char* Name;
        int PressX, ReleaseX;
        const char* Clicks;
    } cases[] = {
        {"left", 5, 5, "L"},
        {"right", 110, 110, "R"},
        {"pressed left, released right", 5, 110, ""},
        {"pressed in the text, released on a button", 50, 5, ""},
    };
    for (const Case& c : cases) {
        clicks.clear();
        const LRESULT down = hit(c.PressX);
        edit->Perform(down == HTCLIENT ? WM_LBUTTONDOWN : WM_NCLBUTTONDOWN, WPARAM(down), at(c.PressX));
        const LRESULT up = hit(c.ReleaseX);
        edit->Perform(up == HTCLIENT ? WM_LBUTTONUP : WM_NCLBUTTONUP, WPARAM(up), at(c.ReleaseX));
        EXPECT_EQ(c.Clicks, clicks) << c.Name;
        EXPECT_FALSE(edit->LeftButton().Down || edit->RightButton().Down) << c.Name;
    }
}

TEST_F(SkinEditTest, ReadOnlyRefusesEditingButCopiesAndPassesDialogKeys)
{
    auto* edit = Placed<TskSkinEdit>(*form, Bounds(10, 10, 120, 20));
    edit->SetText("folder");
    edit->SetReadOnly(true);
    std::u16string pressed;
    edit->OnKeyPress = [&](TObject*, char16_t& key) { pressed += key; };
    SetClipboardText("pasted");
    edit->SelectAll();
    Type(*edit, u"x\b");
    edit->Perform(WM_KEYDOWN, VK_DELETE, 0);
    for (UINT message : {WM_CUT, WM_PASTE, WM_CLEAR, WM_UNDO})
        edit->Perform(message, 0, 0);
    EXPECT_EQ("folder", edit->Text());
    // Ctrl+C (character 3) still copies the selection.
    SetClipboardText("");
    Type(*edit, u"\x03");
    EXPECT_EQ("folder", GetClipboardText());
    // Enter and Escape reach OnKeyPress and then the form's default button, never the text.
    auto* ok = Placed<TButton>(*form, Bounds(10, 40, 80, 25));
    ok->SetDefault(true);
    int okClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    pressed.clear();
    Type(*edit, u"\r\x1b");
    EXPECT_EQ(u"\r\x1b", pressed);
    EXPECT_EQ(1, okClicks);
    EXPECT_EQ("folder", edit->Text());
}

TEST_F(SkinEditTest, ContextMenuTakesTheSkinsTextsAndOpensAtTheCentreFromTheKeyboard)
{
    std::vector<std::string> captions;
    TPoint shownAt{-1, -1};
    SetPopupPresenter([&](TPopupMenu& menu, TPoint screen) -> TMenuItem* {
        shownAt = screen;
        for (int i = 0; i < menu.Items()->Count(); ++i)
            captions.push_back(menu.Items()->Items(i)->Caption());
        return nullptr;
    });
    EditSkin skin(form.get());
    TskResourceStrData strings;
    strings.SetResStrings({"EDIT_CUT=剪切", "EDIT_COPY=复制"});
    skin.skin->SetResourceStrData(&strings);
    auto* edit = Placed<TskSkinEdit>(*form, Bounds(10, 10, 120, 20));
    edit->SetSkinData(skin.skin);
    Pump();
    edit->Perform(WM_CONTEXTMENU, WPARAM(edit->Handle()), MAKELPARAM(WORD(-1), WORD(-1)));
    SetPopupPresenter(nullptr);
    skin.skin->SetResourceStrData(nullptr);
    EXPECT_EQ(edit->ClientToScreen(Point(edit->Width() / 2, edit->Height() / 2)), shownAt);
    // Keys the table lacks keep the built-in texts.
    EXPECT_EQ((std::vector<std::string>{"&Undo", "-", "剪切", "复制", "&Paste", "&Delete", "-", "Select &All"}),
              captions);
}

TEST_F(SkinEditTest, NumericEditFiltersTyping)
{
    struct Case {
        const char* Name;
        bool Float, EditorEnabled;
        const char* Start;
        int Caret;
        std::u16string Typed;
        const char* Text;
        int Beeps;
    } cases[] = {
        {"digits", false, true, "", 0, u"123", "123", 0},
        {"letters refused", false, true, "12", 2, u"ab", "12", 2},
        {"a sign in front", false, true, "12", 0, u"-", "-12", 0},
        {"a sign elsewhere refused", false, true, "12", 1, u"-", "12", 1},
        {"a second sign refused", false, true, "-12", 0, u"-", "-12", 1},
        {"no separator without Float", false, true, "1", 1, u".", "1", 1},
        {"one separator with Float", true, true, "1", 1, u".5.", "1.5", 1},
        {"editor off refuses digits and Backspace", false, false, "12", 2, u"3\b", "12", 2},
        {"Enter is not a character of the number", false, true, "12", 2, u"\r", "12", 0},
    };
    for (const Case& c : cases) {
        auto* edit = Placed<TskSkinNumEdit>(*form, Bounds(10, 10, 80, 20));
        edit->Float = c.Float;
        edit->EditorEnabled = c.EditorEnabled;
        edit->SetText(c.Start);
        edit->SetSelStart(c.Caret);
        edit->SetSelLength(0);
        const int beepsBefore = BeepCount();
        Type(*edit, c.Typed);
        EXPECT_EQ(c.Text, edit->Text()) << c.Name;
        EXPECT_EQ(c.Beeps, BeepCount() - beepsBefore) << c.Name;
        delete edit;
    }
}

TEST_F(SkinEditTest, NumericEditStepsByKeysAndWheel)
{
    auto* edit = Placed<TskSkinNumEdit>(*form, Bounds(10, 10, 80, 20));
    std::vector<std::string> steps;
    edit->OnUpClick = [&](TObject*) { steps.push_back("up"); };
    edit->OnDownClick = [&](TObject*) { steps.push_back("down"); };
    edit->Perform(WM_KEYDOWN, VK_UP, 0);
    edit->Perform(WM_KEYDOWN, VK_DOWN, 0);
    // A notch away from the user steps down, towards the user up.
    edit->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    edit->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), 0);
    EXPECT_EQ((std::vector<std::string>{"up", "down", "down", "up"}), steps);
}

} // namespace tovrel::test
