// The skinned form's menu settings: its popup engine keeps them, so every
// menu the form opens follows them at once.
#include "platform/vcl/GraphicsObjects.h"
#include "skin/forms/SkinForm.h"
#include "skin/menus/SkinMenu.h"

namespace tovrel {

int TskSkinForm::MaxMenuItemsInWindow() const
{
    return FSkinMenu->MaxMenuItemsInWindow;
}

void TskSkinForm::SetMaxMenuItemsInWindow(int Value)
{
    if (Value >= 0)
        FSkinMenu->MaxMenuItemsInWindow = Value;
}

bool TskSkinForm::MenusAlphaBlend() const
{
    return FSkinMenu->AlphaBlend;
}

void TskSkinForm::SetMenusAlphaBlend(bool Value)
{
    FSkinMenu->AlphaBlend = Value;
}

std::uint8_t TskSkinForm::MenusAlphaBlendValue() const
{
    return FSkinMenu->AlphaBlendValue;
}

void TskSkinForm::SetMenusAlphaBlendValue(std::uint8_t Value)
{
    FSkinMenu->AlphaBlendValue = Value;
}

bool TskSkinForm::MenusAlphaBlendAnimation() const
{
    return FSkinMenu->AlphaBlendAnimation;
}

void TskSkinForm::SetMenusAlphaBlendAnimation(bool Value)
{
    FSkinMenu->AlphaBlendAnimation = Value;
}

bool TskSkinForm::UseSkinFontInMenu() const
{
    return FSkinMenu->UseSkinFont;
}

void TskSkinForm::SetUseSkinFontInMenu(bool Value)
{
    FSkinMenu->UseSkinFont = Value;
}

int TskSkinForm::DefMenuItemHeight() const
{
    return FSkinMenu->DefaultMenuItemHeight;
}

void TskSkinForm::SetDefMenuItemHeight(int Value)
{
    if (Value > 0)
        FSkinMenu->DefaultMenuItemHeight = Value;
}

TFont* TskSkinForm::DefMenuItemFont() const
{
    return FSkinMenu->DefaultMenuItemFont();
}

void TskSkinForm::SetDefMenuItemFont(const TFont* Value)
{
    if (Value)
        FSkinMenu->DefaultMenuItemFont()->Assign(Value);
}

} // namespace tovrel
