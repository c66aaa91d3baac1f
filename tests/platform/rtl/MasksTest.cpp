#include "platform/rtl/Masks.h"

#include "platform/rtl/ExpectMessage.h"

#include <gtest/gtest.h>

#include <string>

namespace tovrel::test {
namespace {

struct MaskCase {
    const char* name;
    const char* mask;
    bool byWildcard; // file search rules
    bool byMask;     // component library rules
};

TEST(MasksTest, BothRuleSetsTable)
{
    const MaskCase cases[] = {
        {"a.avi", "*.avi", true, true},
        {"A.AVI", "*.avi", true, true},
        {"a.avi.txt", "*.avi", false, false},
        {"noext", "*.*", true, false}, // the search lists it; the mask wants a dot
        {"abc", "a*c", true, true},
        {"ac", "a*c", true, true},
        {"abd", "a*c", false, false},
        {"a", "?", true, true},
        {"视", "?", true, true}, // one character, three bytes
        {"ab", "?", false, false},
        {"", "*", true, true},
        {"b.mp4", "[a-c].mp4", false, true},
        {"B.mp4", "[a-c].mp4", false, true},
        {"d.mp4", "[!a-c].mp4", false, true},
        {"a.mp4", "[!a-c].mp4", false, false},
        {"[x", "[x", true, false}, // a plain "[" for the search; a broken set for the mask (below)
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesWildcard(c.name, c.mask), c.byWildcard) << c.name << " " << c.mask;
        if (std::string(c.mask) != "[x") {
            EXPECT_EQ(MatchesMask(c.name, c.mask), c.byMask) << c.name << " " << c.mask;
        }
    }
}

TEST(MasksTest, MalformedMasksNameThePosition)
{
    test::ExpectThrowsMessage<EMaskException>([] { MatchesMask("a", "*.[ab"); }, "'*.[ab' is an invalid mask at (6)");
    test::ExpectThrowsMessage<EMaskException>([] { MatchesMask("a", "[-z]"); }, "'[-z]' is an invalid mask at (2)");
    std::string manyStars;
    for (int i = 0; i < 31; ++i)
        manyStars += "*a";
    test::ExpectThrowsMessage<EMaskException>([&] { MatchesMask("a", manyStars); },
                                              "'" + manyStars + "' is an invalid mask at (61)");
    EXPECT_NO_THROW(MatchesMask("a", "***a")); // one run
}

} // namespace
} // namespace tovrel::test
