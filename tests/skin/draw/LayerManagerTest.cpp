// Glow layers on the headless window layer with a fake clock.
#include <gtest/gtest.h>

#include "platform/rtl/MainThread.h"
#include "platform/wm/Backend.h"
#include "platform/wm/Wm.h"
#include "skin/draw/LayerManager.h"
#include "skin/draw/MonitorAreas.h"

#include <vector>

namespace tovrel::test {
namespace {

struct TPush {
    HWND Window;
    TPoint At;
    TSize Size;
    int Alpha;
    std::uint8_t Format;
    std::uint32_t Flags;
};

std::vector<TPush>& Pushes()
{
    static std::vector<TPush> pushes;
    return pushes;
}

bool RecordPush(TskWindowHandle wnd, TskDeviceContext dst, const TPoint* at, const TSize* size, TskDeviceContext,
                const TPoint*, COLORREF, const TskBlendFunction* blend, std::uint32_t flags)
{
    EXPECT_EQ(dst, nullptr);
    Pushes().push_back({static_cast<HWND>(wnd), *at, *size, blend->SourceConstantAlpha, blend->AlphaFormat, flags});
    return true;
}

class TLayerTest : public ::testing::Test {
protected:
    std::shared_ptr<TFakeClock> clock = std::make_shared<TFakeClock>(5000);
    std::shared_ptr<TBackend> oldBackend;
    TskBitmap Image, Mask;

    void SetUp() override
    {
        TMainThread::SetCurrent();
        SetClock(clock);
        oldBackend = SetBackend(std::make_shared<TBackend>());
        TskPlatformEntries entries = WindowLayerPlatformEntries();
        entries.UpdateLayeredWindow = RecordPush;
        BindSkinPlatformEntries(entries);
        Pushes().clear();
        Image.SetSize(4, 3);
        Image.Clear(0xFF3366CC);
        Mask.SetSize(4, 3);
        Mask.Clear(0xFF808080);
        Mask.Pixel(0, 0) = 0xFFFFFFFF;
    }
    void TearDown() override
    {
        PumpWaitingMessages();
        ReleaseSkinPlatformEntries();
        BindSkinPlatformEntries(TskPlatformEntries{});
        SetBackend(oldBackend);
        SetClock(nullptr);
    }
    // Moves the clock by one fade interval and lets the timer fire.
    void Tick()
    {
        clock->Advance(TskLayerManager::FadeIntervalMs);
        PumpWaitingMessages();
    }
    static std::vector<int> Alphas()
    {
        std::vector<int> alphas;
        for (const TPush& p : Pushes())
            alphas.push_back(p.Alpha);
        return alphas;
    }
};

TEST_F(TLayerTest, FadeRisesByATenthEveryTwentyFiveMillisecondsToTheTarget)
{
    TskLayerManager layer;
    layer.Show(100, 50, Image, Mask, 255);
    ASSERT_TRUE(layer.IsVisible());
    HWND w = layer.LayerWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(GetWindowLongPtr(w, GWL_STYLE) & (WS_POPUP | WS_CHILD | WS_CAPTION | WS_BORDER), LONG_PTR(WS_POPUP));
    EXPECT_EQ(GetWindowLongPtr(w, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_LAYERED),
              LONG_PTR(WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_LAYERED));
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ(SendMessage(w, WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
    // The picture: the image's colours with alpha from the mask's grey.
    EXPECT_EQ(layer.Bmp()->Pixel(0, 0), 0xFF3366CCu);
    EXPECT_EQ(layer.Bmp()->Pixel(1, 1), 0x803366CCu);
    ASSERT_EQ(Pushes().size(), 1u);
    EXPECT_EQ(Pushes()[0].At, (TPoint{100, 50}));
    EXPECT_EQ(Pushes()[0].Size, (TSize{4, 3}));
    EXPECT_EQ(Pushes()[0].Format, AC_SRC_ALPHA);
    EXPECT_EQ(Pushes()[0].Flags, ULW_ALPHA);

    clock->Advance(TskLayerManager::FadeIntervalMs - 1);
    PumpWaitingMessages();
    EXPECT_EQ(Pushes().size(), 1u); // not due yet
    for (int i = 0; i < 12; ++i)
        Tick();
    EXPECT_EQ(Alphas(), (std::vector<int>{0, 25, 50, 75, 100, 125, 150, 175, 200, 225, 250, 255}));
    EXPECT_FALSE(layer.TimerEnabled());
    EXPECT_EQ(layer.BeginAlphaBlendValue(), 255);
}

TEST_F(TLayerTest, SmallTargetsRiseByOneAndZeroStopsAtOnce)
{
    TskLayerManager layer;
    layer.Show(0, 0, Image, Mask, 5);
    for (int i = 0; i < 7; ++i)
        Tick();
    EXPECT_EQ(Alphas(), (std::vector<int>{0, 1, 2, 3, 4, 5}));

    Pushes().clear();
    layer.Show(0, 0, Image, Mask, 0);
    Tick();
    Tick();
    EXPECT_EQ(Alphas(), (std::vector<int>{0, 0}));
    EXPECT_TRUE(layer.IsVisible());
    EXPECT_FALSE(layer.TimerEnabled());
}

TEST_F(TLayerTest, ASecondShowReplacesTheLayerAndHideRemovesItAtOnce)
{
    TskLayerManager layer;
    layer.TopMostMode = false;
    layer.Show(10, 10, Image, Mask, 200);
    Tick();
    Tick();
    HWND first = layer.LayerWindow();
    layer.Show(30, 40, Image, Mask, 200);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(layer.BeginAlphaBlendValue(), 0);
    Tick();
    EXPECT_EQ(Pushes().back().Alpha, 20);
    EXPECT_EQ(Pushes().back().At, (TPoint{30, 40}));

    HWND second = layer.LayerWindow();
    layer.Hide();
    EXPECT_FALSE(layer.IsVisible());
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(layer.Bmp(), nullptr);
    const std::size_t pushes = Pushes().size();
    Tick();
    EXPECT_EQ(Pushes().size(), pushes);
    layer.Hide(); // idle: nothing more happens
}

TEST_F(TLayerTest, MissingLayeredEntryStillRunsTheFadeToItsEnd)
{
    BindSkinPlatformEntries(TskPlatformEntries{});
    TskLayerManager layer;
    layer.Show(0, 0, Image, Mask, 30); // steps of 3: ten ticks
    for (int i = 0; i < 9; ++i)
        Tick();
    EXPECT_TRUE(layer.TimerEnabled());
    Tick();
    EXPECT_TRUE(Pushes().empty());
    EXPECT_FALSE(layer.TimerEnabled());
    EXPECT_EQ(layer.BeginAlphaBlendValue(), 30);
}

TEST_F(TLayerTest, DestroyingTheManagerRemovesItsWindow)
{
    HWND w;
    {
        TskLayerManager layer;
        layer.Show(0, 0, Image, Mask, 100);
        w = layer.LayerWindow();
    }
    EXPECT_FALSE(IsWindow(w));
    Tick();
}

} // namespace
} // namespace tovrel::test
