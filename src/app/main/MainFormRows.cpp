// Editing the file list (remove, clear, move, rename in place) and what
// selecting a row does: the boxes show that row's settings and the preview
// opens its file. A row keeps a handle to its own task in its Data, so it
// never addresses another file's task by a position that has moved on.
#include "app/main/MainForm.h"

#include "app/main/FileListColumns.h"
#include "app/main/RenameCheck.h"
#include "app/options/OptionsForm.h"
#include "app/presets/OutputFileName.h"
#include "app/presets/RowCodes.h"
#include "media/engine/FFmpegTasks.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/controls/SkinPanel.h"

#include <charconv>
#include <optional>

namespace tovrel {

namespace {

// The boxes in the order the selection sets them.
constexpr TParameterBox kRestoreOrder[] = {TParameterBox::FrameSize,    TParameterBox::VideoBitrate,
                                           TParameterBox::AudioBitrate, TParameterBox::Aspect,
                                           TParameterBox::FrameRate,    TParameterBox::SampleRate};

std::optional<int> WholeNumber(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// The index of the row's own task, or -1 when it has none any more.
int TaskIndexOf(const TFFmpegTasks& tasks, const TListItem& row)
{
    if (!row.Data)
        return -1;
    for (int i = 0; i < tasks.TasksCount(); ++i)
        if (tasks.Task(i) == row.Data)
            return i;
    return -1;
}

void CopyRow(TListItem& from, TListItem& to)
{
    to.SetCaption(from.Caption());
    to.SubItems()->Assign(from.SubItems());
    to.SetImageIndex(from.ImageIndex());
    to.Data = from.Data;
}

bool Busy(TWorkflowState state)
{
    return state == TWorkflowState::Converting || state == TWorkflowState::Paused;
}

} // namespace

void TMainForm::BuildRenameEdit()
{
    edt = new TskSkinEdit(this);
    edt->SetName("edt");
    edt->SetParent(fileListPanel_);
    edt->SetVisible(false);
    edt->SetSkinData(skSkinData1);
    edt->OnExit = [this](TObject*) { EndRenaming(); };
}

void TMainForm::HookRowCommands()
{
    skSkinButton7->OnClick = [this](TObject*) { RemoveSelectedRow(); };
    skSkinButton8->OnClick = [this](TObject*) { ClearRows(); };
    skSkinButton3->OnClick = [this](TObject*) { MoveSelectedRow(-1); };
    skSkinButton4->OnClick = [this](TObject*) { MoveSelectedRow(1); };
    skSkinButton21->OnClick = [this](TObject*) { StartRenaming(); };
    lvFiles->OnDblClick = [this](TObject*) {
        if (SelectedRow())
            StartRenaming();
    };
    lvFiles->OnSelectItem = [this](TObject*, TListItem*, bool) { RowSelected(); };
    lvFiles->OnClick = [this](TObject*) {
        if (!SelectedRow())
            StopPreview();
    };
}

void TMainForm::ShowRowCommandsFor(bool rowsRemain)
{
    if (!Busy(state_))
        SetWorkflowState(rowsRemain ? TWorkflowState::IdleWithRows : TWorkflowState::IdleEmpty);
    UpdateEmptyListPicture();
}

void TMainForm::UpdateEmptyListPicture()
{
    const bool empty = lvFiles->Items()->Count() == 0;
    skSkinPanel5->SetVisible(empty);
    if (empty)
        skSkinPanel5->BringToFront();
}

void TMainForm::RemoveSelectedRow()
{
    TListItem* row = SelectedRow();
    if (!row) {
        Notice("请先选择您需要删除的项目！");
        return;
    }
    if (Busy(state_))
        return;
    const int task = TaskIndexOf(*FFTasks, *row);
    if (task >= 0) {
        try {
            FFTasks->RemoveTask(task);
        } catch (const ETasksWorking& error) {
            Notice(error.what());
            return;
        }
    }
    lvFiles->Items()->Delete(row->Index());
    // The task numbers follow the tasks that are left.
    for (int i = 0; i < lvFiles->Items()->Count(); ++i) {
        TListItem& rest = *lvFiles->Items()->Item(i);
        if (const int index = TaskIndexOf(*FFTasks, rest); index >= 0)
            SetSubItemText(rest, colTaskNumber, std::to_string(index + 1));
    }
    const bool rowsRemain = lvFiles->Items()->Count() > 0;
    ShowRowCommandsFor(rowsRemain);
    if (rowsRemain)
        lvFiles->SetItemIndex(0);
    else
        StopPreview();
    FocusFileList();
}

void TMainForm::ClearRows()
{
    if (Busy(state_))
        return;
    try {
        ClearAllTasks();
    } catch (const ETasksWorking& error) {
        Notice(error.what());
        return;
    }
    edt->SetVisible(false);
    lvFiles->Items()->Clear();
    ShowRowCommandsFor(false);
    StopPreview();
}

void TMainForm::ClearAllTasks()
{
    FFTasks->ClearTasks();
    // A freed task's address may be reused by the next task added.
    for (int i = 0; i < lvFiles->Items()->Count(); ++i)
        lvFiles->Items()->Item(i)->Data = nullptr;
}

void TMainForm::MoveSelectedRow(int step)
{
    // Progress finds its row by position while a batch runs.
    if (Busy(state_))
        return;
    TListItem* row = SelectedRow();
    if (!row)
        return;
    const int from = row->Index(), to = from + step;
    TListItems& items = *lvFiles->Items();
    if (to < 0 || to >= items.Count())
        return;
    items.BeginUpdate();
    TListItem& moving = *items.Item(from);
    TListItem& other = *items.Item(to);
    TListItem& spare = *items.Add();
    CopyRow(moving, spare);
    CopyRow(other, moving);
    CopyRow(spare, other);
    items.Delete(spare.Index());
    items.EndUpdate();
    lvFiles->SetItemIndex(to);
    FocusFileList();
}

void TMainForm::StartRenaming()
{
    TListItem* row = SelectedRow();
    if (!row) {
        Notice("请先选中您需要重命名的项目！");
        return;
    }
    TListColumns& columns = *lvFiles->Columns();
    const int left =
        columns.Items(0)->Width() + lvFiles->Left() + columns.Items(1)->Width() + columns.Items(2)->Width() + 2;
    const int top = lvFiles->Top() + (lvFiles->Height() - lvFiles->ClientHeight()) / 2 + row->Top();
    edt->SetBounds(left, top, columns.Items(3)->Width(), edt->Height());
    const std::string output(FileNamePart(SubItemText(*row, colOutputFile)));
    edt->SetText(output.substr(0, output.size() - FileNameExtension(output).size()));
    edt->SetVisible(true);
    edt->BringToFront();
    if (edt->CanFocus())
        edt->SetFocus();
}

void TMainForm::EndRenaming()
{
    const std::string text = edt->Text();
    if (text.empty() || !edt->Visible())
        return;
    TListItem* row = SelectedRow();
    if (!row)
        return;
    edt->SetVisible(false);
    // A name that is a path could write outside the output folder.
    if (!RenameTextAllowed(text)) {
        Notice(RenameRefusedText);
        return;
    }
    const int format = skSkinOfficeComboBox1->ItemIndex();
    const TskSkinOfficeItems& formats = *skSkinOfficeComboBox1->Items();
    const std::string extension =
        format >= 0 && format < formats.Count() ? FormatTitleExtension(formats.Items(format)->Title()) : std::string();
    const std::string current = SubItemText(*row, colOutputFile);
    const std::string_view name = FileNamePart(current);
    // Rows added by the program hold the name alone, in the output folder.
    const bool nameOnly = name.size() == current.size();
    const std::string folder =
        nameOnly ? Video_OutPut_Folder_Edit->Text() : current.substr(0, current.size() - name.size());
    const auto pathOf = [&folder](const std::string& cell) {
        return FileNamePart(cell).size() == cell.size() ? JoinFolder(folder, cell) : cell;
    };
    // Two rows must never write one file, nor a rename overwrite a file
    // unless overwriting is chosen.
    const TNameInUse otherRowHasIt = [this, row, &pathOf](const std::string& path) {
        for (int i = 0; i < lvFiles->Items()->Count(); ++i) {
            const TListItem* other = lvFiles->Items()->Item(i);
            if (other != row && pathOf(SubItemText(*other, colOutputFile)) == path)
                return true;
        }
        return false;
    };
    const bool overwrite = Form5 && Form5->Options().OverwriteFile;
    const std::string made = MakeOutputFileName(text + extension, folder, overwrite, otherRowHasIt);
    SetSubItemText(*row, colOutputFile, nameOnly ? std::string(FileNamePart(made)) : made);
}

void TMainForm::RowSelected()
{
    TListItem* row = SelectedRow();
    if (!row)
        return;
    const std::optional<int> code = WholeNumber(SubItemText(*row, colCategoryCode));
    const std::optional<TPerBox<int>> positions = DecodeOptionCode(SubItemText(*row, colOptionCode));
    if (!code || !positions)
        return;
    const int category = (*code + 50) / 100;
    const int format = *code - 100 * category;
    if (category < 1 || category > skSkinOfficeComboBox2->Items()->Count() || format < 0)
        return;
    // Each box's change runs the chain for the row: the category fills the
    // formats and takes the first, then the row's own format and its boxes.
    skSkinOfficeComboBox2->SetItemIndex(category - 1);
    if (format >= skSkinOfficeComboBox1->Items()->Count())
        return;
    skSkinOfficeComboBox1->SetItemIndex(format);
    for (TParameterBox which : kRestoreOrder) {
        TskSkinComboBox& box = *boxes_[BoxIndex(which)];
        const int position = (*positions)[BoxIndex(which)];
        if (position >= 0 && position < box.Items()->Count())
            box.SetItemIndex(position);
    }
    OpenPreview(row->Caption());
}

TPresetStepContext TMainForm::OutputNameContext() const
{
    TPresetStepContext context;
    if (const TListItem* row = SelectedRow())
        context.AddFileName = row->Caption();
    context.OutputFolder = Video_OutPut_Folder_Edit->Text();
    context.OverwriteOutput = Form5 && Form5->Options().OverwriteFile;
    return context;
}

} // namespace tovrel
