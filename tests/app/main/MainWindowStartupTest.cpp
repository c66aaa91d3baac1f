// Start-up of the real main window: a first start creates option.ini and the
// default folders, a damaged option.ini is repaired, and a configuration
// folder that cannot be written gives a notice while the window still comes up.
#include "MainWindowTestSupport.h"

#include "media/engine/FFmpegTasks.h"
#include "platform/vcl/Menus.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/data/SkinData.h"

namespace tovrel::test {
namespace {

// The window is usable: the first category's first format with its value lists.
void ExpectFirstFormatShown(TMainForm& main)
{
    EXPECT_EQ(main.CategoryBox()->ItemIndex(), 0);
    EXPECT_EQ(main.FormatBox()->ItemIndex(), 0);
    EXPECT_EQ(main.Data().All_Trant_Number, 1100);
    EXPECT_EQ(main.ParameterBox(TParameterBox::VideoBitrate)->Text(), "816 kbps");
}

using MainWindowStartupTest = MainWindowTest;

TEST_F(MainWindowStartupTest, FirstStartCreatesOptionIniAndFolders)
{
    TMainForm& main = Start();
    EXPECT_TRUE(notices.empty());
    ASSERT_TRUE(std::filesystem::exists(IniPath()));
    EXPECT_EQ(IniValue("OutPath", "OutPath"), DefaultOutput().string());
    EXPECT_EQ(IniValue("Skin", "SetSkin"), "0");
    EXPECT_EQ(IniValue("Options", "After_Done"), "0");
    EXPECT_EQ(IniValue("Options", "Thread_Priority"), "3");
    EXPECT_EQ(IniValue("Options", "Overwrite_File"), "1");
    EXPECT_EQ(IniValue("Options", "Show_Preview"), "0");
    EXPECT_TRUE(std::filesystem::is_directory(DefaultOutput()));
    EXPECT_TRUE(std::filesystem::is_directory(DefaultSnapshots()));
    EXPECT_EQ(main.OutputFolderEdit()->Text(), DefaultOutput().string());
    EXPECT_EQ(main.Data().FileOutPutPath, DefaultOutput().string());
    EXPECT_EQ(main.SkinData()->SkinIndex(), 0);
    EXPECT_EQ(main.OptionsDialog()->Options(), TConversionOptions{});
    ExpectFirstFormatShown(main);
}

TEST_F(MainWindowStartupTest, DamagedOptionIniIsRepaired)
{
    const std::filesystem::path stored = root / "elsewhere" / "out";
    WriteIni("[OutPath]\nOutPath=" + stored.string() +
             "\n[Skin]\nSetSkin=abc\n[Options]\nAfter_Done=7\nThread_Priority=\nOverwrite_File=Error\n"
             "Show_Preview=yes\nThread_Count=5\n; kept\nUnknown=1\n");
    TMainForm& main = Start();
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(IniValue("Skin", "SetSkin"), "0");
    EXPECT_EQ(IniValue("Options", "After_Done"), "0");
    EXPECT_EQ(IniValue("Options", "Thread_Priority"), "3");
    EXPECT_EQ(IniValue("Options", "Overwrite_File"), "1");
    EXPECT_EQ(IniValue("Options", "Show_Preview"), "0");
    EXPECT_EQ(IniValue("Options", "Unknown"), "1");
    // A stored folder is used and made; the thread count is read back.
    EXPECT_TRUE(std::filesystem::is_directory(stored));
    EXPECT_EQ(main.Data().FileOutPutPath, stored.string());
    EXPECT_EQ(main.OptionsDialog()->Options().ThreadCount, 5);
    EXPECT_EQ(main.SkinData()->SkinIndex(), 0);
    ExpectFirstFormatShown(main);
}

TEST_F(MainWindowStartupTest, StoredSkinAndOptionsApply)
{
    WriteIni("[Skin]\nSetSkin=3\n[Options]\nAfter_Done=2\nThread_Priority=0\nOverwrite_File=0\nShow_Preview=1\n"
             "Thread_Count=19\n");
    TMainForm& main = Start();
    EXPECT_EQ(main.SkinData()->SkinIndex(), 3);
    EXPECT_EQ(main.OptionsDialog()->Options(),
              (TConversionOptions{
                  .AfterDone = 2, .ThreadPriority = 0, .OverwriteFile = true, .ShowPreview = true, .ThreadCount = 19}));
    // The preview box reaches the task component as it is read.
    EXPECT_TRUE(main.Tasks().Preview());
}

TEST_F(MainWindowStartupTest, EverySkinKeepsTheWholeClientArea)
{
    TMainForm& main = Start();
    main.Show();
    for (int skin : {0, 1, 4, 7, 0}) {
        main.ApplySkinIndex(skin);
        EXPECT_EQ(main.ClientWidth(), 839) << "skin " << skin;
        EXPECT_EQ(main.ClientHeight(), 527) << "skin " << skin;
    }
}

TEST_F(MainWindowStartupTest, SkinOutsideTheListIsSkinZero)
{
    WriteIni("[Skin]\nSetSkin=99\n[Options]\nThread_Count=20\n");
    TMainForm& main = Start();
    EXPECT_EQ(main.SkinData()->SkinIndex(), 0);
    EXPECT_EQ(IniValue("Skin", "SetSkin"), "0");
    EXPECT_EQ(main.OptionsDialog()->Options().ThreadCount, 1);
}

TEST_F(MainWindowStartupTest, UnwritableConfigurationGivesANoticeAndStillStarts)
{
    // A file where the configuration folder should be: nothing can be made there.
    std::ofstream(config) << "not a folder";
    TMainForm& main = Start();
    ASSERT_FALSE(notices.empty());
    EXPECT_NE(notices.front().find(IniPath().string()), std::string::npos) << notices.front();
    EXPECT_TRUE(std::filesystem::is_directory(DefaultOutput()));
    EXPECT_EQ(main.Data().FileOutPutPath, DefaultOutput().string());
    ExpectFirstFormatShown(main);
    bool canClose = false;
    main.FormCloseQuery(canClose);
    EXPECT_TRUE(canClose);
}

TEST_F(MainWindowStartupTest, FolderThatCannotBeMadeGivesANotice)
{
    // HOME is a file, so neither default folder can exist.
    std::filesystem::remove(home);
    std::ofstream(home) << "not a folder";
    TMainForm& main = Start();
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_NE(notices[0].find(DefaultOutput().string()), std::string::npos) << notices[0];
    EXPECT_NE(notices[1].find(DefaultSnapshots().string()), std::string::npos) << notices[1];
    // The folder stays shown; adding a file will fail at its output.
    EXPECT_EQ(main.Data().FileOutPutPath, DefaultOutput().string());
    ExpectFirstFormatShown(main);
}

TEST_F(MainWindowStartupTest, CommandStatesFollowTheWorkflow)
{
    TMainForm& main = Start();
    EXPECT_TRUE(main.MenuItem("Item111")->Enabled());
    EXPECT_FALSE(main.MenuItem("N7")->Enabled());
    EXPECT_FALSE(main.MenuItem("N13")->Enabled());
    EXPECT_TRUE(main.MenuItem("N111")->Enabled());
    EXPECT_TRUE(main.BrowseButton()->Enabled());
    // While converting the settings are locked, the folder button with them.
    main.SetWorkflowState(TWorkflowState::Converting);
    EXPECT_FALSE(main.BrowseButton()->Enabled());
    EXPECT_FALSE(main.ParameterBox(TParameterBox::FrameSize)->Enabled());
    EXPECT_TRUE(main.MenuItem("N8")->Enabled());
    // Rows hold still while their tasks run.
    EXPECT_FALSE(main.MenuItem("N111")->Enabled());
    main.SetWorkflowState(TWorkflowState::Paused);
    EXPECT_FALSE(main.MenuItem("N10")->Enabled());
    EXPECT_TRUE(main.MenuItem("N11")->Enabled());
}

} // namespace
} // namespace tovrel::test
