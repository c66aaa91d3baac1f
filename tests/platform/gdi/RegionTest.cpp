#include "platform/gdi/Region.h"
#include "platform/gdi/Gdi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace tovrel {

// Beside TRegion, where GoogleTest's printer finds it.
void PrintTo(const TRegion& r, std::ostream* os)
{
    for (const TRect& x : r.Rects())
        *os << "(" << x.Left << "," << x.Top << "," << x.Right << "," << x.Bottom << ")";
}

} // namespace tovrel

namespace tovrel::test {

namespace {

constexpr int kArea = 32; // regions of the model tests live in [-2, 31)

std::vector<TRect> RandomRects(std::mt19937& rng, int count)
{
    std::uniform_int_distribution<int> coord(-2, 21), size(0, 9);
    std::vector<TRect> rects;
    for (int i = 0; i < count; ++i) {
        const int x = coord(rng), y = coord(rng);
        rects.push_back(Bounds(x, y, size(rng), size(rng)));
    }
    return rects;
}

bool InAny(const std::vector<TRect>& rects, int x, int y)
{
    for (const TRect& r : rects)
        if (r.Contains({x, y}))
            return true;
    return false;
}

TRegion UnionOneByOne(const std::vector<TRect>& rects)
{
    TRegion out;
    for (const TRect& r : rects)
        out = out.Combined(TRegion(r), TRegionOp::Or);
    return out;
}

// Every operation agrees pixel by pixel with a brute-force model, and the
// canonical form makes differently built equal sets compare equal.
TEST(RegionTest, CombineMatchesPixelModel)
{
    std::mt19937 rng(12345);
    struct TCase {
        TRegionOp Op;
        bool (*Expected)(bool, bool);
    };
    const TCase cases[] = {
        {TRegionOp::And, [](bool a, bool b) { return a && b; }},
        {TRegionOp::Or, [](bool a, bool b) { return a || b; }},
        {TRegionOp::Xor, [](bool a, bool b) { return a != b; }},
        {TRegionOp::Diff, [](bool a, bool b) { return a && !b; }},
    };
    for (int round = 0; round < 60; ++round) {
        const auto ra = RandomRects(rng, 1 + round % 7), rb = RandomRects(rng, 1 + round % 5);
        const TRegion a = TRegion::FromRects(ra), b = TRegion::FromRects(rb);
        ASSERT_EQ(a, UnionOneByOne(ra));
        for (const TCase& c : cases) {
            const TRegion result = a.Combined(b, c.Op);
            std::vector<TRect> pixels;
            for (int y = -2; y < kArea; ++y)
                for (int x = -2; x < kArea; ++x) {
                    const bool expected = c.Expected(InAny(ra, x, y), InAny(rb, x, y));
                    ASSERT_EQ(result.Contains(x, y), expected)
                        << "round " << round << " op " << int(c.Op) << " at " << x << "," << y;
                    if (expected)
                        pixels.push_back(Bounds(x, y, 1, 1));
                }
            EXPECT_EQ(result, TRegion::FromRects(pixels));
            const TRect box = result.Bounds();
            for (const TRect& r : result.Rects())
                EXPECT_TRUE(r.Left >= box.Left && r.Right <= box.Right && r.Top >= box.Top && r.Bottom <= box.Bottom);
        }
    }
}

TEST(RegionTest, ManyOneRowRunsStayCompact)
{
    // A 2000-row mask: a diamond of one run per row, plus the same rows again.
    std::vector<TRect> runs;
    for (int y = 0; y < 2000; ++y) {
        const int half = y < 1000 ? y : 1999 - y;
        runs.push_back({1000 - half, y, 1001 + half, y + 1});
    }
    std::vector<TRect> twice = runs;
    twice.insert(twice.end(), runs.begin(), runs.end());
    const TRegion diamond = TRegion::FromRects(twice);
    EXPECT_EQ(diamond.RectCount(), 1999); // the two middle rows hold the same run
    EXPECT_EQ(diamond.Bounds(), Rect(1, 0, 2000, 2000));
    EXPECT_TRUE(diamond.Contains(1000, 0));
    EXPECT_FALSE(diamond.Contains(999, 0));
    // Full rows merge into one band.
    std::vector<TRect> square;
    for (int y = 0; y < 500; ++y)
        square.push_back({0, y, 10, y + 1});
    const TRegion s = TRegion::FromRects(square);
    EXPECT_TRUE(s.IsRect());
    EXPECT_EQ(s, TRegion(Rect(0, 0, 10, 500)));
    // Combining with its own complement inside the box leaves the box.
    const TRegion box(diamond.Bounds());
    EXPECT_EQ(diamond.Combined(box.Combined(diamond, TRegionOp::Diff), TRegionOp::Or), box);
}

TEST(RegionTest, ShapesAreSymmetricAndInsideTheirBox)
{
    const TRect rows{-1000, -1000, 1000, 1000};
    const TRect box{2, 3, 13, 12};
    for (const TRegion& shape : {TRegion::Ellipse(box, rows), TRegion::RoundRect(box, 6, 4, rows)}) {
        EXPECT_FALSE(shape.IsEmpty());
        const TRect b = shape.Bounds();
        EXPECT_TRUE(b.Left >= box.Left && b.Top >= box.Top && b.Right <= box.Right && b.Bottom <= box.Bottom);
        for (int y = box.Top; y < box.Bottom; ++y)
            for (int x = box.Left; x < box.Right; ++x) {
                const int mx = box.Left + box.Right - 1 - x, my = box.Top + box.Bottom - 1 - y;
                EXPECT_EQ(shape.Contains(x, y), shape.Contains(mx, y));
                EXPECT_EQ(shape.Contains(x, y), shape.Contains(x, my));
            }
        EXPECT_TRUE(shape.Contains((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2));
    }
    EXPECT_FALSE(TRegion::Ellipse(box, rows).Contains(box.Left, box.Top));
    EXPECT_EQ(TRegion::RoundRect(box, 0, 0, rows), TRegion(box));
    // Rows outside the limit are never built, whatever the size.
    EXPECT_EQ(TRegion::Ellipse({-2000000000, -2000000000, 2000000000, 2000000000}, {0, 0, 4, 4}).Bounds().Height(), 4);
}

TEST(RegionTest, PolygonFillModes)
{
    const TRect rows{-100, -100, 100, 100};
    const std::vector<TPoint> square{{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    EXPECT_EQ(TRegion::Polygon(square, false, rows), TRegion(Rect(0, 0, 4, 4)));
    // A path going round twice: alternate leaves a hole, winding fills it.
    const std::vector<TPoint> twice{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {2, 2}, {8, 2}, {8, 8}, {2, 8}, {2, 2}};
    EXPECT_FALSE(TRegion::Polygon(twice, false, rows).Contains(5, 5));
    EXPECT_TRUE(TRegion::Polygon(twice, true, rows).Contains(5, 5));
    EXPECT_TRUE(TRegion::Polygon(twice, false, rows).Contains(1, 5));
}

TEST(RegionApiTest, CombineResultsAndQueries)
{
    HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15), d = CreateRectRgn(0, 0, 0, 0);
    struct TCase {
        int Mode;
        int Result;
        RECT Box;
    };
    const TCase cases[] = {
        {RGN_AND, SIMPLEREGION, {5, 5, 10, 10}},  {RGN_OR, COMPLEXREGION, {0, 0, 15, 15}},
        {RGN_XOR, COMPLEXREGION, {0, 0, 15, 15}}, {RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}},
        {RGN_COPY, SIMPLEREGION, {0, 0, 10, 10}},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(CombineRgn(d, a, b, c.Mode), c.Result) << c.Mode;
        RECT box{};
        EXPECT_EQ(GetRgnBox(d, &box), c.Result);
        EXPECT_EQ(box, c.Box) << c.Mode;
    }
    HRGN far = CreateRectRgn(20, 20, 30, 30);
    EXPECT_EQ(CombineRgn(d, a, far, RGN_AND), NULLREGION);
    EXPECT_EQ(CombineRgn(d, a, b, 99), ERROR);
    // The destination may be a source.
    EXPECT_EQ(CombineRgn(a, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(a, 14, 14));
    EXPECT_FALSE(PtInRegion(a, 14, 2));
    const RECT inside{11, 11, 12, 12}, outside{11, 0, 15, 4};
    EXPECT_TRUE(RectInRegion(a, &inside));
    EXPECT_FALSE(RectInRegion(a, &outside));
    EXPECT_EQ(OffsetRgn(far, -20, -20), SIMPLEREGION);
    HRGN same = CreateRectRgn(10, 10, 0, 0); // corners in either order
    EXPECT_TRUE(EqualRgn(far, same));
    for (HRGN r : {a, b, d, far, same})
        EXPECT_TRUE(DeleteObject(ToGdiObj(r)));
}

TEST(RegionApiTest, RegionDataRoundTrip)
{
    std::vector<TRect> runs = {{0, 0, 3, 1}, {5, 0, 9, 1}, {1, 1, 4, 2}};
    std::vector<char> buffer(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh = RGNDATAHEADER{};
    data->rdh.nCount = DWORD(runs.size());
    std::memcpy(data->Buffer, runs.data(), runs.size() * sizeof(RECT));
    HRGN rgn = ExtCreateRegion(nullptr, DWORD(buffer.size()), data);
    ASSERT_NE(rgn, nullptr);
    const DWORD needed = GetRegionData(rgn, 0, nullptr);
    EXPECT_EQ(needed, buffer.size());
    std::vector<char> back(needed);
    auto* read = reinterpret_cast<RGNDATA*>(back.data());
    EXPECT_EQ(GetRegionData(rgn, needed, read), needed);
    EXPECT_EQ(read->rdh.nCount, 3u);
    EXPECT_EQ(read->rdh.rcBound, Rect(0, 0, 9, 2));
    EXPECT_EQ(0, std::memcmp(read->Buffer, data->Buffer, runs.size() * sizeof(RECT)));

    // Malformed data fails: a count beyond the buffer, a wrong header size or type, a transform.
    data->rdh.nCount = 4;
    EXPECT_EQ(ExtCreateRegion(nullptr, DWORD(buffer.size()), data), nullptr);
    data->rdh.nCount = 0xFFFFFFFF;
    EXPECT_EQ(ExtCreateRegion(nullptr, DWORD(buffer.size()), data), nullptr);
    data->rdh.nCount = 3;
    data->rdh.dwSize = 40;
    EXPECT_EQ(ExtCreateRegion(nullptr, DWORD(buffer.size()), data), nullptr);
    data->rdh.dwSize = 32;
    data->rdh.iType = 2;
    EXPECT_EQ(ExtCreateRegion(nullptr, DWORD(buffer.size()), data), nullptr);
    data->rdh.iType = RDH_RECTANGLES;
    EXPECT_EQ(ExtCreateRegion(&buffer, DWORD(buffer.size()), data), nullptr);
    EXPECT_EQ(ExtCreateRegion(nullptr, 16, data), nullptr);
    // An empty list is an empty region.
    data->rdh.nCount = 0;
    HRGN empty = ExtCreateRegion(nullptr, 32, data);
    RECT box{1, 1, 1, 1};
    EXPECT_EQ(GetRgnBox(empty, &box), NULLREGION);
    DeleteObject(ToGdiObj(rgn));
    DeleteObject(ToGdiObj(empty));
}

TEST(RegionApiTest, DeadHandlesFailHarmlessly)
{
    HRGN r = CreateRectRgn(0, 0, 5, 5);
    HRGN alive = CreateRectRgn(0, 0, 1, 1);
    ASSERT_TRUE(DeleteObject(ToGdiObj(r)));
    EXPECT_FALSE(DeleteObject(ToGdiObj(r)));
    RECT box{};
    EXPECT_EQ(GetRgnBox(r, &box), ERROR);
    EXPECT_EQ(CombineRgn(r, alive, alive, RGN_OR), ERROR);
    EXPECT_EQ(CombineRgn(alive, r, alive, RGN_OR), ERROR);
    EXPECT_EQ(OffsetRgn(r, 1, 1), ERROR);
    EXPECT_FALSE(PtInRegion(r, 1, 1));
    EXPECT_FALSE(EqualRgn(r, r));
    EXPECT_EQ(GetRegionData(r, 0, nullptr), 0u);
    EXPECT_EQ(GetRgnBox(HandleCast<HRGN>(ToGdiObj(static_cast<HRGN>(nullptr))), &box), ERROR);
    EXPECT_EQ(OffsetRgn(alive, 2000000000, 2000000000), SIMPLEREGION); // saturates, no overflow
    for (HRGN huge : {CreateEllipticRgn(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX),
                      CreateRoundRectRgn(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MAX)}) {
        EXPECT_TRUE(PtInRegion(huge, 0, 0));
        DeleteObject(ToGdiObj(huge));
    }
    DeleteObject(ToGdiObj(alive));
}

} // namespace
} // namespace tovrel::test
