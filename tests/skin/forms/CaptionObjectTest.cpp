#include "SkinFormTestSupport.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/ImageList.h"
#include "platform/wm/Input.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel::test {

namespace {

TskSkinCaptionObject* CaptionOf(TskSkinForm& f)
{
    for (const auto& object : f.Objects())
        if (auto* caption = dynamic_cast<TskSkinCaptionObject*>(object.get()))
            return caption;
    return nullptr;
}

// The columns whose pixels in the caption band differ between two pictures of it.
struct TColumns {
    int First = -1, Last = -1;
};

class CaptionObjectTest : public SkinFormTest {
protected:
    std::vector<COLORREF> Band(const TRect& r)
    {
        SendMessage(form->Handle(), WM_NCPAINT, 0, 0);
        Pump();
        std::vector<COLORREF> pixels;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                pixels.push_back(PixelAt(*form, x, y));
        return pixels;
    }
    // Where the text of `caption` is drawn in the caption band.
    TColumns TextColumns(const TRect& band, const std::string& caption)
    {
        form->SetCaption("");
        const auto blank = Band(band);
        form->SetCaption(caption);
        const auto text = Band(band);
        TColumns c;
        const int w = band.Width();
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] != blank[i]) {
                const int x = band.Left + int(i) % w;
                c.First = c.First < 0 ? x : std::min(c.First, x);
                c.Last = std::max(c.Last, x);
            }
        return c;
    }
    // Only the text itself: no copies, halo or label around it.
    static void PlainText(TskSkinCaptionObject& c)
    {
        c.Shadow = c.Light = c.GlowEffect = c.VistaGlowEffect = c.ReflectionEffect = false;
        c.FrameRect = NullRect();
    }
    static TRect InWindow(const TskSkinCaptionObject& c)
    {
        TRect r = c.TextRect();
        return {r.Left + c.ObjectRect.Left, r.Top + c.ObjectRect.Top, r.Right + c.ObjectRect.Left,
                r.Bottom + c.ObjectRect.Top};
    }
};

} // namespace

TEST_F(CaptionObjectTest, EverySkinDrawsTheTitleWhereItsAlignmentPutsIt)
{
    const struct {
        TAlignment Alignment;
        const char* Name;
    } cases[] = {
        {TAlignment::taLeftJustify, "left"}, {TAlignment::taCenter, "centre"}, {TAlignment::taRightJustify, "right"}};
    for (int skinIndex = 0; skinIndex < skins->Skins()->Count(); ++skinIndex) {
        TskSkinForm* f = ShowSkinned(LoadSkin(skinIndex), Bounds(10, 10, 420, 300));
        TskSkinCaptionObject* caption = CaptionOf(*f);
        ASSERT_NE(nullptr, caption) << "skin " << skinIndex;
        ASSERT_FALSE(IsNullRect(caption->TextRct)) << "skin " << skinIndex;
        PlainText(*caption);
        const TRect tr = InWindow(*caption);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string("skin ") + std::to_string(skinIndex) + ", " + c.Name);
            caption->Alignment = c.Alignment;
            const TColumns text = TextColumns(caption->ObjectRect, "Frame");
            ASSERT_GE(text.First, tr.Left);
            ASSERT_LT(text.Last, tr.Right);
            switch (c.Alignment) {
            case TAlignment::taLeftJustify: EXPECT_LE(text.First - tr.Left, 3); break;
            case TAlignment::taRightJustify: EXPECT_LE(tr.Right - 1 - text.Last, 3); break;
            case TAlignment::taCenter: EXPECT_NEAR((text.First + text.Last) / 2, (tr.Left + tr.Right) / 2, 3); break;
            }
        }
    }
}

TEST_F(CaptionObjectTest, ALongTitleEndsInsideTheTextAreaAtEveryWidth)
{
    TskSkinData* data = LoadSkin(1);
    for (int width : {260, 340, 520}) {
        SCOPED_TRACE(width);
        TskSkinForm* f = ShowSkinned(data, Bounds(0, 0, width, 240));
        TskSkinCaptionObject* caption = CaptionOf(*f);
        ASSERT_NE(nullptr, caption);
        PlainText(*caption);
        const TRect tr = InWindow(*caption);
        const TColumns text = TextColumns(caption->ObjectRect, std::string(200, 'W'));
        ASSERT_GE(text.First, tr.Left);
        EXPECT_LT(text.Last, tr.Right);
        // Shortened, not cut: the dots end the text a little before the area does.
        EXPECT_GT(text.Last, tr.Right - 40);
    }
}

TEST_F(CaptionObjectTest, ShadowAndGlowDrawAroundTheText)
{
    TskSkinForm* f = ShowSkinned(LoadSkin(1), Bounds(0, 0, 420, 300));
    TskSkinCaptionObject* caption = CaptionOf(*f);
    ASSERT_NE(nullptr, caption);
    PlainText(*caption);
    const TColumns plain = TextColumns(caption->ObjectRect, "Frame");
    caption->Shadow = true;
    caption->ShadowColor = caption->ActiveShadowColor = clBlack;
    const TColumns shadow = TextColumns(caption->ObjectRect, "Frame");
    EXPECT_EQ(plain.Last + 1, shadow.Last);
    caption->Shadow = false;
    caption->GlowEffect = true;
    caption->GlowSize = 4;
    caption->GlowColor = caption->GlowActiveColor = clYellow;
    const TColumns glow = TextColumns(caption->ObjectRect, "Frame");
    EXPECT_LT(glow.First, plain.First);
    EXPECT_GT(glow.Last, plain.Last);
    // Glow on the active form only: the inactive caption is plain.
    EXPECT_FALSE(caption->GlowInActiveEffect);
    caption->Active = false;
    const TColumns inactive = TextColumns(caption->ObjectRect, "Frame");
    EXPECT_EQ(plain.First, inactive.First);
}

TEST_F(CaptionObjectTest, QuickButtonsClickOnReleaseAndLeaveTheRestOfTheCaptionMoving)
{
    TskSkinForm* f = ShowSkinned(LoadSkin(1), Bounds(30, 30, 420, 300));
    auto* images = new TImageList(form.get());
    images->SetSize(16, 16);
    TBitmap glyph(16, 16);
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(Rect(0, 0, 16, 16));
    images->Add(&glyph, nullptr);
    f->SetQuickImageList(images);
    std::vector<int> clicks;
    for (int i = 0; i < 3; ++i) {
        TskQuickButtonItem* item = f->QuickButtons()->Add();
        item->SetImageIndex(0);
        item->OnClick = [&clicks, i](TObject*) { clicks.push_back(i); };
    }
    f->QuickButtons()->Items(1)->SetEnabled(false);
    Pump();
    TskSkinCaptionObject* caption = CaptionOf(*f);
    ASSERT_NE(nullptr, caption);
    const auto centre = [&](int i) {
        const TRect r = f->QuickButtons()->Items(i)->ItemRect;
        return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    };
    // The image is drawn in its cell.
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(*form, centre(0).X, centre(0).Y));
    EXPECT_EQ(HTOBJECT, HitAt(centre(0)));
    const TPoint free{caption->ObjectRect.Right - 20, centre(0).Y};
    EXPECT_EQ(HTCAPTION, HitAt(free));

    const struct {
        const char* Name;
        int Press, Release;
        std::vector<int> Clicked;
    } cases[] = {
        {"press and release on one", 0, 0, {0}}, {"released over another", 0, 2, {2}}, {"a disabled button", 1, 1, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        clicks.clear();
        const TPoint press = Screen(centre(c.Press)), release = Screen(centre(c.Release));
        InjectMouseMove(press);
        Pump();
        InjectMouseButton(0, true, press);
        Pump();
        InjectMouseMove(release);
        Pump();
        InjectMouseButton(0, false, release);
        Pump();
        EXPECT_EQ(c.Clicked, clicks);
        EXPECT_EQ((TPoint{30, 30}), (TPoint{form->Left(), form->Top()}));
    }
    // The title is centred after the room of all buttons.
    EXPECT_EQ(caption->TextRct.Left + 3 * (16 + 8), caption->TextRect().Left);
}

TEST_F(CaptionObjectTest, ActivationPlaysTheCaptionFramesOnTheClock)
{
    TskSkinForm* f = ShowSkinned(LoadSkin(1), Bounds(0, 0, 420, 300));
    TskSkinCaptionObject* caption = CaptionOf(*f);
    ASSERT_NE(nullptr, caption);
    caption->AnimateSkinRect = caption->SkinRect;
    caption->FrameCount = 4;
    caption->AnimateInterval = 100;
    ASSERT_TRUE(caption->EnableAnimation());
    auto other = ShownForm(500, 0, 100, 100);
    // Deactivating without InActiveAnimation returns to the inactive look at once.
    EXPECT_EQ(0, caption->CurrentFrame);
    SetActiveWindow(form->Handle());
    Pump();
    std::vector<int> frames{caption->CurrentFrame};
    for (int i = 0; i < 17; ++i) {
        Tick(25);
        frames.push_back(caption->CurrentFrame);
    }
    // Each frame for four 25-ms ticks, then the ordinary active look.
    const std::vector<int> expected{1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5};
    EXPECT_EQ(expected, frames);
}

} // namespace tovrel::test
