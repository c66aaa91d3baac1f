#include "skin/controls/SkinPageControl.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/gdi/SysColors.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/wm/Input.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/stored/StoredSkins.h"

#include <set>
#include <vector>

namespace tovrel::test {

namespace {

constexpr int kLeft = 10, kTop = 10;

class SkinPageControlTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(0, 0, 640, 300);
        pages = Placed<TskSkinPageControl>(*form, Bounds(kLeft, kTop, 300, 200));
        for (const char* caption : {"General", "Audio", "Video"}) {
            auto* sheet = new TskSkinTabSheet(form.get());
            sheet->SetPageControl(pages);
            sheet->SetCaption(caption);
        }
        pages->SetActivePageIndex(0);
        Pump();
    }
    TPoint ScreenCentre(const TRect& r) const
    {
        return TPoint{kLeft + (r.Left + r.Right) / 2, kTop + (r.Top + r.Bottom) / 2};
    }
    void ClickAt(TPoint p)
    {
        clock->Advance(1000);
        InjectMouseMove(p);
        Click(p);
    }
    std::unique_ptr<TForm> form;
    TskSkinPageControl* pages = nullptr;
};

TEST_F(SkinPageControlTest, TabsLieOnTheirSideAndAClickSelectsThePageUnderIt)
{
    for (TTabPosition side : {tpTop, tpBottom, tpLeft, tpRight}) {
        SCOPED_TRACE(int(side));
        pages->SetTabPosition(side);
        Pump();
        const TRect display = pages->DisplayRect();
        TRect previous{0, 0, 0, 0};
        for (int v = 0; v < 3; ++v) {
            const TRect r = pages->GetTabRect(v);
            EXPECT_GT(r.Width(), 0);
            EXPECT_GT(r.Height(), 0);
            switch (side) {
            case tpTop: EXPECT_LE(r.Bottom, display.Top); break;
            case tpBottom: EXPECT_GE(r.Top, display.Bottom); break;
            case tpLeft: EXPECT_LE(r.Right, display.Left); break;
            case tpRight: EXPECT_GE(r.Left, display.Right); break;
            }
            if (v > 0) { // each tab follows the one before along the strip
                EXPECT_TRUE(side == tpTop || side == tpBottom ? r.Left >= previous.Right - 2
                                                              : r.Top >= previous.Bottom - 2);
            }
            previous = r;
        }
        ClickAt(ScreenCentre(pages->GetTabRect(2)));
        EXPECT_EQ(2, pages->ActivePageIndex());
        ClickAt(ScreenCentre(pages->GetTabRect(1)));
        EXPECT_EQ(1, pages->ActivePageIndex());
        // The active sheet lies beside the tabs, not under them.
        const TRect sheet = pages->ActivePage()->BoundsRect();
        for (int v = 0; v < 3; ++v) {
            const TRect r = pages->GetTabRect(v);
            EXPECT_TRUE(r.Right <= sheet.Left || r.Left >= sheet.Right || r.Bottom <= sheet.Top ||
                        r.Top >= sheet.Bottom);
        }
    }
}

TEST_F(SkinPageControlTest, CentredTabsMoveRightAndAreHitWhereTheyAreDrawn)
{
    pages->SetTabsInCenter(true); // no tab width yet: refused
    EXPECT_FALSE(pages->TabsInCenter());
    pages->SetBounds(kLeft, kTop, 600, 200);
    pages->SetTabWidth(100);
    const TRect before = pages->GetTabRect(2);
    pages->SetTabsInCenter(true);
    Pump();
    const TRect after = pages->GetTabRect(2);
    EXPECT_EQ(before.Left + 150, after.Left);
    ClickAt(ScreenCentre(after));
    EXPECT_EQ(2, pages->ActivePageIndex());
    ClickAt(ScreenCentre(TRect{90, 0, 110, 20})); // left of the centred tabs: nothing there
    EXPECT_EQ(2, pages->ActivePageIndex());
}

TEST_F(SkinPageControlTest, AClosePressedAndReleasedOnTheButtonHidesTheTab)
{
    int afterClose = 0;
    pages->OnAfterClose = [&](TObject*) { ++afterClose; };
    pages->SetShowCloseButtons(true);
    pages->Repaint();
    Pump();
    const auto closeCentre = [&] {
        const TRect tab = pages->GetTabRect(0);
        const TRect b = static_cast<TskSkinTabSheet*>(pages->Pages(0))->ButtonRect;
        return TPoint{kLeft + tab.Left + (b.Left + b.Right) / 2, kTop + tab.Top + (b.Top + b.Bottom) / 2};
    };
    const TPoint close = closeCentre();
    const TPoint text = ScreenCentre(pages->GetTabRect(0));
    ASSERT_NE(close.X, text.X);
    // Pressed on the tab's text and released on the button: nothing closes.
    clock->Advance(1000);
    InjectMouseMove(text);
    InjectMouseButton(0, true, text);
    InjectMouseMove(close);
    InjectMouseButton(0, false, close);
    Pump();
    EXPECT_TRUE(pages->Pages(0)->TabVisible());
    ClickAt(close);
    EXPECT_FALSE(pages->Pages(0)->TabVisible());
    EXPECT_EQ(1, afterClose);
    EXPECT_EQ(3, pages->PageCount()); // not freed: only the tab went
}

TEST_F(SkinPageControlTest, TheTabsAreDrawnInTheDefaultLookAndInEachSkin)
{
    const auto tabPixels = [&] {
        pages->Repaint();
        Pump();
        std::vector<COLORREF> pixels;
        const TRect strip{0, 0, 300, pages->DisplayRect().Top + 4};
        for (int y = strip.Top; y < strip.Bottom; ++y)
            for (int x = strip.Left; x < strip.Right; ++x)
                pixels.push_back(PixelAt(*form, kLeft + x, kTop + y));
        return pixels;
    };
    // Default look: the selected tab framed in navy, a sheet in the face colour.
    const TRect selected = pages->GetTabRect(0);
    tabPixels();
    EXPECT_EQ(RGB(0, 0, 0x80), PixelAt(*form, kLeft + selected.Left, kTop + selected.Top + 5));
    const TRect display = pages->DisplayRect();
    EXPECT_EQ(ColorToRGB(clBtnFace), PixelAt(*form, kLeft + display.Left + 20, kTop + display.Top + 20));

    std::set<std::vector<COLORREF>> looks{tabPixels()};
    const auto files = StoredSkinFiles(TStoredSkinRole::User);
    ASSERT_GE(files.size(), 2u);
    std::vector<std::unique_ptr<TskSkinData>> skins;
    for (std::size_t i = 0; i < 2; ++i) {
        skins.push_back(LoadStoredSkin(files[i]));
        ASSERT_NE(-1, skins.back()->GetControlIndex("tab")) << "user skin " << i + 1;
        pages->SetSkinData(skins.back().get());
        EXPECT_TRUE(pages->SkinLook());
        EXPECT_TRUE(looks.insert(tabPixels()).second) << "user skin " << i + 1 << " looks like another";
    }
    pages->SetSkinData(nullptr);
    pages->ChangeSkinData();
    EXPECT_FALSE(looks.insert(tabPixels()).second); // back to the default look
}

} // namespace

} // namespace tovrel::test

namespace tovrel::test {

namespace {

TEST_F(SkinPageControlTest, HidingTheTabsTwiceAndShowingThemOnceRestoresThem)
{
    pages->SetTabPosition(tpLeft);
    pages->SetMultiLine(true);
    pages->SetTabHeight(24);
    pages->HideTabs();
    EXPECT_EQ(tpTop, pages->TabPosition());
    EXPECT_EQ(1, pages->TabHeight());
    pages->HideTabs();
    pages->ShowTabs();
    EXPECT_EQ(tpLeft, pages->TabPosition());
    EXPECT_TRUE(pages->MultiLine());
    EXPECT_EQ(24, pages->TabHeight());
    // Without frame and tabs the page covers the control.
    pages->HideBorderAndTabs();
    Pump();
    EXPECT_EQ((TRect{0, -2, 300, 200}), pages->ActivePage()->BoundsRect());
}

TEST_F(SkinPageControlTest, AWallpaperIsTiledOverTheSheet)
{
    auto* sheet = static_cast<TskSkinTabSheet*>(pages->Pages(0));
    sheet->SetBounds(0, 0, 100, 70);
    TBitmap paper(32, 32);
    paper.Canvas()->Brush()->SetColor(TColor(0x0000FF));
    paper.Canvas()->FillRect(TRect{0, 0, 32, 32});
    paper.Canvas()->SetPixel(0, 0, TColor(0x00FF00)); // marks each tile's corner
    sheet->SetWallPaper(&paper);
    TBitmap B(100, 70);
    sheet->PaintBG(*B.Canvas());
    int corners = 0;
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 100; ++x)
            if (B.Canvas()->Pixels(x, y) == TColor(0x00FF00)) {
                EXPECT_EQ(0, x % 32);
                EXPECT_EQ(0, y % 32);
                ++corners;
            }
    EXPECT_EQ(4 * 3, corners);
    EXPECT_EQ(TColor(0x0000FF), B.Canvas()->Pixels(99, 69)); // the last tiles cut at the edge
}

} // namespace

} // namespace tovrel::test

namespace tovrel::test {

namespace {

TEST_F(SkinPageControlTest, OverflowingTabsGetAnUpDownThatScrollsThem)
{
    pages->SetTabWidth(100);
    Pump();
    EXPECT_EQ(nullptr, pages->UpDown());
    pages->SetBounds(kLeft, kTop, 220, 200);
    Pump();
    TskSkinUpDown* updown = pages->UpDown();
    ASSERT_NE(nullptr, updown);
    EXPECT_EQ((TRect{180, 0, 220, 20}), updown->BoundsRect());
    EXPECT_EQ(1, updown->Max()); // the third tab is cut
    updown->SetPosition(1);
    EXPECT_EQ(1, pages->GetScrolledTabCount());
    EXPECT_LE(pages->GetTabRect(0).Right, 0);
    updown->SetPosition(0);
    pages->SetBounds(kLeft, kTop, 400, 200);
    Pump();
    EXPECT_EQ(nullptr, pages->UpDown());
}

} // namespace

} // namespace tovrel::test
