// The menu bar's and the list buttons' commands, the skin choice, the web
// pages and the about box, and the windows made after the main window.
#include "app/main/MainForm.h"

#include "app/format/OutputFormatForm.h"
#include "app/main/AboutForm.h"
#include "app/options/OptionIni.h"
#include "platform/shell/ShellLauncher.h"
#include "platform/vcl/Menus.h"
#include "skin/data/SkinCompressedSkinList.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/SelectSkinDialog.h"

#include <utility>

namespace tovrel {

void TMainForm::HookMenuCommands()
{
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"N111", [this] { MoveSelectedRow(-1); }}, {"N2221", [this] { MoveSelectedRow(1); }},
        {"N13", [this] { RemoveSelectedRow(); }},  {"N14", [this] { ClearRows(); }},
        {"N26", [this] { StartRenaming(); }},      {"N23", [this] { ChooseSkin(); }},
        {"N15", [this] { OpenHelpPage(); }},       {"N19", [this] { OpenHomePage(); }},
        {"N5", [this] { ShowAbout(); }},
    };
    for (const auto& [name, command] : commands)
        MenuItem(name)->OnClick = [command](TObject*) { command(); };

    skSelectSkinDialog1 = new TskSelectSkinDialog(this);
    skSelectSkinDialog1->SetName("skSelectSkinDialog1");
    skSelectSkinDialog1->SetSkinList(skCompressedSkinList1);
    skSelectSkinDialog1->SetSkinData(skSkinData1);
    skSelectSkinDialog1->SetCtrlSkinData(skSkinData1);
}

void TMainForm::ChooseSkin()
{
    if (skSelectSkinDialog1->Execute(skSkinData1->SkinIndex()))
        skSkinData1->SetSkinIndex(skSelectSkinDialog1->SelectedSkinIndex());
    StoreSkinIndex();
}

void TMainForm::StoreSkinIndex()
{
    if (!ini_->Write("Skin", "SetSkin", std::to_string(skSkinData1->SkinIndex())))
        Notice("无法保存设置文件：" + ini_->Path());
}

void TMainForm::OpenHelpPage()
{
    ShellLauncher()->Open(HelpPageAddress, "");
}

void TMainForm::OpenHomePage()
{
    ShellLauncher()->Open(HomePageAddress, "");
}

void TMainForm::CreateAboutBox()
{
    Form2 = new TForm2(this, skSkinData1);
}

void TMainForm::ShowAbout()
{
    if (!Form2)
        CreateAboutBox();
    Form2->ShowModal();
}

TForm6* TMainForm::CreateOutputFormatDialog()
{
    Form6 = CreateOutputFormatForm(*this);
    return Form6;
}

} // namespace tovrel
