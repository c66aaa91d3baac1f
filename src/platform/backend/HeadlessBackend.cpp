#include "platform/backend/HeadlessBackend.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Regions.h"
#include "platform/gdi/codecs/ImageCodec.h"
#include "platform/gdi/codecs/PngCodec.h"
#include "platform/wm/Layered.h"
#include "platform/wm/Paint.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"

#include <algorithm>

namespace tovrel {

THeadlessBackend::THeadlessBackend() : monitors_{TMonitor{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}}} {}

namespace {

TRect ScreenExtent(const std::vector<TMonitor>& monitors)
{
    TRect all;
    for (const auto& m : monitors) {
        if (all.IsEmpty()) {
            all = m.Bounds;
            continue;
        }
        all = {std::min(all.Left, m.Bounds.Left), std::min(all.Top, m.Bounds.Top), std::max(all.Right, m.Bounds.Right),
               std::max(all.Bottom, m.Bounds.Bottom)};
    }
    return all;
}

std::vector<HWND> VisibleTopLevelsBottomFirst()
{
    std::vector<HWND> tops;
    EnumWindows(
        [](HWND h, LPARAM l) {
            if (IsWindowVisible(h) && !IsIconic(h))
                reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
            return BOOL(1);
        },
        reinterpret_cast<LPARAM>(&tops));
    std::reverse(tops.begin(), tops.end());
    return tops;
}

// The window's rectangle cut to its window region, in window coordinates.
TRegion WindowShape(HWND hwnd, const TSurface& surface)
{
    TRegion shape(TRect{0, 0, surface.Width(), surface.Height()});
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(hwnd, rgn) != ERROR)
        if (auto region = RegionOf(rgn))
            shape = shape.Combined(*region, TRegionOp::And);
    DeleteObject(ToGdiObj(rgn));
    return shape;
}

// Layering shows only when available: then a per-pixel-alpha window blends
// (premultiplied, as UpdateLayeredWindow takes it) and LWA_ALPHA scales it.
void DrawWindow(TSurface& screen, const TRect& extent, HWND hwnd, bool layered)
{
    auto surface = WindowSurface(hwnd);
    RECT r;
    if (!surface || !GetWindowRect(hwnd, &r))
        return;
    const bool perPixel = layered && IsPerPixelAlphaWindow(hwnd);
    BYTE constant = 255;
    DWORD flags = 0;
    if (!layered || !GetLayeredWindowAttributes(hwnd, nullptr, &constant, &flags) || !(flags & LWA_ALPHA))
        constant = 255;
    const TRect onScreen = Bounds(extent.Left - r.Left, extent.Top - r.Top, screen.Width(), screen.Height());
    WindowShape(hwnd, *surface).ForEachRectIn(onScreen, [&](const TRect& part) {
        for (int y = part.Top; y < part.Bottom; ++y) {
            const std::uint8_t* from = surface->ScanLine(y);
            std::uint8_t* to = screen.ScanLine(r.Top + y - extent.Top);
            for (int x = part.Left; x < part.Right; ++x) {
                const std::uint8_t* src = from + x * 4;
                std::uint8_t* dst = to + (r.Left + x - extent.Left) * 3;
                const int alpha = (perPixel ? src[3] : 255) * constant / 255;
                for (int c = 0; c < 3; ++c)
                    dst[c] = std::uint8_t(std::min(255, src[c] * constant / 255 + dst[c] * (255 - alpha) / 255));
            }
        }
    });
}

} // namespace

TSurface THeadlessBackend::ComposeScreen() const
{
    const TRect extent = ScreenExtent(monitors_);
    TSurface screen(extent.Width(), extent.Height(), TPixelFormat::pf24bit);
    for (HWND hwnd : VisibleTopLevelsBottomFirst())
        DrawWindow(screen, extent, hwnd, layered_);
    return screen;
}

void SaveWindowPng(HWND topLevel, const std::string& path)
{
    auto surface = WindowSurface(topLevel);
    if (!surface)
        throw EImageError("PNG: not a top-level window");
    WriteImageFileBytes(path, EncodePng(*surface, IsPerPixelAlphaWindow(topLevel) != 0));
}

void SaveScreenPng(const THeadlessBackend& backend, const std::string& path)
{
    WriteImageFileBytes(path, EncodePng(backend.ComposeScreen(), false));
}

} // namespace tovrel
