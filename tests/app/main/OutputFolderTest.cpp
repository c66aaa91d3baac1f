// The output folder on the real main window: "浏览" takes an existing folder
// from the folder dialog, shows and stores it; anything else changes
// nothing; "打开" hands the shown folder to the shell.
#include "MainWindowTestSupport.h"
#include "RecordingLauncher.h"

#include "platform/shell/ShellLauncher.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"

namespace tovrel::test {
namespace {

class OutputFolderTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        SetShellLauncher(nullptr);
        MainWindowTest::TearDown();
    }
    // "浏览" with the folder dialog answering `answer`.
    void Browse(TMainForm& main, std::optional<std::string> answer)
    {
        main.SelectFolder = [answer](const std::string& title, const std::string&) {
            EXPECT_EQ(title, "选择输出目录");
            return answer;
        };
        main.BrowseButton()->Click();
    }
};

TEST_F(OutputFolderTest, ChosenFolderIsShownAndStored)
{
    TMainForm& main = Start();
    const std::filesystem::path chosen = root / "chosen";
    std::filesystem::create_directories(chosen);
    Browse(main, chosen.string());
    EXPECT_EQ(main.OutputFolderEdit()->Text(), chosen.string());
    EXPECT_EQ(main.Data().FileOutPutPath, chosen.string());
    EXPECT_EQ(IniValue("OutPath", "OutPath"), chosen.string());
}

TEST_F(OutputFolderTest, CancelOrAMissingFolderChangesNothing)
{
    TMainForm& main = Start();
    Browse(main, std::nullopt);
    Browse(main, (root / "missing").string());
    EXPECT_EQ(main.OutputFolderEdit()->Text(), DefaultOutput().string());
    EXPECT_EQ(main.Data().FileOutPutPath, DefaultOutput().string());
    EXPECT_EQ(IniValue("OutPath", "OutPath"), DefaultOutput().string());
}

TEST_F(OutputFolderTest, OpenHandsTheShownFolderToTheShell)
{
    auto launcher = std::make_shared<RecordingLauncher>();
    SetShellLauncher(launcher);
    TMainForm& main = Start();
    main.OpenFolderButton()->Click();
    EXPECT_EQ(launcher->opened, std::vector<std::string>{DefaultOutput().string()});
}
} // namespace
} // namespace tovrel::test
