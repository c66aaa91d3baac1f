// Start-up and close of the main window, the output folder and the options
// dialog.
#include "app/main/MainForm.h"

#include "app/options/OptionIni.h"
#include "app/options/OptionsForm.h"
#include "media/engine/FFmpegTasks.h"
#include "platform/rtl/Files.h"
#include "platform/shell/ShellLauncher.h"
#include "platform/vcl/Application.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinListView.h"
#include "skin/data/SkinCompressedSkinList.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/SkinMessage.h"

#include <charconv>
#include <exception>

namespace tovrel {

namespace {

constexpr std::string_view kOutPath = "OutPath";

// A whole decimal number, or nothing.
std::optional<int> WholeNumber(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

} // namespace

void TMainForm::Notice(const std::string& text)
{
    if (ShowNotice) {
        ShowNotice(text);
        return;
    }
    TskSkinMessage message(nullptr);
    message.SetSkinData(skSkinData1);
    message.SetCtrlSkinData(skSkinData1);
    message.MessageDlg2(text, "提示", mtInformation, {mbOK}, 0);
}

void TMainForm::FormCreate()
{
    ini_ = std::make_unique<TOptionIni>(OptionIniFile);
    // A step that fails is reported and the window goes on as far as it got.
    try {
        ReadOutputFolder();
        // The open dialogs' filters are set up with adding files.
        ReadStoredSkin();
        FillFormatBox();
        MakeSnapshotFolder();
        FillScreenList();
    } catch (const std::exception& error) {
        Application->HandleException(error);
    }
}

TOptionsForm* TMainForm::CreateOptionsDialog()
{
    Form5 = new TOptionsForm(this, skSkinData1);
    Form5->OnPreviewChanged = [this](bool showPreview) { FFTasks->SetPreview(showPreview); };
    Form5->OnCreate = [this](TObject*) { Form5->ReadOptions(*ini_); };
    Form5->DoCreate();
    return Form5;
}

void TMainForm::FormCloseQuery(bool& canClose)
{
    // Nothing the tasks report may reach a window on its way out.
    FFTasks->OnCustomHook = nullptr;
    FFTasks->OnProgress = nullptr;
    FFTasks->OnTerminate = nullptr;
    FFTasks->Stop(true);
    canClose = true;
}

void TMainForm::ShowOutputFolder(const std::string& folder)
{
    Video_OutPut_Folder_Edit->SetText(folder);
    data_.FileOutPutPath = folder;
}

void TMainForm::ReadOutputFolder()
{
    std::string folder;
    if (ini_->Exists())
        if (std::string stored = ini_->Read(kOutPath, kOutPath); !IsUnsetOption(stored))
            folder = std::move(stored);
    const bool stored = !folder.empty();
    if (!stored)
        folder = DefaultOutputFolder();
    if (!ForceDirectories(folder))
        Notice("无法创建输出文件夹：" + folder);
    ShowOutputFolder(folder);
    if (!stored && !ini_->Write(kOutPath, kOutPath, folder))
        Notice("无法保存设置文件：" + ini_->Path());
}

bool TMainForm::StoreOutputFolder()
{
    if (!DirectoryExists(data_.FileOutPutPath))
        return false;
    if (ini_->Write(kOutPath, kOutPath, data_.FileOutPutPath))
        return true;
    Notice("无法保存设置文件：" + ini_->Path());
    return false;
}

void TMainForm::ApplySkinIndex(int index)
{
    const int count = skCompressedSkinList1->Skins()->Count();
    skSkinData1->SetSkinIndex(index >= 0 && index < count ? index : 0);
}

void TMainForm::ReadStoredSkin()
{
    // Without the file the window keeps the skin it was made with.
    if (!ini_->Exists()) {
        ini_->Write("Skin", "SetSkin", "0");
        return;
    }
    const std::optional<int> index = WholeNumber(ini_->Read("Skin", "SetSkin"));
    if (index && *index >= 0 && *index < skCompressedSkinList1->Skins()->Count()) {
        ApplySkinIndex(*index);
        return;
    }
    // Anything else (empty, "Error", no number, no such skin) is skin 0.
    ini_->Write("Skin", "SetSkin", "0");
    ApplySkinIndex(0);
}

void TMainForm::MakeSnapshotFolder()
{
    std::string folder = ini_->Read("SnapShot", "Dir");
    if (IsUnsetOption(folder))
        folder = DefaultSnapshotFolder();
    if (!ForceDirectories(folder))
        Notice("无法创建快照文件夹：" + folder);
}

void TMainForm::BrowseOutputFolder()
{
    if (!SelectFolder)
        return;
    const std::optional<std::string> chosen = SelectFolder("选择输出目录", data_.FileOutPutPath);
    if (!chosen || !DirectoryExists(*chosen))
        return;
    ShowOutputFolder(*chosen);
    StoreOutputFolder();
    FocusFileList();
}

void TMainForm::OpenOutputFolder()
{
    const std::string folder = Video_OutPut_Folder_Edit->Text();
    ShellLauncher()->Open(folder, folder);
    FocusFileList();
}

void TMainForm::ShowOptions()
{
    if (Form5 && Form5->Execute(*ini_) == mrOk && !Form5->LastWriteSucceeded())
        Notice("无法保存设置文件：" + ini_->Path());
}

} // namespace tovrel
