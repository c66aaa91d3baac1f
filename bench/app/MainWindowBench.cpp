// The main window at 839 x 527 on the headless back end: from nothing to its
// first painted picture, a full repaint, and a skin switch with its redraw.
// Each ends when every window of the form has painted and the picture has gone
// to the back end, as the program's message loop does it.
#include "ThrowAwayHome.h"

#include "app/main/MainForm.h"
#include "app/main/ProgramBlock.h"
#include "platform/vcl/Application.h"
#include "platform/wm/Paint.h"
#include "skin/data/SkinData.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace tovrel {
namespace {

constexpr int kClientWidth = 839, kClientHeight = 527;

// The figures are taken at the layout's own size, which the window keeps
// under every skin's frame (checked below).
std::unique_ptr<TMainForm> StartMainWindow()
{
    auto main = std::make_unique<TMainForm>(nullptr);
    main->ShowNotice = [](const std::string&) {};
    main->DoCreate();
    CreateSecondaryWindows(*main);
    main->Show();
    Application->ProcessMessages();
    return main;
}

// Every window of the form, frames and children included, invalidated and
// painted at once.
void RepaintEverything(TMainForm& main)
{
    RedrawWindow(main.Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Application->ProcessMessages();
}

bool AtClientSize(benchmark::State& state, const TMainForm& main)
{
    if (main.ClientWidth() == kClientWidth && main.ClientHeight() == kClientHeight)
        return true;
    state.SkipWithError(("client size " + std::to_string(main.ClientWidth()) + " x " +
                         std::to_string(main.ClientHeight()) + ", not 839 x 527")
                            .c_str());
    return false;
}

// The process's first window: nothing of the skins, fonts or pictures cached
// yet. One run a process; run the program several times for a spread.
void BM_FirstStartToFirstPaint(benchmark::State& state)
{
    for (auto _ : state) {
        std::unique_ptr<TMainForm> main = StartMainWindow();
        state.PauseTiming();
        AtClientSize(state, *main);
        main.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstStartToFirstPaint)
    ->Iterations(1)
    ->Repetitions(1)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

void BM_StartToFirstPaint(benchmark::State& state)
{
    if (!AtClientSize(state, *StartMainWindow()))
        return;
    for (auto _ : state) {
        std::unique_ptr<TMainForm> main = StartMainWindow();
        state.PauseTiming();
        main.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToFirstPaint)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

void BM_FullRepaint(benchmark::State& state)
{
    std::unique_ptr<TMainForm> main = StartMainWindow();
    if (!AtClientSize(state, *main))
        return;
    for (auto _ : state)
        RepaintEverything(*main);
}
BENCHMARK(BM_FullRepaint)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

void BM_SkinSwitch(benchmark::State& state)
{
    std::unique_ptr<TMainForm> main = StartMainWindow();
    if (!AtClientSize(state, *main))
        return;
    int skin = 0;
    for (auto _ : state) {
        skin = skin == 1 ? 2 : 1;
        main->ApplySkinIndex(skin);
        Application->ProcessMessages();
    }
    // Each skin's frame has its own size; the window keeps its outer size.
    state.SetLabel("client " + std::to_string(main->ClientWidth()) + " x " + std::to_string(main->ClientHeight()) +
                   " after");
}
BENCHMARK(BM_SkinSwitch)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tovrel

int main(int argc, char** argv)
{
    tovrel::bench::TThrowAwayHome home;
    benchmark::Initialize(&argc, argv);
    tovrel::StartProgramServices();
    benchmark::RunSpecifiedBenchmarks();
    tovrel::EndProgramServices();
    benchmark::Shutdown();
    return 0;
}
