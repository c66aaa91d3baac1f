#include "skin/controls/SkinButton.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "ButtonStateSkin.h"
#include "platform/ctrls/Edit.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "skin/controls/SkinButtonEffects.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinTypes.h"

#include <functional>
#include <vector>

namespace tovrel::test {

namespace {

void KeyEdge(UINT vk, bool down)
{
    InjectKey(vk, down);
    Application->ProcessMessages();
}
void KeyStroke(UINT vk)
{
    KeyEdge(vk, true);
    KeyEdge(vk, false);
}

class SkinButtonTest : public ControlTest {
protected:
    // A button at (10, 10) of a shown form, with the skin (or none).
    TskSkinButton* PlaceButton(TForm& form, TskSkinData* skin, int left = 10)
    {
        auto* button = Placed<TskSkinButton>(form, Bounds(left, 10, 20, 10));
        button->OnClick = [this](TObject*) { clicks.push_back(clock->NowMs()); };
        button->SetSkinData(skin);
        Pump();
        return button;
    }
    std::vector<std::uint64_t> clicks;
};

const TPoint kOver{15, 15}, kOutside{80, 35};

struct InputCase {
    const char* Name;
    std::function<void(TskSkinButton&)> Input;
    COLORREF Skinned; // with the skin's entry
    COLORREF Default; // without an entry
    std::size_t Clicks;
    bool Down = false; // still held
};

const InputCase kInputCases[] = {
    {"idle", [](TskSkinButton&) {}, kNormal, kFace, 0},
    {"hover", [](TskSkinButton&) { Move(kOver); }, kHot, kHotFill, 0},
    {"hover and leave",
     [](TskSkinButton&) {
         Move(kOver);
         Move(kOutside);
     },
     kNormal, kFace, 0},
    {"press",
     [](TskSkinButton&) {
         Move(kOver);
         Button(true, kOver);
     },
     kDown, kDownFill, 0, true},
    {"press and release",
     [](TskSkinButton&) {
         Move(kOver);
         Button(true, kOver);
         Button(false, kOver);
     },
     kFocused, kHotFill, 1},
    {"press and drag off",
     [](TskSkinButton&) {
         Move(kOver);
         Button(true, kOver);
         Move(kOutside);
     },
     kFocused, kHotFill, 0, true},
    {"release outside",
     [](TskSkinButton&) {
         Move(kOver);
         Button(true, kOver);
         Move(kOutside);
         Button(false, kOutside);
     },
     kFocused, kHotFill, 0},
    {"drag back and release",
     [](TskSkinButton&) {
         Move(kOver);
         Button(true, kOver);
         Move(kOutside);
         Move(kOver);
         Button(false, kOver);
     },
     kFocused, kHotFill, 1},
    {"focused", [](TskSkinButton& b) { b.SetFocus(); }, kFocused, kHotFill, 0},
    {"space held",
     [](TskSkinButton& b) {
         b.SetFocus();
         KeyEdge(VK_SPACE, true);
     },
     kDown, kDownFill, 0, true},
    {"space released",
     [](TskSkinButton& b) {
         b.SetFocus();
         KeyStroke(VK_SPACE);
     },
     kFocused, kHotFill, 1},
    {"enter pressed",
     [](TskSkinButton& b) {
         b.SetFocus();
         KeyEdge(VK_RETURN, true);
     },
     kFocused, kHotFill, 1},
    {"disabled", [](TskSkinButton& b) { b.SetEnabled(false); }, kDisabled, kFace, 0},
    {"disabled and hovered",
     [](TskSkinButton& b) {
         b.SetEnabled(false);
         Move(kOver);
         Button(true, kOver);
         Button(false, kOver);
     },
     kDisabled, kFace, 0},
};

} // namespace

TEST_F(SkinButtonTest, StatePictureForEachInputSequence)
{
    for (bool skinned : {true, false}) {
        for (const InputCase& c : kInputCases) {
            clicks.clear();
            auto form = ShownForm(0, 0, 100, 40);
            ButtonSkin skin(form.get());
            if (!skinned)
                skin.entry->IDName = "other";
            TskSkinButton& button = *PlaceButton(*form, skin.skin);
            c.Input(button);
            form->Repaint();
            Pump();
            EXPECT_EQ(skinned ? c.Skinned : c.Default, PixelAt(*form, 15, 15))
                << c.Name << (skinned ? " (skinned)" : " (default look)");
            EXPECT_EQ(c.Clicks, clicks.size()) << c.Name;
            EXPECT_EQ(c.Down, button.Down()) << c.Name;
            InjectKey(VK_SPACE, false);
            ReleaseCapture();
            InjectMouseButton(0, false, kOutside);
            InjectMouseMove({0, 0});
            Pump();
        }
    }
}

TEST_F(SkinButtonTest, DefaultLookFramesEachState)
{
    auto form = ShownForm(0, 0, 100, 40);
    PlaceButton(*form, nullptr);
    EXPECT_EQ(ColorToRGB(clBtnShadow), PixelAt(*form, 10, 10));
    Move(kOver);
    EXPECT_EQ(RGB(0, 0, 0x80), PixelAt(*form, 10, 10)); // the hot frame, navy
}

TEST_F(SkinButtonTest, DefaultAndCancelKeysThroughTheForm)
{
    auto form = ShownForm(0, 0, 200, 40);
    ButtonSkin skin(form.get());
    auto* edit = Placed<TEdit>(*form, Bounds(100, 10, 60, 20));
    TskSkinButton* ok = PlaceButton(*form, skin.skin, 10);
    TskSkinButton* cancel = PlaceButton(*form, skin.skin, 40);
    TskSkinButton* other = PlaceButton(*form, skin.skin, 70);
    ok->ModalResult = mrOk;
    ok->SetDefault(true);
    cancel->Cancel = true;
    cancel->ModalResult = mrCancel;
    std::vector<TObject*> clicked;
    for (TskSkinButton* b : {ok, cancel, other})
        b->OnClick = [&clicked](TObject* sender) { clicked.push_back(sender); };
    edit->SetFocus();
    Pump();
    // While an edit has the focus the default button shows itself hot and answers Enter.
    EXPECT_EQ(kHot, PixelAt(*form, 15, 15));
    Key(VK_RETURN);
    ASSERT_EQ(std::vector<TObject*>{ok}, clicked);
    EXPECT_EQ(mrOk, form->ModalResult());
    Key(VK_ESCAPE);
    ASSERT_EQ((std::vector<TObject*>{ok, cancel}), clicked);
    EXPECT_EQ(mrCancel, form->ModalResult());

    // Another skinned button with the focus takes Enter and the default's hot look.
    other->SetFocus();
    Pump();
    EXPECT_FALSE(ok->ActsOnEnter());
    EXPECT_EQ(kNormal, PixelAt(*form, 15, 15));
    Key(VK_RETURN);
    EXPECT_EQ((std::vector<TObject*>{ok, cancel, other}), clicked);
    form->SetModalResult(mrNone);
}

TEST_F(SkinButtonTest, AutoRepeatRunsOnTheClock)
{
    struct Case {
        unsigned HeldMs;
        std::vector<std::uint64_t> Clicks; // ms after the press; the last one is the release
    } cases[] = {
        {1050, {600, 700, 800, 900, 1000, 1050}},
        {300, {300}},
    };
    for (const Case& c : cases) {
        clicks.clear();
        auto form = ShownForm(0, 0, 100, 40);
        TskSkinButton* button = PlaceButton(*form, nullptr);
        button->RepeatMode = true;
        Move(kOver);
        const std::uint64_t pressed = clock->NowMs();
        Button(true, kOver);
        for (unsigned t = 0; t < c.HeldMs; t += 10)
            Tick(10);
        Button(false, kOver);
        std::vector<std::uint64_t> at;
        for (std::uint64_t ms : clicks)
            at.push_back(ms - pressed);
        EXPECT_EQ(c.Clicks, at) << "held " << c.HeldMs;
        Tick(1000);
        EXPECT_EQ(c.Clicks.size(), clicks.size()) << "no click after the release";
    }
}

TEST_F(SkinButtonTest, ToggleGroupReleasesTheOthers)
{
    auto form = ShownForm(0, 0, 100, 40);
    std::vector<TskSkinButton*> group;
    for (int i = 0; i < 3; ++i) {
        group.push_back(PlaceButton(*form, nullptr, 5 + 30 * i));
        group.back()->SetGroupIndex(1);
    }
    EXPECT_FALSE(group[0]->CanFocused());
    Click({10, 15});
    Click({40, 15});
    EXPECT_EQ((std::vector<bool>{false, true, false}),
              (std::vector<bool>{group[0]->Down(), group[1]->Down(), group[2]->Down()}));
    Click({40, 15}); // a down button stays down without AllowAllUp
    EXPECT_TRUE(group[1]->Down());
    group[1]->AllowAllUp = true;
    Click({40, 15});
    EXPECT_FALSE(group[1]->Down());
}

TEST_F(SkinButtonTest, MorphMovesAFifthPerTickAndTurnsBackMidway)
{
    auto form = ShownForm(0, 0, 100, 40);
    ButtonSkin skin(form.get());
    skin.entry->Morphing = true;
    TskSkinButton* button = PlaceButton(*form, skin.skin);
    Move(kOver);
    std::vector<double> factors;
    for (int i = 0; i < 3; ++i) {
        Tick(20);
        factors.push_back(button->MorphFactor());
    }
    // Midway the picture is a blend of the normal and the hot one.
    const COLORREF mid = PixelAt(*form, 15, 15);
    EXPECT_TRUE(GetRValue(mid) > 0 && GetRValue(mid) < 255 && GetGValue(mid) > 0 && GetGValue(mid) < 255) << mid;
    Move(kOutside);
    while (button->Morphing() && factors.size() < 20) {
        Tick(20);
        factors.push_back(button->MorphFactor());
    }
    // The sums are doubles: one step lands just above 0, so the next overshoots
    // to -0.2 (drawn as the normal picture) before the snap.
    const std::vector<double> expected = {0.2, 0.4, 0.6, 0.4, 0.2, 0.0, -0.2, 0.0};
    ASSERT_EQ(expected.size(), factors.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(expected[i], factors[i], 1e-9) << i;
    EXPECT_EQ(kNormal, PixelAt(*form, 15, 15));

    // A full rise ends on the hot picture and no timer stays behind.
    Move(kOver);
    for (int i = 0; i < 6; ++i)
        Tick(20);
    EXPECT_EQ(1.0, button->MorphFactor());
    EXPECT_FALSE(button->Morphing());
    EXPECT_EQ(kHot, PixelAt(*form, 15, 15));

    // Disabled midway: the morph stops and the disabled picture shows.
    Move(kOutside);
    Tick(20);
    button->SetEnabled(false);
    Pump();
    EXPECT_FALSE(button->Morphing());
    EXPECT_EQ(kDisabled, PixelAt(*form, 15, 15));
}

TEST_F(SkinButtonTest, AnimationFramesComeFromTheStrip)
{
    struct Case {
        TRect Strip;
        int N;
        TRect Frame;
    } cases[] = {
        {Rect(0, 0, 60, 10), 2, Rect(20, 0, 40, 10)}, // wider than the skin rectangle: columns
        {Rect(0, 0, 20, 30), 3, Rect(0, 20, 20, 30)}, // as wide: rows
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Frame, AnimationFrameRect(c.Strip, Block(0), 3, c.N));

    auto form = ShownForm(0, 0, 100, 40);
    ButtonSkin skin(form.get());
    skin.entry->AnimateSkinRect = Rect(100, 0, 140, 10); // frames 1 and 2
    skin.entry->FrameCount = 2;
    skin.entry->AnimateInterval = 50;
    TskSkinButton* button = PlaceButton(*form, skin.skin);
    Move(kOver);
    std::vector<COLORREF> shown{PixelAt(*form, 15, 15)};
    for (int i = 0; i < 2; ++i) {
        Tick(50);
        shown.push_back(PixelAt(*form, 15, 15));
    }
    EXPECT_EQ((std::vector<COLORREF>{kFrame1, kFrame2, kHot}), shown);
    EXPECT_EQ(0, button->CurrentFrame());
    Move(kOutside);
    shown = {PixelAt(*form, 15, 15)};
    for (int i = 0; i < 2; ++i) {
        Tick(50);
        shown.push_back(PixelAt(*form, 15, 15));
    }
    EXPECT_EQ((std::vector<COLORREF>{kFrame2, kFrame1, kNormal}), shown);

    // A strip without a frame count animates nothing.
    skin.entry->FrameCount = 0;
    Move(kOver);
    EXPECT_EQ(kHot, PixelAt(*form, 15, 15));
}

namespace {

class LayeredBackend : public TBackend {
public:
    bool LayeredWindowsAvailable() override { return true; }
};

} // namespace

TEST_F(SkinButtonTest, GlowFrameFollowsTheMouseWhereLayersExist)
{
    SetBackend(std::make_shared<LayeredBackend>());
    auto form = ShownForm(0, 0, 100, 40);
    ButtonSkin skin(form.get());
    for (int i = 0; i < 2; ++i)
        skin.skin->FActivePictures.push_back(std::make_unique<TBitmap>(30, 20));
    skin.entry->GlowLayerPictureIndex = 1;
    skin.entry->GlowLayerMaskPictureIndex = 2;
    skin.entry->GlowLayerShowOffsetX = 5;
    skin.entry->GlowLayerShowOffsetY = 5;
    skin.skin->ShowButtonGlowFrames = false;
    TskSkinButton* button = PlaceButton(*form, skin.skin);
    struct Case {
        bool Always;
        bool Shown;
    } cases[] = {{false, false}, {true, true}};
    for (const Case& c : cases) {
        button->AlwaysShowLayeredFrame = c.Always;
        Move(kOver);
        EXPECT_EQ(c.Shown, button->LayerManager().IsVisible()) << c.Always;
        if (c.Shown) {
            RECT r{};
            GetWindowRect(button->LayerManager().LayerWindow(), &r);
            EXPECT_EQ(Rect(5, 5, 35, 25), TRect(r));
        }
        Move(kOutside);
        EXPECT_FALSE(button->LayerManager().IsVisible());
    }
}

TEST_F(SkinButtonTest, SkinChangeUnderTheMouseShowsTheNewHotPictureAtOnce)
{
    auto form = ShownForm(0, 0, 100, 40);
    ButtonSkin skin(form.get());
    skin.entry->Morphing = true;
    TskSkinButton* button = PlaceButton(*form, skin.skin);
    Move(kOver);
    for (int i = 0; i < 6; ++i)
        Tick(20);
    skin.entry->ActiveSkinRect = Block(4);
    button->BeforeChangeSkinData();
    button->ChangeSkinData();
    Pump();
    EXPECT_FALSE(button->Morphing());
    EXPECT_EQ(1.0, button->MorphFactor());
    EXPECT_EQ(kFocused, PixelAt(*form, 15, 15));
}

TEST_F(SkinButtonTest, SpaceClicksOnReleaseAndOnEveryRepeatedPress)
{
    struct Case {
        bool Repeat;
        int Presses; // key-downs before the release (the later ones auto-repeated)
        std::size_t Clicks;
    } cases[] = {{false, 1, 1}, {false, 3, 1}, {true, 3, 4}};
    for (const Case& c : cases) {
        clicks.clear();
        auto form = ShownForm(0, 0, 100, 40);
        TskSkinButton* button = PlaceButton(*form, nullptr);
        button->RepeatMode = c.Repeat;
        button->SetFocus();
        for (int i = 0; i < c.Presses; ++i)
            KeyEdge(VK_SPACE, true);
        EXPECT_TRUE(button->Down());
        KeyEdge(VK_SPACE, false);
        EXPECT_EQ(c.Clicks, clicks.size()) << c.Repeat << " " << c.Presses;
    }
}

TEST_F(SkinButtonTest, OnlyAFocusableButtonSetsTheFormsModalResult)
{
    for (bool focusable : {true, false}) {
        auto form = ShownForm(0, 0, 100, 40);
        TskSkinButton* button = PlaceButton(*form, nullptr);
        button->ModalResult = mrYes;
        button->SetCanFocused(focusable);
        Click(kOver);
        EXPECT_EQ(1u, clicks.size());
        EXPECT_EQ(focusable ? mrYes : mrNone, form->ModalResult()) << focusable;
        form->SetModalResult(mrNone);
        clicks.clear();
    }
}

} // namespace tovrel::test
