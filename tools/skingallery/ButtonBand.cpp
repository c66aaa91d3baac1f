#include "ButtonBand.h"

#include "skin/controls/SkinButton.h"

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kWidth = 90, kHeight = 25, kStep = 98;

TskSkinButton* AddButton(TForm& form, TskSkinData* skin, int index, int top, const char* caption)
{
    auto* button = new TskSkinButton(&form);
    button->SetParent(&form);
    button->SetBounds(kLeft + index * kStep, top, kWidth, kHeight);
    button->SetCaption(caption);
    button->SetSkinData(skin);
    return button;
}

} // namespace

int AddButtons(TForm& form, TskSkinData* skin, int top)
{
    AddButton(form, skin, 0, top, "Normal");
    AddButton(form, skin, 1, top, "Disabled")->SetEnabled(false);
    form.SetActiveControl(AddButton(form, skin, 2, top, "Focused"));
    // Hot only while the focus rests on a control that is not a button.
    AddButton(form, skin, 3, top, "Default")->SetDefault(true);
    auto* toggle = AddButton(form, skin, 4, top, "Toggle down");
    toggle->SetGroupIndex(1);
    toggle->SetDown(true);
    // Morphs, animates and glows as the skin asks when the mouse is over it.
    AddButton(form, skin, 5, top, "Hover me")->AlwaysShowLayeredFrame = true;
    return kHeight;
}

} // namespace tovrel::skingallery
