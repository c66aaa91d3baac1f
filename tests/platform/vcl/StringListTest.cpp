#include "platform/vcl/StringList.h"
#include "platform/vcl/Errors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

std::vector<std::string> Lines(const TStrings& strings)
{
    std::vector<std::string> lines;
    for (int i = 0; i < strings.Count(); ++i)
        lines.push_back(strings[i]);
    return lines;
}

struct TTextCase {
    const char* Input;
    std::vector<std::string> Lines;
    const char* TextOut;
};

TEST(StringList, TextSplitsOnCrLfAndCrLfAndWritesCrLf)
{
    const TTextCase cases[] = {
        {"", {}, ""},
        {"a", {"a"}, "a\r\n"},
        {"a\r\nb\r\n", {"a", "b"}, "a\r\nb\r\n"},
        {"a\nb\rc\r\n\r\nd", {"a", "b", "c", "", "d"}, "a\r\nb\r\nc\r\n\r\nd\r\n"},
        {"\n\n", {"", ""}, "\r\n\r\n"},
        {"中文\n行", {"中文", "行"}, "中文\r\n行\r\n"},
    };
    for (const TTextCase& c : cases) {
        TStringList list;
        list.SetText(c.Input);
        EXPECT_EQ(Lines(list), c.Lines) << c.Input;
        EXPECT_EQ(list.Text(), c.TextOut) << c.Input;
    }
}

struct TCommaCase {
    const char* Input;
    std::vector<std::string> Lines;
    const char* CommaOut;
};

TEST(StringList, CommaTextQuotesWhatNeedsItAndReadsQuotesAndBlanks)
{
    const TCommaCase cases[] = {
        {"a,b,c", {"a", "b", "c"}, "a,b,c"},
        {"a b", {"a", "b"}, "a,b"},
        {"\"a b\",\"x\"\"y\"", {"a b", "x\"y"}, "\"a b\",\"x\"\"y\""},
        {"a,,b", {"a", "", "b"}, "a,,b"},
        {"a,", {"a", ""}, "a,"},
        {"\"\"", {""}, "\"\""},
        {"  a ,  b  ", {"a", "b"}, "a,b"},
        {"\"unterminated", {"unterminated"}, "unterminated"},
    };
    for (const TCommaCase& c : cases) {
        TStringList list;
        list.SetCommaText(c.Input);
        EXPECT_EQ(Lines(list), c.Lines) << c.Input;
        EXPECT_EQ(list.CommaText(), c.CommaOut) << c.Input;
    }

    TStringList strict;
    strict.Delimiter = ';';
    strict.StrictDelimiter = true;
    strict.SetDelimitedText("a b;c");
    EXPECT_EQ(Lines(strict), (std::vector<std::string>{"a b", "c"}));
    EXPECT_EQ(strict.DelimitedText(), "a b;c");
}

TEST(StringList, NamesAndValues)
{
    TStringList list;
    list.SetText("Width=10\nname=first\nNAME=second\nplain\n=novalue");
    EXPECT_EQ(list.Values("width"), "10");
    EXPECT_EQ(list.Values("Name"), "first");
    EXPECT_EQ(list.Names(3), "");
    EXPECT_EQ(list.ValueFromIndex(3), "");
    EXPECT_EQ(list.Values("missing"), "");
    EXPECT_EQ(list.IndexOfName("plain"), -1);

    list.SetValues("NAME", "third");
    EXPECT_EQ(list[1], "NAME=third");
    list.SetValues("new", "x=y");
    EXPECT_EQ(list.Values("new"), "x=y");
    list.SetValues("width", "");
    EXPECT_EQ(list.IndexOfName("Width"), -1);
    EXPECT_EQ(list.IndexOf("PLAIN"), 2);
}

TEST(StringList, SortedListsKeepOrderAndApplyTheDuplicateRule)
{
    TStringList list;
    list.SetText("pear\nApple\nbanana");
    list.SetSorted(true);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"Apple", "banana", "pear"}));
    EXPECT_EQ(list.Add("apple"), 0); // dupIgnore: the existing line, no new one
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.IndexOf("BANANA"), 1);
    EXPECT_THROW(list.Insert(0, "x"), EStringListError);
    EXPECT_THROW(list.SetStrings(0, "x"), EStringListError);

    list.Duplicates = dupError;
    EXPECT_THROW(list.Add("PEAR"), EStringListError);
    list.Duplicates = dupAccept;
    list.Add("PEAR");
    EXPECT_EQ(list.Count(), 4);
    int index = -1;
    EXPECT_FALSE(list.Find("cherry", index));
    EXPECT_EQ(index, 2);

    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("apple"), -1);
    EXPECT_EQ(list.IndexOf("Apple"), 0);
    EXPECT_THROW(list.Get(9), EListError);
}

TEST(StringList, ObjectsFollowTheirLinesAndOwnedObjectsAreFreed)
{
    TStringList list(true);
    list.SetSorted(true);
    list.AddObject("b", new TObject);
    TObject* a = new TObject;
    list.AddObject("a", a);
    EXPECT_EQ(list.Objects(0), a);
    EXPECT_EQ(list.IndexOfObject(a), 0);
    list.Delete(0); // freed: ASan reports a leak otherwise
    EXPECT_EQ(list.Count(), 1);
}

TEST(StringList, ChangeEventsFireOncePerUpdateBlock)
{
    TStringList list;
    int changes = 0, changing = 0;
    list.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++changes;
    };
    list.OnChanging = [&](TObject*) { ++changing; };
    list.Add("a");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(changing, 1);

    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.Delete(0);
    EXPECT_EQ(changes, 1);
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
    list.SetText("x\ny"); // one change for the whole text
    EXPECT_EQ(changes, 3);
}

TEST(StringList, AssignCopiesLinesAndObjects)
{
    TStringList source;
    TObject marker;
    source.AddObject("one", &marker);
    source.Add("two");
    TStringList copy;
    copy.Add("old");
    copy.Assign(&source);
    EXPECT_TRUE(copy.Equals(source));
    EXPECT_EQ(copy.Objects(0), &marker);
}

} // namespace
} // namespace tovrel::test
