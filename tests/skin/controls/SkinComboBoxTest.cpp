#include "skin/controls/SkinComboBox.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "RecordingCombo.h"
#include "platform/ctrls/Edit.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Wm.h"
#include "skin/data/SkinData.h"
#include "skin/stored/StoredSkins.h"

#include <functional>
#include <string>
#include <vector>

namespace tovrel::test {

namespace {

// The editable style on a plain edit, as a descendant supplies its edit part.
class EditableCombo : public RecordingCombo {
public:
    using RecordingCombo::RecordingCombo;
    int EditsMade = 0;

protected:
    TWinControl* CreateEditControl() override
    {
        ++EditsMade;
        auto* edit = new TEdit(this);
        edit->SetParent(this);
        edit->OnChange = [this, edit](TObject*) { EditTextChanged(edit->Text()); };
        return edit;
    }
};

const char* const kSizes[] = {"320x240",   "640x480",   "720x480",  "720x576",   "800x600",   "1024x768",  "1280x720",
                              "1280x1024", "1366x768",  "1440x900", "1600x1200", "1920x1080", "2048x1080", "2560x1440",
                              "3840x2160", "4096x2160", "Bravo",    "brick",     "Brown",     "camera"};

// A combo box of 120 x 20 at (10, 10) with 20 items, item 2 chosen.
class SkinComboBoxTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(0, 0, 400, 400);
        combo = Placed<RecordingCombo>(*form, Bounds(10, 10, 120, 20));
        for (const char* size : kSizes)
            combo->Items()->Add(size);
        combo->SetItemIndex(2);
        combo->SetFocus();
        Pump();
        combo->Log.clear();
    }
    TPoint OnBox(int x, int y) { return combo->ClientToScreen(Point(x, y)); }
    // A point on row `row` of the open list.
    TPoint OnRow(int row)
    {
        TskListBox& inner = *combo->ListBox()->ListBox;
        const TRect r = inner.ItemRect(row);
        return inner.ClientToScreen(Point(r.Left + 5, (r.Top + r.Bottom) / 2));
    }
    void Type(char16_t c)
    {
        combo->Perform(WM_CHAR, c, 0);
        Pump();
    }

    std::unique_ptr<TForm> form;
    RecordingCombo* combo = nullptr;
};

void PressKey(UINT vk)
{
    InjectKey(vk, true);
    InjectKey(vk, false);
    Application->ProcessMessages();
}

// One notch towards the user: a negative delta in the high word.
const WPARAM kWheelTowards = WPARAM(std::uint32_t(-120) << 16);

struct EventCase {
    const char* Name;
    std::function<void(RecordingCombo&)> Act;
    const char* Log;
    const char* Text;
};

const EventCase kEventCases[] = {
    {"the same index", [](RecordingCombo& c) { c.SetItemIndex(2); }, "click Change ", "720x480"},
    {"another index", [](RecordingCombo& c) { c.SetItemIndex(3); }, "change click Change ", "720x576"},
    {"no index", [](RecordingCombo& c) { c.SetItemIndex(-1); }, "click Change ", "720x480"},
    {"another item with the same text",
     [](RecordingCombo& c) {
         c.Items()->Add("720x480");
         c.SetItemIndex(c.Items()->Count() - 1);
     },
     "click Change ", "720x480"},
    {"text set to another", [](RecordingCombo& c) { c.SetText("x"); }, "change ", "x"},
    {"text set to the same", [](RecordingCombo& c) { c.SetText("720x480"); }, "", "720x480"},
    {"text differing in case", [](RecordingCombo& c) { c.SetText("720X480"); }, "change ", "720X480"},
    {"items cleared", [](RecordingCombo& c) { c.Items()->Clear(); }, "", "720x480"},
    {"empty list dropped down",
     [](RecordingCombo& c) {
         c.Items()->Clear();
         c.DropDown();
     },
     "", "720x480"},
    {"down key", [](RecordingCombo&) { PressKey(VK_DOWN); }, "change click Change ", "720x576"},
    {"up key", [](RecordingCombo&) { PressKey(VK_UP); }, "change click Change ", "640x480"},
    {"opened and accepted unchanged",
     [](RecordingCombo& c) {
         c.DropDown();
         PressKey(VK_RETURN);
     },
     "dropdown click Change closeup ", "720x480"},
    {"opened, moved and accepted",
     [](RecordingCombo& c) {
         c.DropDown();
         c.ListBox()->SetItemIndex(5);
         PressKey(VK_RETURN);
     },
     "dropdown change click Change closeup ", "1024x768"},
    {"opened, moved and cancelled",
     [](RecordingCombo& c) {
         c.DropDown();
         c.ListBox()->SetItemIndex(5);
         PressKey(VK_ESCAPE);
     },
     "dropdown ", "720x480"},
    {"wheel towards the user", [](RecordingCombo& c) { c.Perform(WM_MOUSEWHEEL, kWheelTowards, 0); },
     "change click Change ", "720x576"},
    {"wheel while open moves only the highlight",
     [](RecordingCombo& c) {
         c.DropDown();
         c.Perform(WM_MOUSEWHEEL, kWheelTowards, 0);
         EXPECT_EQ(3, c.ListBox()->ItemIndex());
     },
     "dropdown ", "720x480"},
    {"down key while open",
     [](RecordingCombo& c) {
         c.DropDown();
         PressKey(VK_DOWN);
     },
     "dropdown change click Change ", "720x576"},
};

} // namespace

TEST_F(SkinComboBoxTest, EventsComeInTheirOrder)
{
    for (const EventCase& c : kEventCases) {
        SCOPED_TRACE(c.Name);
        SetUp();
        c.Act(*combo);
        EXPECT_EQ(c.Log, combo->Log);
        EXPECT_EQ(c.Text, combo->Text());
        combo->CloseUp(false);
        form.reset();
        Pump();
    }
}

TEST_F(SkinComboBoxTest, NothingButOnChangeFiresWhileTheFormLoads)
{
    form->BeginLoading();
    auto* loading = Placed<RecordingCombo>(*form, Bounds(10, 40, 120, 20));
    loading->Items()->Add("a");
    loading->Items()->Add("b");
    loading->SetItemIndex(1);
    EXPECT_EQ("change ", loading->Log);
    loading->Log.clear();
    loading->SetItemIndex(1);
    EXPECT_EQ("", loading->Log);
    form->EndLoading();
    EXPECT_EQ("b", loading->Text());
    loading->SetItemIndex(1);
    EXPECT_EQ("click Change ", loading->Log);
}

struct KeyCase {
    const char* Name;
    int From;
    std::vector<UINT> Keys;
    int To;
};

const KeyCase kKeyCases[] = {
    {"page up by nine", 10, {VK_PRIOR}, 1},
    {"page up to the first", 10, {VK_PRIOR, VK_PRIOR}, 0},
    {"page down by seven", 10, {VK_NEXT}, 17},
    {"page down to the last", 10, {VK_NEXT, VK_NEXT}, 19},
    {"up stops at the first", 0, {VK_UP, VK_LEFT}, 0},
    {"down stops at the last", 19, {VK_DOWN, VK_RIGHT}, 19},
    {"home and end do nothing", 10, {VK_HOME, VK_END, VK_F4}, 10},
};

TEST_F(SkinComboBoxTest, KeysStepThroughTheItems)
{
    for (const KeyCase& c : kKeyCases) {
        SCOPED_TRACE(c.Name);
        combo->SetItemIndex(c.From);
        for (UINT key : c.Keys)
            Key(key);
        EXPECT_EQ(c.To, combo->ItemIndex());
        EXPECT_FALSE(combo->DroppedDown());
    }
}

TEST_F(SkinComboBoxTest, AltArrowsOpenAndCloseTheList)
{
    InjectKey(VK_MENU, true);
    Key(VK_DOWN);
    InjectKey(VK_MENU, false);
    Pump();
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_TRUE(combo->IsPopupVisible());
    // The box keeps the focus while the list is open.
    EXPECT_TRUE(combo->Focused());
    InjectKey(VK_MENU, true);
    Key(VK_UP);
    InjectKey(VK_MENU, false);
    Pump();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ("dropdown ", combo->Log);
}

struct TypeCase {
    const char* Name;
    bool AutoComplete;
    std::u16string Keys;
    int PauseMs; // between keys
    std::vector<int> Found;
};

// Items 16 to 19 are "Bravo", "brick", "Brown" and "camera".
const TypeCase kTypeCases[] = {
    {"keys in quick succession extend the search", true, u"bro", 100, {16, 16, 18}},
    {"499 ms still extend it", true, u"bro", 499, {16, 16, 18}},
    {"a pause of 500 ms starts afresh from the next item", true, u"bb", 500, {16, 17}},
    {"the same letter twice quickly searches the doubled text", true, u"bb", 100, {16, 16}},
    {"without completion each key searches from the next item", false, u"bbbb", 100, {16, 17, 18, 16}},
    {"backspace does not block the search", true, u"\bb", 100, {2, 16}},
    {"no match keeps the item", true, u"z", 100, {2}},
};

TEST_F(SkinComboBoxTest, TypingSearchesByPrefixOnTheClock)
{
    for (const TypeCase& c : kTypeCases) {
        SCOPED_TRACE(c.Name);
        combo->AutoComplete = c.AutoComplete;
        combo->SetItemIndex(2);
        clock->Advance(1000);
        std::vector<int> found;
        for (char16_t key : c.Keys) {
            Type(key);
            found.push_back(combo->ItemIndex());
            clock->Advance(std::uint64_t(c.PauseMs));
        }
        EXPECT_EQ(c.Found, found);
    }
}

TEST_F(SkinComboBoxTest, DraggingFromTheBoxIntoTheListChoosesOnRelease)
{
    InjectMouseMove(OnBox(50, 10));
    InjectMouseButton(0, true, OnBox(50, 10));
    Pump();
    ASSERT_TRUE(combo->DroppedDown());
    // The list opens with its first row on the chosen item.
    EXPECT_EQ(2, combo->ListBox()->TopIndex());
    const TPoint row = OnRow(4);
    InjectMouseMove(row);
    Pump();
    EXPECT_EQ(4, combo->ListBox()->ItemIndex());
    EXPECT_EQ("720x480", combo->Text());
    InjectMouseButton(0, false, row);
    Pump();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ("800x600", combo->Text());
    EXPECT_EQ("dropdown change click Change closeup ", combo->Log);
}

TEST_F(SkinComboBoxTest, ClickOpensAndAClickOnARowChooses)
{
    Click(OnBox(110, 10));
    ASSERT_TRUE(combo->DroppedDown());
    // The list shows the chosen item (2) in its first row.
    const TPoint row = OnRow(5);
    InjectMouseMove(row);
    Click(row);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(5, combo->ItemIndex());
    EXPECT_EQ("1024x768", combo->Text());
    EXPECT_TRUE(combo->Focused());
    // A press on the box of an open list closes it without choosing.
    Click(OnBox(110, 10));
    ASSERT_TRUE(combo->DroppedDown());
    InjectMouseMove(OnRow(6));
    Click(OnBox(50, 10));
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(5, combo->ItemIndex());
}

TEST_F(SkinComboBoxTest, DraggingBelowTheListScrollsEvery25Ms)
{
    InjectMouseMove(OnBox(50, 10));
    InjectMouseButton(0, true, OnBox(50, 10));
    InjectMouseMove(OnRow(2));
    Pump();
    const TPoint below = combo->ListBox()->ClientToScreen(Point(10, combo->ListBox()->Height() + 30));
    InjectMouseMove(below);
    Pump();
    ASSERT_EQ(2, combo->AutoScrollMode());
    const int from = combo->ListBox()->ItemIndex();
    clock->Advance(25);
    Pump();
    clock->Advance(25);
    Pump();
    EXPECT_EQ(from + 2, combo->ListBox()->ItemIndex());
    for (int i = 0; i < 30; ++i) {
        clock->Advance(25);
        Pump();
    }
    EXPECT_EQ(19, combo->ListBox()->ItemIndex());
    // Released away from the list after visiting it: cancelled.
    InjectMouseButton(0, false, below);
    Pump();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(2, combo->ItemIndex());
}

TEST_F(SkinComboBoxTest, ListSizeAndPlace)
{
    combo->DropDown();
    TskPopupListBox& popup = *combo->ListBox();
    EXPECT_EQ(120, popup.Width());
    EXPECT_EQ(popup.CalcHeight(8), popup.Height());
    EXPECT_EQ(combo->ClientToScreen(Point(0, 20)), popup.ClientToScreen(Point(0, 0)));
    combo->CloseUp(false);
    // Near the bottom of the screen the list opens above the box.
    combo->SetTop(form->Height() - 25);
    form->SetTop(GetSystemMetrics(SM_CYSCREEN) - form->Height());
    combo->Items()->Clear();
    for (int i = 0; i < 3; ++i)
        combo->Items()->Add(kSizes[i]);
    combo->DropDown();
    EXPECT_EQ(popup.CalcHeight(3), popup.Height());
    EXPECT_EQ(combo->ClientToScreen(Point(0, 0)).Y, popup.ClientToScreen(Point(0, popup.Height())).Y);
}

TEST_F(SkinComboBoxTest, LosingTheFocusClosesWithoutChoosing)
{
    combo->DropDown();
    combo->ListBox()->SetItemIndex(7);
    form->SetFocus();
    Pump();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(2, combo->ListBox()->ItemIndex());
}

// The box drawn in the default look and from two stored skins.
TEST_F(SkinComboBoxTest, BoxFromEachLook)
{
    EXPECT_EQ(Rect(101, 2, 118, 18), combo->DropButton().R);
    EXPECT_EQ(Rect(2, 2, 100, 18), combo->ItemArea().R);
    const auto files = StoredSkinFiles(TStoredSkinRole::User);
    std::unique_ptr<TskSkinData> skins[2] = {LoadStoredSkin(files.at(0)), LoadStoredSkin(files.at(1))};
    form->SetFocus();
    Pump();
    for (TskSkinData* skin : {static_cast<TskSkinData*>(nullptr), skins[0].get(), skins[1].get()}) {
        SCOPED_TRACE(skin ? "skinned" : "default look");
        combo->SetSkinData(skin);
        combo->ChangeSkinData();
        form->Repaint();
        Pump();
        const TPoint at{combo->Left(), combo->Top()};
        if (!skin) {
            EXPECT_EQ(ColorToRGB(clBtnShadow), PixelAt(*form, at.X, at.Y));
            EXPECT_EQ(ColorToRGB(clBtnFace), PixelAt(*form, at.X + 1, at.Y + 1));
            EXPECT_EQ(ColorToRGB(clWindow), PixelAt(*form, at.X + 2, at.Y + 2));
            EXPECT_EQ(ColorToRGB(clBtnShadow), PixelAt(*form, at.X + 101, at.Y + 2));
            continue;
        }
        const TskSkinControlGeometry& g = combo->Geometry();
        ASSERT_NE(nullptr, g.Picture);
        TCanvas& picture = *g.Picture->Canvas();
        EXPECT_EQ(ColorToRGB(picture.Pixels(g.SkinRect.Left, g.SkinRect.Top)), PixelAt(*form, at.X, at.Y));
        // The item face: the left piece of the entry's item picture.
        const TRect item = combo->ItemArea().R;
        EXPECT_EQ(ColorToRGB(picture.Pixels(combo->Look.SItemRect.Left, combo->Look.SItemRect.Top)),
                  PixelAt(*form, at.X + item.Left, at.Y + item.Top));
        // The hot button is the entry's hot button picture.
        const TRect button = combo->DropButton().R;
        InjectMouseMove(OnBox(button.Left + 3, button.Top + 3));
        Pump();
        form->Repaint();
        Pump();
        EXPECT_EQ(
            ColorToRGB(picture.Pixels(combo->Look.ActiveButtonRect.Left + 1, combo->Look.ActiveButtonRect.Top + 1)),
            PixelAt(*form, at.X + button.Left + 1, at.Y + button.Top + 1));
        InjectMouseMove(Point(380, 380));
        Pump();
    }
}

TEST_F(SkinComboBoxTest, FocusedDefaultFaceIsHighlighted)
{
    form->Repaint();
    Pump();
    EXPECT_EQ(ColorToRGB(clHighlight), PixelAt(*form, combo->Left() + 98, combo->Top() + 10));
    form->SetFocus();
    form->Repaint();
    Pump();
    EXPECT_EQ(ColorToRGB(clWindow), PixelAt(*form, combo->Left() + 98, combo->Top() + 10));
}

TEST_F(SkinComboBoxTest, EditableStyleOnAnEditPartFromADescendant)
{
    auto* editable = Placed<EditableCombo>(*form, Bounds(10, 60, 120, 20));
    for (const char* size : kSizes)
        editable->Items()->Add(size);
    editable->SetStyle(skcbEditStyle);
    editable->SetStyle(skcbEditStyle);
    ASSERT_EQ(1, editable->EditsMade);
    ASSERT_NE(nullptr, editable->EditPart());
    // Choosing puts the item into the edit part, and the events stay in order.
    editable->SetItemIndex(3);
    EXPECT_EQ("720x576", editable->EditPart()->Text());
    EXPECT_EQ("change click Change ", editable->Log);
    // Text from the edit part: the list selects the first item it begins.
    editable->Log.clear();
    editable->EditPart()->SetText("128");
    EXPECT_EQ("128", editable->Text());
    EXPECT_EQ(6, editable->ListBox()->ItemIndex());
    EXPECT_EQ("change Change ", editable->Log);
    // Back to the fixed style: the edit part goes.
    editable->SetStyle(skcbFixedStyle);
    EXPECT_EQ(nullptr, editable->EditPart());
}

} // namespace tovrel::test
