// The font engine on Debian's installed fonts (DejaVu, WenQuanYi Micro Hei):
// height rules, metrics, styles and per-character fallback.
#include "platform/gdi/FontInstance.h"
#include "platform/gdi/TextUtf8.h"

#include <gtest/gtest.h>

#include <climits>

#include <thread>

namespace tovrel::test {
namespace {

std::shared_ptr<TFontInstance> Font(const char* family, int height, int weight = 400, bool italic = false)
{
    TFontRequest r;
    r.Family = family;
    r.Height = height;
    r.Weight = weight;
    r.Italic = italic;
    return AcquireFont(r);
}

int InkPixels(const TGlyph& g)
{
    int n = 0;
    for (auto c : g.Coverage)
        n += c > 0;
    return n;
}

TEST(FontEngine, HeightSignSelectsCharacterOrCellHeight)
{
    for (const char* family : {"Tahoma", "Arial", "MS Sans Serif", "宋体"}) {
        SCOPED_TRACE(family);
        for (int size : {8, 11, 14, 20, 36}) {
            const TEXTMETRIC em = Font(family, -size)->Metrics();
            EXPECT_EQ(em.tmHeight - em.tmInternalLeading, size);
            EXPECT_EQ(em.tmHeight, em.tmAscent + em.tmDescent);
            const TEXTMETRIC cell = Font(family, size)->Metrics();
            EXPECT_EQ(cell.tmHeight, size);
            EXPECT_LT(cell.tmHeight - cell.tmInternalLeading, size);
        }
    }
    const TEXTMETRIC byDefault = Font("Arial", 0)->Metrics();
    EXPECT_EQ(byDefault.tmHeight - byDefault.tmInternalLeading, kDefaultFontEm);
    for (int absurd : {INT_MIN, INT_MAX}) {
        const TEXTMETRIC tm = Font("Arial", absurd)->Metrics();
        EXPECT_GT(tm.tmHeight, 0);
        EXPECT_LE(tm.tmHeight, 2 * 2048);
    }
}

TEST(FontEngine, MetricsAreConsistent)
{
    const auto font = Font("Arial", -14);
    const TEXTMETRIC& tm = font->Metrics();
    EXPECT_GT(tm.tmAscent, tm.tmDescent);
    EXPECT_GT(tm.tmDescent, 0);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    EXPECT_GE(tm.tmExternalLeading, 0);
    EXPECT_EQ(font->TextWidth(U"Hello"),
              font->Advance(U'H') + font->Advance(U'e') + 2 * font->Advance(U'l') + font->Advance(U'o'));
    EXPECT_EQ(font->Advance(U'\n'), 0);
}

TEST(FontEngine, GlyphsSitOnTheBaselineInsideTheCell)
{
    const auto font = Font("Arial", -20);
    std::vector<const TGlyph*> glyphs;
    font->Glyphs(U"Hg", glyphs);
    ASSERT_EQ(glyphs.size(), 2u);
    const TGlyph& h = *glyphs[0];
    const TGlyph& g = *glyphs[1];
    EXPECT_GT(InkPixels(h), 0);
    EXPECT_GT(h.Top, 0);
    EXPECT_LE(h.Top, font->Metrics().tmAscent);
    EXPECT_NEAR(h.Top - h.Height, 0, 1); // 'H' stands on the baseline
    EXPECT_LT(g.Top - g.Height, 0);      // 'g' descends below it
    EXPECT_GE(g.Top - g.Height, -font->Metrics().tmDescent);
}

TEST(FontEngine, BoldIsWiderAndInkier)
{
    const auto regular = Font("Tahoma", -14);
    const auto bold = Font("Tahoma", -14, 700);
    EXPECT_GT(bold->TextWidth(U"Hello world"), regular->TextWidth(U"Hello world"));
    std::vector<const TGlyph*> r, b;
    regular->Glyphs(U"l视", r); // the Chinese face has no bold: it is emboldened
    bold->Glyphs(U"l视", b);
    EXPECT_GT(InkPixels(*b[0]), InkPixels(*r[0]));
    EXPECT_GT(InkPixels(*b[1]), InkPixels(*r[1]) * 11 / 10);
}

TEST(FontEngine, ItalicLeansRight)
{
    // An upright stroke starts at the same x high and low; an italic one starts further right higher up.
    auto firstInk = [](const TGlyph& g, int row) {
        for (int x = 0; x < g.Width; ++x)
            if (g.Coverage[std::size_t(row * g.Width + x)] > 128)
                return x + g.Left;
        return -1;
    };
    // U+4E28 is a plain vertical stroke; the Chinese face has no italic: it is slanted.
    for (const char32_t* text : {U"l", U"\u4E28"}) {
        std::vector<const TGlyph*> upright, italic;
        Font("Arial", -40)->Glyphs(text, upright);
        Font("Arial", -40, 400, true)->Glyphs(text, italic);
        const TGlyph& u = *upright[0];
        const TGlyph& i = *italic[0];
        EXPECT_NEAR(firstInk(u, u.Height / 8), firstInk(u, u.Height * 7 / 8), 1);
        EXPECT_GT(firstInk(i, i.Height / 8), firstInk(i, i.Height * 7 / 8) + 3);
    }
}

TEST(FontEngine, ChineseFallsBackToACjkFace)
{
    for (const char* family : {"Tahoma", "Arial", "宋体", "微软雅黑"}) {
        SCOPED_TRACE(family);
        const auto font = Font(family, -16);
        std::vector<const TGlyph*> glyphs;
        font->Glyphs(U"视频", glyphs);
        for (const TGlyph* g : glyphs) {
            EXPECT_GT(InkPixels(*g), 40);
            EXPECT_NEAR(g->Advance, 16, 1); // ideographs are one em wide
        }
        EXPECT_NE(glyphs[0]->Coverage, glyphs[1]->Coverage);
    }
}

TEST(FontEngine, CharacterInNoFontGetsTheMissingGlyphBox)
{
    const auto font = Font("Arial", -16);
    std::vector<const TGlyph*> glyphs;
    font->Glyphs(U"\U000F0000", glyphs); // private use plane: in no installed font
    EXPECT_GT(glyphs[0]->Advance, 0);
}

TEST(FontEngine, SameRequestSharesOneInstance)
{
    EXPECT_EQ(Font("Arial", -13), Font("Arial", -13));
    EXPECT_NE(Font("Arial", -13), Font("Arial", 13));
}

TEST(FontEngine, ThreadsMeasureAtTheSameTime)
{
    const std::u32string text = DecodeUtf8("格式转换器 Video converter 0123456789");
    const auto font = Font("Tahoma", -12);
    const int expected = font->TextWidth(text);
    std::vector<std::thread> threads;
    std::vector<int> widths(4);
    for (std::size_t t = 0; t < widths.size(); ++t)
        threads.emplace_back([&, t] {
            const auto own = Font("Tahoma", -12 - int(t)); // new sizes: faces open while others render
            own->TextWidth(text);
            widths[t] = font->TextWidth(text);
        });
    for (auto& thread : threads)
        thread.join();
    for (int w : widths)
        EXPECT_EQ(w, expected);
}

} // namespace
} // namespace tovrel::test
