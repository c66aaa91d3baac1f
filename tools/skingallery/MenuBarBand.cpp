#include "MenuBarBand.h"

#include "platform/vcl/Menus.h"
#include "skin/forms/SkinForm.h"
#include "skin/forms/SkinMainMenuBar.h"

#include <string>

namespace tovrel::skingallery {

int AddMenuBar(TForm& form, TskSkinData* skin, int top)
{
    auto* menu = new TMainMenu(&form);
    const auto add = [menu](TMenuItem* parent, const std::string& caption) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    };
    TMenuItem* file = add(menu->Items(), "&File");
    add(file, "&Open")->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
    TMenuItem* recent = add(file, "&Recent");
    add(recent, "&First file");
    add(recent, "&Second file");
    add(file, "-");
    add(file, "&Print")->SetEnabled(false);
    TMenuItem* edit = add(menu->Items(), "&Edit");
    add(edit, "Cu&t");
    add(edit, "&Copy");
    add(edit, "&Paste");
    TMenuItem* view = add(menu->Items(), "&View");
    TMenuItem* grid = add(view, "&Grid");
    grid->AutoCheck = true;
    grid->SetChecked(true);
    add(view, "Zoom &in");
    add(view, "Zoom &out");

    auto* bar = new TskSkinMainMenuBar(&form);
    bar->SetParent(&form);
    TskSkinForm* skinForm = GetSkinForm(&form);
    bar->SetSkinForm(skinForm);
    if (skinForm)
        skinForm->SetMainMenuBar(bar);
    bar->SetSkinData(skin);
    bar->SetMainMenu(menu);
    return bar->Height() - top;
}

} // namespace tovrel::skingallery
