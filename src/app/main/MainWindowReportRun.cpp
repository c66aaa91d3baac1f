// The report's lines about the list, the commands and the preview.
#include "app/main/FileListColumns.h"
#include "app/main/MainForm.h"
#include "app/main/MainWindowReportLines.h"
#include "app/options/OptionIni.h"
#include "app/options/OptionsForm.h"
#include "platform/ctrls/ListView.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/data/SkinData.h"

#include <utility>

namespace tovrel {

namespace {

// The buttons a script presses, by the names the report gives them.
constexpr std::pair<const char*, const char*> kButtons[] = {
    {"add", "skSkinMenuSpeedButton1"}, {"start", "skSkinButton2"},     {"stop", "skSkinButton10"},
    {"pause", "skSkinButton11"},       {"resume", "skSkinButton12"},   {"options", "skSkinButton19"},
    {"up", "skSkinButton3"},           {"down", "skSkinButton4"},      {"rename", "skSkinButton21"},
    {"play", "skSkinButton13"},        {"snapshot", "skSkinButton22"},
};

const char* StateName(TWorkflowState state)
{
    switch (state) {
    case TWorkflowState::IdleEmpty: return "empty";
    case TWorkflowState::IdleWithRows: return "rows";
    case TWorkflowState::Converting: return "converting";
    case TWorkflowState::Paused: return "paused";
    case TWorkflowState::AfterBatch: return "done";
    }
    return "?";
}

void WriteRows(std::ostream& out, TMainForm& main)
{
    TskSkinListView& list = *main.FileList();
    const int count = list.Items()->Count();
    const TListItem* selected = main.SelectedRow();
    out << "rows=" << count << '\n' << "selected=" << (selected ? selected->Index() : -1) << '\n';
    for (int i = 0; i < count; ++i) {
        const TListItem& row = *list.Items()->Item(i);
        const std::string key = "row" + std::to_string(i);
        const TRect r = row.DisplayRect(drBounds);
        out << key << ".input=" << row.Caption() << '\n'
            << key << ".output=" << SubItemText(row, colOutputFile) << '\n'
            << key << ".progress=" << SubItemText(row, colProgress) << '\n'
            << key << ".at=" << InWindow(main, list.ClientToScreen(Point(r.Left + 40, (r.Top + r.Bottom) / 2))) << '\n';
    }
    out << "outputfolder=" << main.Data().FileOutPutPath << '\n'
        << "rename.visible=" << main.RenameEdit()->Visible() << '\n';
}

void WriteButtons(std::ostream& out, TMainForm& main)
{
    for (const auto& [key, name] : kButtons)
        if (auto* button = dynamic_cast<TControl*>(main.FindComponent(name)))
            out << "button." << key << ".at=" << CentreOf(main, *button) << '\n'
                << "button." << key << ".enabled=" << button->Enabled() << '\n';
}

} // namespace

void WriteRunLines(std::ostream& out, TMainForm& main)
{
    out << "state=" << StateName(main.WorkflowState()) << '\n';
    WriteRows(out, main);
    WriteButtons(out, main);
    if (const TOptionsForm* options = main.OptionsDialog())
        out << "threads=" << options->Options().ThreadCount << '\n';
    // The folder a snapshot goes to, as the snapshot button resolves it.
    std::string snapshots = main.Ini().Read("SnapShot", "Dir");
    if (IsUnsetOption(snapshots))
        snapshots = DefaultSnapshotFolder();
    out << "preview.file=" << main.PreviewFile() << '\n'
        << "preview.position=" << main.PositionLabel()->Caption() << '\n'
        << "snapshot.folder=" << snapshots << '\n'
        << "skin.index=" << main.SkinData()->SkinIndex() << '\n';
}

} // namespace tovrel
