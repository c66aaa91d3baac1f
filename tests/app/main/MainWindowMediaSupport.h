#pragma once
// The real main window with media: clips made at test time copied under the
// names a test asks for, the open and folder dialogs answered by the test,
// and the after-batch actions and warning boxes written down.
#include "MainWindowTestSupport.h"

#include "app/main/FileListColumns.h"
#include "media/engine/FFmpegTasks.h"
#include "platform/ctrls/ListView.h"
#include "platform/rtl/MainThread.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/controls/SkinPanel.h"
#include "support/TestMedia.h"

#include <algorithm>

namespace tovrel::test {

struct TRecordedActions : ISystemActions {
    void OpenFolder(const std::string& folder) override { Calls.push_back("open " + folder); }
    void PlaySound(const std::string& file) override { Calls.push_back("sound " + file); }
    void PowerOff() override { Calls.push_back("poweroff"); }
    void ShowWarning(const std::string& text) override { Calls.push_back("warning " + text); }
    std::vector<std::string> Calls;
};

class MainWindowMediaTest : public MainWindowTest {
protected:
    TMainForm& StartWithMedia()
    {
        TMainForm& form = Start();
        form.OpenMediaFiles = [this](bool) { return std::exchange(chosenFiles, {}); };
        form.SelectFolder = [this](const std::string& title, const std::string&) -> std::optional<std::string> {
            folderTitles.push_back(title);
            return chosenFolder;
        };
        actions = std::make_shared<TRecordedActions>();
        form.SystemActions = actions;
        inputs = root / "in";
        std::filesystem::create_directories(inputs);
        return form;
    }

    // A clip of `seconds` copied to in/<name>.
    std::string Clip(const std::string& name, double seconds = 1.0, int width = 320, int height = 240)
    {
        media::ClipSpec recipe;
        recipe.fileName = "mainwindow.avi";
        recipe.formatName = "avi";
        recipe.videoCodec = "mpeg4";
        recipe.audioCodec = "libmp3lame";
        recipe.seconds = seconds;
        recipe.width = width;
        recipe.height = height;
        return CopyIn(media::ClipPath(recipe), name);
    }
    std::string NotMedia(const std::string& name) { return CopyIn(media::FixturePath(media::Fixture::NotMedia), name); }
    std::string CopyIn(const std::filesystem::path& from, const std::string& name)
    {
        const std::filesystem::path to = inputs / name;
        std::filesystem::create_directories(to.parent_path());
        std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
        return to.string();
    }

    void ChooseFormat(int category, int format)
    {
        main->CategoryBox()->SetItemIndex(category);
        main->FormatBox()->SetItemIndex(format);
    }

    int RowCount() const { return main->FileList()->Items()->Count(); }
    TListItem& Row(int i) const { return *main->FileList()->Items()->Item(i); }
    std::string Cell(int i, int subItem) const { return SubItemText(Row(i), subItem); }
    std::filesystem::path Output(int i) const { return DefaultOutput() / Cell(i, colOutputFile); }

    bool WaitForState(TWorkflowState state, int ms = 60000)
    {
        return TMainThread::WaitPumping([&] { return main->WorkflowState() == state; }, ms);
    }

    std::vector<std::string> chosenFiles;
    std::optional<std::string> chosenFolder;
    std::vector<std::string> folderTitles;
    std::shared_ptr<TRecordedActions> actions;
    std::filesystem::path inputs;
};

} // namespace tovrel::test
