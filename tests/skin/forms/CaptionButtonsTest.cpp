#include "SkinFormTestSupport.h"

namespace tovrel::test {

namespace {

TPoint Centre(const TRect& r)
{
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// The first stored skin whose close button morphs; -1 when none does.
int MorphingSkin(TskCompressedSkinList& list)
{
    for (int i = 0; i < list.Skins()->Count(); ++i) {
        TskSkinData data(nullptr);
        data.SetSkinList(&list);
        data.SetSkinIndex(i);
        const int close = data.GetIndex("closebutton");
        if (close >= 0 && data.ObjectList[std::size_t(close)]->Morphing)
            return i;
    }
    return -1;
}

} // namespace

class CaptionButtonTest : public SkinFormTest {
protected:
    TskSkinStdButtonObject& Button(TskSkinForm& f, const char* name)
    {
        return dynamic_cast<TskSkinStdButtonObject&>(*f.Objects()[std::size_t(f.GetIndex(name))]);
    }
    void MoveTo(TPoint inWindow)
    {
        InjectMouseMove(Screen(inWindow));
        Pump();
    }
};

TEST_F(CaptionButtonTest, HoverBlendsInFiveTicksAndBackOnlyWithEffectsOn)
{
    const int index = MorphingSkin(*skins);
    ASSERT_GE(index, 0) << "no stored skin morphs its caption buttons";
    for (bool effects : {true, false}) {
        SCOPED_TRACE(effects ? "effects on" : "effects off");
        TskSkinData* data = LoadSkin(index);
        data->EnableSkinEffects = effects;
        TskSkinForm* f = ShowSkinned(data, Bounds(40, 30, 400, 300));
        auto& close = Button(*f, "closebutton");
        // The tracking timer (50 ms) finds the button under the pointer.
        MoveTo(Centre(close.ObjectRect));
        Tick(50);
        ASSERT_TRUE(close.Active);
        std::vector<double> seen{close.FMorphKf};
        for (int tick = 0; tick < 6 && seen.back() < 1; ++tick) {
            Tick(25);
            seen.push_back(close.FMorphKf);
        }
        if (effects) {
            EXPECT_EQ(1, seen.back());
            for (std::size_t i = 1; i < seen.size(); ++i)
                EXPECT_NEAR(0.2, seen[i] - seen[i - 1], 1e-9) << "tick " << i;
        } else {
            EXPECT_EQ((std::vector<double>(7, 0)), seen);
        }
        // Into the client: the tracking timer drops the highlight, the blend runs back.
        MoveTo(Centre(f->Frame().NewClRect));
        Tick(50);
        EXPECT_FALSE(close.Active);
        Tick(150);
        EXPECT_EQ(0, close.FMorphKf);
    }
}

TEST_F(CaptionButtonTest, ReleasingOffTheButtonRunsNothingAndRaisesIt)
{
    TskSkinForm* f = ShowSkinned(LoadSkin(0), Bounds(40, 30, 400, 300));
    auto& close = Button(*f, "closebutton");
    const TPoint on = Centre(close.ObjectRect);
    MoveTo(on);
    InjectMouseButton(0, true, Screen(on));
    Pump();
    EXPECT_TRUE(close.FDown);
    MoveTo(Centre(f->Frame().NewClRect));
    Tick(50);
    InjectMouseButton(0, false, Screen(Centre(f->Frame().NewClRect)));
    Pump();
    EXPECT_FALSE(close.FDown);
    EXPECT_TRUE(form->Visible());
}

TEST_F(CaptionButtonTest, PressingCloseOnTheFrameClosesTheForm)
{
    for (TskSkinData* data : {LoadSkin(0), static_cast<TskSkinData*>(nullptr)}) {
        SCOPED_TRACE(data ? "skin" : "default frame");
        TskSkinForm* f = ShowSkinned(data, Bounds(40, 30, 400, 300));
        const TPoint on = Centre(Button(*f, "closebutton").ObjectRect);
        MoveTo(on);
        Click(Screen(on));
        EXPECT_FALSE(form->Visible());
    }
}

TEST_F(CaptionButtonTest, MaximizeAndRestoreFollowTheButton)
{
    TskSkinForm* f = ShowSkinned(LoadSkin(0), Bounds(40, 30, 400, 300));
    const auto press = [&](const char* name) {
        const TPoint on = Centre(Button(*f, name).ObjectRect);
        MoveTo(on);
        Click(Screen(on));
    };
    press("maxbutton");
    EXPECT_EQ(wsMaximized, f->WindowState());
    EXPECT_GT(form->Width(), 400);
    press("maxbutton");
    EXPECT_EQ(wsNormal, f->WindowState());
    EXPECT_EQ(Bounds(40, 30, 400, 300), form->BoundsRect());
}

TEST_F(CaptionButtonTest, DoubleClickOnTheCaptionOfAFixedFormRollsItUpAndDown)
{
    TskSkinForm* f = ShowSkinned(nullptr, Bounds(40, 30, 300, 200));
    form->SetBorderStyle(bsSingle);
    Pump();
    const TPoint caption{150, 10};
    SendMessage(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(Screen(caption).X, Screen(caption).Y));
    EXPECT_TRUE(f->RollUpState());
    EXPECT_EQ(f->GetMinHeight(), form->Height());
    SendMessage(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(Screen(caption).X, Screen(caption).Y));
    EXPECT_FALSE(f->RollUpState());
    EXPECT_EQ(200, form->Height());
}

TEST_F(SkinFormTest, DraggingTheCaptionMovesAndTheCornerSizesTheForm)
{
    for (TskSkinData* data : {LoadSkin(1), static_cast<TskSkinData*>(nullptr)}) {
        SCOPED_TRACE(data ? "skin" : "default frame");
        TskSkinForm* f = ShowSkinned(data, Bounds(100, 80, 400, 300));
        const TPoint caption = Screen({200, f->SkinSupport() ? f->Frame().NewClRect.Top / 2 + 1 : 10});
        ASSERT_EQ(HTCAPTION, HitAt({caption.X - 100, caption.Y - 80}));
        Drag(caption, {30, 20});
        EXPECT_EQ(Bounds(130, 100, 400, 300), form->BoundsRect());

        const TPoint corner = Screen({398, 298});
        ASSERT_EQ(HTBOTTOMRIGHT, HitAt({398, 298}));
        Drag(corner, {40, 30});
        EXPECT_EQ(Bounds(130, 100, 440, 330), form->BoundsRect());
        // The frame followed: the client is still the window less the frame.
        EXPECT_EQ(f->SkinSupport() ? f->Frame().NewClRect.Width() : 440 - 6, form->ClientWidth());
    }
}

} // namespace tovrel::test

namespace tovrel::test {

TEST_F(SkinFormTest, BorderIconsDecideWhichDefaultButtonsShow)
{
    using enum TskBorderIcon;
    const struct {
        const char* Name;
        TskBorderIcons Icons;
        bool DisableSystemMenu, Hide;
        std::vector<std::string> Shown;
    } cases[] = {
        {"none", {}, false, false, {"closebutton"}},
        {"minimize", {biMinimize}, false, false, {"closebutton", "minbutton"}},
        {"tray and menu",
         {biMinimizeToTray, biSystemMenu},
         false,
         false,
         {"closebutton", "sysmenubutton", "traybutton"}},
        {"menu disabled", {biSystemMenu, biRollUp}, true, false, {"closebutton", "rollupbutton"}},
        {"hidden", {biSystemMenu, biMinimize, biMaximize}, false, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TskSkinForm* f = ShowSkinned(nullptr, Bounds(0, 0, 300, 200));
        f->DisableSystemMenu = c.DisableSystemMenu;
        f->HideCaptionButtons = c.Hide;
        f->SetBorderIcons(c.Icons);
        std::vector<std::string> shown;
        for (const auto& o : f->Objects())
            if (o->Visible)
                shown.push_back(o->IDName);
        EXPECT_EQ(c.Shown, shown);
    }
}

TEST_F(SkinFormTest, AnInactiveFormPaintsItsFrameWithTheSkinsInactiveEffect)
{
    TskSkinData* data = LoadSkin(0);
    ASSERT_TRUE(data->FormInfo.AutoRenderingInActiveImage);
    ShowSkinned(data, Bounds(0, 0, 400, 300));
    const TPoint edge{data->FormInfo.ClRect.Left / 2, 200};
    const COLORREF active = PixelAt(*form, edge.X, edge.Y);
    auto other = ShownForm(500, 0, 100, 100);
    other->SetFocus();
    Pump();
    ASSERT_FALSE(form->Active());
    // The brightness effect halves each channel's distance to white.
    const COLORREF inactive = PixelAt(*form, edge.X, edge.Y);
    for (int shift : {0, 8, 16}) {
        const int was = int(active >> shift) & 0xFF, now = int(inactive >> shift) & 0xFF;
        EXPECT_NEAR((was + 255) / 2.0, now, 1.0) << "channel at bit " << shift;
    }
}

} // namespace tovrel::test
