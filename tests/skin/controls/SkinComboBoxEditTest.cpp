#include "../../platform/vcl/ControlTestSupport.h"
#include "RecordingCombo.h"
#include "platform/ctrls/TextMeasure.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Wm.h"
#include "skin/controls/SkinInnerEdit.h"
#include "skin/controls/SkinNumEdit.h"
#include "skin/data/SkinData.h"
#include "skin/stored/StoredSkins.h"

#include <cctype>
#include <functional>
#include <string>

namespace tovrel::test {

namespace {

const char* const kItems[] = {"1024x768", "1280x720", "1280x1024", "1920x1080", "Bravo", "brick"};

// An editable combo box of 150 x 20 at (10, 10), focused, with nothing chosen.
// Public: the table of cases drives it.
class SkinComboBoxEditTest : public ControlTest {
public:
    using ControlTest::Click;
    using ControlTest::Key;
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(0, 0, 400, 300);
        combo = Placed<RecordingCombo>(*form, Bounds(10, 10, 150, 20));
        for (const char* item : kItems)
            combo->Items()->Add(item);
        combo->SetStyle(skcbEditStyle);
        combo->SetFocus();
        Pump();
        combo->Log.clear();
    }
    TskCustomEdit& Edit() { return dynamic_cast<TskCustomEdit&>(*combo->EditPart()); }
    // A key as the keyboard gives it: down, the character it types, up.
    void TypeKey(char c, unsigned pauseMs = 300)
    {
        const UINT vk = UINT(std::toupper(static_cast<unsigned char>(c)));
        InjectKey(vk, true);
        InjectText(std::string(1, c));
        InjectKey(vk, false);
        Pump();
        clock->Advance(pauseMs);
    }
    TPoint OnRow(int row)
    {
        TskListBox& inner = *combo->ListBox()->ListBox;
        const TRect r = inner.ItemRect(row);
        return inner.ClientToScreen(Point(r.Left + 5, (r.Top + r.Bottom) / 2));
    }

    std::unique_ptr<TForm> form;
    RecordingCombo* combo = nullptr;
};

// One notch towards the user: a negative delta in the high word.
const WPARAM kWheelTowards = WPARAM(std::uint32_t(-120) << 16);

struct EditEventCase {
    const char* Name;
    std::function<void(SkinComboBoxEditTest&, RecordingCombo&)> Act;
    const char* Log;
    const char* Text;
    int SelStart, SelLength;
};

const EditEventCase kEditEventCases[] = {
    {"typing without completion: each key changes the text",
     [](SkinComboBoxEditTest& t, RecordingCombo& c) {
         c.AutoComplete = false;
         t.TypeKey('1');
         t.TypeKey('9');
     },
     "change Change change Change ", "19", 2, 0},
    {"one typed character completes to the first item it begins",
     [](SkinComboBoxEditTest& t, RecordingCombo&) { t.TypeKey('1'); }, "change Change change click Change ", "1024x768",
     1, 7},
    {"typing on replaces the completed tail",
     [](SkinComboBoxEditTest& t, RecordingCombo&) {
         t.TypeKey('1');
         t.TypeKey('9');
     },
     "change Change change click Change change Change change click Change ", "1920x1080", 2, 7},
    {"completion waits 200 ms after the last one",
     [](SkinComboBoxEditTest& t, RecordingCombo&) {
         t.TypeKey('b', 100);
         t.TypeKey('r', 300);
         t.TypeKey('i');
     },
     "change Change change click Change change Change change Change change click Change ", "brick", 3, 2},
    {"text the items do not begin stays as typed", [](SkinComboBoxEditTest& t, RecordingCombo&) { t.TypeKey('z'); },
     "change Change ", "z", 1, 0},
    {"Ctrl+A selects the whole text and completes nothing",
     [](SkinComboBoxEditTest& t, RecordingCombo& c) {
         c.SetItemIndex(1);
         c.Log.clear();
         InjectKey(VK_CONTROL, true);
         t.Key('A');
         InjectKey(VK_CONTROL, false);
         Application->ProcessMessages();
     },
     "", "1280x720", 0, 8},
    {"picked from the list with Enter",
     [](SkinComboBoxEditTest&, RecordingCombo& c) {
         c.DropDown();
         c.ListBox()->SetItemIndex(3);
         InjectKey(VK_RETURN, true);
         InjectKey(VK_RETURN, false);
         Application->ProcessMessages();
     },
     "dropdown change Change click Change closeup ", "1920x1080", 0, 9},
    {"picked from the list with the mouse",
     [](SkinComboBoxEditTest& t, RecordingCombo& c) {
         const TRect button = c.DropButton().R;
         t.Click(c.ClientToScreen(Point(button.Left + 3, button.Top + 3)));
         ASSERT_TRUE(c.DroppedDown());
         InjectMouseMove(t.OnRow(2));
         t.Click(t.OnRow(2));
     },
     "dropdown change Change click Change closeup ", "1280x1024", 0, 9},
    {"Escape closes the list without choosing",
     [](SkinComboBoxEditTest&, RecordingCombo& c) {
         c.DropDown();
         c.ListBox()->SetItemIndex(3);
         InjectKey(VK_ESCAPE, true);
         InjectKey(VK_ESCAPE, false);
         Application->ProcessMessages();
     },
     "dropdown ", "", 0, 0},
    {"Down commits the next item at once",
     [](SkinComboBoxEditTest& t, RecordingCombo&) {
         t.Key(VK_DOWN);
         t.Key(VK_DOWN);
     },
     "change click Change change click Change ", "1280x720", 0, 8},
    {"Up at the first item does nothing",
     [](SkinComboBoxEditTest& t, RecordingCombo& c) {
         c.SetItemIndex(0);
         c.Log.clear();
         t.Key(VK_UP);
     },
     "", "1024x768", 0, 0},
    {"the wheel commits while the list is closed",
     [](SkinComboBoxEditTest&, RecordingCombo& c) { c.EditPart()->Perform(WM_MOUSEWHEEL, kWheelTowards, 0); },
     "change click Change ", "1024x768", 0, 8},
    {"the wheel moves only the highlight while the list is open",
     [](SkinComboBoxEditTest&, RecordingCombo& c) {
         c.DropDown();
         c.EditPart()->Perform(WM_MOUSEWHEEL, kWheelTowards, 0);
         EXPECT_EQ(0, c.ListBox()->ItemIndex());
         c.CloseUp(false);
     },
     "dropdown ", "", 0, 0},
    {"losing the focus closes the list without choosing",
     [](SkinComboBoxEditTest& t, RecordingCombo& c) {
         c.DropDown();
         c.ListBox()->SetItemIndex(3);
         t.form->SetFocus();
         Application->ProcessMessages();
         EXPECT_EQ(-1, c.ListBox()->ItemIndex());
     },
     "dropdown ", "", 0, 0},
};

} // namespace

TEST_F(SkinComboBoxEditTest, EventsWhenTypingAndPicking)
{
    for (const EditEventCase& c : kEditEventCases) {
        SCOPED_TRACE(c.Name);
        SetUp();
        c.Act(*this, *combo);
        EXPECT_EQ(c.Log, combo->Log);
        EXPECT_EQ(c.Text, combo->Text());
        EXPECT_EQ(c.Text, Edit().Text());
        EXPECT_EQ(c.SelStart, combo->SelStart());
        EXPECT_EQ(c.SelLength, combo->SelLength());
        EXPECT_FALSE(combo->DroppedDown());
        form.reset();
        Pump();
    }
}

TEST_F(SkinComboBoxEditTest, KeysReachTheBoxsEventsWithTheBoxAsSender)
{
    std::string keys;
    combo->OnKeyDown = [&](TObject* sender, WORD& key, TShiftState) {
        EXPECT_EQ(combo, sender);
        keys += "down:" + std::to_string(key) + ' ';
    };
    combo->OnKeyPress = [&](TObject* sender, char16_t& key) {
        EXPECT_EQ(combo, sender);
        keys += "press:" + std::string(1, char(key)) + ' ';
        key = u'7';
    };
    combo->AutoComplete = false;
    TypeKey('x');
    EXPECT_EQ("down:88 press:x ", keys);
    // The handler's change of the character is what the edit types.
    EXPECT_EQ("7", combo->Text());
}

TEST_F(SkinComboBoxEditTest, NothingButOnChangeFiresWhileTheFormLoads)
{
    form->BeginLoading();
    auto* loading = Placed<RecordingCombo>(*form, Bounds(10, 40, 150, 20));
    loading->Items()->Add("a");
    loading->Items()->Add("b");
    loading->SetStyle(skcbEditStyle);
    loading->SetItemIndex(1);
    form->EndLoading();
    EXPECT_EQ("change ", loading->Log);
    EXPECT_EQ("b", loading->EditPart()->Text());
}

TEST_F(SkinComboBoxEditTest, EditPartSitsInTheItemAreaAndTakesTheFocusAndTabStop)
{
    TskCustomEdit& edit = Edit();
    const TRect item = combo->ItemArea().R;
    const int line = TTextMeasure(*edit.Font()).LineHeight();
    EXPECT_EQ(Bounds(item.Left, item.Top + item.Height() / 2 - line / 2, item.Width(), line), edit.BoundsRect());
    EXPECT_FALSE(edit.EditTransparent());
    EXPECT_TRUE(edit.Focused());
    EXPECT_TRUE(edit.TabStop());
    EXPECT_FALSE(combo->TabStop());
    // Choosing the style again keeps one edit part, still in the tab order.
    combo->SetStyle(skcbEditStyle);
    EXPECT_EQ(&edit, combo->EditPart());
    EXPECT_TRUE(edit.TabStop());
    // The focus given to the box goes on to the edit.
    form->SetFocus();
    Pump();
    combo->SetFocus();
    Pump();
    EXPECT_TRUE(edit.Focused());
    // Back to the fixed style: the box is in the tab order again.
    combo->SetStyle(skcbFixedStyle);
    EXPECT_EQ(nullptr, combo->EditPart());
    EXPECT_TRUE(combo->TabStop());
    // The numeric kind on request.
    combo->NumEdit = true;
    combo->SetStyle(skcbEditStyle);
    EXPECT_NE(nullptr, dynamic_cast<TskSkinNumEdit*>(combo->EditPart()));
}

TEST_F(SkinComboBoxEditTest, TextIsDrawnInTheBoxWithAndWithoutASkin)
{
    const auto files = StoredSkinFiles(TStoredSkinRole::User);
    std::unique_ptr<TskSkinData> skin = LoadStoredSkin(files.at(0));
    // The box's pixels under the edit part with the given text.
    const auto shown = [&](const char* text) {
        combo->SetText(text);
        form->Repaint();
        Pump();
        const TRect r = Edit().BoundsRect();
        std::vector<COLORREF> pixels;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                pixels.push_back(PixelAt(*form, combo->Left() + x, combo->Top() + y));
        return pixels;
    };
    for (TskSkinData* data : {static_cast<TskSkinData*>(nullptr), skin.get()}) {
        SCOPED_TRACE(data ? "skinned" : "default look");
        combo->SetSkinData(data);
        combo->ChangeSkinData();
        TskCustomEdit& edit = Edit();
        // Over a skin image the edit shows only its text, in the skin's colour.
        EXPECT_EQ(data != nullptr, edit.EditTransparent());
        EXPECT_EQ(data ? combo->Look.FontName : combo->Font()->Name(), edit.Font()->Name());
        EXPECT_EQ(data && !combo->Look.ActiveSkinRect.IsEmpty() ? combo->Look.ActiveFontColor
                  : data                                        ? combo->Look.FontColor
                                                                : combo->Font()->Color(),
                  edit.Font()->Color());
        const std::vector<COLORREF> empty = shown("");
        const std::vector<COLORREF> text = shown("WWWW");
        int changed = 0;
        for (std::size_t i = 0; i < empty.size(); ++i)
            changed += empty[i] != text[i] ? 1 : 0;
        EXPECT_GT(changed, 20);
    }
}

} // namespace tovrel::test
