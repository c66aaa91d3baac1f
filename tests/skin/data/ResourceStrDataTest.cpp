
#include <gtest/gtest.h>

#include "skin/data/ResourceStrData.h"

namespace tovrel::test {
namespace {

TEST(ResourceStrData, NamesAreFoundWithoutRegardToCaseAndMissingNamesGiveEmptyText)
{
    const TskResourceStrData table;
    struct Case {
        const char* Name;
        const char* Text;
    };
    const Case cases[] = {
        {"msg_btn_ok", "OK"},
        {"MI_MINCAPTION", "Mi&nimize"},
        {"FLV_LOOKIN", "Look in: "},
        {"MSG_CAP_SHOWFLAG", "Do not display this message again"},
        {"FIND_REPLACE_ALL", "Replace All"},
        {"MSG_BTN_HELP", "&Help"},
        {"PRNDLG_WARNING", "There are no printers in your system!"},
        {"NO_SUCH_NAME", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(table.GetResStr(c.Name), c.Text) << c.Name;
    EXPECT_EQ(table.CharSet(), 1);
}

TEST(ResourceStrData, DefaultTableHasEveryNameOnceInItsFixedOrder)
{
    const auto& lines = TskResourceStrData::DefaultResStrings();
    ASSERT_EQ(lines.size(), 131u);
    EXPECT_EQ(lines.front(), "MI_MINCAPTION=Mi&nimize");
    EXPECT_EQ(lines[29], "MSG_BTN_HELP=&Help");
    EXPECT_EQ(lines[116], "FIND_REPLACE_All=Replace All");
    EXPECT_EQ(lines.back(), "DBNAV_REFRESH=Refresh data");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string name = lines[i].substr(0, lines[i].find('='));
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(lines[j].substr(0, lines[j].find('=')), name);
    }
}

TEST(ResourceStrData, ReplacedLinesFollowTheLookupRules)
{
    TskResourceStrData table;
    table.SetResStrings({"NOEQUALS", "A=x=y", "B=first", "b=second", "=empty name"});
    EXPECT_EQ(table.GetResStr("A"), "x=y");
    EXPECT_EQ(table.GetResStr("B"), "first");
    EXPECT_EQ(table.GetResStr("NOEQUALS"), "");
    EXPECT_EQ(table.GetResStr(""), "empty name");
    table.SetResStrings({});
    EXPECT_EQ(table.GetResStr("MSG_BTN_OK"), "");
}

} // namespace
} // namespace tovrel::test
