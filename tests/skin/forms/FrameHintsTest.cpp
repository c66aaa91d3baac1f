#include "SkinFormTestSupport.h"
#include "platform/vcl/ImageList.h"
#include "skin/forms/FrameObjects.h"
#include "skin/hints/SkinHint.h"
#include "skin/hints/SkinHintWindow.h"

namespace tovrel::test {

namespace {

TPoint Centre(const TRect& r)
{
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

class FrameHintsTest : public SkinFormTest {
protected:
    void TearDown() override
    {
        form.reset();
        Application->OnShowHint = nullptr;
        Application->SetHintWindowClass(nullptr);
        SkinFormTest::TearDown();
    }
    void MoveTo(TPoint inWindow)
    {
        InjectMouseMove(Screen(inWindow));
        Pump();
    }
    // The hint the component shows, or "" while it shows none.
    static std::string Shown(TskSkinHint& hint) { return hint.IsVisible() ? hint.Window()->Caption() : ""; }
};

} // namespace

TEST_F(FrameHintsTest, CaptionButtonsAndQuickButtonsShowTheirHintsAfterThePause)
{
    TskSkinForm* f = ShowSkinned(LoadSkin(1), Bounds(30, 30, 420, 300));
    auto* hint = new TskSkinHint(form.get());
    f->SetSkinHint(hint);
    f->ShowObjectHint = true;
    f->QuickButtonsShowHint = true;
    auto* images = new TImageList(form.get());
    images->SetSize(16, 16);
    TBitmap glyph(16, 16);
    images->Add(&glyph, nullptr);
    f->SetQuickImageList(images);
    TskQuickButtonItem* quick = f->QuickButtons()->Add();
    quick->SetImageIndex(0);
    quick->Hint = "快照";
    Pump();
    const auto& close = *f->Objects()[std::size_t(f->GetIndex("closebutton"))];

    // The tracking timer finds the button; the hint follows after the pause.
    MoveTo(Centre(close.ObjectRect));
    Tick(50);
    EXPECT_EQ("", Shown(*hint));
    Tick(Application->HintPause);
    EXPECT_EQ(close.Hint, Shown(*hint));
    EXPECT_FALSE(close.Hint.empty());
    // Off the button the hint goes.
    MoveTo({form->Width() / 2, form->Height() / 2});
    Tick(100);
    EXPECT_EQ("", Shown(*hint));

    // The tracking timer makes the caption hot; the next move over it finds the quick button.
    MoveTo(Centre(quick->ItemRect));
    Tick(50);
    MoveTo(Centre(quick->ItemRect));
    Tick(Application->HintPause);
    EXPECT_EQ("快照", Shown(*hint));
    // A press hides it.
    InjectMouseButton(0, true, Screen(Centre(quick->ItemRect)));
    Pump();
    EXPECT_EQ("", Shown(*hint));
    InjectMouseButton(0, false, Screen(Centre(quick->ItemRect)));
    Pump();
}

} // namespace tovrel::test
