// Grabs the X screen (or a rectangle of it) into a PNG file, for desktop
// scripts that compare what the screen showed before and after a change.
//   screengrab FILE.png [X,Y,W,H]
#include "platform/backend/X11Extras.h"
#include "platform/gdi/codecs/ImageCodec.h"
#include "platform/gdi/codecs/PngCodec.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>

using namespace tovrel;

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: screengrab FILE.png [X,Y,W,H]\n");
        return 2;
    }
    try {
        TSurface shot = X11GrabScreen();
        if (shot.Empty()) {
            std::fprintf(stderr, "screengrab: the X screen cannot be read\n");
            return 1;
        }
        if (argc == 3) {
            int x = 0, y = 0, w = 0, h = 0;
            if (std::sscanf(argv[2], "%d,%d,%d,%d", &x, &y, &w, &h) != 4 || w <= 0 || h <= 0) {
                std::fprintf(stderr, "screengrab: bad rectangle \"%s\"\n", argv[2]);
                return 2;
            }
            // Clipped to the screen.
            const int left = std::clamp(x, 0, shot.Width()), top = std::clamp(y, 0, shot.Height());
            const int right = std::clamp(x + w, left, shot.Width()), bottom = std::clamp(y + h, top, shot.Height());
            if (right == left || bottom == top) {
                std::fprintf(stderr, "screengrab: the rectangle is off the screen\n");
                return 1;
            }
            TSurface part(right - left, bottom - top, TPixelFormat::pf24bit);
            for (int row = top; row < bottom; ++row)
                std::memcpy(part.ScanLine(row - top), shot.ScanLine(row) + left * 3, std::size_t(right - left) * 3);
            shot = std::move(part);
        }
        WriteImageFileBytes(argv[1], EncodePng(shot, false));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "screengrab: %s\n", error.what());
        return 1;
    }
    return 0;
}
