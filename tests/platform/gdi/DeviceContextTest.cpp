#include "GdiTestSupport.h"

#include <cstring>
#include <thread>
#include <vector>

namespace tovrel::test {
namespace {

using test::kBlack;
using test::kLegend;
using test::kRed;
using test::Rows;
using test::TTestCanvas;

void FillAll(HDC dc, COLORREF c)
{
    HBRUSH b = CreateSolidBrush(c);
    const RECT r{-100, -100, 100, 100};
    FillRect(dc, &r, b);
    DeleteObject(ToGdiObj(b));
}

TEST(DeviceContextTest, ClipCallsCombine)
{
    TTestCanvas canvas(6, 4);
    HDC dc = canvas.Dc;
    RECT box{};
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, Rect(0, 0, 6, 4));
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc, probe), 0); // none selected

    EXPECT_EQ(IntersectClipRect(dc, 1, 0, 5, 4), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(dc, 2, 1, 4, 3), COMPLEXREGION);
    FillAll(dc, kRed);
    EXPECT_EQ(canvas.Picture(kLegend), Rows({".rrrr.", ".r..r.", ".r..r.", ".rrrr."}));
    EXPECT_EQ(GetClipRgn(dc, probe), 1);
    RECT rgnBox{};
    GetRgnBox(probe, &rgnBox);
    EXPECT_EQ(rgnBox, Rect(1, 0, 5, 4));

    // Window origin moves logical rectangles, not the selected region.
    SetWindowOrgEx(dc, 1, 0, nullptr);
    EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION);
    EXPECT_EQ(box, Rect(2, 0, 6, 4));

    HRGN left = CreateRectRgn(0, 0, 2, 4);
    EXPECT_EQ(ExtSelectClipRgn(dc, left, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(SelectClipRgn(dc, nullptr), SIMPLEREGION);
    EXPECT_EQ(GetClipRgn(dc, probe), 0);
    EXPECT_EQ(SelectClipRgn(dc, left), SIMPLEREGION);
    // Changing the region afterwards does not change the clip: the DC took a copy.
    OffsetRgn(left, 3, 0);
    EXPECT_TRUE(PtVisible(dc, 1, 0)); // device x 0
    EXPECT_FALSE(PtVisible(dc, 4, 0));
    EXPECT_EQ(ExtSelectClipRgn(dc, nullptr, RGN_AND), ERROR);
    EXPECT_EQ(ExtSelectClipRgn(dc, left, 42), ERROR);
    DeleteObject(ToGdiObj(left));
    DeleteObject(ToGdiObj(probe));
}

TEST(DeviceContextTest, SaveAndRestoreState)
{
    TTestCanvas canvas(4, 4);
    HDC dc = canvas.Dc;
    HPEN red = CreatePen(PS_SOLID, 1, kRed);
    const int first = SaveDC(dc);
    EXPECT_EQ(first, 1);
    SelectObject(dc, ToGdiObj(red));
    SetTextColor(dc, kRed);
    SetViewportOrgEx(dc, 2, 2, nullptr);
    IntersectClipRect(dc, 0, 0, 1, 1);
    EXPECT_EQ(SaveDC(dc), 2);
    SetBkMode(dc, TRANSPARENT);
    EXPECT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), ToGdiObj(red));
    EXPECT_TRUE(RestoreDC(dc, first));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetTextColor(dc), kBlack);
    POINT org{9, 9};
    GetViewportOrgEx(dc, &org);
    EXPECT_EQ(org, Point(0, 0));
    RECT box{};
    GetClipBox(dc, &box);
    EXPECT_EQ(box, Rect(0, 0, 4, 4));
    EXPECT_FALSE(RestoreDC(dc, -1)); // nothing left to restore
    EXPECT_FALSE(RestoreDC(dc, 5));
    DeleteObject(ToGdiObj(red));
}

// The window layer's DC: a base origin and base clip over a shared surface.
TEST(DeviceContextTest, SurfaceDCDrawsOnlyInItsPart)
{
    auto surface = std::make_shared<TSurface>(6, 4);
    TRegion visible(Rect(2, 1, 5, 4));
    visible = visible.Combined(TRegion(Rect(4, 3, 5, 4)), TRegionOp::Diff); // a sibling covers a corner
    HDC dc = CreateSurfaceDC(surface, {2, 1}, visible);
    ASSERT_NE(dc, nullptr);
    FillAll(dc, kRed);
    SetPixel(dc, 0, 0, test::kBlue);
    std::string picture;
    const TPixelView view = TPixelView::Of(*surface);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x)
            picture += view.Read(x, y) == 0                             ? '.'
                       : view.Read(x, y) == PixelFromColor(kRed)        ? 'r'
                       : view.Read(x, y) == PixelFromColor(test::kBlue) ? 'b'
                                                                        : '?';
        picture += '\n';
    }
    EXPECT_EQ(picture, Rows({"......", "..brr.", "..rrr.", "..rr.."}));
    RECT box{};
    EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION);
    EXPECT_EQ(box, Rect(0, 0, 3, 3));
    EXPECT_EQ(SelectObject(dc, ToGdiObj(StockBitmap())), nullptr); // no bitmap in a window DC
    EXPECT_TRUE(DeleteDC(dc));
}

TEST(DeviceContextTest, TargetResizedWhileSelected)
{
    TTestCanvas canvas(4, 4);
    RECT box{};
    GetClipBox(canvas.Dc, &box);
    FindBitmap(canvas.Bitmap)->Surface().SetSize(2, 3);
    EXPECT_EQ(GetClipBox(canvas.Dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, Rect(0, 0, 2, 3));
    canvas.Fill(kRed); // stays inside the smaller buffer
    EXPECT_EQ(canvas.At(1, 2), kRed);
    EXPECT_EQ(GetPixel(canvas.Dc, 3, 3), CLR_INVALID);
}

TEST(DeviceContextTest, ObjectsSelectQueryAndDelete)
{
    TTestCanvas canvas(2, 2);
    HDC dc = canvas.Dc;
    LOGFONT lf;
    lf.lfHeight = -14;
    lf.lfWeight = FW_BOLD;
    lf.lfFaceName = "宋体";
    HFONT font = CreateFontIndirect(&lf);
    HGDIOBJ oldFont = SelectObject(dc, ToGdiObj(font));
    EXPECT_EQ(oldFont, GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(FindDeviceContext(dc)->Font(), lf);
    LOGFONT back;
    EXPECT_EQ(GetObject(ToGdiObj(font), sizeof back, &back), int(sizeof back));
    EXPECT_EQ(back, lf);
    // Deleting a selected object kills the handle; the DC keeps drawing with it.
    EXPECT_TRUE(DeleteObject(ToGdiObj(font)));
    EXPECT_EQ(GetObjectType(ToGdiObj(font)), 0u);
    EXPECT_EQ(FindDeviceContext(dc)->Font().lfFaceName, "宋体");
    SelectObject(dc, oldFont);

    LOGPEN pen{};
    EXPECT_EQ(GetObject(GetStockObject(NULL_PEN), sizeof pen, &pen), int(sizeof pen));
    EXPECT_EQ(pen.lopnStyle, UINT(PS_NULL));
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH))); // stock objects survive
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), OBJ_BRUSH);
    EXPECT_EQ(GetObjectType(ToGdiObj(dc)), OBJ_MEMDC);
    EXPECT_FALSE(DeleteObject(ToGdiObj(dc))); // DCs go through DeleteDC
    EXPECT_EQ(GetStockObject(-1), nullptr);
    EXPECT_EQ(GetStockObject(99), nullptr);
    EXPECT_EQ(CreatePen(42, 1, 0), nullptr);
}

TEST(DeviceContextTest, DibSectionsDescribeTheirMemory)
{
    TTestCanvas bottomUp(3, 2, 32, true), topDown(3, 2, 24, false);
    // Drawing at the top row lands in the last stored row of a bottom-up section.
    SetPixel(bottomUp.Dc, 0, 0, RGB(1, 2, 3));
    const auto* stored = static_cast<const std::uint8_t*>(bottomUp.Bits);
    EXPECT_EQ(stored[12 + 0], 3);
    EXPECT_EQ(stored[12 + 2], 1);
    SetPixel(topDown.Dc, 2, 0, RGB(1, 2, 3));
    EXPECT_EQ(static_cast<const std::uint8_t*>(topDown.Bits)[6], 3);

    DIBSECTION ds{};
    EXPECT_EQ(GetObject(ToGdiObj(bottomUp.Bitmap), sizeof ds, &ds), int(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmBits, bottomUp.Bits);
    EXPECT_EQ(ds.dsBmih.biHeight, 2);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, 12);
    EXPECT_EQ(GetObject(ToGdiObj(topDown.Bitmap), sizeof ds, &ds), int(sizeof ds));
    EXPECT_EQ(ds.dsBmih.biHeight, -2);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, 12); // 9 bytes padded
    HBITMAP plain = CreateCompatibleBitmap(nullptr, 5, 5);
    EXPECT_EQ(GetObject(ToGdiObj(plain), sizeof ds, &ds), int(sizeof(BITMAP))); // not a section
    EXPECT_EQ(GetObject(ToGdiObj(plain), 0, nullptr), int(sizeof(BITMAP)));
    DeleteObject(ToGdiObj(plain));

    struct TBad {
        LONG Width, Height;
        WORD BitCount;
        DWORD Compression;
    };
    const TBad bad[] = {{0, 5, 32, BI_RGB},        {5, 0, 32, BI_RGB},       {-5, 5, 32, BI_RGB},
                        {5, 5, 8, BI_RGB},         {5, 5, 32, BI_BITFIELDS}, {100000, 100000, 32, BI_RGB},
                        {5, INT32_MIN, 32, BI_RGB}};
    for (const TBad& b : bad) {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biWidth = b.Width;
        bmi.bmiHeader.biHeight = b.Height;
        bmi.bmiHeader.biBitCount = b.BitCount;
        bmi.bmiHeader.biCompression = b.Compression;
        void* bits = &bmi;
        EXPECT_EQ(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr)
            << b.Width << "x" << b.Height;
        EXPECT_EQ(bits, nullptr);
    }
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, -1, 5), nullptr);
}

TEST(DeviceContextTest, DeadDCsFailEveryCall)
{
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    POINT p{};
    RECT r{};
    EXPECT_EQ(SaveDC(dc), 0);
    EXPECT_FALSE(RestoreDC(dc, -1));
    EXPECT_FALSE(SetWindowOrgEx(dc, 1, 1, &p));
    EXPECT_FALSE(GetViewportOrgEx(dc, &p));
    EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);
    EXPECT_EQ(SetBkMode(dc, OPAQUE), 0);
    EXPECT_EQ(IntersectClipRect(dc, 0, 0, 1, 1), ERROR);
    EXPECT_EQ(GetClipBox(dc, &r), ERROR);
    EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 0);
    EXPECT_EQ(FindDeviceContext(dc), nullptr);
    HDC live = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SetBkMode(live, 7), 0); // invalid modes are refused
    EXPECT_EQ(GetBkMode(live), OPAQUE);
    EXPECT_EQ(GetDeviceCaps(live, LOGPIXELSY), 96);
    // Without a bitmap selected, drawing does nothing (the default bitmap is shared).
    EXPECT_EQ(SetPixel(live, 0, 0, RGB(1, 2, 3)), CLR_INVALID);
    EXPECT_EQ(GetPixel(live, 0, 0), CLR_INVALID);
    RECT box{1, 1, 1, 1};
    EXPECT_EQ(GetClipBox(live, &box), NULLREGION);
    DeleteDC(live);
}

// Worker threads (the player's) create, draw with and delete their own objects
// while the main thread does the same: the handle table is shared.
TEST(DeviceContextTest, ObjectsFromSeveralThreads)
{
    auto work = [] {
        for (int i = 0; i < 200; ++i) {
            TTestCanvas canvas(8, 8);
            HRGN rgn = CreateEllipticRgn(0, 0, 8, 8);
            SelectClipRgn(canvas.Dc, rgn);
            canvas.Fill(kRed);
            EXPECT_EQ(canvas.At(4, 4), kRed);
            DeleteObject(ToGdiObj(rgn));
        }
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t)
        threads.emplace_back(work);
    work();
    for (auto& t : threads)
        t.join();
}

} // namespace
} // namespace tovrel::test
