// Probes the demo's headless screenshot: the menu row sits between the
// caption and the client area with its first item open, the drop-down lies
// below it, and the panels are where alignment puts them.
//
//   vcldemo_probe FILE.png     exits 0 when every probe holds
#include "DemoLayout.h"

#include "platform/gdi/SysColors.h"
#include "platform/gdi/codecs/ImageCodec.h"

#include <cstdio>
#include <exception>
#include <string>

using namespace tovrel;
using namespace tovrel::demo;

namespace {

COLORREF PixelAt(const TSurface& shot, TPoint p)
{
    const std::uint8_t* px = shot.ScanLine(p.Y) + p.X * shot.BytesPerPixel();
    return RGB(px[2], px[1], px[0]);
}

bool IsDark(COLORREF c)
{
    return GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90;
}

struct TProbe {
    const char* What;
    TPoint At;
    COLORREF Expected;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: vcldemo_probe FILE.png\n");
        return 2;
    }
    try {
        const TSurface shot = LoadImageFile(argv[1]);
        if (shot.Width() != kScreenWidth || shot.Height() != kScreenHeight) {
            std::fprintf(stderr, "the screenshot is %dx%d\n", shot.Width(), shot.Height());
            return 1;
        }
        // The client area's origin: below the frame, the caption and the menu row.
        const int frame = GetSystemMetrics(SM_CXFRAME), menu = GetSystemMetrics(SM_CYMENU);
        const TPoint c{kFormPos.X + frame, kFormPos.Y + frame + GetSystemMetrics(SM_CYCAPTION) + menu};
        const int right = c.X + kClientWidth - 10;
        const int middle = c.Y + kTopPanelHeight + 100;
        const int client = c.X + kLeftPanelWidth;
        const int clientTop = c.Y + kTopPanelHeight;
        const int statusTop = c.Y + kClientHeight - kStatusHeight;
        const TPoint swatch{client + (kSwatchBounds.Left + kSwatchBounds.Right) / 2,
                            clientTop + (kSwatchBounds.Top + kSwatchBounds.Bottom) / 2};
        const TPoint edit{client + kEditBounds.Right - 8, clientTop + kEditBounds.Top + 8};
        const TProbe probes[] = {
            {"menu row above the top panel", {right, c.Y - menu / 2}, GetSysColor(COLOR_MENU)},
            {"open menu item", {c.X + 3, c.Y - menu / 2}, GetSysColor(COLOR_HIGHLIGHT)},
            {"drop-down's hot first row", {c.X + 12, c.Y + 12}, GetSysColor(COLOR_HIGHLIGHT)},
            {"drop-down's last row", {c.X + 12, c.Y + 40}, GetSysColor(COLOR_MENU)},
            {"top panel", {right, c.Y + 1}, kTopPanelColour},
            {"top panel's bottom row", {right, clientTop - 1}, kTopPanelColour},
            {"client panel below the top panel", {right, clientTop + 1}, kClientPanelColour},
            {"left panel", {c.X + kLeftPanelWidth / 2, middle}, kLeftPanelColour},
            {"left panel's right column", {client - 1, middle}, kLeftPanelColour},
            {"client panel beside the left panel", {client + 1, middle}, kClientPanelColour},
            {"status area", {right, statusTop + kStatusHeight / 2}, kStatusColour},
            {"client panel above the status area", {right, statusTop - 1}, kClientPanelColour},
            {"swatch (a graphic control)", swatch, kSwatchColour},
            {"edit (a windowed control)", edit, RGB(255, 255, 255)},
        };
        int failures = 0;
        for (const TProbe& probe : probes) {
            const COLORREF seen = PixelAt(shot, probe.At);
            if (seen != probe.Expected) {
                std::fprintf(stderr, "%s at (%d, %d): %06X, expected %06X\n", probe.What, probe.At.X, probe.At.Y,
                             unsigned(seen), unsigned(probe.Expected));
                ++failures;
            }
        }
        // The second item's caption is drawn on the row, right of the open one.
        bool captionDrawn = false;
        for (int x = c.X + 60; x < c.X + 160; ++x)
            for (int y = c.Y - menu; y < c.Y; ++y)
                captionDrawn = captionDrawn || IsDark(PixelAt(shot, {x, y}));
        if (!captionDrawn) {
            std::fprintf(stderr, "no menu caption on the row right of the open item\n");
            ++failures;
        }
        return failures == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vcldemo_probe: %s\n", e.what());
        return 1;
    }
}
