#include "OfficeBand.h"

#include "app/presets/PresetCatalog.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinSlider.h"
#include "skin/controls/SkinStdLabel.h"

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10;

template <class T> T* Placed(TWinControl& parent, TRect bounds)
{
    auto* control = new T(&parent);
    control->SetParent(&parent);
    control->SetBoundsRect(bounds);
    return control;
}

TskSkinOfficeComboBox* AddOfficeBox(TForm& form, TskSkinData* skin, TRect bounds, const char* name,
                                    const char* listSkinName)
{
    auto* box = Placed<TskSkinOfficeComboBox>(form, bounds);
    box->SetName(name);
    box->SetToolButtonStyle(true);
    box->SetListBoxSkinDataName(listSkinName);
    box->SetSkinData(skin);
    return box;
}

// The main window's rule: the formats of the chosen category, the first chosen.
void FillFormats(TskSkinOfficeComboBox& formats, const TskSkinOfficeComboBox& categories)
{
    const TPresetCatalog& catalog = MainPresets();
    const TPresetCategory* category = catalog.Category(categories.ItemIndex());
    formats.Items()->Clear();
    if (!category)
        return;
    for (const TFormatItem* format : catalog.FormatsOf(category->Position)) {
        TskSkinOfficeItem* item = formats.Items()->Add();
        item->SetTitle(format->Title);
        item->SetCaption(format->Caption);
        item->SetImageIndex(category->Code.value_or(0));
    }
    formats.SetItemIndex(0);
}

void AddPages(TForm& form, TskSkinData* skin, TRect bounds)
{
    auto* pages = Placed<TskSkinPageControl>(form, bounds);
    pages->SetName("pages");
    for (const char* caption : {"General", "Video", "Audio", "Advanced"}) {
        auto* sheet = new TskSkinTabSheet(&form);
        sheet->SetPageControl(pages);
        sheet->SetCaption(caption);
        auto* label = Placed<TskSkinStdLabel>(*sheet, Rect(10, 10, 200, 26));
        label->SetCaption(std::string(caption) + " settings");
        label->SetSkinData(skin);
    }
    pages->SetActivePageIndex(0);
    pages->SetSkinData(skin);
}

} // namespace

int AddOfficeControls(TForm& form, TskSkinData* skin, int top)
{
    auto* categories = AddOfficeBox(form, skin, Rect(kLeft, top, kLeft + 200, top + 45), "category", "resizetoolpanel");
    auto* formats = AddOfficeBox(form, skin, Rect(kLeft + 210, top, kLeft + 600, top + 45), "format", "listbox");
    categories->SetListBoxShowItemTitles(false);
    categories->SetDropDownCount(16);
    categories->OnChange = [categories, formats](TObject*) { FillFormats(*formats, *categories); };
    for (const TPresetCategory& category : MainPresets().Categories())
        categories->Items()->Add()->SetCaption(category.Caption);
    categories->SetItemIndex(0);

    auto* slider = Placed<TskSkinSlider>(form, Rect(kLeft, top + 55, kLeft + 250, top + 95));
    slider->SetSkinData(skin);
    slider->SetValue(30);
    AddPages(form, skin, Rect(kLeft + 260, top + 55, kLeft + 600, top + 185));
    return 185;
}

} // namespace tovrel::skingallery
