#include "app/main/MainWindowDialogs.h"

#include "app/main/MainForm.h"
#include "app/main/MediaFileFilter.h"
#include "platform/vcl/StringList.h"
#include "skin/dialogs/SelectDirectoryDialog.h"
#include "skin/dialogs/SkinOpenDialog.h"

namespace tovrel {

void InstallMainWindowDialogs(TMainForm& main)
{
    // Owned by the window, so each keeps its size, filter and view between runs.
    auto* folderDialog = new TskSkinSelectDirectoryDialog(&main);
    folderDialog->SetName("skSkinSelectDirectoryDialog1");
    folderDialog->SetSkinData(main.SkinData());
    folderDialog->SetCtrlSkinData(main.SkinData());
    folderDialog->ShowToolBar = true;
    main.SelectFolder = [folderDialog](const std::string& title,
                                       const std::string& current) -> std::optional<std::string> {
        folderDialog->Title = title;
        folderDialog->Directory = current;
        if (!folderDialog->Execute())
            return std::nullopt;
        return folderDialog->Directory;
    };

    TskSkinOpenDialog* openDialogs[2] = {};
    for (int several = 0; several < 2; ++several) {
        auto* dialog = new TskSkinOpenDialog(&main);
        dialog->SetName(several ? "OpenDialog2" : "OpenDialog1");
        dialog->SetSkinData(main.SkinData());
        dialog->SetCtrlSkinData(main.SkinData());
        dialog->Title = "打开文件";
        dialog->Filter = MediaFileFilter();
        dialog->FilterIndex = 1;
        dialog->MultiSelection = several != 0;
        openDialogs[several] = dialog;
    }
    main.OpenMediaFiles = [openDialogs](bool several) {
        TskSkinOpenDialog* dialog = openDialogs[several ? 1 : 0];
        std::vector<std::string> files;
        if (!dialog->Execute())
            return files;
        for (int i = 0; i < dialog->Files()->Count(); ++i)
            files.push_back(dialog->Files()->Get(i));
        if (files.empty() && !dialog->FileName().empty())
            files.push_back(dialog->FileName());
        return files;
    };
    main.SystemActions = DesktopSystemActions();
}

} // namespace tovrel
