// The preset chain on the real boxes: a category fills the format box, a
// format fills the six parameter boxes, and a box's text becomes its pending
// setting. With a row selected, the row follows the boxes: what they show is
// what converts.
#include "app/main/MainForm.h"

#include "app/main/FileListColumns.h"
#include "app/options/OptionsForm.h"
#include "app/presets/BoxConversions.h"
#include "app/presets/OutputFileName.h"
#include "app/presets/PresetKeys.h"
#include "app/presets/PresetStep.h"
#include "app/presets/RowCodes.h"
#include "app/presets/ValueListStep.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinOfficeComboBox.h"

#include <algorithm>
#include <exception>

namespace tovrel {

TListItem* TMainForm::SelectedRow() const
{
    return lvFiles->Selected();
}

void TMainForm::FillFormatBox()
{
    TskSkinOfficeItems& formats = *skSkinOfficeComboBox1->Items();
    formats.Clear();
    skSkinOfficeComboBox1->Invalidate();
    const int position = skSkinOfficeComboBox2->ItemIndex();
    if (const std::optional<int> code = CategoryCode(position))
        for (const TFormatItem* format : MainPresets().FormatsOf(position)) {
            TskSkinOfficeItem* item = formats.Add();
            item->SetTitle(format->Title);
            item->SetCaption(format->Caption);
            item->SetImageIndex(*code);
        }
    skSkinOfficeComboBox1->Invalidate();
    skSkinOfficeComboBox1->SetItemIndex(0);
}

void TMainForm::FillParameterBoxesForKey()
{
    const int key = PresetKey(skSkinOfficeComboBox2->ItemIndex(), skSkinOfficeComboBox1->ItemIndex()).value_or(0);
    data_.All_Trant_Number = key;
    data_.Pending.Video_DisableVideo = false;
    const TParameterBoxesFill fill = FillParameterBoxes(MainPresets(), key);
    for (TParameterBox which : ParameterBoxes) {
        const TBoxFill& values = fill.Boxes[BoxIndex(which)];
        TskSkinComboBox& box = *boxes_[BoxIndex(which)];
        box.Items()->Clear();
        for (const std::string& item : values.Items)
            box.Items()->Add(item);
        box.SetEnabled(values.Enabled);
        // A box whose text changes runs its change handler here.
        if (values.Selected >= 0)
            box.SetItemIndex(values.Selected);
    }
}

void TMainForm::ApplyBoxTextsToPending()
{
    TBoxTexts texts;
    for (TParameterBox which : ParameterBoxes)
        texts[BoxIndex(which)] = boxes_[BoxIndex(which)]->Text();
    try {
        ApplyBoxTexts(texts, data_.Pending);
    } catch (const std::exception&) {
        // Only a box left empty (a key without lists) has no value to give.
    }
}

void TMainForm::FormatChanged()
{
    FillParameterBoxesForKey();
    const int format = skSkinOfficeComboBox1->ItemIndex();
    const TskSkinOfficeItems& items = *skSkinOfficeComboBox1->Items();
    const std::string extension =
        format >= 0 && format < items.Count() ? FormatTitleExtension(items.Items(format)->Title()) : std::string();
    if (TListItem* row = SelectedRow())
        WriteSelectedRowAfterFormatChange(*row, extension);
    else
        ApplyBoxTextsToPending();
}

void TMainForm::WriteSelectedRowAfterFormatChange(TListItem& row, const std::string& extension)
{
    const int category = skSkinOfficeComboBox2->ItemIndex(), format = skSkinOfficeComboBox1->ItemIndex();
    TPresetStepContext context;
    context.AddFileName = row.Caption();
    context.OutputFolder = Video_OutPut_Folder_Edit->Text();
    context.OverwriteOutput = Form5 && Form5->Options().OverwriteFile;
    RunPresetStep(category, format, context, data_.Pending);
    ApplyBoxTextsToPending();
    // The profile's settings, with the six boxes' values in place of its own.
    WriteRowSettings(row, RowSettingsFromPending(data_.Pending));
    SetSubItemText(row, colOutputFile, ReplaceFileNameExtension(SubItemText(row, colOutputFile), extension));
    SetSubItemText(row, colCategoryCode, std::to_string(RowCategoryCode(category, format)));
    TPerBox<int> positions{};
    for (TParameterBox which : ParameterBoxes)
        positions[BoxIndex(which)] = std::max(0, boxes_[BoxIndex(which)]->ItemIndex());
    SetSubItemText(row, colOptionCode, MakeOptionCode(positions));
    FocusFileList();
}

void TMainForm::ParameterBoxChanged(TParameterBox which)
{
    TskSkinComboBox& box = *boxes_[BoxIndex(which)];
    std::string column;
    try {
        column = ApplyBoxText(which, box.Text(), data_.Pending);
    } catch (const std::exception&) {
        return; // no list item has a text without its value
    }
    TListItem* row = SelectedRow();
    if (!row || box.ItemIndex() < 0)
        return;
    SetSubItemText(*row, colOptionCode,
                   ReplaceOptionCodePair(SubItemText(*row, colOptionCode), which, box.ItemIndex()));
    SetSubItemText(*row, BoxColumn(which), column);
    FocusFileList();
}

} // namespace tovrel
