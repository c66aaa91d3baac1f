// Run control (start, stop, pause, resume), the rows' progress and the end
// of a batch with its after-batch action.
#include "app/main/MainForm.h"

#include "app/main/FileListColumns.h"
#include "app/main/ProgramDataFiles.h"
#include "app/options/OptionsForm.h"
#include "app/presets/OutputFileName.h"
#include "app/presets/OutputOptionsTransfer.h"
#include "app/presets/RowCodes.h"
#include "media/engine/FFmpegTasks.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/MainThread.h"
#include "platform/vcl/Menus.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinListView.h"
#include "skin/menus/SkinPopupMenu.h"

#include <exception>
#include <set>

namespace tovrel {

namespace {

constexpr TThreadPriority kPriorities[] = {TThreadPriority::tpIdle, TThreadPriority::tpLowest, TThreadPriority::tpLower,
                                           TThreadPriority::tpNormal};

enum TAfterDone { adOpenFolder = 0, adShutDown = 1, adPlaySound = 2 };

} // namespace

void TMainForm::HookRunCommands()
{
    const auto on = [](TMenuItem* item, std::function<void()> command) {
        if (item)
            item->OnClick = [command](TObject*) { command(); };
    };
    on(MenuItem("Item111"), [this] { AddOneFile(); });
    on(MenuItem("Item121"), [this] { AddSeveralFiles(); });
    on(MenuItem("N21"), [this] { AddFolder(); });
    TMenuItem* popup = skSkinPopupMenu1->Items();
    on(popup->Items(0), [this] { AddOneFile(); });
    on(popup->Items(1), [this] { AddSeveralFiles(); });
    on(popup->Items(2), [this] { AddFolder(); });
    on(MenuItem("N7"), [this] { StartBatch(); });
    on(MenuItem("N8"), [this] { StopBatch(); });
    on(MenuItem("N10"), [this] { PauseBatch(); });
    on(MenuItem("N11"), [this] { ResumeBatch(); });
    skSkinButton2->OnClick = [this](TObject*) { StartBatch(); };
    skSkinButton10->OnClick = [this](TObject*) { StopBatch(); };
    skSkinButton11->OnClick = [this](TObject*) { PauseBatch(); };
    skSkinButton12->OnClick = [this](TObject*) { ResumeBatch(); };
    FFTasks->OnProgress = [this](TCustomFFmpegTasks*, TProgressInfo* info) { TasksProgress(*info); };
    FFTasks->OnTerminate = [this](TCustomFFmpegTasks*, const TTerminateInfo& info) { TasksTerminate(info); };
}

bool TMainForm::RebuildTasks()
{
    const int count = lvFiles->Items()->Count();
    // An input that has gone since it was added is named before anything
    // is touched, so nothing starts.
    std::string missing;
    for (int i = 0; i < count; ++i)
        if (const std::string& file = lvFiles->Items()->Item(i)->Caption(); !FileExists(file))
            missing += "\n" + file;
    if (!missing.empty()) {
        Notice("以下文件已不存在，无法开始转换：" + missing);
        return false;
    }

    ClearAllTasks();
    data_.IO1.assign(count, {});
    data_.OO1.assign(count, {});
    const std::string folder = data_.FileOutPutPath;
    const bool overwrite = Form5 && Form5->Options().OverwriteFile;
    std::set<std::string> given;
    for (int i = 0; i < count; ++i) {
        TListItem& row = *lvFiles->Items()->Item(i);
        TInputOptions& input = data_.IO1[i];
        TOutputOptions& output = data_.OO1[i];
        InitInputOptions(input);
        input.FileName = row.Caption();
        InitOutputOptions(output);
        std::string failure;
        try {
            ApplyRowSettings(ReadRowSettings(row), output);
        } catch (const std::exception& error) {
            failure = error.what();
        }
        // Renames, extension swaps and a new folder may have made two rows,
        // or a row and a file on disk, share a name since they were added.
        const std::string outputFile =
            MakeOutputFileName(SubItemText(row, colOutputFile), folder, overwrite,
                               [&given](const std::string& path) { return given.contains(path); });
        given.insert(outputFile);
        const int task = failure.empty() ? FFTasks->AddTask(row.Caption(), &input) : -1;
        if (task >= 0 && !FFTasks->SetOutputFile(task, outputFile, &output))
            failure = FFTasks->LastErrMsg();
        else if (task < 0 && failure.empty())
            failure = FFTasks->LastErrMsg();
        if (!failure.empty()) {
            ClearAllTasks();
            Notice("无法转换文件：" + row.Caption() + "\n" + failure);
            return false;
        }
        SetSubItemText(row, colOutputFile, std::string(FileNamePart(outputFile)));
        SetSubItemText(row, colTaskNumber, std::to_string(task + 1));
        row.Data = FFTasks->Task(task);
    }
    return true;
}

void TMainForm::StartBatch()
{
    if (lvFiles->Items()->Count() == 0 || FFTasks->Working())
        return;
    const TConversionOptions options = Form5 ? Form5->Options() : TConversionOptions{};
    FFTasks->SetThreadPriority(kPriorities[std::clamp(options.ThreadPriority, 0, 3)]);
    if (!RebuildTasks())
        return;
    userStopped_ = false;
    SetWorkflowState(TWorkflowState::Converting);
    FFTasks->Start(std::max(1, options.ThreadCount));
}

void TMainForm::StopBatch()
{
    if (!FFTasks->Working())
        return;
    userStopped_ = true;
    // The end-of-batch record arrives while the tasks are stopped; it
    // unlocks the window and clears the tasks.
    FFTasks->Stop(true);
    TMainThread::Pump();
    if (state_ == TWorkflowState::Converting || state_ == TWorkflowState::Paused)
        EndOfBatch();
}

void TMainForm::PauseBatch()
{
    SetWorkflowState(TWorkflowState::Paused);
    FFTasks->Pause();
}

void TMainForm::ResumeBatch()
{
    SetWorkflowState(TWorkflowState::Converting);
    FFTasks->Resume();
}

TListItem* TMainForm::RowOfTask(int taskIndex) const
{
    // By the task itself, not its position: a row keeps its task wherever
    // it is in the list.
    const TFFmpeg* task = taskIndex >= 0 && taskIndex < FFTasks->TasksCount() ? FFTasks->Task(taskIndex) : nullptr;
    for (int i = 0; task && i < lvFiles->Items()->Count(); ++i)
        if (lvFiles->Items()->Item(i)->Data == task)
            return lvFiles->Items()->Item(i);
    return nullptr;
}

void TMainForm::TasksProgress(const TProgressInfo& info)
{
    TListItem* row = RowOfTask(info.TaskIndex);
    if (!row)
        return;
    SetSubItemText(*row, colProgress,
                   info.TotalDuration > 0 ? std::to_string(info.CurrentDuration * 100 / info.TotalDuration) + "%"
                                          : std::string("N/A"));
    if (info.FPS > 0)
        SetSubItemText(*row, colFPS, std::to_string(info.FPS));
    SetSubItemText(*row, colCurrentTime, SecToDate(int(info.CurrentDuration / 1000000)));
    SetSubItemText(*row, colConvertedSize, SizeText(info.CurrentSize));
}

void TMainForm::TasksTerminate(const TTerminateInfo& info)
{
    if (info.TaskIndex < 0)
        EndOfBatch();
    else if (info.Finished)
        if (TListItem* row = RowOfTask(info.TaskIndex))
            SetSubItemText(*row, colProgress, "100%");
    if (info.Exception && SystemActions)
        SystemActions->ShowWarning(info.ExceptionMsg);
}

void TMainForm::EndOfBatch()
{
    ClearAllTasks();
    SetWorkflowState(TWorkflowState::AfterBatch);
    // Only a batch that ended by itself has an after-batch action: a user
    // who stopped it is still at the machine.
    if (userStopped_ || !SystemActions || !Form5)
        return;
    switch (Form5->Options().AfterDone) {
    case adOpenFolder: SystemActions->OpenFolder(Video_OutPut_Folder_Edit->Text()); break;
    case adShutDown: SystemActions->PowerOff(); break;
    case adPlaySound: SystemActions->PlaySound(AfterBatchSoundFile()); break;
    default: break;
    }
}

} // namespace tovrel
