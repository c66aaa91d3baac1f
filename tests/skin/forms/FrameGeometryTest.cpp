#include "SkinFormTestSupport.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel::test {

namespace {

TskActiveSkinObject& Object(TskSkinForm& f, const char* name)
{
    const int i = f.GetIndex(name);
    EXPECT_GE(i, 0) << name;
    return *f.Objects()[std::size_t(i)];
}

TPoint Centre(const TRect& r)
{
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

} // namespace

TEST_F(SkinFormTest, ClientIsTheWindowLessTheSkinFrameAtEverySize)
{
    for (int index : {0, 1}) {
        TskSkinData* data = LoadSkin(index);
        SCOPED_TRACE(data->Version.SkinName);
        const int pw = data->FPicture->Width(), ph = data->FPicture->Height();
        const TRect cl = data->FormInfo.ClRect;
        for (TSize size : {TSize{pw, ph}, TSize{pw + 100, ph + 60}, TSize{640, 480}}) {
            SCOPED_TRACE(std::to_string(size.cx) + "x" + std::to_string(size.cy));
            TskSkinForm* f = ShowSkinned(data, Bounds(50, 40, size.cx, size.cy));
            ASSERT_TRUE(f->SkinSupport());
            EXPECT_EQ(size.cx - (pw - cl.Width()), form->ClientWidth());
            EXPECT_EQ(size.cy - (ph - cl.Height()), form->ClientHeight());
            EXPECT_EQ((TPoint{50 + cl.Left, 40 + cl.Top}), form->ClientToScreen({0, 0}));
            // The caption buttons keep their distance to the right edge.
            const TRect close = Object(*f, "closebutton").ObjectRect;
            EXPECT_EQ(data->FormInfo.ButtonsRect.Right + size.cx - pw, close.Right);
            EXPECT_EQ(data->FormInfo.ButtonsRect.Top, close.Top);
        }
    }
}

TEST_F(SkinFormTest, HitCodesCoverEdgesCornersCaptionButtonsAndClient)
{
    TskSkinData* data = LoadSkin(0);
    TskSkinForm* f = ShowSkinned(data, Bounds(100, 80, 500, 360));
    const int W = 500, H = 360;
    const TRect client = f->Frame().NewClRect;
    const TRect caption = Object(*f, "caption").ObjectRect;
    const struct {
        const char* Where;
        TPoint P;
        LRESULT Code;
    } cases[] = {
        {"top left", {1, 1}, HTTOPLEFT},
        {"top", {W / 2, 0}, HTTOP},
        {"top right", {W - 2, 1}, HTTOPRIGHT},
        {"left", {0, H / 2}, HTLEFT},
        {"right", {W - 1, H / 2}, HTRIGHT},
        {"bottom left", {1, H - 2}, HTBOTTOMLEFT},
        {"bottom", {W / 2, H - 1}, HTBOTTOM},
        {"bottom right", {W - 2, H - 2}, HTBOTTOMRIGHT},
        {"client", Centre(client), HTCLIENT},
        {"caption", {caption.Left + 80, client.Top / 2 + 1}, HTCAPTION},
        // The form is wider than the skin's picture: the caption stretches.
        {"caption by the buttons", {Object(*f, "minbutton").ObjectRect.Left - 10, client.Top / 2 + 1}, HTCAPTION},
        {"close button", Centre(Object(*f, "closebutton").ObjectRect), HTOBJECT},
        {"maximize button", Centre(Object(*f, "maxbutton").ObjectRect), HTOBJECT},
        {"minimize button", Centre(Object(*f, "minbutton").ObjectRect), HTOBJECT},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Code, HitAt(c.P)) << c.Where;
}

TEST_F(SkinFormTest, ASkinWithoutFramePictureGetsTheDefaultFrame)
{
    TskSkinData* data = LoadSkin(0);
    data->FPicture = std::make_unique<TBitmap>();
    TskSkinForm* f = ShowSkinned(data, Bounds(10, 10, 300, 200));
    EXPECT_FALSE(f->SkinSupport());
    EXPECT_EQ(300 - 6, form->ClientWidth());
    EXPECT_EQ(200 - 19 - 6, form->ClientHeight());
    std::vector<std::string> names;
    for (const auto& o : f->Objects())
        names.push_back(o->IDName + (o->Visible ? "" : " hidden"));
    EXPECT_EQ((std::vector<std::string>{"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton",
                                        "traybutton hidden"}),
              names);
    const struct {
        const char* Where;
        TPoint P;
        LRESULT Code;
    } cases[] = {
        {"top left", {0, 0}, HTTOPLEFT},
        {"bottom right", {299, 199}, HTBOTTOMRIGHT},
        {"left", {1, 100}, HTLEFT},
        {"caption", {100, 10}, HTCAPTION},
        {"client", {150, 100}, HTCLIENT},
        {"close", Centre(Object(*f, "closebutton").ObjectRect), HTOBJECT},
        {"system menu", {3 + 8, 12}, HTOBJECT},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Code, HitAt(c.P)) << c.Where;
    // Close sits right, 17 pixels wide, inside the 3-pixel border.
    EXPECT_EQ(Rect(300 - 3 - 17, 4, 300 - 3, 4 + 17), Object(*f, "closebutton").ObjectRect);
}

TEST_F(SkinFormTest, NoSkinDataGivesTheToolWindowItsSmallerCaption)
{
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsSizeToolWin);
    form->SetBounds(0, 0, 200, 100);
    auto* f = new TskSkinForm(form.get());
    f->SetSkinData(nullptr);
    form->Show();
    Pump();
    EXPECT_EQ(15, f->GetDefCaptionHeight());
    EXPECT_EQ(100 - 15 - 6, form->ClientHeight());
}

} // namespace tovrel::test
