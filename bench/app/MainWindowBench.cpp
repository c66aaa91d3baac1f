// The main window at 839 x 527 on the headless back end: from nothing to its
// first painted picture, a full repaint, and a skin switch with its redraw.
#include "app/main/MainForm.h"
#include "app/main/ProgramBlock.h"
#include "platform/vcl/Application.h"
#include "skin/data/SkinData.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace tovrel {
namespace {

std::unique_ptr<TMainForm> StartMainWindow()
{
    auto main = std::make_unique<TMainForm>(nullptr);
    main->ShowNotice = [](const std::string&) {};
    main->DoCreate();
    CreateSecondaryWindows(*main);
    main->Show();
    main->Repaint();
    return main;
}

void BM_StartToFirstPaint(benchmark::State& state)
{
    for (auto _ : state) {
        std::unique_ptr<TMainForm> main = StartMainWindow();
        state.PauseTiming();
        main.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond);

void BM_FullRepaint(benchmark::State& state)
{
    std::unique_ptr<TMainForm> main = StartMainWindow();
    for (auto _ : state)
        main->Repaint();
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

void BM_SkinSwitch(benchmark::State& state)
{
    std::unique_ptr<TMainForm> main = StartMainWindow();
    int skin = 0;
    for (auto _ : state) {
        skin = skin == 1 ? 2 : 1;
        main->ApplySkinIndex(skin);
        main->Repaint();
    }
}
BENCHMARK(BM_SkinSwitch)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tovrel

// A throw-away HOME, so no folder of the user's is made, and the program's
// services around the runs.
int main(int argc, char** argv)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "appbench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return 1;
    setenv("HOME", pattern.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (std::filesystem::path(pattern) / "config").c_str(), 1);
    setenv("TOVREL_BACKEND", "headless", 1);
    benchmark::Initialize(&argc, argv);
    tovrel::StartProgramServices();
    benchmark::RunSpecifiedBenchmarks();
    tovrel::EndProgramServices();
    benchmark::Shutdown();
    std::filesystem::remove_all(pattern);
    return 0;
}
