// The image lists' pictures load into PNG image lists at their sizes, one per
// category code for the category lists, with alpha that frames each glyph.
#include <gtest/gtest.h>

#include "platform/vcl/PngImage.h"
#include "skin/data/PngImageList.h"
#include "skin/stored/StoredIcons.h"

namespace tovrel::test {
namespace {

TEST(StoredIcons, EachListLoadsIntoAnImageListOfItsSize)
{
    struct TCase {
        const char* Name;
        int Size;
        int Pictures;
    };
    // The category lists hold a picture for every category code, 0 to 34.
    const TCase cases[] = {{"categories48", 48, 35},
                           {"categories32", 32, 35},
                           {"toolbar40", 40, 13},
                           {"buttons18", 18, 12},
                           {"markers10", 10, 5}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TskPngImageList list(nullptr);
        AddStoredIcons(list, c.Name);
        EXPECT_EQ(list.PngWidth(), c.Size);
        EXPECT_EQ(list.PngHeight(), c.Size);
        ASSERT_EQ(list.PngImages()->Count(), c.Pictures);
        for (int i = 0; i < c.Pictures; ++i) {
            const TPngImage* png = list.PngImages()->Items(i)->PngImage();
            ASSERT_NE(png, nullptr);
            EXPECT_EQ(png->Width(), c.Size);
            EXPECT_EQ(png->TransparencyMode(), ptmPartial) << "picture " << i;
        }
    }
    TskPngImageList list(nullptr);
    EXPECT_THROW(AddStoredIcons(list, "nosuchlist"), std::invalid_argument);
}

TEST(StoredIcons, TilesAreRoundedAndBareGlyphsStandOnNothing)
{
    TskPngImageList categories(nullptr), toolbar(nullptr);
    AddStoredIcons(categories, "categories48");
    AddStoredIcons(toolbar, "toolbar40");
    TPngImage& tile = *categories.PngImages()->Items(0)->PngImage();
    EXPECT_EQ(tile.AlphaScanline(0)[0], 0) << "the tile's corner is rounded off";
    EXPECT_EQ(tile.AlphaScanline(24)[24], 255) << "the tile is opaque inside";
    TPngImage& stop = *toolbar.PngImages()->Items(2)->PngImage();
    EXPECT_EQ(stop.AlphaScanline(1)[20], 0) << "around the glyph the picture is clear";
    EXPECT_EQ(stop.AlphaScanline(20)[20], 255) << "the glyph itself is opaque";
}

} // namespace
} // namespace tovrel::test
