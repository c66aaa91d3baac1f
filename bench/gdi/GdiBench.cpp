// Paint costs on a surface of the main window's client size (839 x 527).
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Text.h"

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

// A screen of list rows: one DrawText per 16-pixel row, Latin and Chinese text,
// as the file list paints after a scroll.
void BM_TextScreen(benchmark::State& state)
{
    TBenchCanvas canvas;
    LOGFONT lf;
    lf.lfHeight = 14;
    lf.lfFaceName = "Arial";
    HFONT font = CreateFontIndirect(&lf);
    HGDIOBJ old = SelectObject(canvas.Dc, ToGdiObj(font));
    SetBkMode(canvas.Dc, TRANSPARENT);
    const std::string_view rows[] = {"Holiday video 2009 (part 3).avi    00:12:45    720x576    MPEG-4",
                                     "家庭录像 第二集.mp4    01:02:03    1280x720    H.264 / AAC 128 kbps",
                                     "Concert_recording_final_version.mkv    00:58:12    1920x1080"};
    int lines = 0;
    for (auto _ : state) {
        for (int top = 0; top + 16 <= kHeight; top += 16) {
            RECT row{4, top, kWidth - 4, top + 16};
            DrawText(canvas.Dc, rows[std::size_t(top / 16) % 3], &row, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
            ++lines;
        }
    }
    state.SetItemsProcessed(lines);
    SelectObject(canvas.Dc, old);
    DeleteObject(ToGdiObj(font));
}
BENCHMARK(BM_TextScreen);

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
