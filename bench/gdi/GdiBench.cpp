// Paint costs on a surface of the main window's client size (839 x 527).
#include "platform/gdi/Gdi.h"

#include <benchmark/benchmark.h>

namespace tovrel {
namespace {

constexpr int kWidth = 839, kHeight = 527;

class TBenchCanvas {
public:
    TBenchCanvas()
    {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biWidth = kWidth;
        bmi.bmiHeader.biHeight = -kHeight;
        bmi.bmiHeader.biBitCount = 32;
        bitmap_ = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, nullptr, nullptr, 0);
        Dc = CreateCompatibleDC(nullptr);
        old_ = SelectObject(Dc, ToGdiObj(bitmap_));
    }
    ~TBenchCanvas()
    {
        SelectObject(Dc, old_);
        DeleteDC(Dc);
        DeleteObject(ToGdiObj(bitmap_));
    }
    TBenchCanvas(const TBenchCanvas&) = delete;
    TBenchCanvas& operator=(const TBenchCanvas&) = delete;

    HDC Dc = nullptr;

private:
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

void BM_FillScreen(benchmark::State& state)
{
    TBenchCanvas canvas;
    HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
    const RECT all{0, 0, kWidth, kHeight};
    for (auto _ : state)
        FillRect(canvas.Dc, &all, brush);
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_FillScreen);

void BM_BlitScreen(benchmark::State& state)
{
    TBenchCanvas from, to;
    for (auto _ : state)
        BitBlt(to.Dc, 0, 0, kWidth, kHeight, from.Dc, 0, 0, SRCCOPY);
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_BlitScreen);

// A control-style paint: the screen clipped to a window region with a hole.
void BM_BlitScreenClipped(benchmark::State& state)
{
    TBenchCanvas from, to;
    HRGN clip = CreateRoundRectRgn(0, 0, kWidth, kHeight, 12, 12);
    SelectClipRgn(to.Dc, clip);
    ExcludeClipRect(to.Dc, 100, 100, 300, 300);
    for (auto _ : state)
        BitBlt(to.Dc, 0, 0, kWidth, kHeight, from.Dc, 0, 0, SRCCOPY);
    DeleteObject(ToGdiObj(clip));
}
BENCHMARK(BM_BlitScreenClipped);

void BM_StretchScreen(benchmark::State& state)
{
    TBenchCanvas from, to;
    SetStretchBltMode(to.Dc, COLORONCOLOR);
    for (auto _ : state)
        StretchBlt(to.Dc, 0, 0, kWidth, kHeight, from.Dc, 0, 0, kWidth / 2, kHeight / 2, SRCCOPY);
}
BENCHMARK(BM_StretchScreen);

void BM_AlphaBlendScreen(benchmark::State& state)
{
    TBenchCanvas from, to;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 200, AC_SRC_ALPHA};
    for (auto _ : state)
        AlphaBlend(to.Dc, 0, 0, kWidth, kHeight, from.Dc, 0, 0, kWidth, kHeight, blend);
}
BENCHMARK(BM_AlphaBlendScreen);

// A mask region of one run per row, as window shapes are built.
void BM_RegionFromRowRuns(benchmark::State& state)
{
    std::vector<TRect> runs;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; x += 40)
            runs.push_back({x + y % 7, y, x + 30, y + 1});
    for (auto _ : state)
        benchmark::DoNotOptimize(TRegion::FromRects(runs));
    state.SetItemsProcessed(state.iterations() * std::int64_t(runs.size()));
}
BENCHMARK(BM_RegionFromRowRuns);

} // namespace
} // namespace tovrel
