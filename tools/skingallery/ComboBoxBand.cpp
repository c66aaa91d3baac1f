#include "ComboBoxBand.h"
#include "SkinGalleryReport.h"

#include "app/presets/PresetCatalog.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinListBox.h"

#include <string>

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kListWidth = 170, kListHeight = 130, kComboLeft = 200, kComboWidth = 150;

// The items of one of the main window's value lists.
void Fill(TStrings& items, std::string_view list)
{
    if (const TValueList* values = MainPresets().List(list))
        for (const std::string& item : values->Items)
            items.Add(item);
}

TskSkinComboBox* AddCombo(TForm& form, TskSkinData* skin, const char* name, std::string_view list, int top)
{
    auto* combo = new TskSkinComboBox(&form);
    combo->SetName(name);
    combo->SetParent(&form);
    combo->SetBounds(kComboLeft, top, kComboWidth, 20);
    Fill(*combo->Items(), list);
    combo->SetItemIndex(0);
    combo->SetSkinData(skin);
    return combo;
}

} // namespace

int AddComboBoxes(TForm& form, TskSkinData* skin, int top)
{
    auto* list = new TskSkinListBox(&form);
    list->SetParent(&form);
    list->SetBounds(kLeft, top, kListWidth, kListHeight);
    list->SetCaption("Frame size");
    list->SetCaptionMode(true);
    Fill(*list->Items(), "FS2");
    list->SetItemIndex(3);
    list->SetSkinData(skin);

    AddCombo(form, skin, "framesize", "FS2", top);
    AddCombo(form, skin, "videobitrate", "VB3", top + 35)->SetItemIndex(4);
    AddCombo(form, skin, "samplerate", "SR1", top + 70)->SetToolButtonStyle(true);
    // A value typed in or picked from the list; where typing goes, for a
    // script to wait on before it types.
    TskSkinComboBox* editable = AddCombo(form, skin, "editable", "VB3", top + 105);
    editable->SetStyle(skcbEditStyle);
    editable->EditPart()->OnEnter = [&form](TObject*) { NoteGalleryState(form, "combo.editable.focus", "1"); };
    editable->EditPart()->OnExit = [&form](TObject*) { NoteGalleryState(form, "combo.editable.focus", "0"); };
    return kListHeight;
}

} // namespace tovrel::skingallery
