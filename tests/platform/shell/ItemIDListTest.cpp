#include "platform/shell/ItemIDList.h"

#include <gtest/gtest.h>

namespace tovrel::test {
namespace {

TItemIDListPtr ListOf(std::initializer_list<std::string_view> payloads)
{
    TItemIDListPtr list = CopyItemIDList(nullptr);
    for (std::string_view p : payloads)
        list = JoinItemIDLists(list.get(), MakeItemIDList(p).get());
    return list;
}

TEST(ItemIDListTest, EmptyListAndNil)
{
    const TItemIDListPtr empty = CopyItemIDList(nullptr);
    EXPECT_EQ(ItemIDListSize(empty.get()), 2u);
    EXPECT_EQ(CountItemIDs(empty.get()), 0);
    EXPECT_TRUE(ItemIDListAncestors(empty.get()).empty());
    EXPECT_TRUE(ItemIDListsEqual(LastItemIDCopy(empty.get()).get(), empty.get()));
    EXPECT_EQ(ItemIDListSize(nullptr), 0u);
    CutLastItemID(empty.get()); // left alone
    EXPECT_EQ(ItemIDListSize(empty.get()), 2u);
}

TEST(ItemIDListTest, JoinCopiesBothParts)
{
    const TItemIDListPtr a = MakeItemIDList("Fa");
    const TItemIDListPtr b = MakeItemIDList("Fbcd");
    EXPECT_TRUE(ItemIDListsEqual(JoinItemIDLists(nullptr, a.get()).get(), a.get()));
    const TItemIDListPtr joined = JoinItemIDLists(a.get(), b.get());
    EXPECT_EQ(CountItemIDs(joined.get()), 2);
    EXPECT_EQ(ItemIDListSize(joined.get()), 2 + (2 + 2u) + (2 + 4u));
    EXPECT_EQ(ItemPayload(NextItemID(joined.get())), "Fbcd");
    EXPECT_EQ(ItemPayload(LastItemIDCopy(joined.get()).get()), "Fbcd");
}

TEST(ItemIDListTest, AncestorsRunFromDesktopToParent)
{
    const TItemIDListPtr list = ListOf({"C", "V/", "Fhome"});
    const std::vector<TItemIDListPtr> ancestors = ItemIDListAncestors(list.get());
    ASSERT_EQ(ancestors.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(CountItemIDs(ancestors[std::size_t(i)].get()), i);
    EXPECT_TRUE(ItemIDListsEqual(ancestors[2].get(), ListOf({"C", "V/"}).get()));
    EXPECT_EQ(CountItemIDs(list.get()), 3) << "the list itself is left whole";
}

TEST(ItemIDListTest, EqualityIsByteForByte)
{
    EXPECT_FALSE(ItemIDListsEqual(MakeItemIDList("Fa").get(), MakeItemIDList("FA").get()));
    EXPECT_THROW(MakeItemIDList(std::string(MaxItemPayload + 1, 'x')), std::length_error);
    EXPECT_EQ(ItemPayload(MakeItemIDList(std::string(MaxItemPayload, 'x')).get()).size(), MaxItemPayload);
}

} // namespace
} // namespace tovrel::test
