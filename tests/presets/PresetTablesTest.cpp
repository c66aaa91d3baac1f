// Checks of the embedded preset tables as a whole: their sizes, key ranges,
// defaults and the rows the tables are known by.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>

#include "app/presets/PresetCatalog.h"
#include "app/presets/PresetKeys.h"

namespace tovrel::test {
namespace {

struct TCatalogShape {
    const char* Name;
    const TPresetCatalog& (*Catalog)();
    std::size_t Categories, Formats, Lists;
    std::set<int> AudioOnly;
    TPerBox<std::string> AudioOnlyLists;
};

std::set<int> Range(int first, int last)
{
    std::set<int> keys;
    for (int k = first; k <= last; ++k)
        keys.insert(k);
    return keys;
}

const TCatalogShape Shapes[] = {
    {"main", &MainPresets, 16, 146, 67, {1202, 1203, 3215, 3312}, {"FS16", "VB24", "FR6", "", "", "AS2"}},
    {"dialog",
     &DialogPresets,
     12,
     109,
     50,
     [] {
         std::set<int> keys = Range(200, 212);
         keys.insert({708, 1202, 1203});
         return keys;
     }(),
     {"FS3", "VB6", "FR3", "", "", "AR3"}},
};

void PrintTo(const TCatalogShape& shape, std::ostream* os)
{
    *os << shape.Name;
}

class PresetTables : public ::testing::TestWithParam<TCatalogShape> {};

TEST_P(PresetTables, EveryTableHasOneRowPerKeyOfTheCatalogue)
{
    const TPresetCatalog& catalog = GetParam().Catalog();
    EXPECT_EQ(catalog.Categories().size(), GetParam().Categories);
    EXPECT_EQ(catalog.Formats().size(), GetParam().Formats);
    EXPECT_EQ(catalog.Lists().size(), GetParam().Lists);
    EXPECT_EQ(catalog.KeyDefaults().size(), GetParam().Formats);
    EXPECT_EQ(catalog.Profiles().size(), GetParam().Formats);

    std::set<int> expectedKeys;
    for (const TPresetCategory& category : catalog.Categories()) {
        const int first = (category.Code.value_or(category.Position) + 1) * 100;
        const std::set<int> range = Range(first, first + category.FormatCount - 1);
        expectedKeys.insert(range.begin(), range.end());
        const std::vector<const TFormatItem*> formats = catalog.FormatsOf(category.Position);
        ASSERT_EQ(formats.size(), static_cast<std::size_t>(category.FormatCount)) << category.Caption;
        for (std::size_t i = 0; i < formats.size(); ++i) {
            EXPECT_EQ(formats[i]->FormatIndex, static_cast<int>(i));
            EXPECT_EQ(formats[i]->Key, first + static_cast<int>(i));
        }
    }
    const auto keysOf = [](const auto& rows) {
        std::set<int> keys;
        for (const auto& row : rows)
            keys.insert(row.Key);
        return keys;
    };
    EXPECT_EQ(expectedKeys.size(), GetParam().Formats);
    EXPECT_EQ(keysOf(catalog.Formats()), expectedKeys);
    EXPECT_EQ(keysOf(catalog.KeyDefaults()), expectedKeys);
    EXPECT_EQ(keysOf(catalog.Profiles()), expectedKeys);
}

TEST_P(PresetTables, EveryDefaultIsAnItemOfItsOwnBoxList)
{
    const TPresetCatalog& catalog = GetParam().Catalog();
    for (const TKeyDefaults& row : catalog.KeyDefaults()) {
        for (TParameterBox box : ParameterBoxes) {
            const TBoxDefault& cell = row.Boxes[BoxIndex(box)];
            const TValueList& list = catalog.ListOf(cell);
            EXPECT_EQ(list.Box, box) << row.Key << " " << list.Id;
            ASSERT_GE(cell.Position, 0) << row.Key;
            ASSERT_LT(cell.Position, static_cast<int>(list.Items.size())) << row.Key << " " << list.Id;
            if (cell.StatedText) {
                EXPECT_EQ(list.Items[cell.Position], *cell.StatedText) << row.Key << " " << list.Id;
            }
        }
    }
}

TEST_P(PresetTables, AudioOnlyKeysHaveNoVideoInListsOrProfiles)
{
    const TPresetCatalog& catalog = GetParam().Catalog();
    std::set<int> audioDefaults, audioProfiles;
    for (const TKeyDefaults& row : catalog.KeyDefaults()) {
        if (!row.AudioOnly)
            continue;
        audioDefaults.insert(row.Key);
        for (TParameterBox box : ParameterBoxes) {
            const std::string& expected = GetParam().AudioOnlyLists[BoxIndex(box)];
            if (!expected.empty()) {
                EXPECT_EQ(catalog.ListOf(row.Boxes[BoxIndex(box)]).Id, expected) << row.Key;
            }
        }
    }
    for (const TEncoderProfile& profile : catalog.Profiles()) {
        if (!profile.DisableVideo)
            continue;
        audioProfiles.insert(profile.Key);
        EXPECT_TRUE(profile.VideoCodec.value_or("").empty()) << profile.Key;
        EXPECT_TRUE(profile.FrameSize.value_or("").empty()) << profile.Key;
        EXPECT_TRUE(profile.AudioCodec.has_value()) << profile.Key;
    }
    EXPECT_EQ(audioDefaults, GetParam().AudioOnly);
    EXPECT_EQ(audioProfiles, GetParam().AudioOnly);
}

INSTANTIATE_TEST_SUITE_P(Catalogues, PresetTables, ::testing::ValuesIn(Shapes),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(MainPresetTables, CategoryCodeTableAndKeys)
{
    const int codes[] = {10, 4, 12, 33, 15, 31, 32, 2, 13, 16, 20, 5, 8, 17, 18, 11};
    for (int position = 0; position < 16; ++position)
        EXPECT_EQ(CategoryCode(position), codes[position]);
    EXPECT_EQ(CategoryCode(16), std::nullopt);
    EXPECT_EQ(CategoryCode(-1), std::nullopt);
    EXPECT_EQ(MainPresets().Category(0)->Caption, "MP4视频");
    EXPECT_EQ(MainPresets().Category(15)->Caption, "Flash视频");

    EXPECT_EQ(PresetKey(0, 0), 1100);
    EXPECT_EQ(PresetKey(15, 3), 1203);
    EXPECT_EQ(PresetKey(5, 15), 3215);
    EXPECT_EQ(PresetKey(7, 2), 302);
    EXPECT_EQ(PresetKey(0, -1), 1099); // no format selected: a key without a row
    EXPECT_EQ(MainPresets().Defaults(1099), nullptr);
    EXPECT_EQ(DialogPresetKey(0, 0), 100);
    EXPECT_EQ(DialogPresetKey(-1, 5), 5);
}

TEST(MainPresetTables, TitlesEndInAThreeLetterPatternAndPicturesShowTheCode)
{
    const std::regex pattern(R"(.*\(\*\.[a-z0-9]{3}\)$)");
    for (const TFormatItem& format : MainPresets().Formats()) {
        EXPECT_TRUE(std::regex_match(format.Title, pattern)) << format.Key << " " << format.Title;
        EXPECT_EQ(format.ImageIndex, *CategoryCode(format.CategoryPosition)) << format.Key;
        EXPECT_FALSE(format.Caption.empty()) << format.Key;
    }
    EXPECT_EQ(MainPresets().Format(1100)->Title, "MP4机播放的MP4视频格式(*.mp4)");
    EXPECT_EQ(MainPresets().Format(1100)->Caption, "为各种MP4机优化的MPEG-4视频预置方案");
    // Shared titles stay separate entries.
    EXPECT_EQ(MainPresets().Format(300)->Title, MainPresets().Format(301)->Title);
    EXPECT_NE(MainPresets().Format(300)->Caption, MainPresets().Format(301)->Caption);
}

TEST(MainPresetTables, ProfilesKeepTheirOwnExtensionsTargetsAndConstants)
{
    const TPresetCatalog& main = MainPresets();
    EXPECT_EQ(main.Profile(306)->OutputExt, ".wmv");
    EXPECT_EQ(main.Profile(306)->FileExt, ".asf");
    const std::pair<int, const char*> ownExtensions[] = {
        {3200, ".avi"}, {3400, ".avi"}, {906, ".avi"}, {909, ".mp4"}, {901, ".mpeg"}};
    for (const auto& [key, ext] : ownExtensions)
        EXPECT_EQ(main.Profile(key)->OutputExt, ext) << key;
    const std::pair<int, const char*> discs[] = {{1408, "dvd"}, {1409, "svcd"}, {1410, "vcd"}};
    for (const auto& [key, target] : discs) {
        const TEncoderProfile& p = *main.Profile(key);
        EXPECT_EQ(p.TargetType, target);
        EXPECT_EQ(p.NormType, "PAL");
        EXPECT_EQ(p.FileExt, "");
        EXPECT_EQ(p.OutputExt, ".mpg");
        EXPECT_EQ(p.VideoBitrate, -1000);
        EXPECT_EQ(p.AudioBitrate, -1000);
    }
    for (int key : {1202, 1203})
        EXPECT_EQ(main.Profile(key)->FileExt, "") << key;
    for (int key : {3215, 3312, 1202, 1203})
        EXPECT_EQ(main.Profile(key)->VideoBitrate, -1) << key;
    for (const TEncoderProfile& p : main.Profiles()) {
        // Every main profile assigns every field.
        EXPECT_EQ(p.AudioVolume, "256") << p.Key;
        EXPECT_EQ(p.FileFormat, "") << p.Key;
        EXPECT_EQ(p.VideoFilters, "") << p.Key;
        EXPECT_EQ(p.CopyTimestamp, "") << p.Key;
        EXPECT_TRUE(p.FileExt && p.VideoCodec && p.VideoTag && p.FrameSize && p.FrameRate && p.FrameAspectRatio &&
                    p.VideoBitrate && p.AudioCodec && p.AudioChannels && p.AudioSampleRate && p.AudioBitrate &&
                    p.TargetType && p.NormType)
            << p.Key;
        if (p.Key < 1408 || p.Key > 1410) {
            EXPECT_EQ(p.TargetType, "") << p.Key;
        }
    }
    const TEncoderProfile& p3209 = *main.Profile(3209);
    EXPECT_EQ(p3209.VideoCodec, "h263");
    EXPECT_EQ(p3209.FrameSize, "176*144");
    EXPECT_EQ(p3209.FrameRate, "12");
    EXPECT_EQ(p3209.AudioBitrate, 48000);
}

// Encoders the current FFmpeg lacks or muxers refuse are replaced in the data,
// and each replaced row says why.
TEST(MainPresetTables, ProfilesNameOnlyEncodersThatExistAndTheirMuxersAccept)
{
    std::set<int> noted;
    for (const TEncoderProfile& p : MainPresets().Profiles()) {
        EXPECT_NE(p.AudioCodec, "libfaac") << p.Key;
        EXPECT_NE(p.VideoCodec, "msmpeg4v1") << p.Key;
        if (p.OutputExt == ".mpg" || p.OutputExt == ".vob") {
            EXPECT_NE(p.AudioCodec, "aac") << p.Key;
        }
        if (p.OutputExt == ".mov") {
            EXPECT_EQ(p.VideoCodec, "mpeg4") << p.Key;
        }
        if (!p.Note.empty())
            noted.insert(p.Key);
    }
    EXPECT_EQ(MainPresets().Profile(909)->VideoCodec, "mpeg4");
    EXPECT_EQ(MainPresets().Profile(2100)->AudioCodec, "mp2");
    EXPECT_EQ(MainPresets().Profile(1103)->AudioCodec, "aac");
    EXPECT_EQ(MainPresets().Profile(1100)->AudioCodec, "libmp3lame");
    for (int key : {909, 2100, 307, 1404, 1103, 509})
        EXPECT_TRUE(noted.count(key)) << key;
    for (int key : {1100, 306, 1408, 3215})
        EXPECT_FALSE(noted.count(key)) << key;
}

TEST(DialogPresetTables, CataloguesTitlesAndPicturesAsListed)
{
    const TPresetCatalog& dialog = DialogPresets();
    EXPECT_EQ(dialog.Category(0)->Caption, "常用视频");
    EXPECT_EQ(dialog.Category(11)->Caption, "Flash视频");
    EXPECT_FALSE(dialog.Category(0)->Code.has_value());
    EXPECT_EQ(dialog.Format(702)->Title, "3GPP2 -  第三代合作项目2-3G2视频+AMR音频(*.3g2))");
    EXPECT_EQ(dialog.Format(202)->Title, "WAV - 波形音频格式(*.wav) ");
    EXPECT_EQ(dialog.Format(211)->Title, "ALAC-Apple Lossless无损音频格式(*.alac) ");
    EXPECT_EQ(dialog.Format(100)->Caption, "AVI最常用的视频格式,语音和影像同步组合在一起的文件格式");
    EXPECT_EQ(dialog.Format(1003)->Caption, dialog.Format(1004)->Caption);
    for (const TFormatItem& format : dialog.Formats())
        EXPECT_FALSE(format.Caption.empty()) << format.Key;
    const std::pair<int, int> pictures[] = {{100, 0},  {114, 14}, {212, 12}, {300, 20},  {309, 21},
                                            {505, 21}, {604, 20}, {701, 20}, {702, 21},  {706, 20},
                                            {713, 21}, {804, 26}, {909, 21}, {1007, 21}, {1203, 25}};
    for (const auto& [key, image] : pictures)
        EXPECT_EQ(dialog.Format(key)->ImageIndex, image) << key;
}

TEST(DialogPresetTables, ProfilesAssignOnlyTheFieldsOfTheirKind)
{
    const TPresetCatalog& dialog = DialogPresets();
    const TEncoderProfile& rm = *dialog.Profile(114);
    EXPECT_EQ(rm.VideoCodec, "rv20");
    EXPECT_EQ(rm.FrameSize, "320*240");
    EXPECT_EQ(rm.TargetType, "");
    EXPECT_FALSE(rm.AudioCodec || rm.AudioBitrate || rm.FrameRate || rm.FileExt || rm.AudioVolume || rm.VideoBitrate);
    const TEncoderProfile& dvd = *dialog.Profile(111);
    EXPECT_EQ(dvd.TargetType, "dvd");
    EXPECT_EQ(dvd.NormType, "PAL");
    EXPECT_FALSE(dvd.FileExt || dvd.VideoFilters || dvd.CopyTimestamp);
    EXPECT_FALSE(dialog.Profile(305)->VideoTag.has_value());
    for (int key = 403; key <= 406; ++key)
        EXPECT_FALSE(dialog.Profile(key)->TargetType.has_value()) << key;
    EXPECT_EQ(dialog.Profile(402)->TargetType, "");
    EXPECT_EQ(dialog.Profile(408)->VideoBitrate, 7680000);
    EXPECT_EQ(dialog.Profile(206)->OutputExt, ".ra");
    EXPECT_EQ(dialog.Profile(206)->FileExt, ".rm");
    EXPECT_EQ(dialog.Profile(211)->FileExt, ".alac");
    EXPECT_EQ(dialog.Profile(700)->AudioCodec, "libamr_nb");
    EXPECT_EQ(dialog.Profile(212)->AudioBitrate, 7400);
    const TEncoderProfile& audio = *dialog.Profile(200);
    EXPECT_TRUE(audio.DisableVideo);
    EXPECT_FALSE(audio.VideoCodec || audio.FrameSize || audio.VideoBitrate || audio.VideoFilters);
    EXPECT_FALSE(dialog.Profile(1202)->FileExt.has_value());
    EXPECT_EQ(dialog.Profile(200)->FileExt, ".mp3");
}

} // namespace
} // namespace tovrel::test
