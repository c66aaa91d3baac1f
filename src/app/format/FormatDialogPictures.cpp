#include "app/format/FormatDialogPictures.h"

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/Picture.h"

#include <array>

namespace tovrel {

namespace {

// A category's tile: its short name on its colour (colours are 0x00BBGGRR).
struct TCategoryTile {
    std::string_view Label;
    TColor Colour;
};

constexpr std::array<TCategoryTile, 12> CategoryTiles = {{
    {"AVI", 0x00B06020},
    {"MP3", 0x002080C0},
    {"HD", 0x004030A0},
    {"iPod", 0x00707070},
    {"iPh", 0x00303030},
    {"PSP", 0x00A04040},
    {"3GP", 0x00309030},
    {"TV", 0x00606060},
    {"360", 0x00208020},
    {"PMP", 0x00905090},
    {"MP4", 0x00C08020},
    {"FLV", 0x002020C0},
}};

// Corners of a tile show what lies behind it.
constexpr TColor kTransparentCorner = clFuchsia;

void DrawTile(TBitmap& bitmap, const TCategoryTile& tile)
{
    TCanvas& canvas = *bitmap.Canvas();
    const int size = bitmap.Width();
    canvas.Brush()->SetColor(kTransparentCorner);
    canvas.FillRect({0, 0, size, size});
    canvas.Brush()->SetColor(tile.Colour);
    canvas.Pen()->SetColor(tile.Colour);
    canvas.RoundRect(1, 1, size - 1, size - 1, 9, 9);
    canvas.Font()->SetName("Arial");
    canvas.Font()->SetHeight(-11);
    canvas.Font()->SetStyle({fsBold});
    canvas.Font()->SetColor(clWhite);
    canvas.Brush()->SetStyle(bsClear);
    canvas.TextOut((size - canvas.TextWidth(tile.Label)) / 2, (size - canvas.TextHeight(tile.Label)) / 2, tile.Label);
}

} // namespace

void AddCategoryPictures(TCustomImageList& list)
{
    for (const TCategoryTile& tile : CategoryTiles) {
        TBitmap bitmap;
        bitmap.SetPixelFormat(TPixelFormat::pf24bit);
        bitmap.SetSize(list.Width(), list.Height());
        DrawTile(bitmap, tile);
        list.AddMasked(&bitmap, kTransparentCorner);
    }
}

void DrawDialogPicture(TPicture& picture, int width, int height)
{
    TBitmap bitmap;
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    bitmap.SetSize(width, height);
    TCanvas& canvas = *bitmap.Canvas();
    // A vertical blend from deep to light blue, with a film strip along the top and bottom.
    for (int y = 0; y < height; ++y) {
        const int light = 60 + 140 * y / (height > 1 ? height - 1 : 1);
        canvas.Pen()->SetColor(TColor(0x00C00000 | (light << 8) | (light / 3)));
        canvas.MoveTo(0, y);
        canvas.LineTo(width, y);
    }
    canvas.Brush()->SetColor(clBlack);
    canvas.FillRect({0, 0, width, 12});
    canvas.FillRect({0, height - 12, width, height});
    canvas.Brush()->SetColor(clWhite);
    for (int x = 4; x + 6 < width; x += 12) {
        canvas.FillRect({x, 3, x + 6, 9});
        canvas.FillRect({x, height - 9, x + 6, height - 3});
    }
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetName("Arial");
    canvas.Font()->SetHeight(-20);
    canvas.Font()->SetStyle({fsBold});
    canvas.Font()->SetColor(clWhite);
    const std::string_view text = "Tovrel";
    canvas.TextOut((width - canvas.TextWidth(text)) / 2, (height - canvas.TextHeight(text)) / 2, text);
    picture.Assign(&bitmap);
}

} // namespace tovrel
