#pragma once
// Rows put into the real main window's file list as adding files leaves
// them: input, output name, task number and codes, and a handle to the row's
// own task of the task component.
#include "MainWindowTestSupport.h"

#include "app/main/FileListColumns.h"
#include "app/presets/PresetKeys.h"
#include "app/presets/RowCodes.h"
#include "media/engine/FFmpegTasks.h"
#include "media/loader/FFmpegLoader.h"
#include "platform/ctrls/ListView.h"
#include "skin/controls/SkinListView.h"
#include "support/TestMedia.h"

namespace tovrel::test {

struct TRowPreset {
    int Category = 0;
    int Format = 0;
    TPerBox<int> Boxes{};
};

class FileRowsTest : public MainWindowTest {
protected:
    // Adding a task opens its file with the media libraries.
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(GlobalFFmpegLoader().Load(TaskLibraries)) << GlobalFFmpegLoader().LastErrMsg();
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        GlobalFFmpegLoader().Unload(TaskLibraries);
    }
    // A row for a generated clip with its own task; `output` is the full output path.
    TListItem& AddRow(TMainForm& main, const std::string& output, const TRowPreset& preset = {}, bool withTask = true)
    {
        const std::string input = media::FixturePath(media::Fixture::Mpeg4Mp3Avi).string();
        TListItem& row = *main.FileList()->Items()->Add();
        row.SetCaption(input);
        SetSubItemText(row, colOutputFile, output);
        SetSubItemText(row, colCategoryCode, std::to_string(RowCategoryCode(preset.Category, preset.Format)));
        SetSubItemText(row, colOptionCode, MakeOptionCode(preset.Boxes));
        if (withTask) {
            const int task = main.Tasks().AddTask(input, static_cast<TInputOptions*>(nullptr));
            EXPECT_GE(task, 0) << main.Tasks().LastErrMsg();
            row.Data = main.Tasks().Task(task);
            SetSubItemText(row, colTaskNumber, std::to_string(task + 1));
        }
        main.SetWorkflowState(TWorkflowState::IdleWithRows);
        main.UpdateEmptyListPicture();
        return row;
    }
    std::string Output(const std::string& name) const { return (root / name).string(); }
    static std::vector<std::string> Outputs(TMainForm& main)
    {
        std::vector<std::string> outputs;
        for (int i = 0; i < main.FileList()->Items()->Count(); ++i)
            outputs.push_back(SubItemText(*main.FileList()->Items()->Item(i), colOutputFile));
        return outputs;
    }
};

} // namespace tovrel::test
