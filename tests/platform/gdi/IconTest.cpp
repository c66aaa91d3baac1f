// Icon handles: drawing through the mask or by alpha against expected
// pixels, sizes, scaled copies, the stock pictures, and what a handle is.
#include "GdiTestSupport.h"
#include "platform/gdi/IcoFileBuilder.h"
#include "platform/gdi/StockIcons.h"
#include "platform/gdi/SurfaceDrawing.h"
#include "platform/gdi/codecs/IcoCodec.h"

#include <filesystem>
#include <unistd.h>

namespace tovrel::test {
namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255), kPink = RGB(255, 127, 127);
const std::map<COLORREF, char> kIconLegend = {{kRed, 'r'},   {kBlue, 'b'},    {kGreen, 'g'}, {kWhite, 'w'},
                                              {kBlack, '#'}, {kMagenta, 'm'}, {kPink, 'p'}};

// An icon of rows as IcoFileBuilder.h spells them, plus 'x': a white colour
// pixel under a transparent mask bit, which inverts the screen. With `alpha`
// the colour carries the characters' alpha.
HICON IconFromRows(const TRows& rows, bool alpha)
{
    const int width = int(rows[0].size()), height = int(rows.size());
    TSurface colour(width, height), mask(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const char c = rows[std::size_t(y)][std::size_t(x)];
            const bool clear = c == '.' || c == 'x';
            const TPixel pixel = c == 'x' ? 0xFFFFFF : RowsColour(c) | (alpha ? TPixel(RowsAlpha(c)) << 24 : 0);
            StorePixel(colour.ScanLine(y) + x * 4, pixel);
            StorePixel(mask.ScanLine(y) + x * 4, clear ? 0xFFFFFF : 0);
        }
    ICONINFO info;
    info.hbmColor = CreateBitmapOf(colour);
    info.hbmMask = CreateBitmapOf(mask);
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return icon;
}

TPixel ColourAt(HICON icon, int x, int y)
{
    return LoadPixel(FindIconImage(icon)->Color.ScanLine(y) + x * 4);
}

TEST(IconTest, DrawsThroughTheMaskOrByAlpha)
{
    struct TCase {
        const char* Name;
        TRows Icon;
        bool Alpha;
        UINT Flags;
        COLORREF Background;
        const char* Shows;
    } const cases[] = {
        {"mask: colour, screen, inverted screen", {"rb.x"}, false, DI_NORMAL, kGreen, "rbgm"},
        {"mask: the image alone", {"rb.x"}, false, DI_IMAGE, kGreen, "rb#w"},
        {"mask: the mask alone", {"rb.x"}, false, DI_MASK, kGreen, "##ww"},
        {"alpha: blended edge", {"rh.."}, true, DI_NORMAL, kWhite, "rpww"},
        {"alpha: the image alone ignores alpha", {"rh.."}, true, DI_IMAGE, kWhite, "rr##"},
        {"alpha: the mask follows alpha", {"rh.."}, true, DI_MASK, kWhite, "##ww"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTestCanvas canvas(4, 1, 32, false, c.Background);
        HICON icon = IconFromRows(c.Icon, c.Alpha);
        EXPECT_TRUE(DrawIconEx(canvas.Dc, 0, 0, icon, 0, 0, 0, nullptr, c.Flags));
        EXPECT_EQ(canvas.Picture(kIconLegend), Rows({c.Shows}));
        DestroyIcon(icon);
    }
}

TEST(IconTest, AlphaByteFollowsTheDrawing)
{
    TTestCanvas canvas(3, 1);
    for (int x = 0; x < 3; ++x)
        canvas.SetRaw(x, 0, 0x40FFFFFF);
    HICON blended = IconFromRows({"rh."}, true);
    DrawIconEx(canvas.Dc, 0, 0, blended, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(canvas.Raw(0, 0), 0xFFFF0000u);
    EXPECT_EQ(canvas.Raw(1, 0) >> 24, 0xA0u) << "128 + 64 * 127 / 255";
    EXPECT_EQ(canvas.Raw(2, 0), 0x40FFFFFFu) << "untouched where transparent";

    HICON masked = IconFromRows({"r.."}, false);
    DrawIconEx(canvas.Dc, 0, 0, masked, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(canvas.Raw(0, 0), 0x00FF0000u) << "a picture without alpha draws plain pixels";
    EXPECT_EQ(canvas.Raw(2, 0), 0x40FFFFFFu);
    DestroyIcon(blended);
    DestroyIcon(masked);
}

TEST(IconTest, SizesStretchOrFollowTheDefault)
{
    HICON icon = IconFromRows({"rb"}, false);
    TTestCanvas canvas(5, 3);
    EXPECT_TRUE(DrawIconEx(canvas.Dc, 0, 0, icon, 4, 2, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.Picture(kIconLegend), Rows({"rrbbw", "rrbbw", "wwwww"}));

    TTestCanvas large(34, 34);
    EXPECT_TRUE(DrawIcon(large.Dc, 0, 0, icon));
    EXPECT_EQ(large.At(0, 0), kRed);
    EXPECT_EQ(large.At(31, 31), kBlue);
    EXPECT_EQ(large.At(32, 32), kWhite) << "SM_CXICON x SM_CYICON";

    HICON holed = IconFromRows({"r."}, false);
    HBRUSH green = CreateSolidBrush(kGreen);
    TTestCanvas brushed(2, 1);
    EXPECT_TRUE(DrawIconEx(brushed.Dc, 0, 0, holed, 0, 0, 0, green, DI_NORMAL));
    EXPECT_EQ(brushed.Picture(kIconLegend), Rows({"rg"})) << "the flicker-free brush shows through";
    DeleteObject(green);
    DestroyIcon(icon);
    DestroyIcon(holed);
}

TEST(IconTest, CopiesScaleByAveraging)
{
    HICON chequer = IconFromRows({"rb", "br"}, true);
    HICON edge = IconFromRows({"r."}, true);
    struct TCase {
        const char* Name;
        HICON From;
        int Width, Height;
        TPixel TopLeft;
    } const cases[] = {
        {"colours average", chequer, 1, 1, 0xFF800080},
        {"alpha averages, colour stays", edge, 1, 1, 0x80FF0000},
        {"growing repeats pixels", chequer, 4, 4, 0xFFFF0000},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto copy = HandleCast<HICON>(CopyImage(c.From, IMAGE_ICON, c.Width, c.Height, 0));
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(IconWidth(*FindIconImage(copy)), c.Width);
        EXPECT_EQ(IconHeight(*FindIconImage(copy)), c.Height);
        EXPECT_EQ(ColourAt(copy, 0, 0), c.TopLeft);
        DestroyIcon(copy);
    }
    auto grown = HandleCast<HICON>(CopyImage(chequer, IMAGE_ICON, 4, 4, 0));
    EXPECT_EQ(ColourAt(grown, 1, 1), 0xFFFF0000u);
    EXPECT_EQ(ColourAt(grown, 2, 1), 0xFF0000FFu);
    auto defaultSized = HandleCast<HICON>(CopyImage(grown, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_COPYDELETEORG));
    EXPECT_EQ(IconWidth(*FindIconImage(defaultSized)), 32);
    EXPECT_EQ(FindIconImage(grown), nullptr) << "LR_COPYDELETEORG destroys the original";
    EXPECT_EQ(CopyImage(chequer, IMAGE_BITMAP, 0, 0, 0), nullptr);
    DestroyIcon(defaultSized);
    DestroyIcon(chequer);
    DestroyIcon(edge);
}

TEST(IconTest, CopyFromResourceTakesTheDrawingOfThatSize)
{
    HICON question = LoadIcon(nullptr, IDI_QUESTION);
    auto drawn = HandleCast<HICON>(CopyImage(question, IMAGE_ICON, 16, 16, LR_COPYFROMRESOURCE));
    auto scaled = HandleCast<HICON>(CopyImage(question, IMAGE_ICON, 16, 16, 0));
    const std::vector<TIconImage> pictures = DrawStockIcon(IDI_QUESTION);
    const TSurface& small = pictures[1].Color;
    auto same = [&](HICON icon) {
        const TSurface& s = FindIconImage(icon)->Color;
        return std::equal(s.Bits(), s.Bits() + s.SizeInBytes(), small.Bits());
    };
    EXPECT_TRUE(same(drawn));
    EXPECT_FALSE(same(scaled));
    DestroyIcon(drawn);
    DestroyIcon(scaled);
}

TEST(IconTest, InfoRoundTripsAndHandlesAreNoDrawingObjects)
{
    HICON icon = IconFromRows({"rb.x"}, false);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_EQ(info.xHotspot, 2u) << "an icon's hot spot is its centre";
    HICON again = CreateIconIndirect(&info);
    TTestCanvas first(4, 1, 32, false, kGreen), second(4, 1, 32, false, kGreen);
    DrawIcon(first.Dc, 0, 0, icon);
    DrawIcon(second.Dc, 0, 0, again);
    EXPECT_EQ(second.Picture(kIconLegend), first.Picture(kIconLegend));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    // A bottom-up colour bitmap reads the right way up.
    BITMAPINFO bmi{};
    bmi.bmiHeader.biWidth = 1;
    bmi.bmiHeader.biHeight = 2;
    bmi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bottomUp = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    FindBitmap(bottomUp)->Pixels().Write(0, 0, 0xFF0000);
    ICONINFO fromBitmap;
    fromBitmap.hbmColor = bottomUp;
    HICON upright = CreateIconIndirect(&fromBitmap);
    EXPECT_EQ(ColourAt(upright, 0, 0), 0x00FF0000u);
    DeleteObject(bottomUp);

    EXPECT_EQ(GetObjectType(icon), 0u);
    EXPECT_FALSE(DeleteObject(icon));
    EXPECT_EQ(SelectObject(first.Dc, icon), nullptr);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIcon(first.Dc, 0, 0, icon));
    EXPECT_FALSE(GetIconInfo(icon, &info));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_EQ(CreateIconIndirect(nullptr), nullptr);
    EXPECT_EQ(CreateIconIndirect(&fromBitmap), nullptr) << "the bitmap is gone";
    DestroyIcon(again);
    DestroyIcon(upright);
}

TEST(IconTest, StockIconsAtBothSizesAreSharedAndDiffer)
{
    struct TCase {
        std::uintptr_t Name;
        const char* Shape;
        COLORREF Main;
    } const cases[] = {
        {IDI_APPLICATION, "window", RGB(255, 255, 255)},
        {IDI_HAND, "red disc with a cross", RGB(210, 40, 40)},
        {IDI_QUESTION, "blue disc with ?", RGB(30, 100, 210)},
        {IDI_EXCLAMATION, "yellow triangle with !", RGB(250, 200, 30)},
        {IDI_ASTERISK, "blue disc with i", RGB(30, 100, 210)},
    };
    std::vector<TSurface> pictures;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Shape);
        HICON large = LoadIcon(nullptr, c.Name);
        auto small = HandleCast<HICON>(LoadImage(nullptr, MAKEINTRESOURCE(c.Name), IMAGE_ICON, 16, 16, LR_SHARED));
        ASSERT_NE(large, nullptr);
        ASSERT_NE(small, nullptr);
        EXPECT_EQ(LoadIcon(nullptr, c.Name), large);
        EXPECT_EQ(LoadImage(nullptr, MAKEINTRESOURCE(c.Name), IMAGE_ICON, 16, 16, LR_SHARED), small);
        EXPECT_TRUE(DestroyIcon(large));
        for (HICON icon : {large, small}) {
            ASSERT_NE(FindIconImage(icon), nullptr) << "shared icons outlive DestroyIcon";
            const TSurface picture = IconPicture(*FindIconImage(icon));
            int main = 0, clear = 0;
            for (int y = 0; y < picture.Height(); ++y)
                for (int x = 0; x < picture.Width(); ++x) {
                    const TPixel p = LoadPixel(picture.ScanLine(y) + x * 4);
                    const COLORREF colour = ColorFromPixel(p);
                    main += PixelAlpha(p) == 255 && std::abs(GetRValue(colour) - GetRValue(c.Main)) < 8 &&
                            std::abs(GetGValue(colour) - GetGValue(c.Main)) < 8 &&
                            std::abs(GetBValue(colour) - GetBValue(c.Main)) < 8;
                    clear += PixelAlpha(p) == 0;
                }
            const int area = picture.Width() * picture.Height();
            EXPECT_GT(main, area / 8) << picture.Width() << " pixels";
            EXPECT_GT(clear, 0) << picture.Width() << " pixels";
            pictures.push_back(picture);
        }
    }
    for (std::size_t a = 0; a < pictures.size(); ++a)
        for (std::size_t b = a + 1; b < pictures.size(); ++b) {
            const TSurface &x = pictures[a], &y = pictures[b];
            const bool same = x.Width() == y.Width() && std::equal(x.Bits(), x.Bits() + x.SizeInBytes(), y.Bits());
            EXPECT_FALSE(same) << a << " vs " << b;
        }
    EXPECT_EQ(LoadIcon(nullptr, 1), nullptr);
    EXPECT_EQ(LoadIcon(reinterpret_cast<HINSTANCE>(1), IDI_HAND), nullptr);
}

TEST(IconTest, LoadImageReadsIconFiles)
{
    const auto folder = std::filesystem::temp_directory_path() / ("tovrel-icons-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string good = (folder / "two.ico").string(), bad = (folder / "bad.ico").string();
    const TRows small(16, std::string(16, 'r')), large(32, std::string(32, 'b'));
    WriteImageFileBytes(good, IcoFile({DibEntry(24, small), DibEntry(24, large)}));
    WriteImageFileBytes(bad, std::vector<std::uint8_t>{0, 0, 1, 0, 9, 0});
    struct TCase {
        const std::string& File;
        int Size;
        UINT Flags;
        int Width; // 0: no icon
        TPixel Colour;
    } const cases[] = {
        {good, 0, 0, 32, 0x000000FF},
        {good, 16, 0, 16, 0x00FF0000},
        {good, 24, 0, 24, 0x000000FF},
        {good, 0, LR_DEFAULTSIZE, 32, 0x000000FF},
        {bad, 0, 0, 0, 0},
        {folder.string() + "/missing.ico", 0, 0, 0, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.File + " at " + std::to_string(c.Size));
        auto icon = HandleCast<HICON>(
            LoadImage(nullptr, c.File.c_str(), IMAGE_ICON, c.Size, c.Size, LR_LOADFROMFILE | c.Flags));
        if (!c.Width) {
            EXPECT_EQ(icon, nullptr);
            continue;
        }
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(IconWidth(*FindIconImage(icon)), c.Width);
        EXPECT_EQ(ColourAt(icon, 0, 0), c.Colour);
        DestroyIcon(icon);
    }
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace tovrel::test
