// Adding files: one, several chosen together, or every file of a folder.
// Each file is probed, gets a task with the current preset and boxes, and a
// row once the task takes both its input and its output. A file that cannot
// be added is reported and the others go on.
#include "app/main/MainForm.h"

#include "app/main/FileListColumns.h"
#include "app/options/OptionsForm.h"
#include "app/presets/OutputFileName.h"
#include "app/presets/OutputOptionsTransfer.h"
#include "app/presets/PresetKeys.h"
#include "app/presets/PresetStep.h"
#include "app/presets/RowCodes.h"
#include "media/engine/FFmpegTasks.h"
#include "platform/rtl/Files.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/controls/SkinPanel.h"

#include <algorithm>
#include <exception>
#include <filesystem>

namespace tovrel {

namespace {

// Every regular file of a folder (links followed, subfolders and dot-files
// not), sorted by name so the order of the rows never depends on the disk.
std::vector<std::string> FilesOfFolder(const std::string& folder)
{
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(".") && entry.is_regular_file(error))
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string FailureSummary(const std::vector<std::string>& failures)
{
    std::string text = "以下文件无法添加：";
    for (const std::string& failure : failures)
        text += "\n" + failure;
    return text;
}

} // namespace

TFFmpeg* TMainForm::RowTask(const TListItem& row)
{
    return static_cast<TFFmpeg*>(row.Data);
}

void TMainForm::Log(const std::string& line)
{
    mmoLog.push_back(line);
}

void TMainForm::SelectLastRow()
{
    const int count = lvFiles->Items()->Count();
    if (count == 0)
        return;
    lvFiles->SetSelected(lvFiles->Items()->Item(count - 1));
    FocusFileList();
}

bool TMainForm::LoadMediaLibraries()
{
    if (FFTasks->AVLibLoaded() || FFTasks->LoadAVLib(ProgramFolder() + "LibAV"))
        return true;
    Log(FFTasks->LastErrMsg());
    Notice(FFTasks->LastErrMsg());
    return false;
}

bool TMainForm::AddMediaFile(const std::string& file, std::string& failure)
{
    const auto fail = [&](const std::string& logPrefix, const std::string& message) {
        Log(logPrefix + message);
        Log("");
        failure = FileNamePart(file).empty() ? file : std::string(FileNamePart(file));
        failure += "：" + message;
        return false;
    };
    Log("");
    TAVProbe& probe = FFTasks->AVProbe();
    if (!probe.LoadFile(file))
        return fail("***File load error: ", probe.LastErrMsg());
    const std::int64_t duration = probe.FileStreamInfo().Duration;
    const std::int64_t size = probe.FileSize();
    data_.Video_AddFileName = file;

    TInputOptions input;
    InitInputOptions(input);
    const int task = FFTasks->AddTask(file, &input);
    if (task < 0)
        return fail("***File open error: ", FFTasks->LastErrMsg());
    if (TAVProbe* taskProbe = FFTasks->GetTaskProbe(task, 0))
        Log(taskProbe->FileInfoText());
    data_.T_Movie_PLayer_FileName = file;

    // The preset step and the box step, leaving every existing row as it is.
    const std::string folder = Video_OutPut_Folder_Edit->Text();
    TPresetStepContext context;
    context.AddFileName = file;
    context.OutputFolder = folder;
    context.OverwriteOutput = Form5 && Form5->Options().OverwriteFile;
    context.NameInUse = [this, &folder](const std::string& path) {
        for (int i = 0; i < lvFiles->Items()->Count(); ++i)
            if (JoinFolder(folder, SubItemText(*lvFiles->Items()->Item(i), colOutputFile)) == path)
                return true;
        return false;
    };
    RunPresetStep(skSkinOfficeComboBox2->ItemIndex(), skSkinOfficeComboBox1->ItemIndex(), context, data_.Pending);
    ApplyBoxTextsToPending();
    TOutputOptions output;
    InitOutputOptions(output);
    try {
        ApplyPendingSettings(data_.Pending, output);
    } catch (const std::exception& error) {
        FFTasks->RemoveTask(task);
        return fail("***Cannot do convert, error: ", error.what());
    }
    if (!FFTasks->SetOutputFile(task, data_.Pending.Video_OutPutFileName, &output)) {
        FFTasks->RemoveTask(task);
        return fail("***Cannot do convert, error: ", FFTasks->LastErrMsg());
    }

    skSkinPanel5->SetVisible(false);
    TListItem& row = *lvFiles->Items()->Add();
    row.SetCaption(input.FileName.empty() ? file : input.FileName);
    row.Data = FFTasks->Task(task);
    SetSubItemText(row, colDuration, duration > 0 ? SecToDate(int(duration / 1000000)) : "N/A");
    SetSubItemText(row, colFileSize, SizeText(size));
    SetSubItemText(row, colOutputFile, std::string(FileNamePart(data_.Pending.Video_OutPutFileName)));
    SetSubItemText(row, colTaskNumber, std::to_string(task + 1));
    const int category = skSkinOfficeComboBox2->ItemIndex(), format = skSkinOfficeComboBox1->ItemIndex();
    SetSubItemText(row, colCategoryCode, std::to_string(RowCategoryCode(category, format)));
    TPerBox<int> positions{};
    for (TParameterBox which : ParameterBoxes)
        positions[BoxIndex(which)] = std::max(0, boxes_[BoxIndex(which)]->ItemIndex());
    SetSubItemText(row, colOptionCode, MakeOptionCode(positions));
    // Every settings column now, the three the format step alone would
    // write included, so a row never selected converts as it was added.
    WriteRowSettings(row, RowSettingsFromPending(data_.Pending));
    SetWorkflowState(TWorkflowState::IdleWithRows);
    Log("***Can do convert.");
    return true;
}

void TMainForm::AddOneFile()
{
    ResetPendingSettings(data_.Pending);
    if (!LoadMediaLibraries())
        return;
    const std::vector<std::string> chosen = OpenMediaFiles ? OpenMediaFiles(false) : std::vector<std::string>();
    if (chosen.empty() || !FileExists(chosen.front()))
        return;
    std::string failure;
    if (!AddMediaFile(chosen.front(), failure)) {
        Notice("无法添加文件：" + failure);
        return;
    }
    SelectLastRow();
}

void TMainForm::AddSeveralFiles()
{
    ResetPendingSettings(data_.Pending);
    if (!LoadMediaLibraries())
        return;
    std::vector<std::string> chosen = OpenMediaFiles ? OpenMediaFiles(true) : std::vector<std::string>();
    if (chosen.empty() || !FileExists(chosen.front()))
        return;
    AddFiles(chosen);
}

void TMainForm::AddFolder()
{
    const int rowsBefore = lvFiles->Items()->Count();
    ResetPendingSettings(data_.Pending);
    if (!LoadMediaLibraries())
        return;
    const std::optional<std::string> folder =
        SelectFolder ? SelectFolder("选择目录", data_.FileOutPutPath) : std::nullopt;
    if (!folder || folder->empty() || !DirectoryExists(*folder))
        return;
    const std::vector<std::string> failures = AddFiles(FilesOfFolder(*folder), false);
    if (lvFiles->Items()->Count() <= rowsBefore)
        Notice("在该目录没有发现可以用的视频或音频文件！");
    else if (!failures.empty())
        Notice(FailureSummary(failures));
}

std::vector<std::string> TMainForm::AddFiles(const std::vector<std::string>& files, bool reportFailures)
{
    // Last to first, so the first file's row comes last and is selected.
    std::vector<std::string> failures;
    for (auto file = files.rbegin(); file != files.rend(); ++file) {
        std::string failure;
        if (!FileExists(*file))
            failures.push_back(*file + "：文件不存在");
        else if (!AddMediaFile(*file, failure))
            failures.push_back(failure);
    }
    SelectLastRow();
    if (reportFailures && !failures.empty())
        Notice(FailureSummary(failures));
    return failures;
}

} // namespace tovrel
