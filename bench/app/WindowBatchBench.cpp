// window_batch_bench --tasks N --out DIR FILE...
//
// convert_bench's batch through the real main window on the headless back end,
// as a user runs it: the files added through the open dialog ("添加多个文件"),
// the preset "H.264格式高清视频(*.mp4)" with the source's frame size and frame
// rate kept (H.264 at 1500 kbps + AAC at 128 kbps, 48000 Hz, two channels: the
// option text bench/app/compare.sh gives convert_bench), N at once set in the
// options, the output folder chosen with "浏览", "开始转换" from the menu, and
// the program's own message loop (painting included) running until the
// after-batch action. Prints the rows' settings, each row's end, and a line
// "batch: ... S s wall ..." where S runs from the start command to the
// after-batch action. Exit status: 0 when every row finished, 1 otherwise, 2
// for bad usage.
#include "ThrowAwayHome.h"

#include "app/main/FileListColumns.h"
#include "app/main/MainForm.h"
#include "app/main/ProgramBlock.h"
#include "app/main/SystemActions.h"
#include "app/options/OptionsForm.h"
#include "app/presets/PresetCatalog.h"
#include "platform/ctrls/ListView.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Menus.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinOfficeComboBox.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tovrel {
namespace {

using TClock = std::chrono::steady_clock;

// CPU seconds the calling thread has used.
double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// The preset, and the box texts that keep the source's frame size and rate.
constexpr int kPresetKey = 3305;
constexpr std::pair<TParameterBox, std::string_view> kBoxTexts[] = {
    {TParameterBox::FrameSize, "保持原分辨率"}, {TParameterBox::VideoBitrate, "1500 kbps"},
    {TParameterBox::FrameRate, "保持原帧速率"}, {TParameterBox::AudioBitrate, "128 kbps"},
    {TParameterBox::SampleRate, "48000"},       {TParameterBox::Aspect, "保持原视频模式"}};

struct TBenchArguments {
    int tasks = 1;
    std::filesystem::path out;
    std::vector<std::string> files;
};

bool ParseArguments(int argc, char** argv, TBenchArguments& arguments)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--tasks" && hasValue)
            arguments.tasks = std::atoi(argv[++i]);
        else if (argument == "--out" && hasValue)
            arguments.out = argv[++i];
        else if (argument.starts_with("--"))
            return false;
        else
            arguments.files.push_back(argument);
    }
    return arguments.tasks > 0 && arguments.tasks <= MaxThreadCount && !arguments.out.empty() &&
           !arguments.files.empty();
}

// The after-batch action ends the message loop; a warning box is a failure.
struct TBatchEnd : ISystemActions {
    void OpenFolder(const std::string&) override { Ended(); }
    void PlaySound(const std::string&) override { Ended(); }
    void PowerOff() override { Ended(); }
    void ShowWarning(const std::string& text) override { Warnings.push_back(text); }
    void Ended()
    {
        End = TClock::now();
        Application->Terminate();
    }
    std::optional<TClock::time_point> End;
    std::vector<std::string> Warnings;
};

bool ChoosePreset(TMainForm& main)
{
    const TFormatItem* format = MainPresets().Format(kPresetKey);
    if (!format)
        return false;
    main.CategoryBox()->SetItemIndex(format->CategoryPosition);
    main.FormatBox()->SetItemIndex(format->FormatIndex);
    for (const auto& [which, text] : kBoxTexts) {
        TskSkinComboBox& box = *main.ParameterBox(which);
        const int position = box.Items()->IndexOf(text);
        if (position < 0) {
            std::fprintf(stderr, "the preset's box %zu has no item \"%s\"\n", BoxIndex(which), text.data());
            return false;
        }
        box.SetItemIndex(position);
    }
    return true;
}

void PrintSettings(const TListItem& row)
{
    const TRowSettingsColumns columns = ReadRowSettings(row);
    std::printf("settings: video %s %s bit/s, size \"%s\", rate \"%s\"; audio %s %s bit/s %s Hz %s channels\n",
                columns.colVideoCodec.c_str(), columns.colVideoBitrate.c_str(), columns.colFrameSize.c_str(),
                columns.colFrameRate.c_str(), columns.colAudioCodec.c_str(), columns.colAudioBitrate.c_str(),
                columns.colAudioSampleRate.c_str(), columns.colAudioChannels.c_str());
}

// One line per row, and the batch line; the status.
struct TBatchTimes {
    double Wall = 0;          // start command to after-batch action
    double ToStart = 0;       // the start command's own time (the tasks rebuilt)
    double MainThreadCpu = 0; // the window's thread meanwhile
};

int Report(TMainForm& main, const TBatchEnd& end, const TBatchTimes& times, int tasksAtOnce)
{
    const TListItems& rows = *main.FileList()->Items();
    int failures = 0;
    for (int i = 0; i < rows.Count(); ++i) {
        const TListItem& row = *rows.Item(i);
        const std::string progress = SubItemText(row, colProgress);
        failures += progress == "100%" ? 0 : 1;
        std::printf("row %d  %-5s  %-9s  %s -> %s\n", i, progress.c_str(), SubItemText(row, colConvertedSize).c_str(),
                    row.Caption().c_str(), SubItemText(row, colOutputFile).c_str());
    }
    for (const std::string& warning : end.Warnings)
        std::printf("warning: %s\n", warning.c_str());
    failures += static_cast<int>(end.Warnings.size());
    std::printf(
        "batch: %d files, %d at once, %.3f s wall (%.3f s of it to start), %.3f files/s, main thread %.3f s CPU\n",
        rows.Count(), tasksAtOnce, times.Wall, times.ToStart, times.Wall > 0 ? rows.Count() / times.Wall : 0.0,
        times.MainThreadCpu);
    return failures == 0 && end.End ? 0 : 1;
}

int RunBatch(const TBenchArguments& arguments)
{
    std::error_code error;
    std::filesystem::create_directories(arguments.out, error);
    if (error) {
        std::fprintf(stderr, "cannot create %s: %s\n", arguments.out.c_str(), error.message().c_str());
        return 2;
    }
    auto main = std::make_unique<TMainForm>(nullptr);
    std::vector<std::string> notices;
    main->ShowNotice = [&notices](const std::string& text) { notices.push_back(text); };
    main->DoCreate();
    CreateSecondaryWindows(*main);
    const std::string out = std::filesystem::absolute(arguments.out).string();
    main->SelectFolder = [&out](const std::string&, const std::string&) { return std::optional<std::string>(out); };
    main->OpenMediaFiles = [&arguments](bool) { return arguments.files; };
    auto end = std::make_shared<TBatchEnd>();
    main->SystemActions = end;
    TConversionOptions options = main->OptionsDialog()->Options();
    options.ThreadCount = arguments.tasks;
    main->OptionsDialog()->SetOptions(options);
    main->Show();
    Application->ProcessMessages();

    main->BrowseButton()->Click();
    if (!ChoosePreset(*main))
        return 2;
    main->AddSeveralFiles();
    Application->ProcessMessages();
    const int rows = main->FileList()->Items()->Count();
    if (rows != static_cast<int>(arguments.files.size())) {
        for (const std::string& notice : notices)
            std::fprintf(stderr, "%s\n", notice.c_str());
        std::fprintf(stderr, "%d of %zu files added\n", rows, arguments.files.size());
        return 1;
    }
    PrintSettings(*main->FileList()->Items()->Item(0));

    const double cpuBefore = ThreadCpuSeconds();
    const TClock::time_point start = TClock::now();
    main->MenuItem("N7")->Click();
    const TClock::time_point started = TClock::now();
    if (main->WorkflowState() != TWorkflowState::Converting) {
        for (const std::string& notice : notices)
            std::fprintf(stderr, "%s\n", notice.c_str());
        return 1;
    }
    Application->Run();
    TBatchTimes times;
    times.MainThreadCpu = ThreadCpuSeconds() - cpuBefore;
    times.Wall = std::chrono::duration<double>(end->End.value_or(TClock::now()) - start).count();
    times.ToStart = std::chrono::duration<double>(started - start).count();
    return Report(*main, *end, times, arguments.tasks);
}

} // namespace
} // namespace tovrel

int main(int argc, char** argv)
{
    tovrel::TBenchArguments arguments;
    if (!tovrel::ParseArguments(argc, argv, arguments)) {
        std::fprintf(stderr, "usage: window_batch_bench --tasks N (1 to %d) --out DIR FILE...\n",
                     tovrel::MaxThreadCount);
        return 2;
    }
    tovrel::bench::TThrowAwayHome home;
    tovrel::StartProgramServices();
    const int status = tovrel::RunBatch(arguments);
    tovrel::EndProgramServices();
    return status;
}
