// Starting, pausing, resuming and stopping a batch on the real main window
// with the real engine, and what the rows show while it runs.
#include "MainWindowMediaSupport.h"

#include "app/main/ProgramDataFiles.h"
#include "app/main/SystemActions.h"
#include "media/probe/AVProbe.h"
#include "platform/vcl/Menus.h"

namespace tovrel::test {

namespace {

constexpr int kProgressInterval = 20;

class RunControlTest : public MainWindowMediaTest {
protected:
    TMainForm& StartForRun(int threads, int afterDone)
    {
        TMainForm& form = StartWithMedia();
        TConversionOptions options = form.OptionsDialog()->Options();
        options.ThreadCount = threads;
        options.AfterDone = afterDone;
        form.OptionsDialog()->SetOptions(options);
        form.Tasks().SetProgressInterval(kProgressInterval);
        return form;
    }
    void AddWithFormat(int category, int format, const std::string& file)
    {
        main->FileList()->SetSelected(nullptr);
        ChooseFormat(category, format);
        chosenFiles = {file};
        main->AddOneFile();
    }
    // Output sizes now (0 for an output not made yet).
    std::vector<std::uintmax_t> OutputSizes() const
    {
        std::vector<std::uintmax_t> sizes;
        for (int i = 0; i < RowCount(); ++i) {
            std::error_code none;
            const std::uintmax_t size = std::filesystem::file_size(Output(i), none);
            sizes.push_back(none ? 0 : size);
        }
        return sizes;
    }
    bool EveryTaskHeld() const
    {
        for (int i = 0; i < main->Tasks().TasksCount(); ++i)
            if (!main->Tasks().Task(i)->WaitingAtGate() && !main->Tasks().Task(i)->Finished())
                return false;
        return true;
    }
};

struct TCodecs {
    std::string Video, Audio;
};

TCodecs ProbeCodecs(const std::filesystem::path& file)
{
    TAVProbe probe;
    if (!probe.LoadFile(file.string()))
        return {"unreadable: " + probe.LastErrMsg(), ""};
    // The probe names a codec as "h264(H.264 / AVC ...)".
    const auto shortName = [](const std::string& name) { return name.substr(0, name.find('(')); };
    return {shortName(probe.FirstVideoStreamInfo().CodecName), shortName(probe.FirstAudioStreamInfo().CodecName)};
}

} // namespace

TEST_F(RunControlTest, ThreeFilesTwoAtOnceConvertToTheirPresets)
{
    TMainForm& form = StartForRun(2, 2);
    AddWithFormat(1, 12, Clip("avi one.avi"));     // AVI: MPEG-4 Part 2 (DX50) + MP3 (probed by its decoder)
    AddWithFormat(0, 3, Clip("mp4 one.avi", 2.0)); // MP4 AVC: H.264 + AAC
    AddWithFormat(0, 3, Clip("mp4 two.avi"));
    ASSERT_EQ(RowCount(), 3);

    form.StartBatch();
    EXPECT_EQ(form.WorkflowState(), TWorkflowState::Converting);
    EXPECT_FALSE(form.MenuItem("N7")->Enabled());
    EXPECT_TRUE(form.MenuItem("N8")->Enabled());
    ASSERT_TRUE(WaitForState(TWorkflowState::AfterBatch));

    const TCodecs expected[] = {{"mpeg4", "mp3float"}, {"h264", "aac"}, {"h264", "aac"}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(Row(i).Caption());
        EXPECT_EQ(Cell(i, colProgress), "100%");
        EXPECT_FALSE(Cell(i, colCurrentTime).empty());
        EXPECT_TRUE(Cell(i, colConvertedSize).ends_with("MB"));
        const TCodecs codecs = ProbeCodecs(Output(i));
        EXPECT_EQ(codecs.Video, expected[i].Video);
        EXPECT_EQ(codecs.Audio, expected[i].Audio);
    }
    EXPECT_EQ(actions->Calls, std::vector<std::string>{"sound " + AfterBatchSoundFile()});
    EXPECT_EQ(form.Tasks().TasksCount(), 0);
    EXPECT_TRUE(form.MenuItem("N7")->Enabled());
    EXPECT_TRUE(form.MenuItem("N14")->Enabled());
    EXPECT_FALSE(form.MenuItem("N13")->Enabled());
}

TEST_F(RunControlTest, PauseHoldsEveryOutputAndResumeFinishesThem)
{
    TMainForm& form = StartForRun(2, 0);
    AddWithFormat(1, 12, Clip("p1.avi", 2.0));
    AddWithFormat(1, 12, Clip("p2.avi", 2.0));

    form.StartBatch();
    form.PauseBatch();
    EXPECT_EQ(form.WorkflowState(), TWorkflowState::Paused);
    EXPECT_TRUE(form.MenuItem("N11")->Enabled());
    EXPECT_FALSE(form.MenuItem("N10")->Enabled());
    // Rows cannot move while their tasks run.
    EXPECT_FALSE(form.MenuItem("N111")->Enabled());
    ASSERT_TRUE(TMainThread::WaitPumping([&] { return EveryTaskHeld(); }, 30000));
    const std::vector<std::uintmax_t> held = OutputSizes();
    const std::string progress = Cell(0, colProgress);
    // Several progress intervals pass with nothing written.
    TMainThread::WaitPumping([] { return false; }, 8 * kProgressInterval);
    EXPECT_EQ(OutputSizes(), held);
    EXPECT_EQ(Cell(0, colProgress), progress);

    form.ResumeBatch();
    ASSERT_TRUE(WaitForState(TWorkflowState::AfterBatch));
    EXPECT_EQ(Cell(0, colProgress), "100%");
    EXPECT_EQ(Cell(1, colProgress), "100%");
    EXPECT_TRUE(form.MenuItem("N111")->Enabled());
    EXPECT_EQ(actions->Calls, std::vector<std::string>{"open " + DefaultOutput().string()});
}

TEST_F(RunControlTest, StopKeepsAPlayablePartialOutputAndRunsNoAfterBatchAction)
{
    TMainForm& form = StartForRun(1, 1);
    AddWithFormat(1, 12, Clip("s1.avi", 2.0, 640, 480));
    AddWithFormat(1, 12, Clip("s2.avi", 2.0, 640, 480));

    form.StartBatch();
    ASSERT_TRUE(TMainThread::WaitPumping([&] { return !Cell(0, colProgress).empty(); }, 30000));
    form.PauseBatch();
    ASSERT_TRUE(TMainThread::WaitPumping([&] { return form.Tasks().Task(0)->WaitingAtGate(); }, 30000));
    form.StopBatch();

    EXPECT_EQ(form.WorkflowState(), TWorkflowState::AfterBatch);
    EXPECT_EQ(RowCount(), 2);
    EXPECT_NE(Cell(0, colProgress), "100%");
    EXPECT_EQ(ProbeCodecs(Output(0)).Video, "mpeg4");
    EXPECT_FALSE(std::filesystem::exists(Output(1)));
    // Shutdown was chosen; a stopped batch never runs it.
    EXPECT_TRUE(actions->Calls.empty());
    EXPECT_EQ(form.Tasks().TasksCount(), 0);
}

TEST_F(RunControlTest, AVanishedInputIsNamedAndNothingStarts)
{
    TMainForm& form = StartForRun(2, 0);
    const std::string kept = Clip("kept.avi"), gone = Clip("gone.avi");
    chosenFiles = {kept, gone};
    form.AddSeveralFiles();
    std::filesystem::remove(gone);

    form.StartBatch();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find(gone), std::string::npos) << notices[0];
    EXPECT_EQ(notices[0].find(kept), std::string::npos) << notices[0];
    EXPECT_EQ(form.WorkflowState(), TWorkflowState::IdleWithRows);
    EXPECT_FALSE(form.Tasks().Working());
    EXPECT_TRUE(form.MenuItem("N7")->Enabled());
    EXPECT_TRUE(actions->Calls.empty());
}

TEST_F(RunControlTest, OutputsAreMadeUniqueAgainAtStart)
{
    TMainForm& form = StartForRun(2, 3);
    AddWithFormat(0, 3, Clip("u.avi"));
    // A file of that name appeared since the row was added.
    std::filesystem::create_directories(DefaultOutput());
    std::ofstream(DefaultOutput() / "u.mp4") << "keep me";

    form.StartBatch();
    ASSERT_TRUE(WaitForState(TWorkflowState::AfterBatch));
    EXPECT_EQ(Cell(0, colOutputFile), "u_1.mp4");
    std::ifstream kept(DefaultOutput() / "u.mp4");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep me");
    EXPECT_EQ(ProbeCodecs(Output(0)).Video, "h264");
}

TEST_F(RunControlTest, AnOutputThatCannotBeMadeIsNamedAndNothingStarts)
{
    TMainForm& form = StartForRun(2, 0);
    AddWithFormat(0, 3, Clip("f1.avi"));
    form.Data().FileOutPutPath = (root / "no such folder").string();

    form.StartBatch();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("f1.avi"), std::string::npos) << notices[0];
    EXPECT_EQ(form.WorkflowState(), TWorkflowState::IdleWithRows);
    EXPECT_FALSE(form.Tasks().Working());
    EXPECT_TRUE(actions->Calls.empty());
}

} // namespace tovrel::test
