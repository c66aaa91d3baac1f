#include "CheckRadioBand.h"

#include "skin/controls/SkinCheckRadioBox.h"

#include <string>

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kColumn = 100, kRow = 30;

struct TBoxLook {
    const char* Caption;
    TCheckBoxState State;
    bool Enabled;
};

constexpr TBoxLook kLooks[] = {
    {"Unchecked", cbUnchecked, true}, {"Checked", cbChecked, true},      {"Grayed", cbGrayed, true},
    {"Disabled", cbUnchecked, false}, {"Disabled on", cbChecked, false},
};

TskSkinCheckRadioBox* AddBox(TForm& form, TskSkinData* skin, int column, int top, const std::string& caption,
                             bool radio, bool flat = true)
{
    auto* box = new TskSkinCheckRadioBox(&form);
    box->SetParent(&form);
    box->SetBounds(kLeft + column * kColumn, top, kColumn - 4, 25);
    box->SetCaption(caption);
    box->SetRadio(radio);
    if (radio) {
        box->SetSkinDataName("radiobox");
        box->GroupIndex = 1;
    }
    // Before the skin, so that a box cut whole from it takes the entry's size.
    box->SetFlat(flat);
    box->SetSkinData(skin);
    return box;
}

// One row: the looks of kLooks (a radio button has no grayed look) and a focused box.
void AddRow(TForm& form, TskSkinData* skin, int top, bool radio)
{
    int column = 0;
    for (const TBoxLook& look : kLooks) {
        if (radio && look.State == cbGrayed)
            continue;
        auto* box = AddBox(form, skin, column++, top, look.Caption, radio);
        // Radio buttons of the row sit in separate groups so that each keeps its look.
        box->GroupIndex = 0;
        box->SetState(look.State);
        box->SetEnabled(look.Enabled);
    }
    auto* focused = AddBox(form, skin, column, top, "Focused", radio);
    focused->GroupIndex = 0;
    if (!radio)
        form.SetActiveControl(focused);
}

} // namespace

int AddCheckRadioBoxes(TForm& form, TskSkinData* skin, int top)
{
    AddRow(form, skin, top, false);
    AddRow(form, skin, top + kRow, true);
    // A radio group: checking one unchecks the other.
    auto* first = AddBox(form, skin, 0, top + 2 * kRow, "Group: one", true);
    auto* second = AddBox(form, skin, 1, top + 2 * kRow, "Group: two", true);
    first->SetChecked(true);
    second->SetChecked(true);
    // Cut whole from the skin, at the entry's size.
    for (bool radio : {false, true}) {
        auto* box =
            AddBox(form, skin, radio ? 4 : 2, top + 2 * kRow, radio ? "Whole radio" : "Whole box", radio, false);
        box->GroupIndex = 0;
        box->SetChecked(true);
    }
    return 3 * kRow;
}

} // namespace tovrel::skingallery
