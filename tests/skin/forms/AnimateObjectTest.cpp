// Animated frame objects on the form's 25-ms animate timer (fake clock).
#include <gtest/gtest.h>

#include "SkinFormTestSupport.h"
#include "platform/vcl/Canvas.h"
#include "skin/data/SkinFrameEntries.h"
#include "skin/forms/AnimateObject.h"

namespace tovrel::test {

namespace {

constexpr int kFrameW = 12, kFrameH = 10, kFrames = 4;

COLORREF FrameColour(int n)
{
    return RGB(40 * n, 200 - 30 * n, 90);
}
// White stays white under the inactive frame's brightening.
constexpr COLORREF kRestoreColour = RGB(0, 0, 250), kInactiveColour = RGB(255, 255, 255);

} // namespace

class AnimateObjectTest : public SkinFormTest {
protected:
    // Stored skin 1 with an animate entry in front of its objects: a strip of
    // kFrames coloured frames, a restore strip and an inactive image below it.
    TskDataSkinAnimate* AddAnimate(TskSkinData* data, bool buttonStyle, TskStdCommand command)
    {
        auto picture = std::make_unique<TBitmap>(kFrameW * kFrames, kFrameH * 3);
        TCanvas* c = picture->Canvas();
        const auto fill = [c](TRect r, COLORREF colour) {
            c->Brush()->SetColor(TColor(colour));
            c->FillRect(r);
        };
        for (int n = 1; n <= kFrames; ++n)
            fill(Rect(kFrameW * (n - 1), 0, kFrameW * n, kFrameH), FrameColour(n));
        fill(Rect(0, kFrameH, kFrameW * kFrames, kFrameH * 2), kRestoreColour);
        fill(Rect(0, kFrameH * 2, kFrameW, kFrameH * 3), kInactiveColour);
        data->FActivePictures.push_back(std::move(picture));
        auto entry = std::make_unique<TskDataSkinAnimate>("animation");
        entry->ActivePictureIndex = int(data->FActivePictures.size()) - 1;
        entry->SkinRectInAPicture = true;
        entry->SkinRect = Rect(0, 0, kFrameW, kFrameH);
        entry->ActiveSkinRect = entry->SkinRect;
        entry->CountFrames = kFrames;
        entry->ButtonStyle = buttonStyle;
        entry->Command = command;
        entry->RestoreRect = entry->RestoreActiveRect = Rect(0, kFrameH, kFrameW, kFrameH * 2);
        entry->RestoreHint = "back";
        entry->Hint = "grow";
        TskDataSkinAnimate* raw = entry.get();
        data->ObjectList.insert(data->ObjectList.begin(), std::move(entry));
        return raw;
    }
    TskSkinAnimateObject* Animate(TskSkinForm& f)
    {
        for (auto& o : f.Objects())
            if (auto* a = dynamic_cast<TskSkinAnimateObject*>(o.get()))
                return a;
        return nullptr;
    }
    // A form whose maximize button is an animated one.
    std::pair<TskSkinForm*, TskSkinAnimateObject*> ShowMaximizeButton(TRect bounds)
    {
        TskSkinData* data = LoadSkin(1);
        AddAnimate(data, true, TskStdCommand::cmMaximize);
        TskSkinForm* f = ShowSkinned(data, bounds);
        return {f, Animate(*f)};
    }
    TPoint Centre(const TskSkinAnimateObject& a) const
    {
        return Screen({(a.ObjectRect.Left + a.ObjectRect.Right) / 2, (a.ObjectRect.Top + a.ObjectRect.Bottom) / 2});
    }
    // The frame shown after each of `ticks` 25-ms ticks.
    std::vector<int> Frames(const TskSkinAnimateObject& a, int ticks)
    {
        std::vector<int> frames;
        for (int i = 0; i < ticks; ++i) {
            Tick(25);
            frames.push_back(a.FFrame);
        }
        return frames;
    }
};

TEST_F(AnimateObjectTest, StartedAnimationStepsByItsIntervalAndStopsOrLoops)
{
    struct TCase {
        int interval;
        bool cycle;
        int ticks;
        std::vector<int> frames;
        bool playing;
        int count = kFrames;
    };
    const TCase cases[] = {
        {0, false, 5, {2, 3, 4, 4, 4}, false},
        {100, false, 8, {1, 1, 1, 2, 2, 2, 2, 3}, true},
        {25, true, 6, {2, 3, 4, 1, 2, 3}, true},
        // A strip of no frames shows its first and stops instead of running the timer for ever.
        {25, false, 3, {1, 1, 1}, false, 0},
    };
    for (const TCase& c : cases) {
        TskSkinData* data = LoadSkin(1);
        TskDataSkinAnimate* entry = AddAnimate(data, false, TskStdCommand::cmDefault);
        entry->TimerInterval = c.interval;
        entry->Cycle = c.cycle;
        entry->CountFrames = c.count;
        entry->SkinRectInAPicture = false;
        entry->SkinRect = Rect(40, 4, 40 + kFrameW, 4 + kFrameH);
        TskSkinForm* f = ShowSkinned(data, Bounds(0, 0, 420, 300));
        TskSkinAnimateObject* a = Animate(*f);
        ASSERT_NE(nullptr, a);
        EXPECT_EQ(1, a->FFrame);
        Tick(100);
        EXPECT_EQ(1, a->FFrame) << "a plain animation waits for Start";
        a->Start();
        EXPECT_EQ(c.frames, Frames(*a, c.ticks)) << c.interval << " " << c.cycle;
        EXPECT_EQ(c.playing, a->Active);
        EXPECT_EQ(c.playing, f->AnimateTimer()->Enabled());
        a->Stop();
        EXPECT_EQ(1, a->FFrame);
    }
}

TEST_F(AnimateObjectTest, AMorphRunningBesideItKeepsTheAnimationGoing)
{
    TskSkinData* data = LoadSkin(1);
    TskDataSkinAnimate* entry = AddAnimate(data, false, TskStdCommand::cmDefault);
    entry->Cycle = true;
    entry->SkinRectInAPicture = false;
    TskSkinForm* f = ShowSkinned(data, Bounds(0, 0, 420, 300));
    TskSkinAnimateObject* a = Animate(*f);
    ASSERT_NE(nullptr, a);
    a->Start();
    f->MorphTimer()->SetEnabled(true);
    EXPECT_EQ((std::vector<int>{2, 3, 4, 1}), Frames(*a, 4));
}

TEST_F(AnimateObjectTest, HoverPlaysForwardAndLeavingPlaysBack)
{
    auto [f, a] = ShowMaximizeButton(Bounds(0, 0, 420, 300));
    ASSERT_NE(nullptr, a);
    ASSERT_TRUE(a->Visible && a->Enabled) << "placed as the maximize button";
    // The pointer is taken up by the form's 50-ms tracking: the play starts with it.
    InjectMouseMove(Centre(*a));
    Tick(50);
    EXPECT_TRUE(a->FMouseIn);
    EXPECT_EQ("Maximize", a->Hint);
    EXPECT_EQ((std::vector<int>{2, 3, 4, 4}), Frames(*a, 4));
    const TPoint inside = Screen({a->ObjectRect.Left + 1, a->ObjectRect.Top + 1});
    EXPECT_EQ(FrameColour(4), PixelAt(*form, inside.X - form->Left(), inside.Y - form->Top()));
    InjectMouseMove(Screen({200, 150}));
    Tick(50);
    EXPECT_FALSE(a->FMouseIn);
    EXPECT_EQ((std::vector<int>{3, 2, 1, 1}), Frames(*a, 4));
    EXPECT_EQ(FrameColour(1), PixelAt(*form, inside.X - form->Left(), inside.Y - form->Top()));
}

TEST_F(AnimateObjectTest, ClickRunsTheCommandAndMaximizedFormUsesTheRestoreStrip)
{
    auto [f, a] = ShowMaximizeButton(Bounds(10, 10, 420, 300));
    ASSERT_NE(nullptr, a);
    // Released outside: no command.
    const TPoint at = Centre(*a);
    InjectMouseMove(at);
    InjectMouseButton(0, true, at);
    InjectMouseMove(Screen({200, 150}));
    Tick(50);
    InjectMouseButton(0, false, Screen({200, 150}));
    Pump();
    EXPECT_EQ(wsNormal, f->WindowState());
    Drag(at, {0, 0});
    ASSERT_EQ(wsMaximized, f->WindowState());
    InjectMouseMove(Centre(*a));
    Tick(50);
    EXPECT_EQ("Restore", a->Hint);
    EXPECT_EQ(Rect(kFrameW, kFrameH, kFrameW * 2, kFrameH * 2), a->FrameRect(2));
    const TPoint p{a->ObjectRect.Left + 1, a->ObjectRect.Top + 1};
    EXPECT_EQ(kRestoreColour, PixelAt(*form, p.X, p.Y));
}

TEST_F(AnimateObjectTest, InactiveFormShowsTheInactiveImageWhateverTheFrame)
{
    TskSkinData* data = LoadSkin(1);
    TskDataSkinAnimate* entry = AddAnimate(data, false, TskStdCommand::cmDefault);
    entry->InActiveSkinRect = Rect(0, kFrameH * 2, kFrameW, kFrameH * 3);
    entry->SkinRectInAPicture = false;
    entry->SkinRect = Rect(40, 4, 40 + kFrameW, 4 + kFrameH);
    entry->Cycle = true;
    TskSkinForm* f = ShowSkinned(data, Bounds(0, 0, 420, 300));
    TskSkinAnimateObject* a = Animate(*f);
    ASSERT_NE(nullptr, a);
    a->Start();
    Tick(50);
    auto other = ShownForm(500, 0, 100, 100);
    Tick(50);
    const TPoint p{a->ObjectRect.Left + 1, a->ObjectRect.Top + 1};
    EXPECT_EQ(kInactiveColour, PixelAt(*form, p.X, p.Y));
}

} // namespace tovrel::test
