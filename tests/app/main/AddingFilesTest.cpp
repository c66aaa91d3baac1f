// Adding one file, several files and a folder on the real main window.
#include "MainWindowMediaSupport.h"

#include "app/presets/RowCodes.h"

namespace tovrel::test {

namespace {

using AddingFilesTest = MainWindowMediaTest;

bool Contains(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST_F(AddingFilesTest, OneFileBecomesARowWithItsTaskDurationAndSize)
{
    TMainForm& form = StartWithMedia();
    chosenFiles = {Clip("片段 one.avi", 2.0)};
    form.AddOneFile();

    ASSERT_EQ(RowCount(), 1);
    EXPECT_EQ(Row(0).Caption(), (inputs / "片段 one.avi").string());
    EXPECT_EQ(Cell(0, colDuration), SecToDate(2));
    EXPECT_EQ(Cell(0, colFileSize), SizeText(std::filesystem::file_size(inputs / "片段 one.avi")));
    EXPECT_EQ(Cell(0, colOutputFile), "片段 one.mp4");
    EXPECT_EQ(Cell(0, colTaskNumber), "1");
    EXPECT_EQ(Cell(0, colVideoCodec), "mpeg4");
    // Written at add time, not only when the row is selected later.
    EXPECT_EQ(Cell(0, colDisableVideo), "False");
    ASSERT_NE(TMainForm::RowTask(Row(0)), nullptr);
    EXPECT_EQ(TMainForm::RowTask(Row(0)), form.Tasks().Task(0));
    EXPECT_TRUE(Row(0).Selected());
    EXPECT_EQ(form.WorkflowState(), TWorkflowState::IdleWithRows);
    EXPECT_FALSE(form.EmptyListPanel()->Visible());
    // One log view serves adding and the preview the selected row opens.
    EXPECT_NE(std::find(form.LogLines().begin(), form.LogLines().end(), "***Can do convert."), form.LogLines().end());
    // The output is made when the task starts, never when it is added.
    EXPECT_FALSE(std::filesystem::exists(DefaultOutput() / "片段 one.mp4"));
    EXPECT_TRUE(notices.empty());
}

TEST_F(AddingFilesTest, AFileTheProbeCannotReadIsReportedAndAddsNothing)
{
    TMainForm& form = StartWithMedia();
    chosenFiles = {NotMedia("notes.avi")};
    form.AddOneFile();

    EXPECT_EQ(RowCount(), 0);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_TRUE(Contains(notices[0], "notes.avi")) << notices[0];
    EXPECT_TRUE(std::any_of(form.LogLines().begin(), form.LogLines().end(),
                            [](const std::string& line) { return line.starts_with("***File load error: "); }));
    EXPECT_EQ(form.WorkflowState(), TWorkflowState::IdleEmpty);
    EXPECT_EQ(form.Tasks().TasksCount(), 0);
}

TEST_F(AddingFilesTest, SeveralFilesGoOnPastABadOneWithOneSummary)
{
    TMainForm& form = StartWithMedia();
    chosenFiles = {Clip("a.avi"), NotMedia("bad.avi"), Clip("b.avi")};
    form.AddSeveralFiles();

    // Last to first: the first file's row is the last one and is selected.
    ASSERT_EQ(RowCount(), 2);
    EXPECT_EQ(Row(0).Caption(), (inputs / "b.avi").string());
    EXPECT_EQ(Row(1).Caption(), (inputs / "a.avi").string());
    EXPECT_TRUE(Row(1).Selected());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_TRUE(Contains(notices[0], "bad.avi")) << notices[0];
    EXPECT_FALSE(Contains(notices[0], "a.avi")) << notices[0];
    // Each row keeps its own task.
    EXPECT_EQ(form.Tasks().TasksCount(), 2);
    EXPECT_NE(TMainForm::RowTask(Row(0)), TMainForm::RowTask(Row(1)));
    EXPECT_EQ(Cell(0, colOutputFile), "b.mp4");
    EXPECT_EQ(Cell(1, colOutputFile), "a.mp4");
}

TEST_F(AddingFilesTest, TwoFilesOfOneNameGetTwoOutputs)
{
    TMainForm& form = StartWithMedia();
    chosenFiles = {Clip("x/same.avi"), Clip("y/same.avi")};
    form.AddSeveralFiles();

    ASSERT_EQ(RowCount(), 2);
    EXPECT_NE(Cell(0, colOutputFile), Cell(1, colOutputFile));
}

TEST_F(AddingFilesTest, AFolderAddsItsMediaFilesAndReportsTheRest)
{
    TMainForm& form = StartWithMedia();
    Clip("folder/1.avi");
    Clip("folder/2.avi");
    Clip("folder/sub/3.avi");
    NotMedia("folder/notes.doc");
    chosenFolder = (inputs / "folder").string();
    form.AddFolder();

    ASSERT_EQ(folderTitles.size(), 1u);
    EXPECT_EQ(folderTitles[0], "选择目录");
    ASSERT_EQ(RowCount(), 2);
    EXPECT_EQ(Row(0).Caption(), (inputs / "folder" / "2.avi").string());
    EXPECT_EQ(Row(1).Caption(), (inputs / "folder" / "1.avi").string());
    EXPECT_TRUE(Row(1).Selected());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_TRUE(Contains(notices[0], "notes.doc")) << notices[0];
}

TEST_F(AddingFilesTest, AFolderWithoutMediaSaysSo)
{
    TMainForm& form = StartWithMedia();
    NotMedia("empty/notes.doc");
    chosenFolder = (inputs / "empty").string();
    form.AddFolder();

    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(notices, std::vector<std::string>{"在该目录没有发现可以用的视频或音频文件！"});
}

TEST_F(AddingFilesTest, CancelledDialogsAddNothing)
{
    TMainForm& form = StartWithMedia();
    form.AddOneFile();
    form.AddSeveralFiles();
    form.AddFolder();
    EXPECT_EQ(RowCount(), 0);
    EXPECT_TRUE(notices.empty());
}

} // namespace tovrel::test
