// The main menu and which commands each workflow state enables.
#include "app/main/MainForm.h"

#include "platform/vcl/Menus.h"
#include "platform/wm/Keys.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/forms/SkinForm.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/menus/SkinPopupMenu.h"

#include <initializer_list>

namespace tovrel {

namespace {

struct TMenuRow {
    const char* Name;
    const char* Caption;
    bool Enabled = true;
};

struct TMenuColumn {
    const char* Name;
    const char* Caption;
    std::initializer_list<TMenuRow> Rows;
};

// "-" rows are separators.
const TMenuColumn kMenu[] = {
    {"menuFile",
     "文件",
     {{"Item111", "添加一个文件"}, {"Item121", "添加多个文件"}, {"N21", "添加整个目录"}, {"N3", "-"}, {"N4", "退出"}}},
    {"menuEdit",
     "编辑",
     {{"N111", "上移文件"},
      {"N2221", "下移文件"},
      {"N12", "-"},
      {"N13", "删除选择", false},
      {"N14", "清空文件", false},
      {"N25", "-"},
      {"N26", "重新命名", false}}},
    {"menuAction",
     "动作",
     {{"N7", "开始转换", false},
      {"N8", "停止转换", false},
      {"N9", "-"},
      {"N10", "暂停转换", false},
      {"N11", "继续继续", false}}},
    {"menuTools", "功能", {{"N24", "转换设置"}, {"N23", "软件皮肤"}}},
    {"menuHelp", "帮助", {{"N15", "帮助系统"}, {"N16", "-"}, {"N19", "官方网站"}, {"N5", "关于软件"}}},
};

TMenuItem* FindItem(TMenuItem* parent, std::string_view name)
{
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (item->Name() == name)
            return item;
        if (TMenuItem* found = FindItem(item, name))
            return found;
    }
    return nullptr;
}

void Enable(std::initializer_list<TMenuItem*> items, bool enabled)
{
    for (TMenuItem* item : items)
        if (item)
            item->SetEnabled(enabled);
}

void Enable(std::initializer_list<TControl*> controls, bool enabled)
{
    for (TControl* control : controls)
        if (control)
            control->SetEnabled(enabled);
}

} // namespace

void TMainForm::BuildMenu()
{
    skSkinMainMenu1 = new TMainMenu(this);
    skSkinMainMenu1->SetName("skSkinMainMenu1");
    for (const TMenuColumn& column : kMenu) {
        auto* top = new TMenuItem(skSkinMainMenu1);
        top->SetName(column.Name);
        top->SetCaption(column.Caption);
        skSkinMainMenu1->Items()->Add(top);
        for (const TMenuRow& row : column.Rows) {
            auto* item = new TMenuItem(skSkinMainMenu1);
            item->SetName(row.Name);
            item->SetCaption(row.Caption);
            item->SetEnabled(row.Enabled);
            top->Add(item);
        }
    }
    MenuItem("N15")->SetShortCut(ShortCut(VK_F1, TShiftState{}));
    MenuItem("N4")->OnClick = [this](TObject*) { Close(); };
    MenuItem("N24")->OnClick = [this](TObject*) { ShowOptions(); };

    skSkinMainMenuBar1 = new TskSkinMainMenuBar(this);
    skSkinMainMenuBar1->SetName("skSkinMainMenuBar1");
    skSkinMainMenuBar1->SetParent(this);
    skSkinMainMenuBar1->SetSkinForm(skSkinForm1);
    skSkinForm1->SetMainMenuBar(skSkinMainMenuBar1);
    skSkinMainMenuBar1->SetSkinData(skSkinData1);
    skSkinMainMenuBar1->SetMainMenu(skSkinMainMenu1);
}

TMenuItem* TMainForm::MenuItem(std::string_view name) const
{
    return skSkinMainMenu1 ? FindItem(skSkinMainMenu1->Items(), name) : nullptr;
}

void TMainForm::SetWorkflowState(TWorkflowState state)
{
    state_ = state;
    const TCommandStates on = CommandStatesFor(state);
    Enable({skSkinMenuSpeedButton1}, on.Add);
    Enable({MenuItem("Item111"), MenuItem("Item121"), MenuItem("N21")}, on.Add);
    if (skSkinPopupMenu1)
        for (int i = 0; i < skSkinPopupMenu1->Items()->Count(); ++i)
            skSkinPopupMenu1->Items()->Items(i)->SetEnabled(on.Add);
    Enable({skSkinButton7, skSkinButton21}, on.RemoveRename);
    Enable({MenuItem("N13"), MenuItem("N26")}, on.RemoveRename);
    Enable({skSkinButton3, skSkinButton4}, on.Move);
    Enable({MenuItem("N111"), MenuItem("N2221")}, on.Move);
    Enable({skSkinButton8}, on.Clear);
    Enable({MenuItem("N14")}, on.Clear);
    Enable({skSkinButton2}, on.Start);
    Enable({MenuItem("N7")}, on.Start);
    Enable({skSkinButton10}, on.Stop);
    Enable({MenuItem("N8")}, on.Stop);
    Enable({skSkinButton11}, on.Pause);
    Enable({MenuItem("N10")}, on.Pause);
    Enable({skSkinButton12}, on.Resume);
    Enable({MenuItem("N11")}, on.Resume);
    // The one in front of the shared place is the one that can be used.
    if (skSkinButton11 && skSkinButton12)
        (on.Resume ? skSkinButton12 : skSkinButton11)->BringToFront();
    for (TskSkinComboBox* box : boxes_)
        Enable({box}, on.Settings);
    Enable({skSkinOfficeComboBox2, skSkinOfficeComboBox1, skSkinButton5}, on.Settings);
}

} // namespace tovrel
