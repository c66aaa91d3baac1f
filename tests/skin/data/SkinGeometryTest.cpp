#include <gtest/gtest.h>

#include "skin/data/PlatformEntries.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel::test {
namespace {

TEST(SkinGeometry, RectangleAndPointTests)
{
    EXPECT_EQ(GetRectWidth(TRect{10, 0, 5, 0}), -5);
    EXPECT_TRUE(IsNullRect(TRect{10, 0, 5, 0}));
    EXPECT_TRUE(IsNullRect(TRect{0, 0, 5, 0}));
    EXPECT_FALSE(IsNullRect(TRect{1, 1, 2, 2}));
    EXPECT_TRUE(IsNullRect(NullRect()));
    EXPECT_TRUE(IsNullPoint(TPoint{0, 7}));
    EXPECT_TRUE(IsNullPoint(TPoint{3, 0}));
    EXPECT_FALSE(IsNullPoint(TPoint{3, 7}));
    EXPECT_FALSE(RectsEqual(TRect{0, 0, 0, 0}, TRect{5, 5, 5, 5}));

    const TRect r{0, 0, 10, 10};
    EXPECT_TRUE(RectContainsPoint(r, TPoint{10, 10}));
    EXPECT_FALSE(r.Contains(TPoint{10, 10}));
    EXPECT_FALSE(RectContainsPoint(r, TPoint{11, 5}));

    for (const TRect& any : {r, TRect{3, 4, 5, 6}, TRect{}})
        EXPECT_FALSE(RectInRect(any, any));
    EXPECT_TRUE(RectInRect(TRect{1, 1, 9, 9}, r));

    const TRect r2{0, 10, 10, 20};
    EXPECT_FALSE(RectPartlyInRect(TRect{0, 5, 10, 25}, r2)) << "covering R2 is not partly in it";
    EXPECT_TRUE(RectPartlyInRect(TRect{0, 10, 10, 30}, r2)) << "top on R2's top edge";
    EXPECT_FALSE(RectPartlyInRect(TRect{0, 20, 10, 30}, r2)) << "top on R2's bottom edge";
    EXPECT_TRUE(RectPartlyInRect(TRect{500, 0, 600, 15}, r2)) << "horizontal position plays no part";
}

// Replaces the bound platform entries for one test and restores them after.
class BoundEntries {
public:
    explicit BoundEntries(const TskPlatformEntries& entries) : saved_(SkinPlatformEntries())
    {
        BindSkinPlatformEntries(entries);
    }
    ~BoundEntries() { BindSkinPlatformEntries(saved_); }

private:
    TskPlatformEntries saved_;
};

std::uint32_t gVersion = 0;

TEST(SkinGeometry, VersionTestsFollowThePlatformsVersion)
{
    struct Case {
        std::uint32_t Version;
        bool Vista, XP, W2000;
    };
    const Case cases[] = {
        {0x0205, false, false, true}, // 5.2
        {0x0006, true, true, true},   // 6.0
        {0x0005, false, false, true}, // 5.0
        {0x0105, false, true, true},  // 5.1
        {0x0004, false, false, false},
    };
    TskPlatformEntries entries;
    entries.GetVersion = [] { return gVersion; };
    const BoundEntries bound(entries);
    for (const Case& c : cases) {
        gVersion = c.Version;
        SCOPED_TRACE(c.Version);
        EXPECT_EQ(IsWindowsVistaOrLater(), c.Vista);
        EXPECT_EQ(IsWindowsXPOrLater(), c.XP);
        EXPECT_EQ(IsWindows2000OrLater(), c.W2000);
    }
}

TEST(PlatformEntries, MissingEntriesFallBackQuietly)
{
    const BoundEntries bound(TskPlatformEntries{});
    SetLayeredWindowAlpha(reinterpret_cast<TskWindowHandle>(0x1234), 128);
    int major = 0, minor = 0;
    GetWindowsVersion(major, minor);
    EXPECT_EQ(major, 6);
    EXPECT_EQ(minor, 1);
    EXPECT_TRUE(IsWindows2000OrLater());
}

struct AlphaCall {
    TskWindowHandle Wnd = nullptr;
    COLORREF Key = 1;
    std::uint8_t Alpha = 0;
    std::uint32_t Flags = 0;
};
AlphaCall gAlphaCall;

TEST(PlatformEntries, BoundEntriesAreCalledAndTheMonitorEntriesAreDroppedAtTheEnd)
{
    TskPlatformEntries entries;
    entries.SetLayeredWindowAttributes = [](TskWindowHandle wnd, COLORREF key, std::uint8_t alpha,
                                            std::uint32_t flags) {
        gAlphaCall = AlphaCall{wnd, key, alpha, flags};
        return true;
    };
    entries.MonitorFromWindow = [](TskWindowHandle, std::uint32_t) -> TskMonitorHandle { return nullptr; };
    entries.GetMonitorInfoA = [](TskMonitorHandle, TskMonitorInfo*) { return true; };
    const BoundEntries bound(entries);
    auto* const wnd = reinterpret_cast<TskWindowHandle>(0x42);
    SetLayeredWindowAlpha(wnd, 200);
    EXPECT_EQ(gAlphaCall.Wnd, wnd);
    EXPECT_EQ(gAlphaCall.Key, 0u);
    EXPECT_EQ(gAlphaCall.Alpha, 200);
    EXPECT_EQ(gAlphaCall.Flags, 2u);

    ReleaseSkinPlatformEntries();
    EXPECT_EQ(SkinPlatformEntries().MonitorFromWindow, nullptr);
    EXPECT_EQ(SkinPlatformEntries().GetMonitorInfoA, nullptr);
    EXPECT_NE(SkinPlatformEntries().SetLayeredWindowAttributes, nullptr);
}

} // namespace
} // namespace tovrel::test
