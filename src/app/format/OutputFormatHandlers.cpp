// The dialog's handlers, in the order the start-up chain and the confirm
// step run them.
#include "app/format/OutputFormatForm.h"
#include "app/format/OutputFormatHost.h"
#include "app/presets/BoxConversions.h"
#include "app/presets/PresetKeys.h"
#include "app/presets/ValueListStep.h"
#include "platform/ctrls/Button.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinOfficeComboBox.h"

namespace tovrel {

namespace {

// The order the value-list step empties the boxes in (not the fill order).
constexpr std::array<TParameterBox, ParameterBoxCount> ClearingOrder = {
    TParameterBox::FrameSize, TParameterBox::VideoBitrate, TParameterBox::AudioBitrate,
    TParameterBox::Aspect,    TParameterBox::FrameRate,    TParameterBox::SampleRate};

} // namespace

void TForm6::FormCreate(TObject*)
{
    Button2->Click();
}

void TForm6::skSkinOfficeComboBox2Change(TObject*)
{
    Button2->Click();
}

void TForm6::skSkinOfficeComboBox1Click(TObject*)
{
    Button18->Click();
}

void TForm6::skSkinButton2Click(TObject*)
{
    Button5->Click();
    Button13->Click();
    Close();
}

void TForm6::skSkinButton3Click(TObject*)
{
    Close();
}

void TForm6::Button2Click(TObject*)
{
    TskSkinOfficeComboBox& formats = *skSkinOfficeComboBox1;
    formats.Items()->Clear();
    formats.Refresh();
    formats.Repaint();
    const TPresetCatalog& catalog = DialogPresets();
    if (const TPresetCategory* category = catalog.Category(skSkinOfficeComboBox2->ItemIndex())) {
        for (const TFormatItem* format : catalog.FormatsOf(category->Position)) {
            TskSkinOfficeItem* item = formats.Items()->Add();
            item->SetTitle(format->Title);
            item->SetCaption(format->Caption);
            item->SetImageIndex(format->ImageIndex);
        }
        formats.Refresh();
        formats.Repaint();
    }
    // An empty box cannot select its first entry: it is left without one,
    // and the value-list step still runs (and finds no row).
    formats.SetItemIndex(formats.Items()->Count() > 0 ? 0 : -1);
}

void TForm6::Button18Click(TObject*)
{
    for (TParameterBox box : ClearingOrder)
        ParameterBox(box)->Items()->Clear();
    for (TParameterBox box : ClearingOrder)
        ParameterBox(box)->SetEnabled(true);
    const int key = DialogPresetKey(skSkinOfficeComboBox2->ItemIndex(), skSkinOfficeComboBox1->ItemIndex());
    FHost.SetPresetKey(key);
    FHost.PendingOutputSettings().Video_DisableVideo = false;
    const TParameterBoxesFill fill = FillParameterBoxes(DialogPresets(), key);
    if (!fill.KeyFound)
        return;
    for (TParameterBox box : ParameterBoxes) {
        const TBoxFill& values = fill.Boxes[BoxIndex(box)];
        TskSkinComboBox& combo = *ParameterBox(box);
        for (const std::string& text : values.Items)
            combo.Items()->Add(text);
        combo.SetItemIndex(values.Selected);
    }
    for (TParameterBox box : ParameterBoxes)
        if (!fill.Boxes[BoxIndex(box)].Enabled)
            ParameterBox(box)->SetEnabled(false);
}

void TForm6::Button5Click(TObject*)
{
    const int category = skSkinOfficeComboBox2->ItemIndex();
    const int format = skSkinOfficeComboBox1->ItemIndex();
    FHost.SetPresetKey(DialogPresetKey(category, format));
    RunDialogPresetStep(category, format, FHost.OutputNameContext(), FHost.PendingOutputSettings());
}

void TForm6::Button13Click(TObject*)
{
    TBoxTexts texts;
    for (TParameterBox box : ParameterBoxes)
        texts[BoxIndex(box)] = ParameterBox(box)->Text();
    ApplyBoxTexts(texts, FHost.PendingOutputSettings());
}

void TForm6::Button6Click(TObject*)
{
    ResetPendingSettings(FHost.PendingOutputSettings());
}

} // namespace tovrel
