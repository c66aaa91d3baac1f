// The skinned form's system menu: its items follow the form's state (merged
// into the user's own SystemMenu when one is set), it opens at a right click
// on the caption, under the system-menu button, or by Alt+Space, and any
// message that ends menus closes it.
#include "platform/vcl/Menus.h"
#include "platform/wm/Keys.h"
#include "skin/data/ResourceStrData.h"
#include "skin/forms/SkinForm.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinPopupMenu.h"

namespace tovrel {

namespace {

struct TSysMenuRow {
    const char* Name;
    const char* ResName;
    const char* Caption;
};

constexpr TSysMenuRow kMinimizeRow{"BSF_MINITEM", "MI_MINCAPTION", "Mi&nimize"},
    kMaximizeRow{"BSF_MAXITEM", "MI_MAXCAPTION", "Ma&ximize"},
    kRestoreRow{"BSF_RESTORE", "MI_RESTORECAPTION", "&Restore"},
    kRollUpRow{"BSF_ROLLUP", "MI_ROLLUPCAPTION", "Ro&llUp"},
    kTrayRow{"BSF_MINTOTRAY", "MI_MINTOTRAYCAPTION", "Minimize to &Tray"},
    kCloseRow{"BSF_CLOSE", "MI_CLOSECAPTION", "&Close"};

bool IsStandardItem(const TMenuItem& item)
{
    for (const TSysMenuRow& row : {kMinimizeRow, kMaximizeRow, kRestoreRow, kRollUpRow, kTrayRow, kCloseRow})
        if (item.Name() == row.Name)
            return true;
    return false;
}

// Frees the standard items merged into a user's menu, wherever they stand.
void RemoveStandardItems(TMenuItem& items)
{
    for (int i = items.Count() - 1; i >= 0; --i)
        if (IsStandardItem(*items.Items(i)))
            items.Delete(i);
}

} // namespace

void TskSkinForm::InstallSystemMenu()
{
    FSkinMenu = new TskSkinMenu(this, dynamic_cast<TForm*>(FForm));
    FSkinMenu->AlphaBlendValue = 200; // the form's menus are less see-through than the engine's default
    FSysMenu = new TPopupMenu(this);
    OnSystemMenuButton = [this](TskSkinStdButtonObject&) { PopupSystemMenuAtButton(); };
    OldFormShortCut = FForm->OnShortCut;
    FForm->OnShortCut = [this](WORD key, TShiftState shift, bool& handled) {
        if (OldFormShortCut) {
            OldFormShortCut(key, shift, handled);
            if (handled)
                return;
        }
        if (key == VK_SPACE && shift == TShiftState{ssAlt}) {
            PopupSystemMenuAtButton();
            handled = true;
            return;
        }
        handled = FormShortCut(key, shift);
    };
    // In the menu bar's menu mode the bar routes the keys of an open popup.
    FSkinMenu->KeyFilter = [this](WORD key) {
        if (!FInMainMenu)
            return false;
        MenuKeyDown(key);
        return true;
    };
}

std::vector<TMenuItem*> TskSkinForm::CreateStandardSysMenuItems(bool RestoreBeforeMaximize)
{
    std::vector<TMenuItem*> items;
    const auto add = [this, &items](const TSysMenuRow& row, std::function<void()> command) {
        auto* item = new TMenuItem(this);
        item->SetName(row.Name);
        const std::string text = FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->GetResStr(row.ResName) : "";
        item->SetCaption(text.empty() ? row.Caption : text);
        item->OnClick = [command = std::move(command)](TObject*) { command(); };
        items.push_back(item);
        return item;
    };
    const bool rolledUp = FRollUpState, mdiChild = FForm->FormStyle() == fsMDIChild;
    const auto maximize = [&] {
        if (FWindowState != wsMaximized && FBorderIcons.Contains(TskBorderIcon::biMaximize))
            add(kMaximizeRow, [this] { ApplyWindowState(wsMaximized); });
    };
    const auto restore = [&] {
        if (FWindowState != wsNormal || rolledUp)
            add(kRestoreRow, [this] {
                if (FRollUpState)
                    ApplyRollUpState(false);
                else
                    ApplyWindowState(wsNormal);
            });
    };
    if (FWindowState != wsMinimized && FBorderIcons.Contains(TskBorderIcon::biMinimize))
        add(kMinimizeRow, [this] { ApplyWindowState(wsMinimized); });
    if (RestoreBeforeMaximize) {
        restore();
        maximize();
    } else {
        maximize();
        restore();
    }
    if (!(mdiChild && FWindowState == wsMaximized) && !rolledUp && FWindowState != wsMinimized &&
        FBorderIcons.Contains(TskBorderIcon::biRollUp))
        add(kRollUpRow, [this] { ApplyRollUpState(true); });
    if (FBorderIcons.Contains(TskBorderIcon::biMinimizeToTray))
        add(kTrayRow, [this] { MinimizeToTray(); });
    add(kCloseRow, [this] { FForm->Close(); })->SetShortCut(ShortCut(VK_F4, TShiftState{mdiChild ? ssCtrl : ssAlt}));
    return items;
}

TskSkinPopupMenu* TskSkinForm::TrayMenu()
{
    if (FSysTrayMenu)
        return FSysTrayMenu;
    FSysTrayMenu = new TskSkinPopupMenu(this);
    FSysTrayMenu->ComponentForm = dynamic_cast<TForm*>(FForm);
    // Built-in captions: the menu is made before any skin is chosen.
    const auto add = [this](const char* name, const char* caption, std::function<void()> command) {
        auto* item = new TMenuItem(this);
        item->SetName(name);
        item->SetCaption(caption);
        if (command)
            item->OnClick = [command = std::move(command)](TObject*) { command(); };
        FSysTrayMenu->Items()->Add(item);
        return item;
    };
    add("TRAY_BSF_RESTORE", kRestoreRow.Caption, [this] { RestoreFromTray(); });
    add("", "-", nullptr);
    add("TRAY_BSF_CLOSE", kCloseRow.Caption, [this] {
        FForm->Close();
    })->SetShortCut(ShortCut(VK_F4, TShiftState{ssAlt}));
    return FSysTrayMenu;
}

void TskSkinForm::CreateDefaultSysMenu()
{
    FSysMenu->Items()->Clear();
    std::vector<TMenuItem*> items = CreateStandardSysMenuItems(false);
    for (std::size_t i = 0; i + 1 < items.size(); ++i)
        FSysMenu->Items()->Add(items[i]);
    if (items.size() > 1) {
        auto* line = new TMenuItem(this);
        line->SetCaption("-");
        FSysMenu->Items()->Add(line);
    }
    FSysMenu->Items()->Add(items.back());
}

void TskSkinForm::SetSystemMenu(TPopupMenu* Value)
{
    if (Value == FSystemMenu.Get())
        return;
    if (TPopupMenu* old = FSystemMenu)
        RemoveStandardItems(*old->Items());
    FSystemMenu = Value;
}

void TskSkinForm::UpdateSystemMenu()
{
    TPopupMenu* menu = FSystemMenu;
    if (!menu)
        return;
    RemoveStandardItems(*menu->Items());
    // The default menu's items carry the same names under this component.
    FSysMenu->Items()->Clear();
    std::vector<TMenuItem*> items = CreateStandardSysMenuItems(true);
    TMenuItem* close = items.back();
    items.pop_back();
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        menu->Items()->Insert(0, *it);
    menu->Items()->Add(close);
}

TMenuItem* TskSkinForm::GetSystemMenuItems()
{
    if (TPopupMenu* menu = FSystemMenu) {
        if (UseDefaultSysMenu)
            UpdateSystemMenu();
        return menu->Items();
    }
    CreateDefaultSysMenu();
    return FSysMenu->Items();
}

void TskSkinForm::PopupSystemMenuAtRect(TRect R)
{
    if (DisableSystemMenu)
        return;
    TskSkinData* skin = FMenusSD ? FMenusSD.Get() : FSD.Get();
    FSkinMenu->Popup(nullptr, skin && !skin->Empty ? skin : nullptr, 0, R, GetSystemMenuItems(), false);
}

void TskSkinForm::PopupSystemMenu(int X, int Y)
{
    PopupSystemMenuAtRect(Rect(X, Y, X, Y));
}

void TskSkinForm::PopupSystemMenuAtButton()
{
    for (auto& object : ObjectList) {
        TskCommandButton* button = object->CommandButton();
        if (!button || button->Command != TskStdCommand::cmSysMenu || !object->Enabled)
            continue;
        TRect r = object->ObjectRect;
        r.Left += FForm->Left();
        r.Right += FForm->Left();
        r.Top += FForm->Top();
        r.Bottom += FForm->Top();
        PopupSystemMenuAtRect(r);
        return;
    }
}

void TskSkinForm::CheckCloseMenus(unsigned Msg)
{
    if (!IsSkinMenuCloseMessage(Msg))
        return;
    if (ShowObjectHint)
        HideFrameHint();
    if (!FSkinMenu)
        return;
    if (FInMainMenu && !FInMenu)
        EndMainMenu();
    else if (FSkinMenu->Visible())
        FSkinMenu->Hide();
    else if (FInMenu)
        SkinMenuClose();
}

} // namespace tovrel
