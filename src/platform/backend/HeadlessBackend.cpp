#include "platform/backend/HeadlessBackend.h"

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
    EnumWindows([](HWND h, LPARAM l) {
        if (IsWindowVisible(h) && !IsIconic(h))
            reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
        return BOOL(1);
    }, reinterpret_cast<LPARAM>(&tops));
    std::reverse(tops.begin(), tops.end());
    return tops;
}

void DrawWindow(TSurface& screen, const TRect& extent, HWND hwnd)
{
    auto surface = WindowSurface(hwnd);
    RECT r;
    if (!surface || !GetWindowRect(hwnd, &r))
        return;
    const bool blend = IsPerPixelAlphaWindow(hwnd) != 0;
    for (int y = 0; y < surface->Height(); ++y) {
        const int sy = r.Top + y - extent.Top;
        if (sy < 0 || sy >= screen.Height())
            continue;
        const std::uint8_t* from = surface->ScanLine(y);
        std::uint8_t* to = screen.ScanLine(sy);
        for (int x = 0; x < surface->Width(); ++x) {
            const int sx = r.Left + x - extent.Left;
            if (sx < 0 || sx >= screen.Width())
                continue;
            const std::uint8_t* s = from + x * 4;
            std::uint8_t* d = to + sx * 3;
            // Layered content is premultiplied, as UpdateLayeredWindow takes it.
            const int alpha = blend ? s[3] : 255;
            for (int c = 0; c < 3; ++c)
                d[c] = std::uint8_t(std::min(255, s[c] + d[c] * (255 - alpha) / 255));
        }
    }
}

} // namespace

TSurface THeadlessBackend::ComposeScreen() const
{
    const TRect extent = ScreenExtent(monitors_);
    TSurface screen(extent.Width(), extent.Height(), TPixelFormat::pf24bit);
    for (HWND hwnd : VisibleTopLevelsBottomFirst())
        DrawWindow(screen, extent, hwnd);
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
