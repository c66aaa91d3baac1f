#include "skin/shell/FilterComboBox.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Forms.h"
#include "skin/shell/FileMaskPatterns.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace tovrel::test {

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

struct ParseCase {
    const char* Filter;
    std::vector<TFilterEntry> Entries;
};

const ParseCase kParseCases[] = {
    {"All files (*.*)|*.*", {{"All files (*.*)", "*.*"}}},
    {"Videos|*.mp4;*.mkv|Audio", {{"Videos", "*.mp4;*.mkv"}}},
    {"Videos|*.mp4;*.mkv|Audio|", {{"Videos", "*.mp4;*.mkv"}, {"Audio", ""}}},
    {"Videos||Audio|*.mp3", {{"Videos", ""}, {"Audio", "*.mp3"}}},
    {"|*.mp4", {{"", "*.mp4"}}},
    {" Videos | *.mp4 ", {{" Videos ", " *.mp4 "}}},
    {"", {}},
    {"no bars at all", {}},
};

TEST(FilterTextTest, EntriesAreTakenAsWritten)
{
    for (const ParseCase& c : kParseCases)
        EXPECT_EQ(ParseFilterText(c.Filter), c.Entries) << c.Filter;
}

// A filter box that counts its events and the Change hook.
class CountingFilterCombo : public TskSkinFilterComboBox {
public:
    explicit CountingFilterCombo(TComponent* owner) : TskSkinFilterComboBox(owner)
    {
        OnClick = [this](TObject*) { ++Clicks; };
        OnChange = [this](TObject*) { ++TextChanges; };
    }
    int Clicks = 0, TextChanges = 0, Changes = 0;

protected:
    void Change() override
    {
        ++Changes;
        TskSkinFilterComboBox::Change();
    }
};

class FilterComboBoxTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(0, 0, 300, 200);
        combo = Placed<CountingFilterCombo>(*form, Bounds(10, 10, 200, 22));
    }
    void ResetCounts() { combo->Clicks = combo->TextChanges = combo->Changes = 0; }

    std::unique_ptr<TForm> form;
    CountingFilterCombo* combo = nullptr;
};

TEST_F(FilterComboBoxTest, BuildsItsItemsWithTheWindowAndOnEachNewFilter)
{
    CountingFilterCombo unplaced(nullptr);
    EXPECT_EQ(unplaced.Items()->Count(), 0) << "no items before the window";
    combo->HandleNeeded();
    ASSERT_EQ(combo->Items()->Count(), 1);
    EXPECT_EQ(combo->Text(), "All files (*.*)");
    EXPECT_EQ(combo->Mask(), "*.*");

    combo->SetFilter("Videos|*.MP4|Audio|*.mp3");
    ResetCounts();
    combo->SetFilter("VIDEOS|*.mp4|audio|*.MP3");
    EXPECT_EQ(combo->Items()->Get(0), "Videos") << "a change of letter case only changes nothing";
    EXPECT_EQ(combo->Changes, 0);

    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Mask(), "*.mp3");
    combo->SetFilter("Pictures|*.png");
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->Mask(), "*.png");
}

TEST_F(FilterComboBoxTest, MaskWithoutAChoice)
{
    combo->HandleNeeded();
    combo->SetFilter("no bars");
    ResetCounts();
    EXPECT_EQ(combo->Mask(), "*.*") << "an empty list";
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Changes, 0);

    combo->SetFilter("Videos|*.mp4|Audio|*.mp3");
    combo->SetItemIndex(-1);
    ResetCounts();
    EXPECT_EQ(combo->Mask(), "*.mp3") << "nothing chosen picks the last item";
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Clicks, 1);

    combo->Items()->Add("Added directly");
    combo->SetItemIndex(2);
    EXPECT_THROW(combo->Mask(), EListError) << "an item without a mask is an error, not a crash";
}

TEST_F(FilterComboBoxTest, SameDescriptionTwiceRunsChangeButNotOnChange)
{
    combo->HandleNeeded();
    combo->SetFilter("Media|*.mp4|Media|*.mkv");
    ResetCounts();
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Clicks, 1);
    EXPECT_EQ(combo->Changes, 1);
    EXPECT_EQ(combo->TextChanges, 0);
    EXPECT_EQ(combo->Mask(), "*.mkv");
}

struct MatchCase {
    const char* Filter;
    int Entry;
    std::vector<std::string> Matching;
};

const std::vector<std::string> kNames = {"clip.mp4", "Clip Two.MKV", "中文 视频.mkv", "song.aiff",
                                         "song.AIF", "notes.txt",    "README",        "photo.png"};

const MatchCase kMatchCases[] = {
    {"All files (*.*)|*.*", 0, kNames},
    {"Videos|*.mp4;*.mkv|Audio|*.mp3", 0, {"clip.mp4", "Clip Two.MKV", "中文 视频.mkv"}},
    // The same pattern in two letter cases lists each file once.
    {"Matroska|*.MKV;*.mkv", 0, {"Clip Two.MKV", "中文 视频.mkv"}},
    // Blanks around patterns are not part of them.
    {"Videos|*.mp4|AIFF| *.aif; *.aiff ", 1, {"song.aiff", "song.AIF"}},
    {"Pictures|*.png|Nothing|", 1, {}},
    {"Text|*.TXT", 0, {"notes.txt"}},
    {"Chinese|中文*", 0, {"中文 视频.mkv"}},
    {"One letter|song.ai?", 0, {"song.AIF"}},
};

TEST_F(FilterComboBoxTest, ChosenEntryMatchesTheseNames)
{
    combo->HandleNeeded();
    for (const MatchCase& c : kMatchCases) {
        combo->SetFilter(c.Filter);
        combo->SetItemIndex(c.Entry);
        EXPECT_THAT(NamesMatchingFileMask(kNames, combo->Mask()), ElementsAreArray(c.Matching)) << c.Filter;
    }
    EXPECT_THAT(FileMaskPatterns(" *.aif ;; *.aiff;"), ElementsAre("*.aif", "*.aiff"));
    EXPECT_THAT(FileMaskPatterns(" ; "), IsEmpty());
}

} // namespace

} // namespace tovrel::test
