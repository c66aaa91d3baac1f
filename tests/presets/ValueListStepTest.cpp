// The value-list step: what the six parameter boxes hold for a preset key.
#include <gtest/gtest.h>

#include "app/presets/RowCodes.h"
#include "app/presets/ValueListStep.h"

namespace tovrel::test {
namespace {

struct TExpectedBox {
    std::size_t ItemCount;
    std::string SelectedText;
    bool Enabled;
};

struct TFillCase {
    const char* Name;
    bool Dialog;
    int Key;
    TPerBox<TExpectedBox> Boxes; // frame size, video bitrate, frame rate, audio bitrate, sample rate, aspect
};

const TFillCase FillCases[] = {
    {"Main1100",
     false,
     1100,
     {{{19, "320*240", true},
       {8, "816 kbps", true},
       {12, "25.00", true},
       {17, "128 kbps", true},
       {6, "44100", true},
       {5, "保持原视频模式", true}}}},
    {"Main3209",
     false,
     3209,
     {{{11, "176*144", true},
       {15, "128 kbps", true},
       {7, "12", true},
       {8, "48 kbps", true},
       {7, "32000", true},
       {5, "保持原视频模式", true}}}},
    {"MainAudioOnly3215",
     false,
     3215,
     {{{1, "该格式无视频", false},
       {1, "无视频", false},
       {1, "无视频", false},
       {17, "128 kbps", true},
       {6, "44100", true},
       {1, "无视频", false}}}},
    {"Dialog100",
     true,
     100,
     {{{28, "保持原分辨率", true},
       {8, "816 kbps", true},
       {12, "25.00", true},
       {17, "128 kbps", true},
       {6, "44100", true},
       {5, "保持原视频模式", true}}}},
    {"DialogAudioOnly200",
     true,
     200,
     {{{1, "该格式无视频", false},
       {1, "无视频", false},
       {1, "无视频", false},
       {17, "128 kbps", true},
       {6, "44100", true},
       {1, "无视频", false}}}},
    {"DialogAmr708",
     true,
     708,
     {{{1, "该格式无视频", false},
       {1, "无视频", false},
       {1, "无视频", false},
       {8, "7.4 kbps", true},
       {1, "8000", true},
       {1, "无视频", false}}}},
    {"Dialog109",
     true,
     109,
     {{{11, "176*144", true},
       {15, "128 kbps", true},
       {7, "12", true},
       {6, "12 kbps", true},
       {1, "8000", true},
       {2, "保持原视频模式", true}}}},
    {"Dialog1100",
     true,
     1100,
     {{{19, "320*240", true},
       {8, "816 kbps", true},
       {12, "25.00", true},
       {17, "128 kbps", true},
       {6, "44100", true},
       {5, "保持原视频模式", true}}}},
};

class ValueListStep : public ::testing::TestWithParam<TFillCase> {};

TEST_P(ValueListStep, FillsEachBoxWithItsListAndDefault)
{
    const TFillCase& c = GetParam();
    const TParameterBoxesFill fill = FillParameterBoxes(c.Dialog ? DialogPresets() : MainPresets(), c.Key);
    ASSERT_TRUE(fill.KeyFound);
    for (TParameterBox box : ParameterBoxes) {
        const TBoxFill& got = fill.Boxes[BoxIndex(box)];
        const TExpectedBox& want = c.Boxes[BoxIndex(box)];
        SCOPED_TRACE(BoxIndex(box));
        EXPECT_EQ(got.Items.size(), want.ItemCount);
        ASSERT_GE(got.Selected, 0);
        EXPECT_EQ(got.Items.at(got.Selected), want.SelectedText);
        EXPECT_EQ(got.Enabled, want.Enabled);
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, ValueListStep, ::testing::ValuesIn(FillCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ValueListStepEdges, KeyWithoutRowLeavesSixEmptyEnabledBoxes)
{
    for (int key : {1099, 5, 99}) {
        const TParameterBoxesFill fill = FillParameterBoxes(MainPresets(), key);
        EXPECT_FALSE(fill.KeyFound);
        for (const TBoxFill& box : fill.Boxes) {
            EXPECT_TRUE(box.Items.empty());
            EXPECT_EQ(box.Selected, -1);
            EXPECT_TRUE(box.Enabled);
        }
    }
}

TEST(ValueListStepEdges, RepeatedItemsKeepTheirOwnPositions)
{
    for (int key : {3208, 3310, 3408}) {
        const std::vector<std::string> sizes =
            FillParameterBoxes(MainPresets(), key).Boxes[BoxIndex(TParameterBox::FrameSize)].Items;
        ASSERT_EQ(sizes.size(), 28u) << key;
        EXPECT_EQ(sizes[24], "1920*1200");
        EXPECT_EQ(sizes[25], "1920*1200");
        EXPECT_EQ(sizes[26], "2048*1536");
    }
}

TEST(ValueListStepEdges, OnlyKeys411And502OfTheDialogDefaultToWidescreen)
{
    for (const TKeyDefaults& row : DialogPresets().KeyDefaults()) {
        const int aspect = row.Boxes[BoxIndex(TParameterBox::Aspect)].Position;
        EXPECT_EQ(aspect, row.Key == 411 || row.Key == 502 ? 2 : 0) << row.Key;
    }
}

TEST(ValueListStepEdges, DefaultsOfKey1100MakeItsOptionCode)
{
    const TParameterBoxesFill fill = FillParameterBoxes(MainPresets(), 1100);
    TPerBox<int> positions{};
    for (TParameterBox box : ParameterBoxes)
        positions[BoxIndex(box)] = fill.Boxes[BoxIndex(box)].Selected;
    EXPECT_EQ(MakeOptionCode(positions), "040310000904");
}

} // namespace
} // namespace tovrel::test
