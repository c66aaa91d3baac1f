// Blend formulas and row routines of the pixel table.
#include <gtest/gtest.h>

#include "skin/draw/PixelRoutines.h"

#include <vector>

namespace tovrel::test {
namespace {

TEST(PixelRoutines, PlainBlendIsSelectedAndGivesItsOwnNumbers)
{
    EXPECT_FALSE(DetectMMX());
    const auto& t = PixelRoutines();
    EXPECT_EQ(t.BlendPixel, &PlainBlendPixel);
    struct Case {
        TskColor F, B, Expected;
    };
    const Case cases[] = {
        {0x80FFFFFF, 0xFFFFFFFF, 0xFFFEFEFE}, // weights add up to 255
        {0x00123456, 0x40ABCDEF, 0x40ABCDEF}, // alpha 0 keeps B, its alpha too
        {0xFF123456, 0x00ABCDEF, 0xFF123456}, // alpha 255 keeps F
        {0x40FF0000, 0xFF0000FF, SkColor((255 * 64) >> 8, 0, (255 * 191) >> 8, 255)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.BlendPixel(c.F, c.B), c.Expected) << std::hex << c.F << " over " << c.B;
}

TEST(PixelRoutines, RowRoutinesSkipHolesAndTouchOnlyTheirRuns)
{
    const auto& t = PixelRoutines();
    const std::vector<TskColor> src = {0x00FFFFFF, 0xFF112233, 0x80FFFFFF, TransparentKeyColor, 0xFF7F007F, 0x10445566};
    std::vector<TskColor> dst(src.size(), 0xFFFFFFFF);
    t.BlendLine(src.data(), dst.data(), 3);
    EXPECT_EQ(dst[0], 0xFFFFFFFFu);
    EXPECT_EQ(dst[1], 0xFF112233u);
    EXPECT_EQ(dst[2], 0xFFFEFEFEu);
    EXPECT_EQ(dst[3], 0xFFFFFFFFu);

    std::vector<TskColor> keyed(src.size(), 0x01020304);
    t.CopyLineKeyed(src.data(), keyed.data(), int(src.size()));
    EXPECT_EQ(keyed[3], 0x01020304u); // the key colour, transparent
    EXPECT_EQ(keyed[4], 0x01020304u); // the key colour, opaque
    EXPECT_EQ(keyed[5], 0xFF445566u); // others become opaque

    std::vector<TskColor> grid(4 * 3, 0x11111111);
    t.FillRectLongword(grid.data(), 4, 3, 0xAABBCCDD, 2, 2, 1, 1);
    t.SetAlphaRectLongword(grid.data(), 4, 3, 0x7F, 0, 3, 0, 3);
    const std::vector<TskColor> expected = {0x11111111, 0x11111111, 0x11111111, 0x7F111111, 0x11111111, 0xAABBCCDD,
                                            0xAABBCCDD, 0x11111111, 0x11111111, 0xAABBCCDD, 0xAABBCCDD, 0x11111111};
    EXPECT_EQ(grid, expected);
    const auto before = grid;
    t.FillLongword(grid.data(), 0, 0);
    t.SetAlphaLongword(grid.data(), -1, 0);
    t.FillRectLongword(grid.data(), 4, 3, 0, 0, 0, 1, 0); // no rows
    t.MoveLongword(src.data(), grid.data(), 0);
    EXPECT_EQ(grid, before);
}

} // namespace
} // namespace tovrel::test
