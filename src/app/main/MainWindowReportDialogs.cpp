// The report's lines about the menu bar and the dialogs the main window runs.
#include "app/main/MainForm.h"
#include "app/main/MainWindowReportLines.h"
#include "app/options/OptionsForm.h"
#include "platform/vcl/Menus.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/dialogs/OpenDlgForm.h"
#include "skin/dialogs/SelectSkinDialog.h"
#include "skin/dialogs/SkinOpenDialog.h"
#include "skin/forms/MenuBarItem.h"
#include "skin/forms/SkinForm.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinMenuItem.h"
#include "skin/menus/SkinPopupWindow.h"
#include "skin/shell/ShellListView.h"

namespace tovrel {

namespace {

std::string ScreenPoint(TPoint p)
{
    return std::to_string(p.X) + ',' + std::to_string(p.Y);
}

std::string RectCentre(TControl& control, TRect r)
{
    return ScreenPoint(control.ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2)));
}

void WriteOpenDialog(std::ostream& out, TMainForm& main)
{
    // The one that takes several files; the single-file one is not used by scripts.
    auto* dialog = dynamic_cast<TskSkinOpenDialog*>(main.FindComponent("OpenDialog2"));
    TskOpenDlgForm* form = dialog ? dialog->FDlgFrm : nullptr;
    out << "opendlg.showing=" << (form != nullptr) << '\n';
    if (!form)
        return;
    TskSkinFileListView& list = *form->FileListView;
    out << "opendlg.path=" << list.Path() << '\n'
        << "opendlg.name.screen=" << ScreenCentre(*form->FileNameEdit) << '\n'
        << "opendlg.name=" << form->FileNameEdit->Text() << '\n'
        << "opendlg.open.screen=" << ScreenCentre(*form->OpenButton) << '\n';
    for (int i = 0; i < list.FolderCount() && i < list.Items()->Count(); ++i) {
        const TListItem& row = *list.Items()->Item(i);
        const std::string key = "opendlg.row." + list.GetFolder(i)->DisplayName();
        out << key << ".screen=" << RectCentre(list, row.DisplayRect(drBounds)) << '\n'
            << key << ".selected=" << row.Selected() << '\n';
    }
}

void WriteOptionsDialog(std::ostream& out, TMainForm& main)
{
    TOptionsForm* form = main.OptionsDialog();
    const bool showing = form && form->Visible();
    out << "options.showing=" << showing << '\n';
    if (!showing)
        return;
    auto* threads = dynamic_cast<TskSkinComboBox*>(form->FindComponent("skSkinComboBox2"));
    out << "options.ok.screen=" << ScreenCentre(*form->OkButton()) << '\n';
    if (!threads)
        return;
    out << "options.threads.screen=" << ScreenCentre(*threads) << '\n'
        << "options.threads=" << threads->Text() << '\n'
        << "options.threads.dropped=" << threads->IsPopupVisible() << '\n';
    if (!threads->IsPopupVisible())
        return;
    // Row N of the open list lies N row heights below the first one shown.
    TskListBox& rows = *threads->ListBox()->ListBox;
    const TRect first = rows.ItemRect(rows.TopIndex());
    out << "options.threads.list.top=" << rows.TopIndex() << '\n'
        << "options.threads.list.rowheight=" << first.Height() << '\n'
        << "options.threads.list.first.screen=" << RectCentre(rows, first) << '\n';
}

} // namespace

void WriteMenuLines(std::ostream& out, TMainForm& main)
{
    auto* bar = dynamic_cast<TskSkinMainMenuBar*>(main.FindComponent("skSkinMainMenuBar1"));
    for (int i = 0; bar && i < bar->ItemCount(); ++i)
        if (const TskSkinMainMenuBarItem* item = bar->Item(i); item->MenuItem)
            out << "menubar." << StripHotkey(item->MenuItem->Caption()) << ".at="
                << InWindow(main, bar->ClientToScreen(Point((item->ObjectRect.Left + item->ObjectRect.Right) / 2,
                                                            (item->ObjectRect.Top + item->ObjectRect.Bottom) / 2)))
                << '\n';
    const TskSkinForm* frame = GetSkinForm(&main);
    const TskSkinMenu* engine = frame ? frame->SkinMenu() : nullptr;
    const int levels = engine ? engine->LevelCount() : 0;
    out << "menu.levels=" << levels << '\n';
    for (int i = 0; i < levels; ++i) {
        const TskSkinPopupWindow& level = *engine->Level(i);
        for (const auto& row : level.ItemList)
            if (row->FVisible && !row->MenuItem->IsLine())
                out << "menu.item." << StripHotkey(row->MenuItem->Caption()) << ".screen="
                    << ScreenPoint(Point(level.Left() + (row->ObjectRect.Left + row->ObjectRect.Right) / 2,
                                         level.Top() + (row->ObjectRect.Top + row->ObjectRect.Bottom) / 2))
                    << '\n';
    }
}

void WriteDialogLines(std::ostream& out, TMainForm& main)
{
    WriteOpenDialog(out, main);
    WriteOptionsDialog(out, main);
    out << "skindialog.showing=" << (main.SkinDialog()->DialogForm() != nullptr) << '\n';
}

} // namespace tovrel
