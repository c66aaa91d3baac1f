#include "skin/dialogs/DialogGlyphs.h"

#include "platform/vcl/Bitmap.h"

#include <array>

namespace tovrel {

namespace {

constexpr int kSize = 16;
constexpr TColor kFolderYellow = 0x40C8F0, kFolderEdge = 0x107090, kArrowGreen = 0x209020;

void Fill(TCanvas& c, TRect r, TColor colour)
{
    c.Brush()->SetColor(colour);
    c.FillRect(r);
}

// A closed folder: tab and body.
void DrawFolder(TCanvas& c, int left, int top)
{
    Fill(c, Rect(left, top, left + 5, top + 2), kFolderEdge);
    Fill(c, Rect(left, top + 2, left + 12, top + 11), kFolderEdge);
    Fill(c, Rect(left + 1, top + 3, left + 11, top + 10), kFolderYellow);
}

// A green arrow: a triangular head and a shaft.
void DrawArrow(TCanvas& c, const std::array<TPoint, 3>& head, TRect shaft)
{
    c.Brush()->SetColor(kArrowGreen);
    c.Pen()->SetColor(kArrowGreen);
    c.Polygon(head);
    Fill(c, shaft, kArrowGreen);
}

void DrawBack(TCanvas& c)
{
    DrawArrow(c, {Point(2, 8), Point(7, 3), Point(7, 13)}, Rect(7, 6, 14, 10));
}

void DrawUp(TCanvas& c)
{
    DrawFolder(c, 0, 4);
    DrawArrow(c, {Point(11, 1), Point(7, 6), Point(15, 6)}, Rect(10, 6, 13, 12));
}

void DrawNewFolder(TCanvas& c)
{
    DrawFolder(c, 0, 4);
    // A spark in the top right corner.
    Fill(c, Rect(12, 0, 13, 7), clYellow);
    Fill(c, Rect(9, 3, 16, 4), clYellow);
    Fill(c, Rect(11, 2, 14, 5), clYellow);
}

// Four small cells with a line beside each: the list's styles.
void DrawViewStyle(TCanvas& c)
{
    for (int row = 0; row < 3; ++row) {
        Fill(c, Rect(1, 2 + row * 5, 5, 6 + row * 5), clNavy);
        Fill(c, Rect(7, 3 + row * 5, 15, 5 + row * 5), clGray);
    }
}

// A white square in a light-blue frame, green arrows to the middle of its sides.
void DrawStretch(TCanvas& c)
{
    Fill(c, Rect(0, 0, 15, 15), 0xF0C080);
    Fill(c, Rect(1, 1, 14, 14), clWhite);
    Fill(c, Rect(7, 2, 8, 13), kArrowGreen);
    Fill(c, Rect(2, 7, 13, 8), kArrowGreen);
    Fill(c, Rect(6, 3, 9, 4), kArrowGreen);
    Fill(c, Rect(6, 11, 9, 12), kArrowGreen);
    Fill(c, Rect(3, 6, 4, 9), kArrowGreen);
    Fill(c, Rect(11, 6, 12, 9), kArrowGreen);
}

} // namespace

std::unique_ptr<TBitmap> MakeDialogGlyph(TDialogGlyph Kind)
{
    auto glyph = std::make_unique<TBitmap>(kSize, kSize, TPixelFormat::pf24bit);
    TCanvas& c = *glyph->Canvas();
    Fill(c, Rect(0, 0, kSize, kSize), clFuchsia);
    switch (Kind) {
    case TDialogGlyph::Back: DrawBack(c); break;
    case TDialogGlyph::Up: DrawUp(c); break;
    case TDialogGlyph::NewFolder: DrawNewFolder(c); break;
    case TDialogGlyph::ViewStyle: DrawViewStyle(c); break;
    case TDialogGlyph::Stretch: DrawStretch(c); break;
    }
    return glyph;
}

} // namespace tovrel
