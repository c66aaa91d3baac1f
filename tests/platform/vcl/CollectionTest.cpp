#include "platform/vcl/Collection.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Streams.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace tovrel::test {
namespace {

class TNamedItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    std::string Name;
    void SetName(std::string name)
    {
        Name = std::move(name);
        Changed(false);
    }
    void Assign(const TPersistent* source) override
    {
        if (const auto* item = dynamic_cast<const TNamedItem*>(source)) {
            Name = item->Name;
            return;
        }
        TCollectionItem::Assign(source);
    }

protected:
    std::string GetDisplayName() const override { return Name.empty() ? TCollectionItem::GetDisplayName() : Name; }
};

class TWatchedCollection : public TCollection {
public:
    TWatchedCollection() : TCollection(CollectionItemFactory<TNamedItem>()) {}
    std::vector<TCollectionItem*> Updates;

protected:
    void Update(TCollectionItem* item) override { Updates.push_back(item); }
};

TEST(Collection, ItemsJoinLeaveMoveAndReportChanges)
{
    TWatchedCollection collection;
    auto* a = static_cast<TNamedItem*>(collection.Add());
    auto* b = static_cast<TNamedItem*>(collection.Add());
    EXPECT_EQ(a->DisplayName(), "TNamedItem");
    b->SetName("b");
    EXPECT_EQ(collection.Updates.back(), b);

    auto* first = static_cast<TNamedItem*>(collection.Insert(0));
    EXPECT_EQ(first->Index(), 0);
    EXPECT_EQ(b->Index(), 2);
    EXPECT_EQ(collection.FindItemID(b->ID()), b);

    collection.Updates.clear();
    collection.BeginUpdate();
    a->SetName("a");
    delete a; // an item freed alone leaves its collection
    EXPECT_TRUE(collection.Updates.empty());
    collection.EndUpdate();
    EXPECT_EQ(collection.Updates, std::vector<TCollectionItem*>{nullptr});
    EXPECT_EQ(collection.Count(), 2);
    EXPECT_THROW(collection.Items(2), EListError);

    TWatchedCollection copy;
    copy.Add();
    copy.Assign(&collection);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(static_cast<TNamedItem*>(copy.Items(1))->Name, "b");
}

// An update handler that reads the new item sees it whole: the item's own
// constructor inserts it while only its base part exists.
TEST(Collection, AnAddIsReportedOnceTheItemIsWhole)
{
    class TReadingCollection : public TWatchedCollection {
    public:
        std::vector<std::string> Seen;

    protected:
        void Update(TCollectionItem*) override
        {
            for (int i = 0; i < Count(); ++i)
                Seen.push_back(dynamic_cast<TNamedItem*>(Items(i)) ? "whole" : "part");
        }
    } collection;
    collection.Add();
    EXPECT_EQ(collection.Seen, std::vector<std::string>{"whole"});
}

TEST(Streams, MemoryAndFileStreamsRoundTripValuesAndReportShortReads)
{
    TMemoryStream memory;
    memory.WriteValue<std::int32_t>(-5);
    memory.WriteValue<std::uint16_t>(0xBEEF);
    memory.WriteBuffer("xyz", 3);
    EXPECT_EQ(memory.Size(), 9);
    memory.SetPosition(0);
    EXPECT_EQ(memory.ReadValue<std::int32_t>(), -5);
    EXPECT_EQ(memory.ReadValue<std::uint16_t>(), 0xBEEF);
    char tail[4] = {};
    EXPECT_THROW(memory.ReadBuffer(tail, 4), EReadError);

    const std::string path = (std::filesystem::temp_directory_path() / "vcl_stream_test.bin").string();
    memory.SaveToFile(path);
    {
        TFileStream file(path, fmOpenReadWrite);
        EXPECT_EQ(file.Size(), 9);
        file.Seek(-3, soEnd);
        file.ReadBuffer(tail, 3);
        EXPECT_EQ(std::string(tail, 3), "xyz");
        file.SetSize(4);
    }
    TMemoryStream reloaded;
    reloaded.LoadFromFile(path);
    EXPECT_EQ(reloaded.Size(), 4);
    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(reloaded, 0), 4);
    EXPECT_EQ(copy.Bytes(), reloaded.Bytes());
    std::remove(path.c_str());

    EXPECT_THROW(TFileStream("/nonexistent-folder/x", fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream("/nonexistent-folder/x", fmCreate), EFCreateError);
}

} // namespace
} // namespace tovrel::test
