// The options dialog shown modally from the main window: "确定" writes
// [Options], "取消" leaves both the file and the live options as they were.
#include "MainWindowTestSupport.h"

#include "media/engine/FFmpegTasks.h"
#include "platform/vcl/Application.h"
#include "platform/wm/Input.h"
#include "skin/controls/SkinButton.h"

#include <functional>

namespace tovrel::test {
namespace {

class OptionsDialogTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        Application->OnMessage = nullptr;
        MainWindowTest::TearDown();
    }
    // Opens the dialog from the tool bar's "选项"; once it is up, `act`
    // changes it and a click on `button` closes it.
    void ShowAndAnswer(TMainForm& main, const std::function<void(TOptionsForm&)>& act, bool ok)
    {
        bool acted = false;
        Application->OnMessage = [&](MSG&, bool&) {
            TOptionsForm* dialog = main.OptionsDialog();
            if (acted || !dialog->Modal() || !dialog->Active())
                return;
            acted = true;
            act(*dialog);
            TskSkinButton* button = ok ? dialog->OkButton() : dialog->CancelButton();
            const TPoint at = button->ClientToScreen(Point(button->Width() / 2, button->Height() / 2));
            InjectMouseMove(at);
            InjectMouseButton(0, true, at);
            InjectMouseButton(0, false, at);
        };
        main.OptionsButton()->Click();
        Application->OnMessage = nullptr;
        EXPECT_TRUE(acted);
        EXPECT_FALSE(main.OptionsDialog()->Visible());
    }
};

const TConversionOptions kChanged{
    .AfterDone = 1, .ThreadPriority = 1, .OverwriteFile = true, .ShowPreview = true, .ThreadCount = 4};

TEST_F(OptionsDialogTest, OkWritesTheOptions)
{
    TMainForm& main = Start();
    main.Show();
    ShowAndAnswer(
        main, [](TOptionsForm& dialog) { dialog.SetOptions(kChanged); }, true);
    EXPECT_EQ(main.OptionsDialog()->Options(), kChanged);
    EXPECT_EQ(IniValue("Options", "After_Done"), "1");
    EXPECT_EQ(IniValue("Options", "Thread_Priority"), "1");
    EXPECT_EQ(IniValue("Options", "Overwrite_File"), "0");
    EXPECT_EQ(IniValue("Options", "Show_Preview"), "1");
    EXPECT_EQ(IniValue("Options", "Thread_Count"), "4");
    EXPECT_TRUE(main.Tasks().Preview());
}

TEST_F(OptionsDialogTest, CancelPutsEverythingBack)
{
    TMainForm& main = Start();
    main.Show();
    const TConversionOptions before = main.OptionsDialog()->Options();
    ShowAndAnswer(
        main, [](TOptionsForm& dialog) { dialog.SetOptions(kChanged); }, false);
    // The shutdown chosen and cancelled must not stay in force.
    EXPECT_EQ(main.OptionsDialog()->Options(), before);
    EXPECT_EQ(IniValue("Options", "After_Done"), "0");
    EXPECT_EQ(IniValue("Options", "Thread_Count"), "Error");
    EXPECT_FALSE(main.Tasks().Preview());
}

TEST_F(OptionsDialogTest, OkThatCannotWriteGivesANotice)
{
    TMainForm& main = Start();
    main.Show();
    // The configuration folder becomes a file after the start.
    std::filesystem::remove_all(config);
    std::ofstream(config) << "not a folder";
    ShowAndAnswer(
        main, [](TOptionsForm& dialog) { dialog.SetOptions(kChanged); }, true);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("option.ini"), std::string::npos) << notices[0];
    // The choices stay in force for this run.
    EXPECT_EQ(main.OptionsDialog()->Options(), kChanged);
}

} // namespace
} // namespace tovrel::test
