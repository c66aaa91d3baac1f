#include <gtest/gtest.h>

#include "skin/data/SkinIniFile.h"

namespace tovrel::test {
namespace {

TEST(SkinIniFile, NamesIgnoreCaseValuesAreTrimmedAndCommentsSkipped)
{
    const TskIniFile ini("; a comment\r\n"
                         "[Version]\r\n"
                         "  SkinName =  Blue Steel  \r\n"
                         ";skinauthor=nobody\r\n"
                         "Formula = a=b\r\n"
                         "[empty]\r\n"
                         "no equals sign here\r\n");
    EXPECT_EQ(ini.ReadString("VERSION", "skinname", "?"), "Blue Steel");
    EXPECT_EQ(ini.ReadString("version", "SKINAUTHOR", "?"), "?");
    EXPECT_EQ(ini.ReadString("version", "formula", ""), "a=b");
    EXPECT_TRUE(ini.SectionExists("VERSION"));
    EXPECT_FALSE(ini.SectionExists("EMPTY")) << "a section without keys counts as missing";
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Version", "empty"}));
}

TEST(SkinIniFile, FirstKeyWinsAndRepeatedSectionsMerge)
{
    const TskIniFile ini("[a]\nk=1\nK=2\n[b]\nx=0\n[A]\nj=3\n");
    EXPECT_EQ(ini.ReadString("a", "k", ""), "1");
    EXPECT_EQ(ini.ReadString("a", "j", ""), "3");
    EXPECT_EQ(ini.ReadSection("a"), (std::vector<std::string>{"k", "K", "j"}));
}

TEST(SkinIniFile, IntegersAcceptHexFormsAndFallBackOnAnythingElse)
{
    const TskIniFile ini("[s]\ndec=-42\ndollar=$10\nzerox=0X1f\nall=$FFFFFFFF\nword=ten\nempty=\n"
                         "big=2147483648\nneghex=-$10\n");
    EXPECT_EQ(ini.ReadInteger("s", "dec", 7), -42);
    EXPECT_EQ(ini.ReadInteger("s", "dollar", 7), 16);
    EXPECT_EQ(ini.ReadInteger("s", "zerox", 7), 31);
    EXPECT_EQ(ini.ReadInteger("s", "all", 7), -1);
    EXPECT_EQ(ini.ReadInteger("s", "word", 7), 7);
    EXPECT_EQ(ini.ReadInteger("s", "empty", 7), 7);
    EXPECT_EQ(ini.ReadInteger("s", "big", 7), 7);
    EXPECT_EQ(ini.ReadInteger("s", "neghex", 7), -16);
    EXPECT_EQ(ini.ReadInteger("s", "missing", 7), 7);
}

TEST(SkinIniFile, WritesKeepOrderAndEraseRemovesTheWholeSection)
{
    TskIniFile ini("[one]\nb=1\na=2\n[two]\nz=9\n");
    ini.WriteString("ONE", "A", "3");
    ini.WriteString("one", "c", "4");
    ini.WriteInteger("three", "n", -5);
    ini.EraseSection("TWO");
    EXPECT_EQ(ini.GetText(), "[one]\r\nb=1\r\na=3\r\nc=4\r\n\r\n[three]\r\nn=-5\r\n\r\n");
}

TEST(SkinIniFile, LinesEndAtAnyLineBreakAndWritesCannotInjectLines)
{
    TskIniFile ini("[s]\rold=mac\r\nmixed=1\nlast=2");
    EXPECT_EQ(ini.ReadSection("s"), (std::vector<std::string>{"old", "mixed", "last"}));
    EXPECT_THROW(ini.WriteString("s", "k", "x\n[evil]\nk=1"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("s", "a=b", "x"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("s\r", "k", "x"), std::invalid_argument);
    EXPECT_FALSE(ini.SectionExists("evil"));
}

TEST(SkinIniFile, ByteOrderMarkIsKeptForTheWriter)
{
    const TskIniFile ini("\xEF\xBB\xBF[s]\nk=v\n");
    EXPECT_EQ(ini.ReadString("s", "k", ""), "v");
    EXPECT_EQ(ini.GetText(), "\xEF\xBB\xBF[s]\r\nk=v\r\n\r\n");
    EXPECT_EQ(TskIniFile("[s]\nk=v\n").GetText().front(), '[');
}

} // namespace
} // namespace tovrel::test
