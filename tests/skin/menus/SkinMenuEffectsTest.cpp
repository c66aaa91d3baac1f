#include "SkinMenuTestSupport.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Regions.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Timer.h"
#include "platform/wm/Layered.h"
#include "platform/wm/Paint.h"
#include "platform/wm/Styles.h"
#include "skin/data/SkinMenuEntries.h"
#include "skin/draw/MorphedImage.h"
#include "skin/menus/PopupFade.h"

namespace tovrel::test {

class SkinMenuEffectsTest : public SkinMenuTest {
protected:
    // Skin 1 with two plain rows, the pointer resting where the first will
    // be; the menu-item entry is this test's to change.
    TskDataSkinMenuItem& SkinWithTwoRows()
    {
        data = UseSkin(1);
        Add(menu->Items(), "First");
        Add(menu->Items(), "Second");
        InjectMouseMove({130, 130});
        Pump();
        for (auto& object : data->ObjectList)
            if (auto* entry = dynamic_cast<TskDataSkinMenuItem*>(object.get()))
                return *entry;
        throw std::runtime_error("the skin has no menu-item entry");
    }
    // What the row shows 1 px below its top-left corner.
    COLORREF RowPixel(int i) const
    {
        const TRect r = Row(0, i).ObjectRect;
        return PixelAt(Level(0), r.Left, r.Top + 1);
    }
    // The same point of a picture rectangle the row is cut from.
    COLORREF Source(const TskDataSkinMenuItem& entry, TRect r) const
    {
        return ColorToRGB(data->ActivePicture(entry.ActivePictureIndex)->Canvas()->Pixels(r.Left, r.Top + 1));
    }
    bool MorphRunning() const { return Level(0).MorphTimer->Enabled(); }

    TskSkinData* data = nullptr;
};

TEST_F(SkinMenuEffectsTest, RowsMorphTowardTheirStateInFiveTicks)
{
    TskDataSkinMenuItem& entry = SkinWithTwoRows();
    entry.Morphing = true;
    Open(data);
    const COLORREF normal = Source(entry, entry.SkinRect), hot = Source(entry, entry.ActiveSkinRect);
    ASSERT_NE(normal, hot);
    // The first row is preselected as the level opens and morphs toward hot.
    EXPECT_EQ(Row(0, 0).MorphKf(), 0);
    int ticks = 0;
    while (Row(0, 0).MorphKf() < 1 && ticks < 10) {
        Tick(kMorphInterval);
        ++ticks;
    }
    EXPECT_EQ(ticks, 5);
    EXPECT_EQ(RowPixel(0), hot);
    Tick(kMorphInterval);
    EXPECT_FALSE(MorphRunning()) << "the timer stops once no row changes";

    // Halfway to the other row both are blends; then the roles have swapped.
    InjectMouseMove(RowCenter(0, 1));
    Pump();
    Tick(kCursorPollMs + kMorphInterval);
    EXPECT_GT(Row(0, 0).MorphKf(), 0);
    EXPECT_LT(Row(0, 0).MorphKf(), 1);
    EXPECT_NE(RowPixel(0), normal);
    EXPECT_NE(RowPixel(0), hot);
    Tick(6 * kMorphInterval);
    EXPECT_EQ(Row(0, 0).MorphKf(), 0);
    EXPECT_EQ(Row(0, 1).MorphKf(), 1);
    EXPECT_EQ(RowPixel(0), normal);
    EXPECT_EQ(RowPixel(1), hot);
    engine->Hide();
    Pump();

    // With the skin's effects off the row switches at once.
    data->EnableSkinEffects = false;
    Open(data);
    EXPECT_EQ(RowPixel(0), hot);
    EXPECT_FALSE(MorphRunning());
}

TEST_F(SkinMenuEffectsTest, HoverPlaysTheFrameStripThenRestsOnTheHotImage)
{
    TskDataSkinMenuItem& entry = SkinWithTwoRows();
    // Two frames side by side in rows added below the picture, red then blue.
    TBitmap& picture = *data->ActivePicture(entry.ActivePictureIndex);
    const int w = entry.SkinRect.Width(), h = entry.SkinRect.Height(), top = picture.Height();
    picture.SetSize(std::max(picture.Width(), 2 * w), top + h);
    picture.Canvas()->Brush()->SetColor(clRed);
    picture.Canvas()->FillRect(Rect(0, top, w, top + h));
    picture.Canvas()->Brush()->SetColor(clBlue);
    picture.Canvas()->FillRect(Rect(w, top, 2 * w, top + h));
    entry.AnimateSkinRect = Rect(0, top, 2 * w, top + h);
    entry.FrameCount = 2;
    entry.AnimateInterval = 30;
    const COLORREF normal = Source(entry, entry.SkinRect), hot = Source(entry, entry.ActiveSkinRect);

    for (bool backward : {false, true}) {
        SCOPED_TRACE(backward ? "played back on leaving" : "normal at once on leaving");
        entry.InActiveAnimation = backward;
        Open(data);
        std::vector<COLORREF> shown;
        for (int i = 0; i < 3; ++i) {
            Tick(30);
            shown.push_back(RowPixel(0));
        }
        EXPECT_EQ(shown, std::vector<COLORREF>({ColorToRGB(clRed), ColorToRGB(clBlue), hot}));
        Tick(30);
        EXPECT_FALSE(MorphRunning());

        Key(VK_DOWN); // the first row loses the highlight
        if (backward) {
            shown.clear();
            for (int i = 0; i < 3; ++i) {
                Tick(30);
                shown.push_back(RowPixel(0));
            }
            EXPECT_EQ(shown, std::vector<COLORREF>({ColorToRGB(clBlue), ColorToRGB(clRed), normal}));
        }
        EXPECT_EQ(RowPixel(0), normal);
        engine->Hide();
        Pump();
    }
    // A strip without frames plays nothing.
    entry.FrameCount = 0;
    Open(data);
    EXPECT_EQ(RowPixel(0), hot);
    EXPECT_FALSE(MorphRunning());
}

TEST_F(SkinMenuEffectsTest, TheSkinMaskShapesTheLevelAtItsSize)
{
    data = UseSkin(1);
    Add(menu->Items(), "A row wider than the picture");
    Add(menu->Items(), "Second");
    TskDataSkinPopupWindow& popup = data->PopupWindow;
    const TBitmap& picture = *data->ActivePicture(popup.WindowPictureIndex);
    // Black is the shape: the mask cuts the top-left pixel only.
    auto mask = std::make_unique<TBitmap>(picture.Width(), picture.Height());
    mask->Canvas()->Brush()->SetColor(clBlack);
    mask->Canvas()->FillRect(Rect(0, 0, picture.Width(), picture.Height()));
    mask->Canvas()->SetPixel(0, 0, clWhite);
    data->FActivePictures.push_back(std::move(mask));
    popup.MaskPictureIndex = int(data->FActivePictures.size()) - 1;
    Open(data);

    TskSkinPopupWindow& level = Level(0);
    ASSERT_GT(level.Width(), picture.Width());
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(level.Handle(), shape), ERROR);
    EXPECT_FALSE(PtInRegion(shape, 0, 0));
    EXPECT_TRUE(PtInRegion(shape, 1, 0));
    EXPECT_TRUE(PtInRegion(shape, level.Width() - 1, level.Height() - 1));
    EXPECT_TRUE(PtInRegion(shape, level.Width() / 2, level.Height() / 2));
    DeleteObject(shape);
}

namespace {

class LayeredBackend : public TBackend {
public:
    bool LayeredWindowsAvailable() override { return true; }
};

BYTE AlphaOf(TWinControl& window)
{
    BYTE alpha = 0;
    return GetLayeredWindowAttributes(window.Handle(), nullptr, &alpha, nullptr) ? alpha : 255;
}

bool IsLayered(TWinControl& window)
{
    return (GetWindowLongPtr(window.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

} // namespace

TEST_F(SkinMenuEffectsTest, TheFirstLevelFadesInWhereLayersExist)
{
    Add(menu->Items(), "First");
    Add(Add(menu->Items(), "More"), "Inner");
    const auto translucent = [this] {
        engine->AlphaBlend = true;
        engine->AlphaBlendValue = 150;
        engine->AlphaBlendAnimation = true;
    };
    translucent();
    Open(nullptr);
    EXPECT_FALSE(IsLayered(Level(0))) << "without layered windows the values are only kept";
    engine->Hide();
    Pump();

    engine.reset();
    form.reset();
    SetBackend(std::make_shared<LayeredBackend>());
    form = ShownForm(100, 100, 300, 200);
    engine = std::make_unique<TskSkinMenu>(nullptr, form.get());
    translucent();
    Open(nullptr);
    ASSERT_TRUE(IsLayered(Level(0)));
    std::vector<int> alphas{AlphaOf(Level(0))};
    for (int i = 0; i < 16; ++i) {
        clock->Advance(kPopupFadeStepMs);
        Pump();
        alphas.push_back(AlphaOf(Level(0)));
    }
    std::vector<int> expected;
    for (int a = 0; a <= 150; a += 10)
        expected.push_back(a);
    expected.push_back(150);
    EXPECT_EQ(alphas, expected);

    // A sub-menu shows at the menus' alpha at once.
    Click(RowCenter(0, 1));
    ASSERT_EQ(engine->LevelCount(), 2);
    EXPECT_EQ(AlphaOf(Level(1)), 150);
}

} // namespace tovrel::test
