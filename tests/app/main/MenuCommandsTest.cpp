// The main window's menu commands, the skin choice and the about box: each
// menu item reaches its action, a chosen skin is shown by every open window
// and stored in option.ini, and the about box's links go to the shell.
#include "FileRowsTestSupport.h"
#include "RecordingLauncher.h"

#include "app/format/OutputFormatForm.h"
#include "app/main/AboutForm.h"
#include "platform/backend/HeadlessBackend.h"
#include "platform/ctrls/Image.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Menus.h"
#include "platform/wm/Keys.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinLinkLabel.h"
#include "skin/controls/SkinListBox.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/SelectSkinDialog.h"
#include "skin/dialogs/SelectSkinDlgForm.h"
#include "skin/dialogs/SkinMessage.h"

#include <functional>

namespace tovrel::test {
namespace {

class MenuCommandsTest : public FileRowsTest {
protected:
    void SetUp() override
    {
        FileRowsTest::SetUp();
        SetShellLauncher(launcher);
    }
    void TearDown() override
    {
        Application->OnMessage = nullptr;
        SetShellLauncher(nullptr);
        FileRowsTest::TearDown();
    }
    // Runs `command`; the first modal form it shows is handed to `answer`,
    // which must close it. Gives the form's name, or "" when none came up.
    std::string WhileModal(const std::function<void()>& command,
                           const std::function<void(TCustomForm&)>& answer = CloseWithCancel)
    {
        std::string shown;
        Application->OnMessage = [&](MSG&, bool&) {
            TCustomForm* form = Screen->ActiveForm();
            if (!shown.empty() || !form || !form->Modal())
                return;
            shown = form->Name().empty() ? "modal" : form->Name();
            answer(*form);
        };
        command();
        Application->OnMessage = nullptr;
        return shown;
    }
    static void CloseWithCancel(TCustomForm& form) { form.SetModalResult(mrCancel); }
    // A picture of a window as it is drawn now.
    static std::string Picture(TWinControl& window, const std::filesystem::path& file)
    {
        Application->ProcessMessages();
        SaveWindowPng(window.Handle(), file.string());
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Picks skin `index` in the skin selection dialog, or cancels it.
    void ChooseSkinFromMenu(TMainForm& main, int index)
    {
        const std::string shown = WhileModal([&] { main.MenuItem("N23")->Click(); },
                                             [&](TCustomForm&) {
                                                 TskSelectSkinDlgForm& dialog = *main.SkinDialog()->DialogForm();
                                                 if (index >= 0) {
                                                     // As a click on the list's row does.
                                                     dialog.SkinsListBox->SetItemIndex(index);
                                                     dialog.SLBOnChange(dialog.SkinsListBox);
                                                 }
                                                 dialog.SetModalResult(index >= 0 ? mrOk : mrCancel);
                                             });
        EXPECT_FALSE(shown.empty());
    }

    std::shared_ptr<RecordingLauncher> launcher = std::make_shared<RecordingLauncher>();
};

TEST_F(MenuCommandsTest, EachMenuItemReachesItsAction)
{
    TMainForm& main = Start();
    main.Show();
    AddRow(main, Output("a.mp4"));
    AddRow(main, Output("b.mp4"));
    main.FileList()->SetItemIndex(0);

    struct TCase {
        const char* Item;
        std::function<void()> Expect;
    };
    const TCase cases[] = {
        {"N2221", [&] { EXPECT_EQ(main.FileList()->ItemIndex(), 1); }},
        {"N111", [&] { EXPECT_EQ(main.FileList()->ItemIndex(), 0); }},
        {"N26", [&] { EXPECT_TRUE(main.RenameEdit()->Visible()); }},
        {"N15", [&] { EXPECT_EQ(launcher->opened.back(), HelpPageAddress); }},
        {"N19", [&] { EXPECT_EQ(launcher->opened.back(), HomePageAddress); }},
        {"N13", [&] { EXPECT_EQ(main.FileList()->Items()->Count(), 1); }},
        {"N14", [&] { EXPECT_EQ(main.FileList()->Items()->Count(), 0); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Item);
        main.MenuItem(c.Item)->SetEnabled(true);
        main.MenuItem(c.Item)->Click();
        c.Expect();
    }
    for (const auto& [item, form] : {std::pair{"N24", "Form5"}, std::pair{"N5", "Form2"}}) {
        SCOPED_TRACE(item);
        EXPECT_EQ(WhileModal([&] { main.MenuItem(item)->Click(); }), form);
    }
    EXPECT_FALSE(WhileModal([&] { main.MenuItem("N23")->Click(); }).empty());
    EXPECT_EQ(launcher->opened, (std::vector<std::string>{HelpPageAddress, HomePageAddress}));
}

TEST_F(MenuCommandsTest, F1OpensTheHelpPage)
{
    TMainForm& main = Start();
    EXPECT_TRUE(main.IsShortCut(VK_F1, {}));
    EXPECT_EQ(launcher->opened, std::vector<std::string>{HelpPageAddress});
}

TEST_F(MenuCommandsTest, AChosenSkinIsStoredAndShownAtTheNextStart)
{
    TMainForm& main = Start();
    ChooseSkinFromMenu(main, 2);
    EXPECT_EQ(main.SkinData()->SkinIndex(), 2);
    EXPECT_EQ(IniValue("Skin", "SetSkin"), "2");
    EXPECT_EQ(Start().SkinData()->SkinIndex(), 2);
}

TEST_F(MenuCommandsTest, CancellingTheSkinDialogStillStoresTheCurrentSkin)
{
    TMainForm& main = Start();
    main.ApplySkinIndex(3);
    ASSERT_EQ(IniValue("Skin", "SetSkin"), "0");
    ChooseSkinFromMenu(main, -1);
    EXPECT_EQ(main.SkinData()->SkinIndex(), 3);
    EXPECT_EQ(IniValue("Skin", "SetSkin"), "3");
}

TEST_F(MenuCommandsTest, ASkinSwitchRedrawsEveryOpenWindow)
{
    TMainForm& main = Start();
    main.Show();
    main.OptionsDialog()->Show();
    const std::string mainBefore = Picture(main, root / "main0.png");
    const std::string optionsBefore = Picture(*main.OptionsDialog(), root / "options0.png");
    std::string boxBefore, boxAfter;
    TskSkinMessage message(nullptr);
    message.SetSkinData(main.SkinData());
    message.SetCtrlSkinData(main.SkinData());
    WhileModal([&] { message.MessageDlg2("text", "提示", mtInformation, {mbOK}, 0); },
               [&](TCustomForm& box) {
                   boxBefore = Picture(box, root / "box0.png");
                   main.ApplySkinIndex(4);
                   boxAfter = Picture(box, root / "box1.png");
                   box.SetModalResult(mrOk);
               });
    EXPECT_NE(boxBefore, boxAfter);
    EXPECT_NE(Picture(main, root / "main1.png"), mainBefore);
    EXPECT_NE(Picture(*main.OptionsDialog(), root / "options1.png"), optionsBefore);
}

TEST_F(MenuCommandsTest, TheAboutBoxShowsThePictureAndOpensItsLinks)
{
    TMainForm& main = Start();
    TForm2& about = *main.AboutBox();
    EXPECT_EQ(about.Caption(), "关于软件");
    EXPECT_GT(about.Picture()->Picture()->Width(), 0);
    about.SiteLink()->Click();
    about.MailLink()->Click();
    EXPECT_EQ(launcher->opened, (std::vector<std::string>{HomePageAddress, SupportMailAddress}));
    const std::string shown = WhileModal([&] { main.ShowAbout(); }, [&](TCustomForm&) { about.OkButton()->Click(); });
    EXPECT_EQ(shown, "Form2");
    EXPECT_EQ(about.ModalResult(), mrOk);
    EXPECT_FALSE(about.Visible());
}

TEST_F(MenuCommandsTest, TheOutputFormatDialogIsMadeLastWithItsStartingKey)
{
    TMainForm& main = Start();
    ASSERT_NE(main.OutputFormatDialog(), nullptr);
    EXPECT_FALSE(main.OutputFormatDialog()->Visible());
    EXPECT_EQ(main.FormatDialogPresetKey(), 100);
}

} // namespace
} // namespace tovrel::test
