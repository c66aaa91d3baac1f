#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinTypes.h"

#include <functional>
#include <string>
#include <vector>

namespace tovrel::test {

namespace {

// The marks of the test skin, each a 10x10 block framed in white (the
// transparent key) at x = 10 * position in row 0 of the picture.
constexpr COLORREF kCheck = RGB(0, 160, 0), kUnCheck = RGB(0, 0, 160), kActiveCheck = RGB(0, 255, 0),
                   kActiveUnCheck = RGB(0, 0, 255), kDisabledCheck = RGB(80, 120, 80),
                   kDisabledUnCheck = RGB(80, 80, 120);
// The whole-box images of the non-flat look: 80x20, normal at y 20, hot at y 40.
// The grayed marks the skin leaves out: checked ones halfway to white (halves to even).
constexpr COLORREF kGrayedActive = RGB(128, 255, 128), kGrayedDisabled = RGB(168, 188, 168);
constexpr COLORREF kBoxNormal = RGB(200, 200, 200), kBoxHot = RGB(250, 250, 100);

TRect MarkAt(int position)
{
    return Rect(10 * position, 0, 10 * position + 10, 10);
}

std::unique_ptr<TBitmap> MarkPicture()
{
    auto picture = std::make_unique<TBitmap>(80, 60);
    TCanvas& c = *picture->Canvas();
    auto fill = [&](TRect r, COLORREF color) {
        c.Brush()->SetColor(TColor(color));
        c.FillRect(r);
    };
    fill(Rect(0, 0, 80, 20), RGB(255, 255, 255));
    const COLORREF marks[] = {kCheck, kUnCheck, kActiveCheck, kActiveUnCheck, kDisabledCheck, kDisabledUnCheck};
    for (int i = 0; i < 6; ++i) {
        const TRect m = MarkAt(i);
        fill(Rect(m.Left + 1, m.Top + 1, m.Right - 1, m.Bottom - 1), marks[i]);
    }
    fill(Rect(0, 20, 80, 40), kBoxNormal);
    fill(Rect(0, 40, 80, 60), kBoxHot);
    return picture;
}

// A loaded skin whose "checkbox" entry gives every mark but the grayed ones.
struct CheckSkin {
    explicit CheckSkin(TComponent* owner) : skin(new TskSkinData(owner))
    {
        skin->FActivePictures.push_back(MarkPicture());
        auto e = std::make_unique<TskDataSkinCheckRadioControl>("checkbox");
        e->PictureIndex = 0;
        e->SkinRect = Rect(0, 20, 80, 40);
        e->ActiveSkinRect = Rect(0, 40, 80, 60);
        e->CheckImageArea = Rect(0, 0, 20, 20);
        e->TextArea = Rect(20, 0, 80, 20);
        e->CheckImageRect = MarkAt(0);
        e->UnCheckImageRect = MarkAt(1);
        e->ActiveCheckImageRect = MarkAt(2);
        e->ActiveUnCheckImageRect = MarkAt(3);
        e->UnEnabledCheckImageRect = MarkAt(4);
        e->UnEnabledUnCheckImageRect = MarkAt(5);
        entry = e.get();
        skin->CtrlList.push_back(std::move(e));
        skin->Empty = false;
    }
    TskSkinData* skin;
    TskDataSkinCheckRadioControl* entry;
};

class SkinCheckBoxTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(0, 0, 300, 120);
    }
    void TearDown() override
    {
        form.reset();
        ControlTest::TearDown();
    }

    TskSkinCheckRadioBox* Box(TRect bounds, TskSkinData* skin, const std::string& name = "box")
    {
        auto* box = Placed<TskSkinCheckRadioBox>(*form, bounds);
        box->SetName(name);
        box->SetCanFocused(true);
        box->SetSkinData(skin);
        box->OnClick = [this](TObject* sender) { clicks.push_back(static_cast<TComponent*>(sender)->Name()); };
        return box;
    }
    // The middle of the mark of a flat box drawn with the test skin.
    COLORREF MarkPixel(TskSkinCheckRadioBox& box)
    {
        Pump();
        return PixelAt(*form, box.Left() + 3 + 5, box.Top() + box.Height() / 2 - 5 + 5);
    }
    static TPoint Inside(TControl& box) { return box.ClientToScreen({box.Width() - 10, box.Height() / 2}); }
    static TPoint Outside() { return {290, 110}; }
    static void Move(TPoint p)
    {
        InjectMouseMove(p);
        Pump();
    }
    static void Button(bool down, TPoint p)
    {
        InjectMouseButton(0, down, p);
        Pump();
    }

    std::unique_ptr<TForm> form;
    std::vector<std::string> clicks;
};

} // namespace

TEST_F(SkinCheckBoxTest, MarkFollowsEachInputSequence)
{
    struct Case {
        const char* Name;
        std::function<void(TskSkinCheckRadioBox&)> Input;
        TCheckBoxState State;
        COLORREF Mark;
    } cases[] = {
        {"untouched", [](auto&) {}, cbUnchecked, kUnCheck},
        {"hovered", [](auto& b) { Move(Inside(b)); }, cbUnchecked, kActiveUnCheck},
        {"clicked, mouse still over",
         [](auto& b) {
             Move(Inside(b));
             Click(Inside(b));
         },
         cbChecked, kActiveCheck},
        {"clicked, then left",
         [](auto& b) {
             Move(Inside(b));
             Click(Inside(b));
             Move(Outside());
         },
         cbChecked, kCheck},
        {"released outside",
         [](auto& b) {
             Move(Inside(b));
             Button(true, Inside(b));
             Move(Outside());
             Button(false, Outside());
         },
         cbUnchecked, kUnCheck},
        {"dragged off and back before release",
         [](auto& b) {
             Move(Inside(b));
             Button(true, Inside(b));
             Move(Outside());
             Move(Inside(b));
             Button(false, Inside(b));
         },
         cbChecked, kActiveCheck},
        {"disabled", [](auto& b) { b.SetEnabled(false); }, cbUnchecked, kDisabledUnCheck},
        {"checked, disabled",
         [](auto& b) {
             b.SetChecked(true);
             b.SetEnabled(false);
         },
         cbChecked, kDisabledCheck},
        {"disabled while hovered",
         [](auto& b) {
             Move(Inside(b));
             b.SetEnabled(false);
         },
         cbUnchecked, kDisabledUnCheck},
        {"space with the focus",
         [](auto& b) {
             b.SetFocus();
             Key(VK_SPACE);
         },
         cbChecked, kCheck},
        {"space twice",
         [](auto& b) {
             b.SetFocus();
             Key(VK_SPACE);
             Key(VK_SPACE);
         },
         cbUnchecked, kUnCheck},
        {"enter does nothing",
         [](auto& b) {
             b.SetFocus();
             Key(VK_RETURN);
         },
         cbUnchecked, kUnCheck},
        {"grayed by a click, mouse over",
         [](auto& b) {
             b.SetAllowGrayed(true);
             Move(Inside(b));
             Click(Inside(b));
         },
         cbGrayed, kGrayedActive},
        {"grayed, disabled",
         [](auto& b) {
             b.SetState(cbGrayed);
             b.SetEnabled(false);
         },
         cbGrayed, kGrayedDisabled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        CheckSkin skin(form.get());
        auto* box = Box(Bounds(10, 10, 150, 25), skin.skin);
        Pump();
        c.Input(*box);
        EXPECT_EQ(c.State, box->State());
        EXPECT_EQ(c.Mark, MarkPixel(*box));
        delete box;
        delete skin.skin;
        Move(Outside());
    }
}

TEST_F(SkinCheckBoxTest, SpaceActsOnReleaseAndOnlyWithTheFocus)
{
    auto* box = Box(Bounds(10, 10, 150, 25), nullptr);
    auto* other = Box(Bounds(10, 50, 150, 25), nullptr, "other");
    other->SetFocus();
    Key(VK_SPACE);
    EXPECT_TRUE(other->Checked());
    EXPECT_FALSE(box->Checked());
    box->SetFocus();
    InjectKey(VK_SPACE, true);
    Pump();
    EXPECT_FALSE(box->Checked());
    InjectKey(VK_SPACE, false);
    Pump();
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ((std::vector<std::string>{"other", "box"}), clicks);
}

TEST_F(SkinCheckBoxTest, RadioGroupKeepsOneChecked)
{
    auto* first = Box(Bounds(10, 10, 80, 25), nullptr, "first");
    auto* second = Box(Bounds(10, 40, 80, 25), nullptr, "second");
    auto* loner = Box(Bounds(10, 70, 80, 25), nullptr, "loner");
    for (auto* radio : {first, second, loner}) {
        radio->SetRadio(true);
        radio->SetSkinDataName("radiobox");
    }
    first->GroupIndex = second->GroupIndex = 1;
    Click(Inside(*first));
    Click(Inside(*loner));
    Click(Inside(*second));
    EXPECT_FALSE(first->Checked());
    EXPECT_TRUE(second->Checked());
    EXPECT_TRUE(loner->Checked()); // index 0 belongs to no group
    // A radio button only reports being checked; the unchecked one stays silent.
    EXPECT_EQ((std::vector<std::string>{"first", "loner", "second"}), clicks);

    clicks.clear();
    Click(Inside(*second));
    EXPECT_TRUE(second->Checked());
    EXPECT_TRUE(clicks.empty()); // a checked radio button stays checked, silently
}

TEST_F(SkinCheckBoxTest, ClickEventsOfTheCheckBoxStates)
{
    auto* box = Box(Bounds(10, 10, 150, 25), nullptr);
    box->SetAllowGrayed(true);
    std::vector<TCheckBoxState> states;
    for (int i = 0; i < 3; ++i) {
        Click(Inside(*box));
        states.push_back(box->State());
    }
    EXPECT_EQ((std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}), states);
    EXPECT_EQ(3u, clicks.size());

    box->SetState(cbGrayed);
    box->SetChecked(false); // unchecking a grayed box leaves it grayed
    EXPECT_EQ(cbGrayed, box->State());
    EXPECT_FALSE(box->Checked());

    // Checking a box of a group unchecks the others, and each check box reports it.
    auto* partner = Box(Bounds(10, 50, 150, 25), nullptr, "partner");
    box->GroupIndex = partner->GroupIndex = 2;
    partner->SetChecked(true);
    clicks.clear();
    box->SetState(cbChecked); // the State setter clicks once and leaves the group alone
    EXPECT_TRUE(partner->Checked());
    EXPECT_EQ((std::vector<std::string>{"box"}), clicks);
    clicks.clear();
    box->SetChecked(true);
    EXPECT_FALSE(partner->Checked());
    EXPECT_EQ((std::vector<std::string>{"partner", "box"}), clicks);
}

TEST_F(SkinCheckBoxTest, AcceleratorTakesTheFocusAndToggles)
{
    auto* box = Box(Bounds(10, 10, 150, 25), nullptr);
    box->SetCaption("&Mute");
    form->Perform(CM_DIALOGCHAR, 'm', 0);
    EXPECT_TRUE(box->Focused());
    EXPECT_TRUE(box->Checked());
}

TEST_F(SkinCheckBoxTest, DefaultLookWithoutAnEntry)
{
    CheckSkin skin(form.get());
    auto* skinless = Box(Bounds(10, 10, 150, 25), nullptr, "skinless");
    auto* unnamed = Box(Bounds(10, 40, 150, 25), nullptr, "unnamed");
    unnamed->SetSkinDataName("missing");
    unnamed->SetSkinData(skin.skin);
    auto* wrongKind = Box(Bounds(10, 70, 150, 25), nullptr, "wrongKind");
    skin.skin->CtrlList.push_back(std::make_unique<TskDataSkinCustomControl>("plainbox"));
    wrongKind->SetSkinDataName("plainbox");
    wrongKind->SetSkinData(skin.skin);
    Pump();
    for (auto* box : {skinless, unnamed, wrongKind}) {
        SCOPED_TRACE(box->Name());
        const int top = box->Top() + box->Height() / 2 - 7;
        EXPECT_EQ(-1, box->SkinIndex());
        EXPECT_EQ(ColorToRGB(clBtnShadow), PixelAt(*form, box->Left() + 3, top));
        Move(Inside(*box));
        EXPECT_EQ(RGB(0, 0, 128), PixelAt(*form, box->Left() + 3, top)); // the hover frame
        Click(Inside(*box));
        bool marked = false;
        for (int y = top + 1; y < top + 13; ++y)
            for (int x = box->Left() + 4; x < box->Left() + 16; ++x)
                marked = marked || PixelAt(*form, x, y) == RGB(0, 0, 0);
        EXPECT_TRUE(marked) << "a black check mark inside the box";
    }

    // Not flat: a face-coloured box framed while the mouse is over it.
    skinless->SetFlat(false);
    Move(Outside());
    EXPECT_EQ(ColorToRGB(clBtnFace), PixelAt(*form, skinless->Left(), skinless->Top()));
    Move(Inside(*skinless));
    EXPECT_EQ(ColorToRGB(clBtnShadow), PixelAt(*form, skinless->Left(), skinless->Top()));
}

TEST_F(SkinCheckBoxTest, NonFlatBoxTakesTheEntrySizeAndMorphsToItsHotImage)
{
    CheckSkin skin(form.get());
    skin.entry->Morphing = true;
    auto* box = Box(Bounds(10, 10, 150, 25), nullptr);
    box->SetFlat(false);
    box->SetSkinData(skin.skin);
    Pump();
    EXPECT_EQ((TSize{80, 20}), (TSize{box->Width(), box->Height()}));
    const int x = box->Left() + 70, y = box->Top() + 2; // text area, no caption
    EXPECT_EQ(kBoxNormal, PixelAt(*form, x, y));
    EXPECT_EQ(kUnCheck, PixelAt(*form, box->Left() + 10, box->Top() + 10)); // mark centred in its area

    Move(Inside(*box));
    std::vector<double> factors;
    for (int tick = 0; tick < 7; ++tick) {
        clock->Advance(20);
        Pump();
        factors.push_back(box->MorphFactor());
        if (tick == 1) {
            const COLORREF between = PixelAt(*form, x, y);
            EXPECT_NE(kBoxNormal, between);
            EXPECT_NE(kBoxHot, between);
        }
    }
    EXPECT_NEAR(0.2, factors[0], 1e-9);
    EXPECT_NEAR(0.4, factors[1], 1e-9);
    EXPECT_DOUBLE_EQ(1.0, factors.back());
    EXPECT_EQ(kBoxHot, PixelAt(*form, x, y));
    EXPECT_EQ(kActiveUnCheck, PixelAt(*form, box->Left() + 10, box->Top() + 10));
}

TEST_F(SkinCheckBoxTest, PaintSkinToDrawsTheAskedState)
{
    CheckSkin skin(form.get());
    auto* box = Box(Bounds(10, 10, 150, 25), skin.skin);
    TBitmap target(150, 25);
    box->PaintSkinTo(target.Canvas(), 0, 0, true);
    EXPECT_EQ(TColor(kCheck), target.Canvas()->Pixels(8, 12));
    EXPECT_FALSE(box->Checked());
}

TEST_F(SkinCheckBoxTest, FlatBoxShowsWhatLiesBehindIt)
{
    auto* box = Box(Bounds(10, 10, 150, 25), nullptr);
    const TPoint probe{box->Left() + 140, box->Top() + 2};
    Pump();
    EXPECT_EQ(ColorToRGB(form->Color()), PixelAt(*form, probe.X, probe.Y));
    form->SetColor(clWhite);
    box->Perform(CheckParentBackgroundMessage, 0, 0);
    Pump();
    EXPECT_EQ(RGB(255, 255, 255), PixelAt(*form, probe.X, probe.Y));
}

} // namespace tovrel::test
