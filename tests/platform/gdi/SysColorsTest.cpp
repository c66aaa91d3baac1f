#include "platform/gdi/Gdi.h"

#include <gtest/gtest.h>

namespace tovrel::test {
namespace {

TEST(SysColorsTest, ColorToRGBResolvesSystemColours)
{
    struct TCase {
        TColor Colour;
        COLORREF Expected;
    };
    const TCase cases[] = {
        {clBtnFace, RGB(212, 208, 200)},
        {clWindow, RGB(255, 255, 255)},
        {clWindowText, RGB(0, 0, 0)},
        {clHighlight, RGB(10, 36, 106)},
        {clHighlightText, RGB(255, 255, 255)},
        {clBtnShadow, RGB(128, 128, 128)},
        {clInfoBk, RGB(255, 255, 225)},
        {TColor(0xFF00000F), RGB(212, 208, 200)}, // the other system-colour spelling
        {TColor(0x00123456), 0x00123456},
        {TColor(0x80000063), 0}, // unknown index
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ColorToRGB(c.Colour), c.Expected) << std::hex << c.Colour;
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(COLOR_MENUBAR + 1), 0u);
}

TEST(SysColorsTest, BrushesAndMetrics)
{
    LOGBRUSH lb{};
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    ASSERT_EQ(GetObject(ToGdiObj(face), sizeof lb, &lb), int(sizeof lb));
    EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
    EXPECT_TRUE(DeleteObject(ToGdiObj(face)));
    EXPECT_EQ(GetObjectType(ToGdiObj(GetSysColorBrush(COLOR_BTNFACE))), OBJ_BRUSH); // still there
    EXPECT_EQ(GetSysColorBrush(99), nullptr);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
    EXPECT_EQ(GetSystemMetrics(-5), 0);
}

} // namespace
} // namespace tovrel::test
